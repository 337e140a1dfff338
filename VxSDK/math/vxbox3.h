#pragma once

#include "vxvec3.h"

// An axis-aligned box. A default box is empty: extending it by a point makes it that point.
class VXSDK_EXPORT VxBox3
{
public:
    VxBox3() = default;
    VxBox3(const VxVec3& min, const VxVec3& max) : m_min(min), m_max(max), m_empty(false) {}

    bool isEmpty() const { return m_empty; }
    void makeEmpty() { m_empty = true; m_min = m_max = VxVec3(); }
    void extendBy(const VxVec3& point);
    void extendBy(const VxBox3& box);

    const VxVec3& getMin() const { return m_min; }
    const VxVec3& getMax() const { return m_max; }
    VxVec3 getCenter() const { return (m_min + m_max) * 0.5f; }
    VxVec3 getSize() const { return m_max - m_min; }

    bool operator==(const VxBox3& o) const;
    bool operator!=(const VxBox3& o) const { return !(*this == o); }

private:
    VxVec3 m_min;
    VxVec3 m_max;
    bool m_empty = true;
};
