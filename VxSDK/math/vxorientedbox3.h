#pragma once

#include "vxbox3.h"
#include "vxmatrix4.h"

// A box in its own frame plus the transform that places that frame in the world.
class VXSDK_EXPORT VxOrientedBox3
{
public:
    VxOrientedBox3() = default;
    VxOrientedBox3(const VxBox3& box, const VxMatrix4& transform) : m_box(box), m_transform(transform) {}

    const VxBox3& getBox() const { return m_box; }
    const VxMatrix4& getTransform() const { return m_transform; }
    void setBox(const VxBox3& box) { m_box = box; }
    void setTransform(const VxMatrix4& transform) { m_transform = transform; }

private:
    VxBox3 m_box;
    VxMatrix4 m_transform;
};
