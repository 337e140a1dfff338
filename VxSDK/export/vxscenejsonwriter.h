#pragma once

#include "vxjsonwriter.h"

class VxBoneBinding;
class VxElement;
class VxGeometryRegion;
class VxLegacyFigure;
class VxLegacyJoint;
class VxLegacyJointParam;
class VxModifier;
class VxNode;
class VxObject;
class VxScene;
class VxShape;
class VxSkeleton;
class VxWeightMap;

// Writes a whole scene as JSON. The layout, key order included, is fixed:
//
//   { "format": "vxscene", "version": 1, "primarySelection": name|null,
//     "selection": [names], "nodes": [top-level nodes] }
//
// A node: "type" (class name), "name", "label", "parent" (name|null), "origin",
// "endPoint", "defaultOrigin", "defaultEndPoint" ([x, y, z]), "rotationOrder" ("XYZ"...),
// "controls" (xRotate, yRotate, zRotate, xTranslate, yTranslate, zTranslate, each
// {"name", "label", "hidden", "value"}), then for bones "inheritScale", then
// "presentation" {"type", "label"}, "dataItems", "object" (null or {"currentShape",
// "shapes", "modifiers"}), for skeletons "selectionMap" ([{"group", "node"}] or null), for
// single-skin figures "skinBinding" {"boneBindings"}, for legacy figures "welds",
// "alternateGeometries" and "ikSystem", and last "children" (nested nodes).
//
// Weight maps are {"name", "size", "nonZero"}; joint parameters are {"class", "type",
// "name", "axis", "driver", "values", "angles", "applyAngles", "innerMatrix",
// "outerMatrix", "flipped"} with matrices as 16 floats row by row (null when unset).
// Nodes are referred to by name. Floats read back as the same 32-bit floats.
class VXSDK_EXPORT VxSceneJsonWriter
{
public:
    QByteArray write(const VxScene& scene);

    // The scene as JSON; VxScene::toJson() answers with it.
    static QByteArray toJson(const VxScene& scene);

private:
    void writeNode(const VxNode* node);
    void writeControls(const VxNode* node);
    void writeDataItems(const VxElement* element);
    void writeObject(const VxObject* object);
    void writeShape(const VxShape* shape);
    void writeRegion(const VxGeometryRegion* region);
    void writeModifier(const VxModifier* modifier);
    void writeJoint(const VxLegacyJoint* joint);
    void writeJointParam(const VxLegacyJointParam* param);
    void writeSkeletonParts(const VxSkeleton* skeleton);
    void writeBoneBinding(const VxBoneBinding* binding);
    void writeLegacyFigureParts(const VxLegacyFigure* figure);
    void writeWeightMap(const VxWeightMap* map);
    void writeVec3(const char* key, float x, float y, float z);
    void nodeRef(const char* key, const VxNode* node);

    VxJsonWriter m_json;
};
