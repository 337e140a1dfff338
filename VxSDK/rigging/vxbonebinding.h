#pragma once

#include "vxelement.h"
#include "vxnode.h"

#include <QPointer>

class VxBulgeBinding;
class VxSkinBinding;
class VxWeightMap;

// How one bone moves the skin of a single-skin figure: a local weight map per rotation axis
// (how much each vertex follows the bone's rotation about that axis), an optional scale
// map and an optional bulge binding per axis. It holds a reference on each map and owns its
// bulge bindings. Axes are 0 = X, 1 = Y, 2 = Z; other axes are ignored.
class VXSDK_EXPORT VxBoneBinding : public VxElement
{
    Q_OBJECT
public:
    explicit VxBoneBinding(QObject* parent = nullptr);
    ~VxBoneBinding() override;

    VxNode* getBone() const { return m_bone; }
    void setBone(VxNode* bone) { m_bone = bone; }
    VxSkinBinding* getSkinBinding() const;

    VxWeightMap* getLocalWeights(int axis) const;
    void setLocalWeights(int axis, VxWeightMap* map);
    VxWeightMap* getScaleWeights() const { return m_scale; }
    void setScaleWeights(VxWeightMap* map);
    VxBulgeBinding* getBulgeBinding(int axis) const;
    // Takes ownership; the previous binding of the axis is deleted.
    void setBulgeBinding(int axis, VxBulgeBinding* binding);

private:
    QPointer<VxNode> m_bone;
    VxWeightMap* m_local[3] = {nullptr, nullptr, nullptr};
    VxWeightMap* m_scale = nullptr;
    VxBulgeBinding* m_bulge[3] = {nullptr, nullptr, nullptr};
};
