#pragma once

#include "vxlegacyjointparam.h"

// Twisting of the skin along the twist axis: no twist at the start coordinate, full twist
// at the end coordinate, linear between.
class VXSDK_EXPORT VxLegacyTwistParam : public VxLegacyJointParam
{
    Q_OBJECT
public:
    VxLegacyTwistParam(VxNode* driver, int axis, float start, float end, QObject* parent = nullptr);
    ~VxLegacyTwistParam() override;

    int type() const override { return TwistType; }
    QVector<float> getValues() const override { return {m_start, m_end}; }
    float getStart() const { return m_start; }
    float getEnd() const { return m_end; }
    void setRange(float start, float end);

protected:
    float axisFactor(const VxVec3& position) const override;

private:
    float m_start;
    float m_end;
};
