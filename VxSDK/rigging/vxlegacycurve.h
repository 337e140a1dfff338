#pragma once

#include "vxlegacyjointparam.h"

// Curving of a whole bone's skin. Its axis uses the curve values 5 (X), 4 (Y), 3 (Z).
class VXSDK_EXPORT VxLegacyCurve : public VxLegacyJointParam
{
    Q_OBJECT
public:
    enum CurveAxis { CurveZ = 3, CurveY = 4, CurveX = 5 };

    VxLegacyCurve(VxNode* driver, int axis, QObject* parent = nullptr);
    ~VxLegacyCurve() override;

    int type() const override { return CurveType; }
};
