#pragma once

#include "vxscenetest.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QVector3D>

#include <memory>

class QWidget;
class VxNode;
class VxViewport;

// A scene and a viewport of 320 x 240 shown in a window of its own on the test display.
class VxViewportTest : public VxSceneTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Asks for a frame and waits until it is drawn; false when none came.
    bool renderFrame();
    // The viewport's current image, drawn anew.
    QImage image();
    // Where a world point appears in the viewport (widget coordinates).
    QPoint project(const QVector3D& world) const;
    // Writes `image` to $VX_GL_SHOT_DIR/<name>.png when that is set, to look at.
    static void keepImage(const QImage& image, const QString& name);

    std::unique_ptr<QWidget> m_window;
    VxViewport* m_viewport = nullptr;
};

// A prop node added to the scene: a box mesh between `min` and `max` in one material of
// `color`.
VxNode* vxAddBoxProp(const QString& name, const VxVec3& min, const VxVec3& max, const QColor& color);

// True when the pixel is clearly of `color`'s hue: each channel's share of the pixel's
// brightness within `tolerance` of the colour's, and not dark.
bool vxLooksLike(QRgb pixel, const QColor& color, double tolerance = 0.08);
