#pragma once

#include "vxfsaction.h"

#include "vxfiguresetupfiguretype.h"

// "Import Poser Hierarchy...": reads a Poser PHI file into the pane's document. Only
// parametric figures take one, so the action follows the pane's rigging type.
class VxFSLoadPHIAction : public VxFSAction
{
    Q_OBJECT
public:
    VxFSLoadPHIAction();

    void init() override;

public slots:
    void executeAction() override;
    void figureTypeChanged(VxFigureSetupFigureType type);
};
