#pragma once

class VxElement;
class VxFSHierarchy;
class VxGraftingFigureShape;
class VxLegacyIKChains;
class VxNode;
class VxShape;
class VxSkeleton;

// What building a single-skin and a parametric figure do the same way: the source-file
// record, the skin shape, the IK chains item, the presentation and the post-create hook.
// Also used when the document is applied to an existing figure.
class VxFSFigureParts
{
public:
    // Every bone of the document, roots and descendants: the steps of the progress display.
    static int countBones(const VxFSHierarchy* document);

    // Points the node's "GeomSourceFileData" item at the base geometry's file (an empty
    // path without base geometry), making and adding the item when there is none.
    static void setSourceFileData(VxElement* node, const VxFSHierarchy* document);

    // The figure's skin from the document's base geometry: a grafting shape showing the
    // base shape's facet mesh (subdivision switched to the document's apply-SubD choice),
    // named after the base shape, with a copy of each of its materials, appended to the
    // figure's object. The figure's end point becomes the centre of the mesh's box. Null,
    // and nothing changed, when there is no base geometry (or shape) or the figure has no
    // object.
    static VxGraftingFigureShape* createSkinShape(const VxFSHierarchy* document, VxSkeleton* figure);

    // Appends to `target` a new default material per material of `source`, in order,
    // carrying over only the name and the label.
    static void copyMaterials(const VxShape* source, VxShape* target);

    // The figure's "PoserIKChains" item (made and added when there is none), given one
    // legacy chain per document chain, in order: its name, active flag and links (a link
    // whose bone the figure lacks is kept without a bone). The bone of the last link, when
    // found, becomes the chain's goal, carries a single "PoserIKTarget" flag however many
    // chains end on it, and the chain is labelled with its name.
    static VxLegacyIKChains* createIKChains(const VxFSHierarchy* document, VxSkeleton* figure);

    // The figure's presentation shows the document's content type and the figure's label.
    static void setPresentation(const VxFSHierarchy* document, VxNode* figure);

    // Lets the host finish a figure that got a skin: the scene's "FigureSetup" hook.
    static void runPostCreateScript(VxNode* figure);
};
