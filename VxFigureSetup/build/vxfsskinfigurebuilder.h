#pragma once

class VxBone;
class VxFigure;
class VxFSHierarchy;
class VxFSHierarchyItem;
class VxFSRegionItem;
class VxGeometryRegion;
class VxNode;
class VxProgress;

// Builds a weight-mapped single-skin figure from the document: a VxFigure whose skin is a
// grafting shape of the base geometry, one VxBone per document bone bound to the skin with
// zero-filled weight maps, the selection map, the first region tree and the source-file
// record, all handed to the scene. The document is only read.
class VxFSSkinFigureBuilder
{
public:
    explicit VxFSSkinFigureBuilder(const VxFSHierarchy* document);

    // Builds the figure. A document without bones asks first ("No root bone."); anything
    // but "Yes" adds nothing. With `transfer` the rigging of the figure selected in the
    // scene (when it is a single-skin figure) is then transferred onto the new one.
    void createSingleSkinFigure(bool transfer);

    // One bone below `parent` and, with `recurse`, its descendants. A bone under a
    // single-skin figure gets its bone binding and weight maps and is placed; its end
    // point then follows its children. Advances `progress` (may be null) once per bone.
    static VxBone* createSkinBone(const VxFSHierarchyItem* item, VxNode* parent, bool recurse, VxProgress* progress);

private:
    bool confirmWithoutRootBone() const;
    void buildSteps(VxFigure* figure, VxProgress* progress, bool& figureInScene);
    void buildRegions(VxFigure* figure) const;
    static void buildChildRegions(const VxFSRegionItem* item, VxGeometryRegion* region);

    const VxFSHierarchy* m_document;
};
