#pragma once

class VxFSHierarchy;
class VxFSHierarchyItem;
class VxLegacyBinding;
class VxLegacyFigure;
class VxNode;
class VxProgress;

// Applies an edited copy of a parametric figure back onto that figure (the "Apply" of the
// pane): renames the figure, gives it the document's base geometry, deletes the bones the
// document no longer has (their children move up), renames, re-parents and re-parameterises
// the bones it still has, creates the new ones, and rebuilds welds and IK chains. It finds
// its way back through what the copy recorded: the figure's name and every bone's scene
// name, mapped bone and parent node.
//
// Nothing of it is recorded for undo, and the views do not redraw until it is done; both
// locks are released however it ends.
class VxFSFigureModifier
{
public:
    explicit VxFSFigureModifier(VxFSHierarchy* document);

    // The pane's "Apply": the selected figure must be the one the document was copied from;
    // otherwise a "Selection Error" warning and nothing else. Afterwards the figure is the
    // only selected node.
    void modifySelectedFigure();

    void modifyParametricFigure(VxLegacyFigure* figure);
    // Deletes every bone of the figure that no document bone was copied from; its node
    // children move to its node parent.
    void removeUnmappedBones(VxLegacyFigure* figure, VxLegacyBinding* binding);
    // The bone of `item` below `parent` (the mapped bone, or a new one), then its children.
    void applyBone(VxFSHierarchyItem* item, VxNode* parent, VxLegacyFigure* figure, VxLegacyBinding* binding,
                   VxProgress* progress);

private:
    // The name question; true to go on.
    bool askToReuseName() const;
    void applyChanges(VxLegacyFigure* figure, VxLegacyBinding* binding, VxProgress* progress);
    void applySkin(VxLegacyFigure* figure);
    void rebuildIKChains(VxLegacyFigure* figure);
    bool isCopied(const VxNode* bone) const;

    VxFSHierarchy* m_document;
};
