#include "vxweightsfromfacegroupsaction.h"

#include "vxapp.h"
#include "vxfacegroupweighting.h"
#include "vxfigure.h"
#include "vxscene.h"

#include <QMessageBox>
#include <QPushButton>

VxWeightsFromFaceGroupsAction::VxWeightsFromFaceGroupsAction(QObject* parent)
    : VxEditAction(tr("Weights from Face Groups"),
                   tr("Fills the weight maps of the selected single-skin figure from its face groups, "
                      "blending across every joint."),
                   parent)
{
    setObjectName(QStringLiteral("WeightsFromFaceGroupsAction"));
}

VxWeightsFromFaceGroupsAction::~VxWeightsFromFaceGroupsAction() = default;

void VxWeightsFromFaceGroupsAction::init()
{
    VxEditAction::init();
    if (vxScene)
        connect(vxScene, &VxScene::primarySelectionChanged, this, &VxWeightsFromFaceGroupsAction::followSelection);
    followSelection();
}

QString VxWeightsFromFaceGroupsAction::getActionGroup() const
{
    return tr("Rigging");
}

VxFigure* VxWeightsFromFaceGroupsAction::selectedFigure()
{
    VxNode* selected = vxScene ? vxScene->getPrimarySelection() : nullptr;
    return selected ? qobject_cast<VxFigure*>(selected->getSkeleton()) : nullptr;
}

void VxWeightsFromFaceGroupsAction::followSelection()
{
    setEnabled(selectedFigure() != nullptr);
}

void VxWeightsFromFaceGroupsAction::executeAction()
{
    VxFigure* figure = selectedFigure();
    VxFaceGroupWeighting weighting(figure);
    QString reason;
    if (!weighting.check(&reason)) {
        refuse(reason);
        return;
    }
    bool replace = false;
    const QVariantMap& settings = getTriggerSettings();
    if (settings.contains(QStringLiteral("Replace")))
        replace = settings.value(QStringLiteral("Replace")).toBool();
    else if (weighting.hasPaintedWeights() && !askReplace(figure, &replace))
        return;

    // A figure of half a million vertices takes about a second: a busy cursor, no dialog.
    vxApp->setBusyCursor();
    const bool done = weighting.apply(replace, &reason);
    vxApp->clearBusyCursor();
    if (!done) {
        refuse(reason);
        return;
    }
    vxApp->log(weighting.summary());
}

bool VxWeightsFromFaceGroupsAction::askReplace(const VxFigure* figure, bool* replace) const
{
    QMessageBox box(QMessageBox::Question, text(),
                    tr("Some bones of figure \"%1\" already have painted weights.\n"
                       "Keep them and fill only the other bones, or replace them all?")
                        .arg(figure->getName()),
                    QMessageBox::NoButton, vxApp->getDialogParent());
    QPushButton* keep = box.addButton(tr("&Keep Painted"), QMessageBox::AcceptRole);
    QPushButton* replaceAll = box.addButton(tr("&Replace All"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(keep);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() != keep && box.clickedButton() != replaceAll)
        return false;
    *replace = box.clickedButton() == replaceAll;
    return true;
}

void VxWeightsFromFaceGroupsAction::refuse(const QString& reason) const
{
    vxApp->log(QStringLiteral("Weights from Face Groups: %1").arg(reason));
    QMessageBox box(QMessageBox::Warning, text(), reason, QMessageBox::Ok, vxApp->getDialogParent());
    box.exec();
}
