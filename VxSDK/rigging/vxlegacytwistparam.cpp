#include "vxlegacytwistparam.h"

#include <algorithm>

VxLegacyTwistParam::VxLegacyTwistParam(VxNode* driver, int axis, float start, float end, QObject* parent)
    : VxLegacyJointParam(driver, axis, parent), m_start(start), m_end(end)
{
}

VxLegacyTwistParam::~VxLegacyTwistParam() = default;

void VxLegacyTwistParam::setRange(float start, float end)
{
    m_start = start;
    m_end = end;
    invalidateWeights();
    emit paramChanged();
}

float VxLegacyTwistParam::axisFactor(const VxVec3& position) const
{
    if (getAxis() < 0 || getAxis() > 2 || m_start == m_end)
        return 1.0f;
    const float t = (position[getAxis()] - m_start) / (m_end - m_start);
    return std::clamp(t, 0.0f, 1.0f);
}
