#pragma once

#include "vxlegacyjointparam.h"

// Bending of the skin about one axis, within the zone of its matrices and angles.
class VXSDK_EXPORT VxLegacyBendParam : public VxLegacyJointParam
{
    Q_OBJECT
public:
    VxLegacyBendParam(VxNode* driver, int axis, QObject* parent = nullptr);
    ~VxLegacyBendParam() override;

    int type() const override { return BendType; }
};
