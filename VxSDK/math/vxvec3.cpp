#include "vxvec3.h"

#include <cmath>

float VxVec3::length() const
{
    return std::sqrt(dot(*this));
}
