#pragma once

#include "vxmodifier.h"
#include "vxownedlist.h"

class VxLegacyJoint;
class VxNode;

// The deformer of a legacy parametric figure: one joint per bone. Owns its joints.
class VXSDK_EXPORT VxLegacyBinding : public VxModifier
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxLegacyBinding(QObject* parent = nullptr);
    ~VxLegacyBinding() override;

    int getNumJoints() const { return m_joints.size(); }
    VxLegacyJoint* getJoint(int index) const { return m_joints.value(index); }
    VxLegacyJoint* findJoint(const VxNode* bone) const;
    // Takes ownership and appends.
    void addJoint(VxLegacyJoint* joint);
    // Removes and deletes the joint.
    bool removeJoint(VxLegacyJoint* joint);

signals:
    void jointsChanged();

private:
    VxOwnedList<VxLegacyJoint> m_joints;
};
