#pragma once

#include "vxfsaction.h"

// "Copy From Selected Figure": a new document for the pane, holding the geometry the pane
// had loaded and the hierarchy of the figure selected in the scene. Enabled while a
// figure or one of its bones is the primary selection.
class VxFSCopyFromFigureAction : public VxFSAction
{
    Q_OBJECT
public:
    VxFSCopyFromFigureAction();

public slots:
    void executeAction() override;
    void selectionChanged();
};
