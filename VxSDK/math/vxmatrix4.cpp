#include "vxmatrix4.h"

VxMatrix4::VxMatrix4()
{
    makeIdentity();
}

void VxMatrix4::makeIdentity()
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] = r == c ? 1.0f : 0.0f;
}

bool VxMatrix4::isIdentity() const
{
    return *this == VxMatrix4();
}

void VxMatrix4::scale(const VxVec3& f)
{
    // Left-multiplying by a scale matrix scales the rows.
    for (int c = 0; c < 4; ++c) {
        m[0][c] *= f.x;
        m[1][c] *= f.y;
        m[2][c] *= f.z;
    }
}

void VxMatrix4::translate(const VxVec3& t)
{
    // Left-multiplying by a translation adds t times the bottom row to each row.
    for (int c = 0; c < 4; ++c) {
        m[0][c] += t.x * m[3][c];
        m[1][c] += t.y * m[3][c];
        m[2][c] += t.z * m[3][c];
    }
}

VxVec3 VxMatrix4::multVec(const VxVec3& p) const
{
    const float x = m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3];
    const float y = m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3];
    const float z = m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3];
    const float w = m[3][0] * p.x + m[3][1] * p.y + m[3][2] * p.z + m[3][3];
    if (w != 1.0f && w != 0.0f)
        return {x / w, y / w, z / w};
    return {x, y, z};
}

VxMatrix4 VxMatrix4::operator*(const VxMatrix4& o) const
{
    VxMatrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += m[i][k] * o.m[k][j];
            r.m[i][j] = sum;
        }
    return r;
}

bool VxMatrix4::operator==(const VxMatrix4& o) const
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (m[r][c] != o.m[r][c])
                return false;
    return true;
}
