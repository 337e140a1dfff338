#pragma once

#include "vxmeshsmoothaction.h"

// Bakes the smoothed shape of the selected mesh into a morph; in this host it says that the
// selection has nothing to bake.
class VXSDK_EXPORT VxMeshSmoothMorphBakerAction : public VxMeshSmoothAction
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxMeshSmoothMorphBakerAction(QObject* parent = nullptr);
    ~VxMeshSmoothMorphBakerAction() override;
};
