#pragma once

class VxBone;
class VxBoneBinding;
class VxFSHierarchy;
class VxFSHierarchyItem;

// The weight maps and bulge bindings of one bone of a single-skin figure, made from the
// bone's weight-map choices, and the reverse: the choices read back from a figure's
// binding. Making and reading are inverse for every rotation order.
//
// Choices belong to the axes of the bone's rotation order: twist and twist bulge to its
// first axis, side-side and side bulge to its second, bend and bend bulge to its third;
// scale to none. A bulge choice counts only together with the local map of its axis.
class VxFSWeightMaps
{
public:
    // Gives `binding` a zero-filled, unnamed map (one weight per skin vertex) for every
    // chosen axis, a bulge binding with right and left maps where chosen, and a scale map,
    // in that order: twist axis, side-side axis, bend axis, scale. Nothing is made unless
    // the bone's figure has a facet-mesh skin with vertices. Zero maps cost no weight
    // storage until painted.
    static void createWeightMaps(const VxFSHierarchyItem* item, VxBone* bone, VxBoneBinding* binding);

    // Sets `item`'s face group from the figure's selection pair of `bone` (looked up among
    // the document's base geometry groups), and its seven weight-map choices from which
    // maps and bulge bindings the bone's binding holds. Callers clear the choices first:
    // a bone without a binding keeps them.
    static void readWeightMapSelections(VxFSHierarchy* document, VxBone* bone, VxFSHierarchyItem* item);
};
