#include "vxfscreatefigureaction.h"

#include "vxfiguresetuppane.h"

VxFSCreateFigureAction::VxFSCreateFigureAction()
    : VxFSAction(tr("Create Figure"),
                 tr("Creates a new figure in the scene from the current mesh and hierarchy in the Figure Setup pane."))
{
}

void VxFSCreateFigureAction::executeAction()
{
    if (VxFigureSetupPane* pane = getPane())
        pane->createFigure();
}
