#pragma once

#include "vxnode.h"

#include <QHash>

#include <memory>
#include <vector>

class VxBone;
class VxSelectionMap;

// The root node of a figure: the bones below it, the selection map pairing skin face
// groups with bones, and the vertex maps derived from them.
class VXSDK_EXPORT VxSkeleton : public VxNode
{
    Q_OBJECT
public:
    explicit VxSkeleton(QObject* parent = nullptr);
    ~VxSkeleton() override;

    VxSkeleton* getSkeleton() const override { return const_cast<VxSkeleton*>(this); }

    // Bones below this skeleton (not those of a skeleton nested under it), in pre-order.
    QList<VxBone*> getAllBones() const;
    // The first bone in pre-order with exactly that name, or null.
    VxBone* findBone(const QString& name) const;

    VxSelectionMap* getSelectionMap() const { return m_selectionMap.get(); }
    // Takes ownership; the previous map is deleted.
    void setSelectionMap(VxSelectionMap* map);

    // The skin vertices of the facets whose face groups the selection map pairs with
    // `node`, ascending. Built for every node at once on first use and cached until
    // clearVertexMaps() (which builders call after changing pairs or the skin).
    const std::vector<int>& getVertexMap(const VxNode* node) const;
    void clearVertexMaps();
    bool hasVertexMaps() const { return m_vertexMapsBuilt; }

    // Drops everything the skeleton's rigging holds about `bone` (selection pairs, and in
    // subclasses bindings, joints, welds, ...). The scene calls it before a bone leaves.
    virtual void forgetBone(VxNode* bone);

private:
    void buildVertexMaps() const;

    std::unique_ptr<VxSelectionMap> m_selectionMap;
    mutable bool m_vertexMapsBuilt = false;
    mutable QHash<const VxNode*, std::vector<int>> m_vertexMaps;
};
