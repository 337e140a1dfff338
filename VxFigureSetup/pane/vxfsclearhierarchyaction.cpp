#include "vxfsclearhierarchyaction.h"

#include "vxfiguresetuppane.h"

VxFSClearHierarchyAction::VxFSClearHierarchyAction()
    : VxFSAction(tr("Clear Hierarchy"), tr("Clears the Figure Hierarchy, clearing any hierarchy and ik chains."))
{
}

void VxFSClearHierarchyAction::executeAction()
{
    if (VxFigureSetupPane* pane = getPane())
        pane->clearHierarchy();
}
