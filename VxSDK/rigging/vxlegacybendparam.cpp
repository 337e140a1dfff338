#include "vxlegacybendparam.h"

VxLegacyBendParam::VxLegacyBendParam(VxNode* driver, int axis, QObject* parent)
    : VxLegacyJointParam(driver, axis, parent)
{
}

VxLegacyBendParam::~VxLegacyBendParam() = default;
