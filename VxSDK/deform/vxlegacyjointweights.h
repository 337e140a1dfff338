#pragma once

#include "vxsdkglobal.h"
#include "vxvec3.h"

#include <array>
#include <vector>

class VxFacetMesh;
class VxLegacyFigure;
class VxLegacyJointParam;
class VxNode;

// How strongly each skin vertex of a parametric figure follows the rotations around it,
// worked out from the legacy joints and the rest shape. Nothing here depends on the pose,
// so it is computed once per change of the rig or the mesh.
//
// A vertex belongs to the joint of every bone whose face groups hold it (the figure's
// vertex maps). For its own bone B it has one factor per rotation axis:
//  - twist and bend parameters driven by B on B's joint give the factor of their axis: the
//    parameter's weight (its zone of inner and outer box times, for twists, the ramp from
//    start to end along the axis) and, for bends with applyAngles, the angular zone below;
//    a vertex the parameter does not reach gets 0 and stays with the parent;
//  - an axis without such a parameter turns the vertex fully (factor 1);
//  - a "Curve" parameter spreads the side-side and bend rotations along the bone: their
//    factors are further multiplied by the vertex's place between origin (0) and end
//    point (1) along the twist axis.
// Twist and bend parameters on B's joint driven by a bone below B (the flipped partners
// the builders put on the parent's joint) let the vertex follow that bone's rotation about
// the parameter's axis by the parameter's weight. Parameters driven by any other bone are
// already carried by the bone hierarchy; smooth-scale parameters wait for a scale channel,
// which nodes do not have.
//
// Angular zone of a bend about axis a with angles (a0, a1, a2, a3), around the driving
// bone's origin: phi is the vertex's direction about the axis, measured about Z from +X
// towards +Y, about Y from +X towards +Z and about X from -Z towards +Y (the frames the
// builders' angle tables are written in). Going from a0 through a1 and a2 to a3 (the
// angles run downwards, by half a turn in all), the factor rises from 0 at a0 to 1 at a1,
// stays 1 to a2 and falls to 0 at a3; outside that half turn it is 0.
class VXSDK_EXPORT VxLegacyJointWeights
{
public:
    // A rotation a vertex follows partly: `factor[k]` for the k-th vertex of the joint.
    struct Follow
    {
        const VxNode* driver = nullptr;
        int axis = 0;
        std::vector<float> factor;
    };
    struct Joint
    {
        const VxNode* bone = nullptr;
        std::vector<int> vertices; // ascending
        // Per axis X, Y, Z, one factor per vertex; empty means 1 for all.
        std::array<std::vector<float>, 3> own;
        std::vector<Follow> children;
    };

    VxLegacyJointWeights() = default;
    VxLegacyJointWeights(const VxLegacyFigure* figure, const VxFacetMesh* rest);

    const std::vector<Joint>& joints() const { return m_joints; }
    // How many joints hold each vertex (0 for a vertex no bone owns).
    const std::vector<int>& ownerCounts() const { return m_owners; }

    static float angularFactor(int bendAxis, const std::array<float, 4>& angles, const VxVec3& offset);

private:
    void addOwnParam(Joint& joint, const VxLegacyJointParam* param, const VxFacetMesh* rest);
    void addChildParam(Joint& joint, const VxLegacyJointParam* param, const VxFacetMesh* rest);
    void applyCurve(Joint& joint, const VxFacetMesh* rest);
    static std::vector<float> paramFactors(const Joint& joint, const VxLegacyJointParam* param,
                                           const VxFacetMesh* rest);

    std::vector<Joint> m_joints;
    std::vector<int> m_owners;
};
