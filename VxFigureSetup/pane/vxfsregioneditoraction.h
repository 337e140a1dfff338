#pragma once

#include "vxfsaction.h"

// "Region Editor...": edits the regions of the single-skin figure selected in the scene.
// Enabled while such a figure or one of its bones is the primary selection.
class VxFSRegionEditorAction : public VxFSAction
{
    Q_OBJECT
public:
    VxFSRegionEditorAction();

public slots:
    void executeAction() override;
    void selectionChanged();
};
