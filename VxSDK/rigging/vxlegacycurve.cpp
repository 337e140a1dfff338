#include "vxlegacycurve.h"

VxLegacyCurve::VxLegacyCurve(VxNode* driver, int axis, QObject* parent)
    : VxLegacyJointParam(driver, axis, parent)
{
}

VxLegacyCurve::~VxLegacyCurve() = default;
