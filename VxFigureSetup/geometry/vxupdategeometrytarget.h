#pragma once

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

    VxNode* node = nullptr;
    VxObject* object = nullptr;
    VxShape* shape = nullptr;
    VxFacetMesh* mesh = nullptr;
};
