#pragma once

#include "vxsdkglobal.h"

#include <QIcon>
#include <QList>
#include <QProxyStyle>

// The host's style, installed as the application style by the host (and by the test mains):
// the platform's Fusion style plus the host's own metrics, primitives, text styles and
// pixmaps, reached through the QStyle custom ranges so that plug-ins ask for them with
// plain QStyle calls.
class VXSDK_EXPORT VxStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Pixel metrics (QStyle::pixelMetric).
    static constexpr PixelMetric PM_LayoutSpacing = PM_CustomBase;  // margins and spacing in panes and dialogs
    static constexpr PixelMetric PM_ControlHeight = PixelMetric(PM_CustomBase + 1);  // combo boxes and buttons, from the font

    // Primitives (QStyle::drawPrimitive); VxStyledButton::setCustomPrimitive takes them.
    static constexpr PrimitiveElement PE_AccentButton = PrimitiveElement(PE_CustomBase + 18);  // the main action of a pane

    // Text styles (VxStyledButton::setCustomTextStyle).
    static constexpr uint TextStyleAccent = 0xF000001A;  // bold light text on PE_AccentButton

    // Custom standard pixmaps (QStyle::standardPixmap, VxStyle::icon), 16 by 16.
    enum CustomPixmap : uint {
        PixmapSingleSkinFigure = SP_CustomBase + 0x34,
        PixmapParametricFigure = SP_CustomBase + 0x35,
        PixmapBone = SP_CustomBase + 0x36,
        PixmapBonesContainer = SP_CustomBase + 0x56,
        PixmapGeometry = SP_CustomBase + 0x57,
        PixmapFaceGroup = SP_CustomBase + 0x58,
        PixmapGeometryContainer = SP_CustomBase + 0x59,
        PixmapEmptyRegion = SP_CustomBase + 0x5c,  // a region without facets; the regions container
        PixmapRegion = SP_CustomBase + 0x5d,
    };

    VxStyle();
    ~VxStyle() override;

    // The custom pixmap `id` as an icon (16 and 32 pixels); a null icon for other ids.
    static QIcon icon(uint id);
    static QList<uint> customPixmapIds();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    QPixmap standardPixmap(StandardPixmap pixmap, const QStyleOption* option = nullptr,
                           const QWidget* widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    int controlHeight(const QStyleOption* option, const QWidget* widget) const;
    void drawAccentButton(const QStyleOption* option, QPainter* painter) const;
};
