#pragma once

#include "vxeditaction.h"

// Makes the current shape of the selected mesh the base that its mesh-smoothing modifier
// starts from. This host has no mesh-smoothing modifier, so the action tells the user that
// the selection has nothing to reset instead of pretending to reset it.
class VXSDK_EXPORT VxMeshSmoothResetBaseAction : public VxEditAction
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxMeshSmoothResetBaseAction(QObject* parent = nullptr);
    ~VxMeshSmoothResetBaseAction() override;

    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;

public slots:
    void executeAction() override;
};
