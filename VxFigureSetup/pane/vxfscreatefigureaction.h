#pragma once

#include "vxfsaction.h"

// "Create Figure": what the pane's Create button does.
class VxFSCreateFigureAction : public VxFSAction
{
    Q_OBJECT
public:
    VxFSCreateFigureAction();

public slots:
    void executeAction() override;
};
