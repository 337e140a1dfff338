#pragma once

class VxBone;
class VxFSHierarchyItem;
class VxNode;
class VxSkeleton;

// Puts the bones of a new figure in place, the same way for both figure types.
class VxFSBonePlacer
{
public:
    // A new bone with the item's name, label and rotation order, appended below `parent`
    // and added to the scene. Only bones directly under the figure inherit scale.
    static VxBone* createBone(const VxFSHierarchyItem* item, VxNode* parent);

    // Selection pair, origin, end point and channel labels of a new bone:
    // - with a face group that the figure's skin has, the bone spans the group's box along
    //   its twist axis, centred on the box in the two other axes, starting at the box face
    //   nearest its parent and pointing away from the parent's origin;
    // - otherwise it is 1.0 long along its twist axis and starts at the parent's end point
    //   (or ends there, when the parent points down that axis).
    // Bones below another bone get hidden translation controls.
    static void placeBone(const VxFSHierarchyItem* item, VxBone* bone, VxNode* parent, VxSkeleton* figure);

    // The rotation controls of the twist, side-side and bend axes of the item's rotation
    // order get the item's three channel labels. An invalid order leaves them alone.
    static void setChannelLabels(const VxFSHierarchyItem* item, VxNode* bone);

    // Once the children are placed: two children put the end point midway between their
    // origins; one, three or more at the first child's origin; none leave it alone.
    static void setEndPointFromChildren(VxNode* bone);
};
