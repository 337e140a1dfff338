#include "vxmeshsmoothaction.h"

#include "vxapp.h"

#include <QMessageBox>

VxMeshSmoothAction::VxMeshSmoothAction(const QString& text, const QString& description,
                                       const Refusal& refusal, QObject* parent)
    : VxEditAction(text, description, parent), m_refusal(refusal)
{
}

VxMeshSmoothAction::~VxMeshSmoothAction() = default;

QString VxMeshSmoothAction::getActionGroup() const
{
    return tr("Mesh Smoothing");
}

QString VxMeshSmoothAction::getDefaultMenuPath() const
{
    return QStringLiteral("&Edit/Mesh &Smoothing");
}

void VxMeshSmoothAction::executeAction()
{
    if (vxApp)
        vxApp->log(m_refusal.logLine);
    QMessageBox box(QMessageBox::Warning, m_refusal.title, m_refusal.text, QMessageBox::Ok,
                    vxApp ? vxApp->getDialogParent() : nullptr);
    box.exec();
}
