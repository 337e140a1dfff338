// Test entry point: a QApplication on the offscreen platform, so widgets, message boxes
// and signals work without a display.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vxhost-tests"));
    return RUN_ALL_TESTS();
}
