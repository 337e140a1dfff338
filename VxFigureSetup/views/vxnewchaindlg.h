#pragma once

#include "vxbasicdialog.h"

#include <QList>
#include <QPointer>

class QCheckBox;
class QLineEdit;
class QTreeWidgetItem;
class VxFSHierarchy;
class VxFSHierarchyIKChain;
class VxFSHierarchyItem;

// "Create IK Chain": a uniquely named chain with one link per given bone, weights rising
// evenly to 1. Given a bone and one of its descendants, "Include nodes between selected"
// also links every bone between them.
class VxNewChainDlg : public VxBasicDialog
{
    Q_OBJECT
public:
    // `items` are relationships-view items; the bone items among them give the chain's
    // bones, in order. None is fine: the chain is made without links.
    VxNewChainDlg(QWidget* parent, const QList<QTreeWidgetItem*>& items, VxFSHierarchy* document);

    // The chain made on accept; null until then, and when the input was refused.
    VxFSHierarchyIKChain* getChain() const { return m_chain; }

public slots:
    void accept() override;

private:
    // The bones to link: the given ones, or with the box checked the first, every bone
    // between, and the second.
    QList<VxFSHierarchyItem*> chainBones() const;

    VxFSHierarchyIKChain* m_chain = nullptr;
    QList<QPointer<VxFSHierarchyItem>> m_bones;
    QPointer<VxFSHierarchy> m_document;
    QLineEdit* m_name;
    QCheckBox* m_includeBetween;
};
