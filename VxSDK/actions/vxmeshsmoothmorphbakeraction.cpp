#include "vxmeshsmoothmorphbakeraction.h"

#include "vxapp.h"

#include <QMessageBox>

VxMeshSmoothMorphBakerAction::VxMeshSmoothMorphBakerAction(QObject* parent)
    : VxEditAction(tr("Bake Smoothing to Morph"),
                   tr("Bakes the smoothed shape of the selected mesh into a morph."),
                   parent)
{
    setObjectName(QStringLiteral("MeshSmoothMorphBakerAction"));
}

VxMeshSmoothMorphBakerAction::~VxMeshSmoothMorphBakerAction() = default;

QString VxMeshSmoothMorphBakerAction::getActionGroup() const
{
    return tr("Mesh Smoothing");
}

QString VxMeshSmoothMorphBakerAction::getDefaultMenuPath() const
{
    return QStringLiteral("&Edit/Mesh &Smoothing");
}

void VxMeshSmoothMorphBakerAction::executeAction()
{
    if (vxApp)
        vxApp->log(QStringLiteral("Bake Smoothing to Morph: the selection has no mesh-smoothing modifier; nothing was baked."));
    QMessageBox box(QMessageBox::Warning, tr("Nothing to Bake"),
                    tr("The selection has no mesh-smoothing modifier, so there is no smoothed "
                       "shape to bake into a morph."),
                    QMessageBox::Ok, vxApp ? vxApp->getDialogParent() : nullptr);
    box.exec();
}
