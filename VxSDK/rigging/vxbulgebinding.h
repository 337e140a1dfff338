#pragma once

#include "vxelement.h"

class VxWeightMap;

// Bulging of the skin around one rotation axis of a bone: a right and a left weight map
// saying how much each vertex swells when the joint turns one way or the other. It holds a
// reference on each map.
class VXSDK_EXPORT VxBulgeBinding : public VxElement
{
    Q_OBJECT
public:
    explicit VxBulgeBinding(QObject* parent = nullptr);
    ~VxBulgeBinding() override;

    // 0 = X, 1 = Y, 2 = Z; -1 until set.
    int getAxis() const { return m_axis; }
    void setAxis(int axis) { m_axis = axis; }

    VxWeightMap* getRightWeights() const { return m_right; }
    void setRightWeights(VxWeightMap* map);
    VxWeightMap* getLeftWeights() const { return m_left; }
    void setLeftWeights(VxWeightMap* map);

private:
    int m_axis = -1;
    VxWeightMap* m_right = nullptr;
    VxWeightMap* m_left = nullptr;
};
