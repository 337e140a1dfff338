#pragma once

#include "vxbox3.h"

#include <QMatrix4x4>
#include <QSize>
#include <QVector3D>

// An orbit camera: it looks at a target point from a distance, turned by a yaw about the
// world's up axis (+Y) and a pitch above the ground plane. Orbiting, panning and zooming
// move it around the target; framing fits a box into the view. It knows nothing of widgets
// or OpenGL, only of the view size in pixels that its projection needs.
class VxViewportCamera
{
public:
    VxViewportCamera();

    // The default view: from the front (+Z), a little to the right and above.
    void reset();

    QVector3D getTarget() const { return m_target; }
    float getDistance() const { return m_distance; }
    float getYaw() const { return m_yaw; }
    float getPitch() const { return m_pitch; }
    float getVerticalFov() const { return m_fov; }
    QVector3D getEyePosition() const;

    // Turns the view by the given angles in degrees; the pitch stays short of straight up
    // or down, where the up axis would be undefined.
    void orbit(float yawDegrees, float pitchDegrees);
    // Moves target and eye together by a drag of (dx, dy) pixels in a view `viewHeight`
    // pixels high, so that the point under the cursor follows it at the target's depth.
    void pan(float dx, float dy, int viewHeight);
    // Positive steps move closer, each step by a fixed fraction of the distance.
    void zoom(float steps);
    // Looks at the box's centre from the current direction, as near as the whole box
    // allows in a view of `viewSize`, with a small margin. An empty box gives the default view of a unit scene.
    void frame(const VxBox3& box, const QSize& viewSize);

    QMatrix4x4 viewMatrix() const;
    // Near and far planes follow the distance and the scene's size, so depth precision
    // suits a figure two units tall as well as a sheet ten units wide.
    QMatrix4x4 projectionMatrix(const QSize& viewSize, float sceneRadius) const;

private:
    QVector3D m_target;
    float m_distance = 5.0f;
    float m_yaw = 0.0f;
    float m_pitch = 0.0f;
    float m_fov = 35.0f;
};
