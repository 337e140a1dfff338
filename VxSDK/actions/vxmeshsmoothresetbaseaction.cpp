#include "vxmeshsmoothresetbaseaction.h"

#include "vxapp.h"

#include <QMessageBox>

VxMeshSmoothResetBaseAction::VxMeshSmoothResetBaseAction(QObject* parent)
    : VxEditAction(tr("Reset Smoothing Base"),
                   tr("Makes the current shape of the selected mesh the base that mesh "
                      "smoothing starts from."),
                   parent)
{
    setObjectName(QStringLiteral("MeshSmoothResetBaseAction"));
}

VxMeshSmoothResetBaseAction::~VxMeshSmoothResetBaseAction() = default;

QString VxMeshSmoothResetBaseAction::getActionGroup() const
{
    return tr("Mesh Smoothing");
}

QString VxMeshSmoothResetBaseAction::getDefaultMenuPath() const
{
    return QStringLiteral("&Edit/Mesh &Smoothing");
}

void VxMeshSmoothResetBaseAction::executeAction()
{
    if (vxApp)
        vxApp->log(QStringLiteral("Reset Smoothing Base: the selection has no mesh-smoothing modifier; nothing was reset."));
    QMessageBox box(QMessageBox::Warning, tr("Nothing to Reset"),
                    tr("The selection has no mesh-smoothing modifier, so there is no smoothing "
                       "base to reset."),
                    QMessageBox::Ok, vxApp ? vxApp->getDialogParent() : nullptr);
    box.exec();
}
