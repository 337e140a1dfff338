#pragma once

#include "vxfsaction.h"

// "Load Figure Template...": replaces the pane's bones, chains and regions by a template's;
// the geometry loaded in the pane stays.
class VxFSLoadPresetAction : public VxFSAction
{
    Q_OBJECT
public:
    VxFSLoadPresetAction();

public slots:
    void executeAction() override;
};
