#include "vxlegacyjointparam.h"

#include "vxfacetmesh.h"
#include "vxlegacyjoint.h"
#include "vxnode.h"
#include "vxshape.h"
#include "vxskeleton.h"

#include <algorithm>
#include <cmath>

namespace {
// Position of `p` in the frame where `m` maps the cube [-1, 1]^3; false when m is singular.
bool toCubeFrame(const VxMatrix4& m, const VxVec3& p, VxVec3& out)
{
    const float a = m(0, 0), b = m(0, 1), c = m(0, 2);
    const float d = m(1, 0), e = m(1, 1), f = m(1, 2);
    const float g = m(2, 0), h = m(2, 1), i = m(2, 2);
    const float det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (std::fabs(det) < 1e-20f)
        return false;
    const VxVec3 q(p.x - m(0, 3), p.y - m(1, 3), p.z - m(2, 3));
    out.x = ((e * i - f * h) * q.x + (c * h - b * i) * q.y + (b * f - c * e) * q.z) / det;
    out.y = ((f * g - d * i) * q.x + (a * i - c * g) * q.y + (c * d - a * f) * q.z) / det;
    out.z = ((d * h - e * g) * q.x + (b * g - a * h) * q.y + (a * e - b * d) * q.z) / det;
    return true;
}

float cubeDistance(const VxVec3& p)
{
    return std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
}
} // namespace

VxLegacyJointParam::VxLegacyJointParam(VxNode* driver, int axis, QObject* parent)
    : VxElement(parent), m_driver(driver), m_axis(axis)
{
}

VxLegacyJointParam::~VxLegacyJointParam() = default;

void VxLegacyJointParam::setDriver(VxNode* driver)
{
    if (m_driver == driver)
        return;
    m_driver = driver;
    invalidateWeights();
    emit paramChanged();
}

void VxLegacyJointParam::setAxis(int axis)
{
    if (m_axis == axis)
        return;
    m_axis = axis;
    invalidateWeights();
    emit paramChanged();
}

VxLegacyJoint* VxLegacyJointParam::getJoint() const
{
    return qobject_cast<VxLegacyJoint*>(getElementParent());
}

void VxLegacyJointParam::setMatrices(const VxMatrix4& inner, const VxMatrix4& outer, bool keepWeights)
{
    m_inner = inner;
    m_outer = outer;
    m_hasMatrices = true;
    if (!keepWeights)
        invalidateWeights();
    emit paramChanged();
}

void VxLegacyJointParam::setFlipped(bool flipped)
{
    if (m_flipped == flipped)
        return;
    m_flipped = flipped;
    invalidateWeights();
    emit paramChanged();
}

void VxLegacyJointParam::setAngles(float a0, float a1, float a2, float a3, bool inDegrees)
{
    setAngles({{a0, a1, a2, a3}}, inDegrees);
}

void VxLegacyJointParam::setAngles(const std::array<float, 4>& angles, bool inDegrees)
{
    m_angles = angles;
    if (inDegrees) {
        for (float& angle : m_angles)
            angle = float(double(angle) * M_PI / 180.0);
    }
    emit paramChanged();
}

void VxLegacyJointParam::setApplyAngles(bool onOff)
{
    if (m_applyAngles == onOff)
        return;
    m_applyAngles = onOff;
    emit paramChanged();
}

void VxLegacyJointParam::invalidateWeights()
{
    m_weightsValid = false;
    m_weights.clear();
    m_weights.shrink_to_fit();
}

const VxLegacyJointParam::VertexWeights& VxLegacyJointParam::getWeights() const
{
    if (m_weightsValid)
        return m_weights;
    m_weightsValid = true;
    m_weights.clear();
    VxLegacyJoint* joint = getJoint();
    VxNode* bone = joint ? joint->getBone() : nullptr;
    VxSkeleton* skeleton = bone ? bone->getSkeleton() : nullptr;
    VxShape* shape = VxShape::getCurrentShapeForNode(skeleton);
    VxFacetMesh* mesh = shape ? qobject_cast<VxFacetMesh*>(shape->getGeometry()) : nullptr;
    if (!mesh)
        return m_weights;
    for (int vertex : skeleton->getVertexMap(bone)) {
        const VxVec3 p = mesh->getVertex(vertex);
        const float w = zoneFactor(p) * axisFactor(p);
        if (w > 0.0f)
            m_weights.emplace_back(vertex, std::min(w, 1.0f));
    }
    return m_weights;
}

float VxLegacyJointParam::zoneFactor(const VxVec3& position) const
{
    if (!m_hasMatrices)
        return 1.0f;
    VxVec3 inner, outer;
    if (!toCubeFrame(m_inner, position, inner) || !toCubeFrame(m_outer, position, outer))
        return 0.0f;
    const float di = cubeDistance(inner);
    const float dout = cubeDistance(outer);
    if (di <= 1.0f)
        return 1.0f;
    if (dout >= 1.0f)
        return 0.0f;
    // Between the boxes: 1 at the inner box, 0 at the outer one, along the way out.
    return (1.0f - dout) / ((1.0f - dout) + (di - 1.0f));
}

float VxLegacyJointParam::axisFactor(const VxVec3& position) const
{
    Q_UNUSED(position);
    return 1.0f;
}
