#pragma once

#include "vxscenetest.h"

#include <QModelIndex>
#include <QStringList>
#include <QTimer>

#include <memory>

class VxFSGeometryRegionModel;
class VxFSGeometryRegionTreeView;
class VxFigure;
class VxFsRegionEditorDlg;
class VxGeometryRegion;
class VxShape;

// Answers the region-name prompt while it lives: the next queued name is typed and OK
// pressed (a null name cancels); with no answer left the prompt is cancelled, never left hanging.
class CreateRegionAnswerer : public QObject
{
public:
    CreateRegionAnswerer();
    QStringList answers;
    int prompts = 0;

private:
    QTimer m_timer;
};

// The region editor opened on a single-skin figure whose skin has the regions
//   Actor(Body(Head Arms(LeftArm RightArm)) Legs), where Legs owns facets.
class RegionEditorTest : public VxSceneTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    void openEditor();

    VxFSGeometryRegionTreeView* view() const;
    VxFSGeometryRegionModel* model() const;
    // The host's regions as "Actor(Body(Head) Legs)"; fails the test when the view shows
    // another tree.
    QString tree() const;
    VxGeometryRegion* region(const QString& label) const;
    QModelIndex rowOf(const QString& label, int column = 0) const;
    // Drops the rows of `labels` on the row of `onto` (empty: the empty area) with the
    // payload the view's drag carries.
    bool drop(const QStringList& labels, const QString& onto);
    // Selects the rows, opens the context menu and chooses `entry` (none when empty);
    // returns what the menu offered.
    QStringList contextMenu(const QStringList& selection, const QString& entry);

    VxFigure* m_figure = nullptr;
    VxShape* m_shape = nullptr;
    std::unique_ptr<VxFsRegionEditorDlg> m_dialog;
};

// A region named and labelled `label`, the last child of `parent` when there is one.
VxGeometryRegion* addRegion(VxGeometryRegion* parent, const QString& label);
