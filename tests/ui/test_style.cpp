// The host style as the pane and views use it: its metrics, its pixmaps and the accent
// button with its text style.
#include "vxstyle.h"
#include "vxstyledbutton.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

int countPixels(const QImage& image, const std::function<bool(QColor)>& matches)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += matches(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}

TEST(StyleTest, TheHostStyleIsInstalledWithItsMetrics)
{
    QStyle* style = QApplication::style();
    ASSERT_NE(qobject_cast<VxStyle*>(style), nullptr);
    // The pane fixes its combo boxes at this height: they must not lose their text.
    QComboBox combo;
    combo.addItem(QStringLiteral("Parametric (Legacy)"));
    EXPECT_GE(style->pixelMetric(QStyle::PixelMetric(QStyle::PM_CustomBase + 1)), combo.minimumSizeHint().height());
}

TEST(StyleTest, EveryCustomPixmapIsDrawnAndDistinct)
{
    const QList<uint> ids = VxStyle::customPixmapIds();
    ASSERT_EQ(ids.size(), 9);
    QList<QImage> images;
    for (uint id : ids) {
        const QImage image = QApplication::style()->standardPixmap(QStyle::StandardPixmap(id)).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16)) << std::hex << id;
        EXPECT_GT(countPixels(image, [](QColor c) { return c.alpha() > 200; }), 20) << std::hex << id;
        EXPECT_FALSE(VxStyle::icon(id).pixmap(32, 32).isNull());
        for (const QImage& earlier : images)
            EXPECT_NE(image, earlier) << std::hex << id;
        images.append(image);
    }
    EXPECT_TRUE(VxStyle::icon(QStyle::SP_CustomBase + 0x10).isNull());
    EXPECT_TRUE(VxStyle::icon(QStyle::SP_DirIcon).isNull());
}

TEST(StyleTest, TheAccentButtonIsBlueWithLightBoldText)
{
    VxStyledButton create(QStringLiteral("Create"));
    create.setCustomPrimitive(VxStyle::PE_AccentButton);
    create.setCustomTextStyle(VxStyle::TextStyleAccent);
    QPushButton plain(QStringLiteral("Create"));
    EXPECT_GE(create.sizeHint().width(), plain.sizeHint().width());

    const auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 100; };
    const auto light = [](QColor c) { return c.lightness() > 230; };
    const QImage accent = create.grab().toImage();
    EXPECT_GT(countPixels(accent, blue), accent.width() * accent.height() / 2);
    EXPECT_GT(countPixels(accent, light), 10);
    EXPECT_EQ(countPixels(plain.grab().toImage(), blue), 0);

    create.setEnabled(false);
    EXPECT_EQ(countPixels(create.grab().toImage(), blue), 0);
}

} // namespace
