#pragma once

#include "vxelement.h"
#include "vxnode.h"
#include "vxownedlist.h"

#include <QList>
#include <QListIterator>
#include <QPointer>

class VxLegacyBinding;
class VxLegacyJointParam;

// The joint of one bone in a legacy binding: the bone, the face group of the skin it owns
// and its ordered joint parameters, which it owns.
class VXSDK_EXPORT VxLegacyJoint : public VxElement
{
    Q_OBJECT
public:
    explicit VxLegacyJoint(QObject* parent = nullptr);
    ~VxLegacyJoint() override;

    // The joint of `bone` in the legacy binding of the bone's figure, or null.
    static VxLegacyJoint* findJoint(const VxNode* bone);

    VxNode* getBone() const { return m_bone; }
    // With `retargetParams` the parameters driven by the previous bone are driven by the
    // new one from now on.
    void setBone(VxNode* bone, bool retargetParams);
    VxLegacyBinding* getBinding() const;

    QString getGroupName() const { return m_groupName; }
    void setGroupName(const QString& name);

    int getNumJointParams() const { return m_params.size(); }
    VxLegacyJointParam* getJointParam(int index) const { return m_params.value(index); }
    // The first parameter with that name, or null.
    VxLegacyJointParam* findJointParam(const QString& name) const;
    QListIterator<VxLegacyJointParam*> jointParamsIterator() const
    {
        return QListIterator<VxLegacyJointParam*>(m_params.items());
    }
    // Takes ownership and appends; the order of parameters is the order they were added.
    void addJointParam(VxLegacyJointParam* param);
    // Removes and deletes the parameter.
    bool removeJointParam(VxLegacyJointParam* param);
    // Removes every parameter driven by `driver`; returns how many went.
    int removeJointParamsDrivenBy(const VxNode* driver);
    void invalidateWeights();

signals:
    void paramsChanged();

private:
    QPointer<VxNode> m_bone;
    QString m_groupName;
    VxOwnedList<VxLegacyJointParam> m_params;
};
