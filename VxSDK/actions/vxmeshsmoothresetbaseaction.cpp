#include "vxmeshsmoothresetbaseaction.h"

VxMeshSmoothResetBaseAction::VxMeshSmoothResetBaseAction(QObject* parent)
    : VxMeshSmoothAction(tr("Reset Smoothing Base"),
                         tr("Makes the current shape of the selected mesh the base that mesh "
                            "smoothing starts from."),
                         {QStringLiteral("Reset Smoothing Base: the selection has no mesh-smoothing "
                                         "modifier; nothing was reset."),
                          tr("Nothing to Reset"),
                          tr("The selection has no mesh-smoothing modifier, so there is no smoothing "
                             "base to reset.")},
                         parent)
{
    setObjectName(QStringLiteral("MeshSmoothResetBaseAction"));
}

VxMeshSmoothResetBaseAction::~VxMeshSmoothResetBaseAction() = default;
