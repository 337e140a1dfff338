// Test entry point: a QApplication on the offscreen platform, so widgets, message boxes
// and signals work without a display. Widgets get the host's style, as in vxhost.
#include "vxstyle.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(new VxStyle);
    QApplication::setApplicationName(QStringLiteral("vxhost-tests"));
    return RUN_ALL_TESTS();
}
