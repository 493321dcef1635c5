#pragma once

class QApplication;

namespace testsupport {

// The QApplication of a test program, created on first use and kept to the end (widgets
// need it; the platform is the offscreen one that CTest sets).
QApplication& application();

} // namespace testsupport
