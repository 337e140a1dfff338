#include "vxnewchaindlg.h"

#include "vxdialogmetrics.h"
#include "vxhierarchyboneitem.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {
int depthOf(const QTreeWidgetItem* item)
{
    int depth = 0;
    for (const QTreeWidgetItem* above = item->parent(); above; above = above->parent())
        ++depth;
    return depth;
}

bool isAncestor(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item)
{
    for (const QTreeWidgetItem* above = item->parent(); above; above = above->parent()) {
        if (above == ancestor)
            return true;
    }
    return false;
}
} // namespace

VxNewChainDlg::VxNewChainDlg(QWidget* parent, const QList<QTreeWidgetItem*>& items, VxFSHierarchy* document)
    : VxBasicDialog(parent, QStringLiteral("VxCreateIKDialog")), m_document(document)
{
    setWindowTitle(tr("Create IK Chain"));
    auto* grid = new QGridLayout;
    const int margin = VxDialogMetrics::margin(this);
    grid->setContentsMargins(margin, margin, margin, margin);
    grid->addWidget(new QLabel(tr("Name:"), this), 0, 0);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("VxCreateNewIKChainNameEdit"));
    grid->addWidget(m_name, 0, 1, 1, 2);
    m_includeBetween = new QCheckBox(tr("Include nodes between selected"), this);
    m_includeBetween->setObjectName(QStringLiteral("VxCreateNewIKChainIncludeCbx"));
    grid->addWidget(m_includeBetween, 1, 1);
    addLayout(grid);

    const bool ancestorAndDescendant = items.size() == 2 && items[0] && items[1]
        && depthOf(items[0]) < depthOf(items[1]) && isAncestor(items[0], items[1]);
    m_includeBetween->setEnabled(ancestorAndDescendant);
    for (QTreeWidgetItem* item : items) {
        if (item && item->type() == VxHierarchyBoneItem::Type) {
            if (VxFSHierarchyItem* bone = static_cast<VxHierarchyBoneItem*>(item)->getBone())
                m_bones.append(bone);
        }
    }
}

QList<VxFSHierarchyItem*> VxNewChainDlg::chainBones() const
{
    QList<VxFSHierarchyItem*> bones;
    for (const QPointer<VxFSHierarchyItem>& bone : m_bones) {
        if (bone)
            bones.append(bone);
    }
    if (!m_includeBetween->isChecked() || bones.size() != 2)
        return bones;
    VxFSHierarchyItem* first = bones.first();
    for (QObject* above = bones.last()->parent(); above && above != first; above = above->parent()) {
        auto* bone = qobject_cast<VxFSHierarchyItem*>(above);
        if (!bone)
            break;
        bones.insert(1, bone);
    }
    return bones;
}

void VxNewChainDlg::accept()
{
    const QString name = m_name->text().simplified().remove(QLatin1Char(' '));
    if (name.isEmpty()) {
        QMessageBox::warning(this, tr("Chain Name Error"), tr("Please enter a valid name."), QMessageBox::Ok);
        return;
    }
    if (!m_document)
        return;
    for (int i = 0; i < m_document->getNumIKChains(); ++i) {
        if (m_document->getIKChain(i)->getName() == name) {
            QMessageBox::warning(this, tr("Chain Name Error"), tr("The chain name must be unique."), QMessageBox::Ok);
            return;
        }
    }
    const QList<VxFSHierarchyItem*> bones = chainBones();
    m_chain = m_document->createIKChain(name);
    for (VxFSHierarchyItem* bone : bones)
        m_chain->addLink(bone, 0.0f);
    // The weights rise evenly to 1, as "Recalculate Weights" sets them.
    m_chain->distributeWeights();
    QDialog::accept();
}
