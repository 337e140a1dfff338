#include "vxfsregioneditoraction.h"

#include "vxfsregioneditordlg.h"
#include "vxfswarningbox.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxfigure.h"
#include "vxscene.h"

VxFSRegionEditorAction::VxFSRegionEditorAction()
    : VxFSAction(tr("Region Editor..."), tr("Edit the regions of the currently selected figure in the scene."))
{
    if (vxScene)
        connect(vxScene, &VxScene::nodeSelectionListChanged, this, &VxFSRegionEditorAction::selectionChanged);
    selectionChanged();
}

void VxFSRegionEditorAction::selectionChanged()
{
    VxNode* node = vxScene ? vxScene->getPrimarySelection() : nullptr;
    bool figure = qobject_cast<VxFigure*>(node) != nullptr;
    if (auto* bone = qobject_cast<VxBone*>(node))
        figure = qobject_cast<VxFigure*>(bone->getSkeleton()) != nullptr;
    setEnabled(figure);
}

void VxFSRegionEditorAction::executeAction()
{
    VxNode* node = vxScene ? vxScene->getPrimarySelection() : nullptr;
    auto* figure = node ? qobject_cast<VxFigure*>(node->getSkeleton()) : nullptr;
    if (!figure) {
        VxFSWarningBox::show(tr("No Figure Selected"),
                             tr("You must first select a single skin figure in the scene to perform the selected "
                                "operation."),
                             vxApp ? vxApp->getDialogParent() : nullptr);
        return;
    }
    // Modal and without parent widget: the editor works on the figure, not on the pane.
    VxFsRegionEditorDlg dialog(nullptr, figure);
    dialog.exec();
}
