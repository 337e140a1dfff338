#pragma once

#include "vxsdkglobal.h"
#include "vxvec3.h"

// A 3x4 affine map in double precision, acting on column vectors: p' = A p + t, stored row
// by row as m[row][column] with the translation in column 3. Pose maths composes long bone
// chains, so it stays in double; the skinning loops take a float copy (toFloat).
//
// Rotations are right-handed: a positive angle about an axis turns counter-clockwise when
// looking from the positive end of the axis towards the origin.
class VXSDK_EXPORT VxAffine3
{
public:
    VxAffine3(); // the identity

    static VxAffine3 zero();
    static VxAffine3 translation(const VxVec3& offset);
    // Rotation by `radians` about coordinate axis `axis` (0 = X, 1 = Y, 2 = Z) through the
    // origin; the identity for any other axis.
    static VxAffine3 rotation(int axis, double radians);
    // The same rotation about a line parallel to the axis through `pivot`.
    static VxAffine3 rotationAbout(int axis, double radians, const VxVec3& pivot);

    double operator()(int row, int column) const { return m[row][column]; }
    double& operator()(int row, int column) { return m[row][column]; }

    // Composition: (a * b) p = a (b p).
    VxAffine3 operator*(const VxAffine3& o) const;
    // Entry-wise sums and differences; a difference of two maps is no longer a motion but
    // the change between them, which linear blending adds up.
    VxAffine3 operator+(const VxAffine3& o) const;
    VxAffine3 operator-(const VxAffine3& o) const;
    VxAffine3& operator+=(const VxAffine3& o);
    VxAffine3 operator*(double s) const;

    VxVec3 apply(const VxVec3& p) const;
    bool isZero() const;
    // Row-major 12 floats, for the hot loops.
    void toFloat(float out[12]) const;

private:
    double m[3][4];
};
