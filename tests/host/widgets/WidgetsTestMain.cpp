// The test program of the controls: one QApplication for all tests (widgets need it).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Also when run by hand or during test discovery: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
