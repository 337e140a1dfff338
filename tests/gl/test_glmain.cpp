// Entry point of the tests that need OpenGL: a QApplication on a real X display (CTest runs
// this binary under xvfb-run, where Mesa gives OpenGL), not on the offscreen platform.
// Widgets get the host's style, as in vxhost.
#include "vxstyle.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "These tests need a display with OpenGL: run them under "
                             "xvfb-run -a -s \"-screen 0 1600x1000x24\" %s\n", argv[0]);
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(new VxStyle);
    QApplication::setApplicationName(QStringLiteral("vxhost-gl-tests"));
    return RUN_ALL_TESTS();
}
