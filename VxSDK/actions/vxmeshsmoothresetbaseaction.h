#pragma once

#include "vxmeshsmoothaction.h"

// Makes the current shape of the selected mesh the base that its mesh-smoothing modifier
// starts from; in this host it says that the selection has nothing to reset.
class VXSDK_EXPORT VxMeshSmoothResetBaseAction : public VxMeshSmoothAction
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxMeshSmoothResetBaseAction(QObject* parent = nullptr);
    ~VxMeshSmoothResetBaseAction() override;
};
