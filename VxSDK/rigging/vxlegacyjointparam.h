#pragma once

#include "vxelement.h"
#include "vxnode.h"
#include "vxmatrix4.h"

#include <QPointer>
#include <QVector>

#include <array>
#include <utility>
#include <vector>

class VxLegacyJoint;

// A parameter of a legacy joint: how the skin near a joint follows one rotation (or scale)
// channel of its driver bone. Every parameter has a driver, an axis, a zone given by an
// inner and an outer matrix (each maps the cube [-1, 1]^3 onto a box: full effect inside
// the inner box, none outside the outer one, a linear falloff between), a flipped flag
// (the parameter acts on the side of the joint away from its driver), and optional angles.
// The per-vertex weights are computed from all that on first use and cached until
// invalidateWeights() or a change of zone.
class VXSDK_EXPORT VxLegacyJointParam : public VxElement
{
    Q_OBJECT
public:
    // The host's joint-parameter types, as type() reports them.
    enum Type { TwistType = 0, SmoothScaleType = 1, BendType = 2, CurveType = 3 };
    using VertexWeights = std::vector<std::pair<int, float>>;

    VxLegacyJointParam(VxNode* driver, int axis, QObject* parent = nullptr);
    ~VxLegacyJointParam() override;

    virtual int type() const = 0;
    // The parameter's own numbers (twist range, smooth-scale ramp, ...), in order.
    virtual QVector<float> getValues() const { return {}; }

    VxNode* getDriver() const { return m_driver; }
    void setDriver(VxNode* driver);
    int getAxis() const { return m_axis; }
    void setAxis(int axis);
    VxLegacyJoint* getJoint() const;

    // With `keepWeights` the caller says the zone did not change; otherwise cached weights
    // are dropped.
    void setMatrices(const VxMatrix4& inner, const VxMatrix4& outer, bool keepWeights);
    const VxMatrix4& getInnerMatrix() const { return m_inner; }
    const VxMatrix4& getOuterMatrix() const { return m_outer; }
    bool hasMatrices() const { return m_hasMatrices; }

    bool isFlipped() const { return m_flipped; }
    void setFlipped(bool flipped);

    // Four angles (radians) bounding the parameter's angular zones.
    std::array<float, 4> getAngles() const { return m_angles; }
    // `inDegrees` false takes the values as radians.
    void setAngles(float a0, float a1, float a2, float a3, bool inDegrees);
    void setAngles(const std::array<float, 4>& angles, bool inDegrees);
    bool getApplyAngles() const { return m_applyAngles; }
    void setApplyAngles(bool onOff);

    // (vertex, weight > 0) over the vertices of the joint's bone, ascending by vertex.
    const VertexWeights& getWeights() const;
    bool hasCachedWeights() const { return m_weightsValid; }
    void invalidateWeights();

signals:
    void paramChanged();

protected:
    // Extra factor for a vertex at `position` (twist and smooth scale ramp along the axis).
    virtual float axisFactor(const VxVec3& position) const;

private:
    float zoneFactor(const VxVec3& position) const;

    QPointer<VxNode> m_driver;
    int m_axis;
    VxMatrix4 m_inner, m_outer;
    bool m_hasMatrices = false;
    bool m_flipped = false;
    std::array<float, 4> m_angles{{0.0f, 0.0f, 0.0f, 0.0f}};
    bool m_applyAngles = false;
    mutable bool m_weightsValid = false;
    mutable VertexWeights m_weights;
};
