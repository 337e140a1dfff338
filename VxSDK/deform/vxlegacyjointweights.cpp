#include "vxlegacyjointweights.h"

#include "vxfacetmesh.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjoint.h"
#include "vxlegacyjointparam.h"
#include "vxskeletonpose.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kTurn = 2.0 * M_PI;

double wrapTurn(double angle)
{
    angle = std::fmod(angle, kTurn);
    return angle < 0.0 ? angle + kTurn : angle;
}

// Where the vertex lies between origin (0) and end point (1) of the bone along its twist
// axis; 1 for a bone of no length on that axis.
float placeAlongBone(const VxNode* bone, const VxVec3& p)
{
    const int t = VxSkeletonPose::evaluatedAxes(bone)[0];
    const float start = bone->getOrigin(false)[t];
    const float end = bone->getEndPoint(false)[t];
    if (start == end)
        return 1.0f;
    return std::clamp((p[t] - start) / (end - start), 0.0f, 1.0f);
}
} // namespace

VxLegacyJointWeights::VxLegacyJointWeights(const VxLegacyFigure* figure, const VxFacetMesh* rest)
{
    if (!figure || !rest)
        return;
    const int n = rest->getNumVertices();
    m_owners.assign(size_t(n), 0);
    const VxLegacyBinding* binding = figure->findBinding();
    if (!binding)
        return;
    for (int j = 0; j < binding->getNumJoints(); ++j) {
        const VxLegacyJoint* legacyJoint = binding->getJoint(j);
        const VxNode* bone = legacyJoint->getBone();
        if (!bone || bone->getSkeleton() != figure)
            continue;
        Joint joint;
        joint.bone = bone;
        for (int vertex : figure->getVertexMap(bone)) {
            if (vertex >= 0 && vertex < n)
                joint.vertices.push_back(vertex);
        }
        if (joint.vertices.empty())
            continue;
        bool curved = false;
        for (int p = 0; p < legacyJoint->getNumJointParams(); ++p) {
            const VxLegacyJointParam* param = legacyJoint->getJointParam(p);
            const VxNode* driver = param->getDriver();
            const int type = param->type();
            if (type == VxLegacyJointParam::CurveType) {
                curved = curved || driver == bone;
                continue;
            }
            if ((type != VxLegacyJointParam::TwistType && type != VxLegacyJointParam::BendType) || param->getAxis() < 0
                || param->getAxis() > 2 || !driver)
                continue;
            if (driver == bone)
                addOwnParam(joint, param, rest);
            else if (bone->isAncestorOf(driver))
                addChildParam(joint, param, rest);
        }
        if (curved)
            applyCurve(joint, rest);
        for (int vertex : joint.vertices)
            ++m_owners[size_t(vertex)];
        m_joints.push_back(std::move(joint));
    }
}

std::vector<float> VxLegacyJointWeights::paramFactors(const Joint& joint, const VxLegacyJointParam* param,
                                                      const VxFacetMesh* rest)
{
    std::vector<float> factors(joint.vertices.size(), 0.0f);
    const VxLegacyJointParam::VertexWeights& weights = param->getWeights();
    const bool angular = param->type() == VxLegacyJointParam::BendType && param->getApplyAngles();
    const VxVec3 pivot = param->getDriver()->getOrigin(false);
    // Both lists ascend by vertex.
    size_t k = 0;
    for (const auto& [vertex, weight] : weights) {
        while (k < joint.vertices.size() && joint.vertices[k] < vertex)
            ++k;
        if (k == joint.vertices.size())
            break;
        if (joint.vertices[k] != vertex)
            continue;
        float factor = weight;
        if (angular)
            factor *= angularFactor(param->getAxis(), param->getAngles(), rest->getVertex(vertex) - pivot);
        factors[k] = factor;
    }
    return factors;
}

void VxLegacyJointWeights::addOwnParam(Joint& joint, const VxLegacyJointParam* param, const VxFacetMesh* rest)
{
    std::vector<float>& own = joint.own[size_t(param->getAxis())];
    if (own.empty()) // the first parameter of an axis decides it
        own = paramFactors(joint, param, rest);
}

void VxLegacyJointWeights::addChildParam(Joint& joint, const VxLegacyJointParam* param, const VxFacetMesh* rest)
{
    Follow follow;
    follow.driver = param->getDriver();
    follow.axis = param->getAxis();
    follow.factor = paramFactors(joint, param, rest);
    if (std::any_of(follow.factor.begin(), follow.factor.end(), [](float f) { return f > 0.0f; }))
        joint.children.push_back(std::move(follow));
}

void VxLegacyJointWeights::applyCurve(Joint& joint, const VxFacetMesh* rest)
{
    const VxRotationOrder::AxisOrder axes = VxSkeletonPose::evaluatedAxes(joint.bone);
    for (int position = 1; position <= 2; ++position) {
        std::vector<float>& own = joint.own[size_t(axes[size_t(position)])];
        if (own.empty())
            own.assign(joint.vertices.size(), 1.0f);
        for (size_t k = 0; k < joint.vertices.size(); ++k)
            own[k] *= placeAlongBone(joint.bone, rest->getVertex(joint.vertices[k]));
    }
}

float VxLegacyJointWeights::angularFactor(int bendAxis, const std::array<float, 4>& angles, const VxVec3& offset)
{
    double phi = 0.0;
    switch (bendAxis) {
    case 0: phi = std::atan2(double(offset.y), -double(offset.z)); break;
    case 1: phi = std::atan2(double(offset.z), double(offset.x)); break;
    case 2: phi = std::atan2(double(offset.y), double(offset.x)); break;
    default: return 1.0f;
    }
    const double start = angles[0];
    const double rise = wrapTurn(start - angles[1]);
    const double fall = wrapTurn(start - angles[2]);
    const double end = wrapTurn(start - angles[3]);
    if (!(rise <= fall && fall <= end) || end == 0.0)
        return 1.0f; // angles that bound no zone limit nothing
    const double delta = wrapTurn(start - phi);
    if (delta > end)
        return 0.0f;
    if (delta < rise)
        return float(delta / rise);
    if (delta <= fall)
        return 1.0f;
    return end > fall ? float((end - delta) / (end - fall)) : 1.0f;
}
