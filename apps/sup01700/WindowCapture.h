#pragma once

#include <QString>

// Saves a picture of what the operator sees: the active window, with the modal dialog
// (if any) painted over the window below it. Returns false when nothing is shown or the
// file cannot be written.
bool captureActiveWindow(const QString& fileName);
