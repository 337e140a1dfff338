#include "vxmeshsmoothmorphbakeraction.h"

VxMeshSmoothMorphBakerAction::VxMeshSmoothMorphBakerAction(QObject* parent)
    : VxMeshSmoothAction(tr("Bake Smoothing to Morph"),
                         tr("Bakes the smoothed shape of the selected mesh into a morph."),
                         {QStringLiteral("Bake Smoothing to Morph: the selection has no mesh-smoothing "
                                         "modifier; nothing was baked."),
                          tr("Nothing to Bake"),
                          tr("The selection has no mesh-smoothing modifier, so there is no smoothed "
                             "shape to bake into a morph.")},
                         parent)
{
    setObjectName(QStringLiteral("MeshSmoothMorphBakerAction"));
}

VxMeshSmoothMorphBakerAction::~VxMeshSmoothMorphBakerAction() = default;
