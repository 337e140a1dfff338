#include "vxlegacysmoothscale.h"

VxLegacySmoothScale::VxLegacySmoothScale(VxNode* driver, int axis, float v0, float v1, float v2,
                                         float v3, QObject* parent)
    : VxLegacyJointParam(driver, axis, parent), m_v{v0, v1, v2, v3}
{
}

VxLegacySmoothScale::~VxLegacySmoothScale() = default;

float VxLegacySmoothScale::axisFactor(const VxVec3& position) const
{
    if (getAxis() < 0 || getAxis() > 2)
        return 1.0f;
    const float x = position[getAxis()];
    if (x <= m_v[0] || x >= m_v[3])
        return 0.0f;
    if (x < m_v[1])
        return m_v[1] > m_v[0] ? (x - m_v[0]) / (m_v[1] - m_v[0]) : 1.0f;
    if (x > m_v[2])
        return m_v[3] > m_v[2] ? (m_v[3] - x) / (m_v[3] - m_v[2]) : 1.0f;
    return 1.0f;
}
