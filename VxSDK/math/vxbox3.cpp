#include "vxbox3.h"

#include <algorithm>

void VxBox3::extendBy(const VxVec3& p)
{
    if (m_empty) {
        m_min = m_max = p;
        m_empty = false;
        return;
    }
    m_min = {std::min(m_min.x, p.x), std::min(m_min.y, p.y), std::min(m_min.z, p.z)};
    m_max = {std::max(m_max.x, p.x), std::max(m_max.y, p.y), std::max(m_max.z, p.z)};
}

void VxBox3::extendBy(const VxBox3& box)
{
    if (box.isEmpty())
        return;
    extendBy(box.getMin());
    extendBy(box.getMax());
}

bool VxBox3::operator==(const VxBox3& o) const
{
    if (m_empty || o.m_empty)
        return m_empty == o.m_empty;
    return m_min == o.m_min && m_max == o.m_max;
}
