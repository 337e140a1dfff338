#pragma once

#include "vxbox3.h"

#include <QVector3D>

#include <vector>

class VxFacetMesh;
class VxFacetShape;
class VxNode;
class VxScene;

// A node that shows a facet mesh: its current shape is a facet shape with a mesh (a prop,
// a figure's skin, a legacy figure's bone geometry).
struct VxViewportMeshItem
{
    VxNode* node = nullptr;
    VxFacetShape* shape = nullptr;
    // What is drawn: the object's evaluated geometry (a figure's posed skin).
    VxFacetMesh* mesh = nullptr;
    // The node's translation controls with its ancestors'.
    QVector3D offset;
    bool selected = false;
    // Per face group: shown as selected, since a selected bone owns it through the
    // figure's selection map. Empty when no group is.
    std::vector<char> selectedGroups;

    // Whether any of it is shown as selected.
    bool isSelected() const;
};

// A bone drawn from its origin to its end point, both posed.
struct VxViewportBoneItem
{
    VxNode* node = nullptr;
    QVector3D origin;
    QVector3D end;
    bool selected = false;
};

// What a frame draws, read from the scene in one pass: cheap enough for every frame, so the
// viewport never holds a copy of the scene that could go stale.
class VxViewportDrawList
{
public:
    static VxViewportDrawList collect(const VxScene& scene);

    const std::vector<VxViewportMeshItem>& meshes() const { return m_meshes; }
    const std::vector<VxViewportBoneItem>& bones() const { return m_bones; }
    // The box of every mesh (at its offset) and bone; empty for an empty scene.
    VxBox3 bounds() const;

    // The node a pick of face group `group` on `item` selects: the bone the figure's
    // selection map pairs with that group, else the mesh's own node.
    static VxNode* nodeForGroup(const VxViewportMeshItem& item, int group);

private:
    void markSelectedBoneGroups(const VxScene& scene);

    std::vector<VxViewportMeshItem> m_meshes;
    std::vector<VxViewportBoneItem> m_bones;
};
