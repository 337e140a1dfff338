#pragma once

#include "vxfsaction.h"

// "Clear Hierarchy": drops the pane's bones, IK chains and regions; loaded geometry stays.
class VxFSClearHierarchyAction : public VxFSAction
{
    Q_OBJECT
public:
    VxFSClearHierarchyAction();

public slots:
    void executeAction() override;
};
