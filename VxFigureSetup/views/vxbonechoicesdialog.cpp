#include "vxbonechoicesdialog.h"

#include "vxdialogmetrics.h"
#include "vxselectedboneitems.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QTreeWidget>

namespace {
// The width of one step of indentation in the boxes' grid: a column that holds no widget
// of its own would otherwise take no room.
constexpr int kIndent = 18;
} // namespace

VxBoneChoicesDialog::VxBoneChoicesDialog(QTreeWidget* view, const QString& name, const QString& severalBonesWarning,
                                         int indentColumns)
    : VxBasicDialog(view, name), m_view(view)
{
    const QList<VxFSHierarchyItem*> bones = selectedBones();
    const int selectedItems = VxSelectedBoneItems::items(view).size();
    if (selectedItems == 1 && !bones.isEmpty())
        m_singleBone = bones.first();
    if (selectedItems > 1) {
        auto* warning = new QLabel(severalBonesWarning, this);
        warning->setObjectName(QStringLiteral("VxSelectJointsParamsWarningLbl"));
        addWidget(warning);
    }
    auto* group = new QGroupBox(this);
    m_grid = new QGridLayout(group);
    const int margin = VxDialogMetrics::margin(this);
    m_grid->setContentsMargins(margin, margin, margin, margin);
    m_grid->setSpacing(margin);
    for (int column = 0; column < indentColumns; ++column)
        m_grid->setColumnMinimumWidth(column, kIndent);
    addWidget(group);
}

QCheckBox* VxBoneChoicesDialog::addBox(const QString& text, const QString& name, int row, int column, int columnSpan)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(name);
    m_grid->addWidget(box, row, column, 1, columnSpan);
    return box;
}

void VxBoneChoicesDialog::finishLayout()
{
    layout()->activate();
    setMaximumSize(minimumSize());
}

QList<VxFSHierarchyItem*> VxBoneChoicesDialog::selectedBones() const
{
    return VxSelectedBoneItems::bones(m_view);
}
