#pragma once

#include "vxbasicdialog.h"

#include <QPointer>

class QRadioButton;
class VxFSGeometryRegionTreeView;
class VxGeometryRegion;
class VxNode;
class VxShape;

// The region editor: the region tree of a figure's current shape, edited in place. Every
// change goes to the host's regions at once, so the dialog has nothing to cancel; it rebuilds
// its tree whenever the host reports a structural change. The drop mode ("Reparent" or
// "Reorder") starts as reparent on every opening.
class VxFsRegionEditorDlg : public VxBasicDialog
{
    Q_OBJECT
public:
    VxFsRegionEditorDlg(QWidget* parent, VxNode* figure);
    ~VxFsRegionEditorDlg() override;

    VxFSGeometryRegionTreeView* getTreeView() const { return m_treeView; }
    QRadioButton* getReparentButton() const { return m_reparentButton; }
    QRadioButton* getReorderButton() const { return m_reorderButton; }

public slots:
    void updateDropMode();
    void refreshRegions();

private:
    QPointer<VxNode> m_figure;
    VxFSGeometryRegionTreeView* m_treeView;
    QRadioButton* m_reparentButton;
    QRadioButton* m_reorderButton;
    QPointer<VxShape> m_shape;
    QPointer<VxGeometryRegion> m_shownRoot;
};
