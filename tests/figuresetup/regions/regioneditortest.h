#pragma once

#include "vxmessageboxanswerer.h"
#include "vxscenetest.h"

#include <QModelIndex>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

class VxFSGeometryRegionModel;
class VxFSGeometryRegionTreeView;
class VxFigure;
class VxFsRegionEditorDlg;
class VxGeometryRegion;
class VxShape;

// Answers the region-name prompt while it lives: each time the prompt is the active modal
// dialog, the next queued answer types a name and presses OK, or cancels. A prompt with no
// answer left is cancelled, so a test that did not expect it fails instead of hanging.
class CreateRegionAnswerer : public QObject
{
    Q_OBJECT
public:
    CreateRegionAnswerer();
    void queueName(const QString& name) { m_answers.append(name); }
    void queueCancel() { m_answers.append(QString()); }
    int prompts() const { return m_prompts; }
    int unanswered() const { return m_answers.size(); }

private:
    void poll();

    QTimer m_timer;
    QStringList m_answers;
    int m_prompts = 0;
};

// A single-skin figure whose skin shape has this region tree (labels; "Legs" owns facets):
//   Actor
//     Body
//       Head
//       Arms
//         LeftArm
//         RightArm
//     Legs
// and the region editor opened for it.
class RegionEditorTest : public VxSceneTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    void openEditor();
    VxFSGeometryRegionTreeView* view() const;
    VxFSGeometryRegionModel* model() const;

    // The host's region tree and the tree the view shows, both as "Actor(Body(Head Arms) Legs)".
    QString hostTree() const;
    QString shownTree() const;
    VxGeometryRegion* region(const QString& label) const;
    // The row showing `label` (column 0 unless told otherwise); invalid when none does.
    QModelIndex rowOf(const QString& label, int column = 0) const;

    // Drags the rows of `labels` and drops them on the row of `onto` (the empty area when
    // empty), with the payload the view's drag would carry. Returns what the drop answered.
    bool drop(const QStringList& labels, const QString& onto);
    void select(const QStringList& labels);
    // Opens the tree's context menu over the viewport and chooses `entry` (dismisses when
    // empty); returns the entries the menu offered.
    QStringList contextMenu(const QString& entry);

    VxFigure* m_figure = nullptr;
    VxShape* m_shape = nullptr;
    std::unique_ptr<VxFsRegionEditorDlg> m_dialog;
};
