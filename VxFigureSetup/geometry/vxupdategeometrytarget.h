#pragma once

#include <QPointer>

class VxFacetMesh;
class VxNode;
class VxObject;
class VxShape;

// The scene pieces an update works on: the selected node (a bone stands for its figure when
// it shows no shape of its own), its object, the shape it shows and that shape's facet mesh.
class VxUpdateGeometryTarget
{
public:
    // False when any of the four is missing: the selection has no geometry to update.
    static bool fromSelection(VxNode* selection, VxUpdateGeometryTarget* target);
    // False once the node, its object or the shape is gone: a dialog or a pending event
    // may have deleted them while the update waited. The mesh is the caller's to keep alive.
    bool isAlive() const;

    QPointer<VxNode> node;
    QPointer<VxObject> object;
    QPointer<VxShape> shape;
    VxFacetMesh* mesh = nullptr;
};
