#include "vxmatrix3.h"

VxMatrix3::VxMatrix3()
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m[r][c] = r == c ? 1.0f : 0.0f;
}

bool VxMatrix3::isIdentity() const
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (m[r][c] != (r == c ? 1.0f : 0.0f))
                return false;
    return true;
}

VxVec3 VxMatrix3::multVec(const VxVec3& v) const
{
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

VxMatrix3 VxMatrix3::operator*(const VxMatrix3& o) const
{
    VxMatrix3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
    return r;
}
