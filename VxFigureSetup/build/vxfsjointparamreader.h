#pragma once

class VxBone;
class VxFSHierarchy;
class VxFSHierarchyItem;
class VxLegacyFigure;
class VxNode;

// Reads back, from a bone of a parametric figure, the document choices that would make its
// joint again: which parameters it has (recognised by class, driver and axis), its face
// group and its alternate geometries.
class VxFSJointParamReader
{
public:
    // `item`'s choices must have been cleared by the caller; only those found are set.
    // `parentNode` is the bone's node parent: smooth scaling driven by it counts.
    static void readJointParamSelections(VxFSHierarchy* document, VxBone* bone, VxFSHierarchyItem* item,
                                         VxNode* parentNode, VxLegacyFigure* figure);

private:
    static void readAlternateGeometries(VxFSHierarchy* document, VxBone* bone, VxFSHierarchyItem* item,
                                        VxLegacyFigure* figure);
};
