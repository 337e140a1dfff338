#pragma once

#include <QString>

class VxFacetShape;
class VxFigure;
class VxFSGeomItem;
class VxFSHierarchy;
class VxFSHierarchyItem;
class VxLegacyFigure;
class VxNode;
class VxSkeleton;

// Fills a hierarchy document from a figure in the scene: name and label, base geometry,
// the bone tree with rotation orders, channel labels, face groups and the choices that
// would rebuild its joint parameters or weight maps, alternate geometries, welds, IK chains
// and regions. The document records the figure's name and each bone's scene name, so that
// an edited copy can be applied back to the figure it came from.
//
// The document should already hold the geometry loaded in the pane: geometry the figure
// names is looked up there first and loaded only when missing.
class VxFSFigureCopier
{
public:
    static void copyFromParametricFigure(VxFSHierarchy* document, VxLegacyFigure* figure);
    static void copyFromSkinFigure(VxFSHierarchy* document, VxFigure* figure);
    // One document bone per bone child of `node`, below `parent` (a root bone when null),
    // depth first.
    static void copyBones(VxFSHierarchy* document, VxNode* node, VxFSHierarchyItem* parent, VxSkeleton* figure);

private:
    static void copyFigureBaseGeometry(VxFSHierarchy* document, VxLegacyFigure* figure);
    static void copySkinGeometry(VxFSHierarchy* document, VxFigure* figure);
    static VxFSGeomItem* adoptSceneShape(VxFSHierarchy* document, VxFacetShape* shape, const QString& name);
    static void copyWelds(VxFSHierarchy* document, VxLegacyFigure* figure);
    static void copyIKChains(VxFSHierarchy* document, VxSkeleton* figure);
    static void copyChannelLabels(VxNode* bone, VxFSHierarchyItem* item);
};
