#include "TestApplication.h"

#include <QApplication>

namespace testsupport {

QApplication& application()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static int argc = 1;
    static char name[] = "sup-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets of static objects may outlive main().
    return *new QApplication(argc, argv);
}

} // namespace testsupport
