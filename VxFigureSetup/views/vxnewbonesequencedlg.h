#pragma once

#include "vxbasicdialog.h"

#include <QPointer>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class VxFSHierarchy;

// "Create Bone Sequence": bones named by a prefix and a numbered suffix (finger1 to
// finger12, or finger01 to finger12 with padding) below a bone or the "Bones" container of
// the relationships view, each the child of the one before ("Cascading") or all children of
// the target ("As Siblings"). Nothing is created until the input passes.
class VxNewBoneSequenceDlg : public VxBasicDialog
{
    Q_OBJECT
public:
    // `target` is a bone item or the "Bones" container of `view`.
    VxNewBoneSequenceDlg(QTreeWidget* view, QTreeWidgetItem* target, VxFSHierarchy* document);

public slots:
    void accept() override;

private slots:
    // Keeps the start at or below the end: the box that was not moved follows the other.
    void rangeChanged(int value);

private:
    QStringList sequenceNames() const;
    bool anyNameTaken() const;

    QTreeWidgetItem* m_target;
    QPointer<VxFSHierarchy> m_document;
    QLineEdit* m_prefix;
    QSpinBox* m_start;
    QSpinBox* m_end;
    QCheckBox* m_padSuffix;
    QRadioButton* m_cascade;
    QRadioButton* m_siblings;
};
