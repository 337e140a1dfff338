#pragma once

#include "vxvec3.h"

// A 3x3 matrix acting on column vectors; default-constructed as the identity.
class VXSDK_EXPORT VxMatrix3
{
public:
    VxMatrix3();

    float operator()(int row, int column) const { return m[row][column]; }
    float& operator()(int row, int column) { return m[row][column]; }

    bool isIdentity() const;
    VxVec3 multVec(const VxVec3& v) const;
    VxMatrix3 operator*(const VxMatrix3& o) const;

    static VxMatrix3 identity() { return VxMatrix3(); }

private:
    float m[3][3];
};
