#pragma once

class VxBone;
class VxFSHierarchy;
class VxFSHierarchyItem;
class VxLegacyBinding;
class VxLegacyFigure;
class VxNode;
class VxProgress;

// Builds a legacy parametric figure from the document: a VxLegacyFigure whose skin is a
// grafting shape of the base geometry deformed by a legacy binding with one joint per bone,
// each joint carrying generated parameters, plus alternate geometries, welds and IK chains,
// all handed to the scene. The document is only read.
class VxFSParametricFigureBuilder
{
public:
    explicit VxFSParametricFigureBuilder(const VxFSHierarchy* document);

    // Builds the figure. There is no question for a document without bones.
    void createParametricFigure();

    // One bone below `parent`, placed, with its joint; with `recurse` its descendants too;
    // its end point then follows its children. Advances `progress` (may be null) once per
    // bone. Also used for bones an existing figure lacks.
    static VxBone* createLegacyBone(const VxFSHierarchyItem* item, VxNode* parent, VxLegacyFigure* figure,
                                    VxLegacyBinding* binding, bool recurse, VxProgress* progress);

    // The bone's joint (made, with the item's face group and alternate geometries, when the
    // binding has none) and its generated parameters in the order twist, side-side bend,
    // bend, smooth scale, curve, as the item's choices ask.
    static void createJoint(const VxFSHierarchyItem* item, VxBone* bone, VxNode* parent, VxLegacyFigure* figure,
                            VxLegacyBinding* binding);

private:
    void buildSteps(VxLegacyFigure* figure, VxProgress* progress, bool& figureInScene);
    static void addAlternateGeometries(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyFigure* figure);

    const VxFSHierarchy* m_document;
};
