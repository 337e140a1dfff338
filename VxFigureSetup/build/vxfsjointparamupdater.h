#pragma once

class VxBone;
class VxFSHierarchyItem;
class VxLegacyJoint;
class VxLegacyJointParam;
class VxNode;

// Brings the joint parameters of a bone that a parametric figure already has in line with
// its document bone, when an edited copy is applied to the figure:
// - a bone moved to another parent gets all its parameters, and the pair with its parent,
//   made again;
// - a bone whose twist axis is unchanged keeps the parameters its choices still select,
//   loses the others and gets the missing ones;
// - a bone whose twist axis changed gets all its parameters made again, and so do the
//   smooth-scale pairs with its children.
// Parameters belong to a choice by class, driver and axis, as when a figure is copied.
class VxFSJointParamUpdater
{
public:
    // `parent` is the scene node the bone hangs below now. Returns the bone's joint, which
    // is made when the bone had none and a parameter is chosen; null when it has none.
    static VxLegacyJoint* updateJointParams(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                            VxNode* parent);

private:
    static void rebuildReparented(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint, VxNode* parent);
    static void synchronise(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint, VxNode* parent);
    static void rebuildForNewTwistAxis(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                       VxNode* parent);
    static void rebuildChildPairs(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint);
    // Twist, smooth scale, curve, side-side bend, bend: the order of a remade set.
    static void generateAll(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                            VxLegacyJoint* parentJoint);
    static VxLegacyJoint* createJoint(const VxFSHierarchyItem* item, VxBone* bone);
    static void removeParamsDrivenBy(VxLegacyJoint* joint, const VxNode* driver);
    // Which choice a parameter of the bone's own joint stands for; Choice::None for one
    // that belongs to no choice of this bone (a child's partner, ...).
    enum class Choice { None, Curve, Twist, SideSide, Bend, Scale };
    static Choice ownChoice(const VxLegacyJointParam* param, const VxFSHierarchyItem* item, const VxBone* bone,
                            const VxNode* parent);
    // The same for a parameter on the parent's joint, driven by the bone.
    static Choice partnerChoice(const VxLegacyJointParam* param, const VxFSHierarchyItem* item, const VxBone* bone);
    // A twist parameter, or a bend about the side-side or bend axis of the bone's order.
    static Choice twistOrBendChoice(const VxLegacyJointParam* param, const VxFSHierarchyItem* item);
    static bool isChosen(Choice choice, const VxFSHierarchyItem* item);
};
