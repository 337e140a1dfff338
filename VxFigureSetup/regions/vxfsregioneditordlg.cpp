#include "vxfsregioneditordlg.h"

#include "vxfsgeometryregionmodel.h"
#include "vxfsgeometryregiontreeview.h"

#include "vxgeometryregion.h"
#include "vxnode.h"
#include "vxshape.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

VxFsRegionEditorDlg::VxFsRegionEditorDlg(QWidget* parent, VxNode* figure)
    : VxBasicDialog(parent, QStringLiteral("FigureSetupRegionEditorDlg")),
      m_figure(figure),
      m_treeView(nullptr),
      m_reparentButton(new QRadioButton(tr("Reparent"))),
      m_reorderButton(new QRadioButton(tr("Reorder")))
{
    setWindowTitle(tr("Region Editor"));
    showCancelButton(false);
    showAcceptButton(true);
    setAcceptButtonText(tr("Finished"));

    if (figure)
        m_shape = VxShape::getCurrentShapeForNode(figure);
    if (m_shape)
        connect(m_shape, &VxShape::geometryRegionChanged, this, &VxFsRegionEditorDlg::refreshRegions);

    m_treeView = new VxFSGeometryRegionTreeView(nullptr, m_shape.data());
    addWidget(m_treeView);
    refreshRegions();

    auto* dropMode = new QGroupBox(tr("Drop Mode"));
    dropMode->setObjectName(QStringLiteral("FigureSetupRegionEditorDropModeGBox"));
    auto* dropModeLayout = new QHBoxLayout(dropMode);
    m_reparentButton->setObjectName(QStringLiteral("FigureSetupRegionEditorReparentRBtn"));
    m_reorderButton->setObjectName(QStringLiteral("FigureSetupRegionEditorReorderRBtn"));
    m_reparentButton->setChecked(true);
    dropModeLayout->addWidget(m_reparentButton);
    dropModeLayout->addWidget(m_reorderButton);
    connect(m_reparentButton, &QRadioButton::clicked, this, &VxFsRegionEditorDlg::updateDropMode);
    connect(m_reorderButton, &QRadioButton::clicked, this, &VxFsRegionEditorDlg::updateDropMode);
    addWidget(dropMode);

    resize(320, 420);
}

VxFsRegionEditorDlg::~VxFsRegionEditorDlg() = default;

void VxFsRegionEditorDlg::updateDropMode()
{
    m_treeView->getRegionModel()->setReorder(m_reorderButton->isChecked());
}

// Any structural change rebuilds the whole tree: region trees are small, and rebuilding
// cannot get out of step with the host.
void VxFsRegionEditorDlg::refreshRegions()
{
    if (!m_shape)
        return;
    m_treeView->clearGroups();
    if (m_shownRoot)
        disconnect(m_shownRoot, nullptr, this, nullptr);
    m_shownRoot = m_shape->getGeometryRegion();
    if (!m_shownRoot)
        return;
    connect(m_shownRoot, &VxGeometryRegion::heirarchyChanged, this, &VxFsRegionEditorDlg::refreshRegions);
    m_treeView->addRegion(m_shownRoot);
}
