#include "vxfscopyfromfigureaction.h"

#include "vxfiguresetuppane.h"

#include "vxfsfigurecopier.h"
#include "vxfshierarchy.h"
#include "vxfswarningbox.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxscene.h"

VxFSCopyFromFigureAction::VxFSCopyFromFigureAction()
    : VxFSAction(tr("Copy From Selected Figure"),
                 tr("Copies the hierarchy from the currently selected figure to the Figure Setup pane."))
{
    if (vxScene)
        connect(vxScene, &VxScene::nodeSelectionListChanged, this, &VxFSCopyFromFigureAction::selectionChanged);
    selectionChanged();
}

void VxFSCopyFromFigureAction::selectionChanged()
{
    VxNode* node = vxScene ? vxScene->getPrimarySelection() : nullptr;
    bool figure = qobject_cast<VxSkeleton*>(node) != nullptr;
    if (auto* bone = qobject_cast<VxBone*>(node))
        figure = bone->getSkeleton() != nullptr;
    setEnabled(figure);
}

void VxFSCopyFromFigureAction::executeAction()
{
    VxNode* node = vxScene ? vxScene->getPrimarySelection() : nullptr;
    VxSkeleton* skeleton = node ? node->getSkeleton() : nullptr;
    if (!skeleton) {
        VxFSWarningBox::show(tr("No Figure Selected"),
                             tr("You must first select a figure in the scene to perform the selected operation."),
                             vxApp ? vxApp->getDialogParent() : nullptr);
        return;
    }
    VxFigureSetupPane* pane = getPane();
    if (!pane)
        return;

    auto* copy = new VxFSHierarchy(QString());
    // The geometry loaded in the pane moves into the copy: the copier reuses it instead of
    // loading the figure's files again, and the pane's old document, deleted when the copy
    // replaces it, no longer owns it.
    if (VxFSHierarchy* current = pane->getHierarchy()) {
        QList<VxFSGeomItem*> geometries;
        for (int i = 0; i < current->getNumGeometries(); ++i)
            geometries.append(current->getGeometry(i));
        for (VxFSGeomItem* geometry : geometries)
            copy->addGeometryItem(geometry);
    }
    if (auto* parametric = qobject_cast<VxLegacyFigure*>(skeleton))
        VxFSFigureCopier::copyFromParametricFigure(copy, parametric);
    else if (auto* skin = qobject_cast<VxFigure*>(skeleton))
        VxFSFigureCopier::copyFromSkinFigure(copy, skin);
    pane->setHierarchy(copy);
}
