#include "vxviewportcamera.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {
constexpr float kDefaultYaw = 25.0f;
constexpr float kDefaultPitch = 12.0f;
constexpr float kMaxPitch = 89.0f;
constexpr float kZoomFactorPerStep = 0.85f;
constexpr float kMinDistance = 1e-4f;
constexpr float kMaxDistance = 1e7f;
// Room around a framed box, so its silhouette does not touch the view's border.
constexpr float kFrameMargin = 1.1f;
} // namespace

VxViewportCamera::VxViewportCamera()
{
    reset();
}

void VxViewportCamera::reset()
{
    m_target = QVector3D(0.0f, 0.5f, 0.0f);
    m_distance = 4.0f;
    m_yaw = kDefaultYaw;
    m_pitch = kDefaultPitch;
}

QVector3D VxViewportCamera::getEyePosition() const
{
    const float yaw = qDegreesToRadians(m_yaw);
    const float pitch = qDegreesToRadians(m_pitch);
    const QVector3D direction(std::cos(pitch) * std::sin(yaw), std::sin(pitch), std::cos(pitch) * std::cos(yaw));
    return m_target + direction * m_distance;
}

void VxViewportCamera::orbit(float yawDegrees, float pitchDegrees)
{
    m_yaw = std::fmod(m_yaw + yawDegrees, 360.0f);
    m_pitch = std::clamp(m_pitch + pitchDegrees, -kMaxPitch, kMaxPitch);
}

void VxViewportCamera::pan(float dx, float dy, int viewHeight)
{
    if (viewHeight <= 0)
        return;
    // World units per pixel at the target's depth.
    const float unitsPerPixel = 2.0f * m_distance * std::tan(qDegreesToRadians(m_fov) * 0.5f) / float(viewHeight);
    const QMatrix4x4 view = viewMatrix();
    const QVector3D right(view(0, 0), view(0, 1), view(0, 2));
    const QVector3D up(view(1, 0), view(1, 1), view(1, 2));
    m_target += (-dx * right + dy * up) * unitsPerPixel;
}

void VxViewportCamera::zoom(float steps)
{
    m_distance = std::clamp(m_distance * std::pow(kZoomFactorPerStep, steps), kMinDistance, kMaxDistance);
}

void VxViewportCamera::frame(const VxBox3& box, const QSize& viewSize)
{
    // A point at infinity (a script can place a node there) would take the view with it.
    const auto finite = [](const VxVec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); };
    if (box.isEmpty() || !finite(box.getMin()) || !finite(box.getMax())) {
        const float yaw = m_yaw, pitch = m_pitch;
        reset();
        m_yaw = yaw;
        m_pitch = pitch;
        return;
    }
    const VxVec3 center = box.getCenter();
    m_target = QVector3D(center.x, center.y, center.z);
    // Every corner of the box must fall inside both fields of view: the distance each
    // corner needs is its depth towards the eye plus what its sideways offset asks for.
    const float aspect = viewSize.height() > 0 ? float(viewSize.width()) / float(viewSize.height()) : 1.0f;
    const float tanY = std::tan(qDegreesToRadians(m_fov) * 0.5f) / kFrameMargin;
    const float tanX = tanY * aspect;
    const QMatrix4x4 view = viewMatrix();
    const QVector3D right(view(0, 0), view(0, 1), view(0, 2));
    const QVector3D up(view(1, 0), view(1, 1), view(1, 2));
    const QVector3D back(view(2, 0), view(2, 1), view(2, 2));
    const VxVec3 half = box.getSize() * 0.5f;
    float distance = kMinDistance;
    for (int corner = 0; corner < 8; ++corner) {
        const QVector3D offset(corner & 1 ? half.x : -half.x, corner & 2 ? half.y : -half.y, corner & 4 ? half.z : -half.z);
        const float depth = QVector3D::dotProduct(offset, back);
        distance = std::max({distance, depth + std::abs(QVector3D::dotProduct(offset, right)) / tanX,
                             depth + std::abs(QVector3D::dotProduct(offset, up)) / tanY});
    }
    m_distance = std::min(distance, kMaxDistance);
}

QMatrix4x4 VxViewportCamera::viewMatrix() const
{
    QMatrix4x4 view;
    view.lookAt(getEyePosition(), m_target, QVector3D(0.0f, 1.0f, 0.0f));
    return view;
}

QMatrix4x4 VxViewportCamera::projectionMatrix(const QSize& viewSize, float sceneRadius) const
{
    const float aspect = viewSize.height() > 0 ? float(viewSize.width()) / float(viewSize.height()) : 1.0f;
    const float reach = std::max(sceneRadius, m_distance * 0.5f);
    const float farPlane = m_distance + 4.0f * reach;
    const float nearPlane = std::max(farPlane * 1e-4f, m_distance * 0.02f);
    QMatrix4x4 projection;
    projection.perspective(m_fov, aspect, nearPlane, farPlane);
    return projection;
}
