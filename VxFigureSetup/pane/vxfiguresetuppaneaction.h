#pragma once

#include "vxpaneaction.h"

// The Window menu's entry that shows and hides the "Figure Setup" pane.
class VxFigureSetupPaneAction : public VxPaneAction
{
    Q_OBJECT
public:
    VxFigureSetupPaneAction();
};
