#include "vxweldtonodeoptionsdialog.h"

#include "vxdialogmetrics.h"
#include "vxselectedboneitems.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include <QGridLayout>
#include <QLabel>
#include <QSet>
#include <QTreeWidget>

VxWeldToNodeOptionsDialog::VxWeldToNodeOptionsDialog(QTreeWidget* view, VxFSHierarchy* document)
    : VxBasicDialog(view, QStringLiteral("VxWeldToNodeOptionsDialog")), m_document(document)
{
    setWindowTitle(tr("Weld Selection Dialog"));
    QSet<VxFSHierarchyItem*> welded;
    for (VxFSHierarchyItem* bone : VxSelectedBoneItems::bones(view)) {
        m_welded.append(bone);
        welded.insert(bone);
    }

    auto* grid = new QGridLayout;
    const int margin = VxDialogMetrics::margin(this);
    grid->setContentsMargins(margin, margin, margin, margin);
    grid->addWidget(new QLabel(tr("Select the bone to weld to from the list: "), this), 0, 0);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("VxWeldToNodeOptionsListView"));
    m_list->setHeaderLabels({tr("Bone")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(0, Qt::AscendingOrder);
    QList<QTreeWidgetItem*> items;
    for (VxFSHierarchyItem* bone : document ? document->getAllBones() : QList<VxFSHierarchyItem*>()) {
        if (!welded.contains(bone))
            items.append(new QTreeWidgetItem(QStringList{bone->getName()}));
    }
    m_list->addTopLevelItems(items);
    grid->addWidget(m_list, 1, 0, 1, 2);
    addLayout(grid);
}

void VxWeldToNodeOptionsDialog::accept()
{
    for (const QPointer<VxFSHierarchyItem>& bone : qAsConst(m_welded)) {
        if (bone)
            bone->setWeldTarget(nullptr);
    }
    for (QTreeWidgetItemIterator it(m_list, QTreeWidgetItemIterator::Selected); *it && m_document; ++it) {
        VxFSHierarchyItem* target = m_document->findBone((*it)->text(0));
        for (const QPointer<VxFSHierarchyItem>& bone : qAsConst(m_welded)) {
            if (bone)
                bone->addWeldTarget(target);
        }
    }
    QDialog::accept();
}
