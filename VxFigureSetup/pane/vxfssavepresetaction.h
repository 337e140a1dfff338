#pragma once

#include "vxfsaction.h"

// "Save Figure Template...": writes the pane's document to a template file.
class VxFSSavePresetAction : public VxFSAction
{
    Q_OBJECT
public:
    VxFSSavePresetAction();

public slots:
    void executeAction() override;
};
