#include "vxnewbonesequencedlg.h"

#include "vxdialogmetrics.h"
#include "vxhierarchybonecontaineritem.h"
#include "vxhierarchyboneitem.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {
QSpinBox* rangeBox(const QString& name, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, 100);
    box->setSingleStep(1);
    return box;
}
} // namespace

VxNewBoneSequenceDlg::VxNewBoneSequenceDlg(QTreeWidget* view, QTreeWidgetItem* target, VxFSHierarchy* document)
    : VxBasicDialog(view, QStringLiteral("VxNewBoneSequenceDlg")), m_target(target), m_document(document)
{
    setWindowTitle(tr("Create Bone Sequence"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Bone Prefix:"), this), 0, 0);
    m_prefix = new QLineEdit(this);
    m_prefix->setObjectName(QStringLiteral("VxBoneSequencePrefixEdit"));
    grid->addWidget(m_prefix, 0, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Sequence Start:"), this), 1, 0);
    m_start = rangeBox(QStringLiteral("VxBoneSequenceStartRangeBox"), this);
    grid->addWidget(m_start, 1, 1);
    grid->addWidget(new QLabel(tr("Sequence End:"), this), 2, 0);
    m_end = rangeBox(QStringLiteral("VxBoneSequenceEndRangeBox"), this);
    grid->addWidget(m_end, 2, 1);
    m_padSuffix = new QCheckBox(tr("Apply Zero Padding to Suffix"), this);
    m_padSuffix->setObjectName(QStringLiteral("VxBoneSequencePadSuffixCbx"));
    grid->addWidget(m_padSuffix, 3, 0, 1, 3);

    auto* propagation = new QGroupBox(tr("Propagation:"), this);
    propagation->setObjectName(QStringLiteral("VxBoneSequencePropagationGrp"));
    auto* choices = new QHBoxLayout(propagation);
    const int margin = VxDialogMetrics::margin(this);
    choices->setContentsMargins(margin, margin, margin, margin);
    auto* group = new QButtonGroup(propagation);
    m_cascade = new QRadioButton(tr("Cascading"), propagation);
    m_cascade->setObjectName(QStringLiteral("VxBoneSequenceCascadeBtn"));
    m_cascade->setChecked(true);
    m_siblings = new QRadioButton(tr("As Siblings"), propagation);
    m_siblings->setObjectName(QStringLiteral("VxBoneSequenceSiblingsBtn"));
    group->addButton(m_cascade);
    group->addButton(m_siblings);
    choices->addWidget(m_cascade);
    choices->addWidget(m_siblings);
    grid->addWidget(propagation, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);
    addLayout(grid);

    connect(m_start, QOverload<int>::of(&QSpinBox::valueChanged), this, &VxNewBoneSequenceDlg::rangeChanged);
    connect(m_end, QOverload<int>::of(&QSpinBox::valueChanged), this, &VxNewBoneSequenceDlg::rangeChanged);
}

void VxNewBoneSequenceDlg::rangeChanged(int /*value*/)
{
    if (m_end->value() >= m_start->value())
        return;
    if (sender() == m_start)
        m_end->setValue(m_start->value());
    else if (sender() == m_end)
        m_start->setValue(m_end->value());
}

QStringList VxNewBoneSequenceDlg::sequenceNames() const
{
    const int width = QString::number(m_end->value()).size();
    QStringList names;
    for (int i = m_start->value(); i <= m_end->value(); ++i) {
        const QString suffix = m_padSuffix->isChecked() ? QString::number(i).rightJustified(width, QLatin1Char('0'))
                                                        : QString::number(i);
        names.append(m_prefix->text() + suffix);
    }
    return names;
}

bool VxNewBoneSequenceDlg::anyNameTaken() const
{
    // The plain numbers are checked as well as the names to be made, so that finger1 is
    // refused beside finger01 and a padded name never falls to the renaming rule.
    QStringList names = sequenceNames();
    for (int i = m_start->value(); i <= m_end->value(); ++i)
        names.append(m_prefix->text() + QString::number(i));
    for (const QString& name : qAsConst(names)) {
        if (m_document->findBone(name))
            return true;
    }
    return false;
}

void VxNewBoneSequenceDlg::accept()
{
    if (m_prefix->text().isEmpty()) {
        QMessageBox::warning(this, tr("Bone Prefix Error"), tr("Please enter a valid prefix."), QMessageBox::Ok);
        return;
    }
    if (!m_document || !m_target)
        return;
    if (anyNameTaken()) {
        QMessageBox::warning(this, tr("Bone Suffix Error"), tr("One of the bone names already exists."),
                             QMessageBox::Ok);
        return;
    }
    QTreeWidgetItem* parentItem = m_target;
    for (const QString& name : sequenceNames()) {
        VxFSHierarchyItem* bone = nullptr;
        auto* parentBoneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(parentItem);
        if (parentItem->type() == VxHierarchyBoneContainerItem::Type)
            bone = new VxFSHierarchyItem(m_document.data(), name);
        else if (parentBoneItem && parentBoneItem->getBone())
            bone = new VxFSHierarchyItem(parentBoneItem->getBone(), name);
        if (!bone)
            continue;
        // Made whole before it joins the tree: the view takes any change of an item's text
        // there for a rename by the user.
        auto* item = new VxHierarchyBoneItem(bone, nullptr);
        item->setBone(bone);
        VxHierarchyTreeItem::place(item, parentItem, VxHierarchyTreeItem::lastChild(parentItem));
        if (m_cascade->isChecked())
            parentItem = item;
    }
    QDialog::accept();
}
