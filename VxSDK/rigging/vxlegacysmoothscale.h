#pragma once

#include "vxlegacyjointparam.h"

// Smooth scaling along an axis with a ramp of four coordinates: no effect before the first,
// rising to full effect at the second, full until the third, falling to none at the fourth.
class VXSDK_EXPORT VxLegacySmoothScale : public VxLegacyJointParam
{
    Q_OBJECT
public:
    VxLegacySmoothScale(VxNode* driver, int axis, float v0, float v1, float v2, float v3,
                        QObject* parent = nullptr);
    ~VxLegacySmoothScale() override;

    int type() const override { return SmoothScaleType; }
    QVector<float> getValues() const override { return {m_v[0], m_v[1], m_v[2], m_v[3]}; }

protected:
    float axisFactor(const VxVec3& position) const override;

private:
    float m_v[4];
};
