#include "vxfsloadpresetaction.h"

#include "vxfiguresetuppane.h"

#include "vxfshierarchy.h"

#include "vxapp.h"

VxFSLoadPresetAction::VxFSLoadPresetAction()
    : VxFSAction(tr("Load Figure Template..."),
                 tr("Loads a figure template and applies it to the figure in the Figure Setup pane."))
{
}

void VxFSLoadPresetAction::executeAction()
{
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    VxFigureSetupPane* pane = getPane();
    if (!window || !pane)
        return;
    QString fileName;
    if (!chooseTemplateFile(window, true, tr("Load Figure Template"), fileName))
        return;
    VxFSHierarchy* document = pane->getHierarchy();
    document->clear(true);
    document->loadPreset(fileName);
    // Every view rebuilds from the document.
    pane->setHierarchy(document);
}
