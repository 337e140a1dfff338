#pragma once

#include "vxeditaction.h"

// Bakes the smoothed shape of the selected mesh into a morph. This host has no
// mesh-smoothing modifier, so the action tells the user that the selection has nothing to
// bake instead of pretending to bake it.
class VXSDK_EXPORT VxMeshSmoothMorphBakerAction : public VxEditAction
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxMeshSmoothMorphBakerAction(QObject* parent = nullptr);
    ~VxMeshSmoothMorphBakerAction() override;

    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;

public slots:
    void executeAction() override;
};
