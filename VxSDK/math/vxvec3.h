#pragma once

#include "vxsdkglobal.h"

// A 3D vector or point in single precision, the precision the host stores geometry in.
class VXSDK_EXPORT VxVec3
{
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    VxVec3() = default;
    VxVec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    // Axis access: 0 = X, 1 = Y, 2 = Z.
    float& operator[](int axis) { return axis == 0 ? x : (axis == 1 ? y : z); }
    float operator[](int axis) const { return axis == 0 ? x : (axis == 1 ? y : z); }

    VxVec3 operator+(const VxVec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    VxVec3 operator-(const VxVec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    VxVec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    VxVec3 operator/(float s) const { return {x / s, y / s, z / s}; }
    VxVec3& operator+=(const VxVec3& o) { x += o.x; y += o.y; z += o.z; return *this; }
    VxVec3& operator-=(const VxVec3& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    bool operator==(const VxVec3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const VxVec3& o) const { return !(*this == o); }

    float dot(const VxVec3& o) const { return x * o.x + y * o.y + z * o.z; }
    float length() const;
};
