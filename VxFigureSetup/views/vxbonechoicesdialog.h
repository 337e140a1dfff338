#pragma once

#include "vxbasicdialog.h"

class QCheckBox;
class QGridLayout;
class QTreeWidget;
class VxFSHierarchyItem;

// The frame of the two dialogs that set per-bone choices (joint parameters, weight maps)
// on the bones selected in the relationships view: a warning line when several bones are
// selected, then a box of check boxes. With exactly one bone selected the boxes start from
// that bone's choices, otherwise unchecked; accepting writes them to every selected bone.
class VxBoneChoicesDialog : public VxBasicDialog
{
    Q_OBJECT
protected:
    // The first `indentColumns` columns of the boxes' grid only indent the boxes beyond them.
    VxBoneChoicesDialog(QTreeWidget* view, const QString& name, const QString& severalBonesWarning,
                        int indentColumns);

    // A box at `row`, `column` of the grid. Subclasses follow its clicked() signal, which
    // only the user's clicks send, so that boxes set by a slot do not set others in turn.
    QCheckBox* addBox(const QString& text, const QString& name, int row, int column, int columnSpan);
    // Ends the construction: the dialog keeps its smallest size.
    void finishLayout();

    // The one selected bone whose choices the boxes start from, or null.
    VxFSHierarchyItem* singleBone() const { return m_singleBone; }
    // The bones selected in the view now.
    QList<VxFSHierarchyItem*> selectedBones() const;

private:
    QTreeWidget* m_view;
    QGridLayout* m_grid;
    VxFSHierarchyItem* m_singleBone = nullptr;
};
