#pragma once

#include "vxpane.h"

class VxScene;
class VxSceneOutliner;

// The host's "Scene" pane: the scene outliner, docked on the left of the main window.
class VxSceneOutlinerPane : public VxPane
{
    Q_OBJECT
public:
    explicit VxSceneOutlinerPane(VxScene* scene, QWidget* parent = nullptr);
    ~VxSceneOutlinerPane() override;

    VxSceneOutliner* getOutliner() const { return m_outliner; }

    void refresh() override;

private:
    VxSceneOutliner* m_outliner;
};
