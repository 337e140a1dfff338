#include "vxfssavepresetaction.h"

#include "vxfiguresetuppane.h"

#include "vxfshierarchy.h"

#include "vxapp.h"

VxFSSavePresetAction::VxFSSavePresetAction()
    : VxFSAction(tr("Save Figure Template..."), tr("Saves a figure template from the Figure Setup pane."))
{
}

void VxFSSavePresetAction::executeAction()
{
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    VxFigureSetupPane* pane = getPane();
    if (!window || !pane)
        return;
    QString fileName;
    if (!chooseTemplateFile(window, false, tr("Save Figure Template"), fileName))
        return;
    pane->getHierarchy()->savePreset(fileName);
}
