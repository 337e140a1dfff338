#pragma once

#include "vxvec3.h"

// A 4x4 affine transform acting on column vectors (points get w = 1); default-constructed
// as the identity. scale() and translate() apply after what the matrix already does, so
// "a unit matrix scaled by s, then translated by t" maps p to s*p + t.
class VXSDK_EXPORT VxMatrix4
{
public:
    VxMatrix4();

    float operator()(int row, int column) const { return m[row][column]; }
    float& operator()(int row, int column) { return m[row][column]; }

    void makeIdentity();
    bool isIdentity() const;
    void scale(const VxVec3& factors);
    void translate(const VxVec3& offset);
    VxVec3 multVec(const VxVec3& point) const;
    VxMatrix4 operator*(const VxMatrix4& o) const;
    bool operator==(const VxMatrix4& o) const;
    bool operator!=(const VxMatrix4& o) const { return !(*this == o); }

private:
    float m[4][4];
};
