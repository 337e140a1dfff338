#include "vxaffine3.h"

#include <cmath>

VxAffine3::VxAffine3()
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] = r == c ? 1.0 : 0.0;
}

VxAffine3 VxAffine3::zero()
{
    VxAffine3 a;
    for (auto& row : a.m)
        for (double& v : row)
            v = 0.0;
    return a;
}

VxAffine3 VxAffine3::translation(const VxVec3& offset)
{
    VxAffine3 a;
    a.m[0][3] = offset.x;
    a.m[1][3] = offset.y;
    a.m[2][3] = offset.z;
    return a;
}

VxAffine3 VxAffine3::rotation(int axis, double radians)
{
    VxAffine3 a;
    if (axis < 0 || axis > 2 || radians == 0.0)
        return a; // an exact identity keeps the rest pose bit for bit
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    // The two axes after `axis` in cyclic order span the plane it turns.
    const int u = (axis + 1) % 3;
    const int v = (axis + 2) % 3;
    a.m[u][u] = c;
    a.m[u][v] = -s;
    a.m[v][u] = s;
    a.m[v][v] = c;
    return a;
}

VxAffine3 VxAffine3::rotationAbout(int axis, double radians, const VxVec3& pivot)
{
    return translation(pivot) * rotation(axis, radians) * translation(VxVec3(-pivot.x, -pivot.y, -pivot.z));
}

VxAffine3 VxAffine3::operator*(const VxAffine3& o) const
{
    VxAffine3 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            double sum = j == 3 ? m[i][3] : 0.0;
            for (int k = 0; k < 3; ++k)
                sum += m[i][k] * o.m[k][j];
            r.m[i][j] = sum;
        }
    }
    return r;
}

VxAffine3 VxAffine3::operator+(const VxAffine3& o) const
{
    VxAffine3 r = *this;
    r += o;
    return r;
}

VxAffine3 VxAffine3::operator-(const VxAffine3& o) const
{
    VxAffine3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m[i][j] - o.m[i][j];
    return r;
}

VxAffine3& VxAffine3::operator+=(const VxAffine3& o)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            m[i][j] += o.m[i][j];
    return *this;
}

VxAffine3 VxAffine3::operator*(double s) const
{
    VxAffine3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m[i][j] * s;
    return r;
}

VxVec3 VxAffine3::apply(const VxVec3& p) const
{
    return VxVec3(float(m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3]),
                  float(m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3]),
                  float(m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]));
}

bool VxAffine3::isZero() const
{
    for (const auto& row : m)
        for (double v : row)
            if (v != 0.0)
                return false;
    return true;
}

void VxAffine3::toFloat(float out[12]) const
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            out[i * 4 + j] = float(m[i][j]);
}
