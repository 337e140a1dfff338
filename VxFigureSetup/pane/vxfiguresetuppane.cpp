#include "vxfiguresetuppane.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxgeometrylistview.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxiklistview.h"
#include "vxnewchaindlg.h"

#include "vxactionmenu.h"
#include "vxapp.h"
#include "vxappsettings.h"
#include "vxassetmgr.h"
#include "vxdynamicdividerwgt.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxscene.h"
#include "vxstyle.h"
#include "vxstyledbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const char kGeomDividerExtent[] = "GeomDividerExtent";
const char kIKDividerExtent[] = "IKDividerExtent";
constexpr int kDefaultDividerExtent = 130;
// Both bars show grip dots and the arrow of the side a double-click folds; the side that
// folds keeps its extent when the pane is resized, so the views beside it get the room.
constexpr int kBarStyle = VxDynamicDividerWgt::BarGripAndArrow;
constexpr int kResizeType = VxDynamicDividerWgt::ResizeKeepToggleSide;

QBoxLayout* layoutWith(QBoxLayout* layout, int margin, int spacing)
{
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    return layout;
}

QLabel* namedLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}
} // namespace

VxFigureSetupPane::VxFigureSetupPane() : VxPane(tr("Figure Setup"))
{
    setObjectName(QStringLiteral("Figure Setup"));
    // The host style's spacing and control height, so the pane matches the host's dialogs.
    const int spacing = style()->pixelMetric(QStyle::PM_CustomBase, nullptr, this);
    const int controlHeight = style()->pixelMetric(QStyle::PixelMetric(QStyle::PM_CustomBase + 1), nullptr, this);

    auto* mainLayout = layoutWith(new QVBoxLayout(this), 0, 0);
    QWidget* header = createHeader(spacing, controlHeight);
    mainLayout->addWidget(header);
    setBackgroundHeaderGuide(header);

    // Each view sits below its label in a container of its own, which the dividers share out.
    auto* hierarchyContainer = new QWidget(this);
    m_relationshipsView = new VxHierarchyEditorView(this, hierarchyContainer);
    m_relationshipsView->setObjectName(QStringLiteral("FigureSetupHierarchyView"));
    fillViewContainer(hierarchyContainer, QStringLiteral("FigureSetupHierarchyViewContainerWgt"),
                      namedLabel(tr("Relationships :"), QStringLiteral("FigureSetupHierarchyViewLbl"), hierarchyContainer),
                      m_relationshipsView, spacing);

    m_ikContainer = new QWidget(this);
    m_ikView = new VxIKListView(this, m_ikContainer, QStringLiteral("FigureSetupIKView"));
    fillViewContainer(m_ikContainer, QStringLiteral("FigureSetupIKViewContainerWgt"),
                      namedLabel(tr("IK Chains :"), QStringLiteral("FigureSetupIKChainViewLbl"), m_ikContainer),
                      m_ikView, spacing);

    auto* geometryContainer = new QWidget(this);
    m_geometryView = new VxGeometryListView(this, geometryContainer);
    m_geometryView->setObjectName(QStringLiteral("FigureSetupGeometryView"));
    fillViewContainer(geometryContainer, QStringLiteral("FigureSetupGeometryViewContainerWgt"),
                      namedLabel(tr("Geometry List :"), QStringLiteral("FigureSetupGeometryViewLbl"), geometryContainer),
                      m_geometryView, spacing);

    createDividers(hierarchyContainer, geometryContainer);
    mainLayout->addWidget(m_leftRightDivider, 1);

    QWidget* footer = createFooter(spacing);
    mainLayout->addWidget(footer);
    setBackgroundFooterGuide(footer);
    setMinimumSize(minimumSizeHint());

    setHierarchy(new VxFSHierarchy(QString()));

    connect(this, &VxFigureSetupPane::newIKChainCreated, m_ikView, &VxIKListView::newIKChainCreated);
    connect(m_relationshipsView, &VxHierarchyEditorView::figureChanged, this, &VxFigureSetupPane::figureChanged);
    connect(this, &VxPane::visibilityChanged, this, &VxFigureSetupPane::paneShown);
    connectViews();

    figureChanged(m_document->getFigureType());
}

VxFigureSetupPane::~VxFigureSetupPane()
{
    // The document first: the views still hold it and drop their items as it goes.
    delete m_document;
    m_document = nullptr;
    delete m_relationshipsView;
    delete m_geometryView;
    delete m_ikView;
}

QWidget* VxFigureSetupPane::createHeader(int spacing, int controlHeight)
{
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("FigureSetupRiggingTypeContainer"));
    auto* row = layoutWith(new QHBoxLayout(header), spacing, spacing);

    row->addWidget(namedLabel(tr("Rigging Type :"), QStringLiteral("FigureSetupRiggingTypeLbl"), header));
    m_riggingTypeCombo = new QComboBox(header);
    m_riggingTypeCombo->setObjectName(QStringLiteral("FigureSetupRiggingTypeCbx"));
    m_riggingTypeCombo->setFixedHeight(controlHeight);
    m_riggingTypeCombo->addItem(tr("Orbix Weighted"));
    m_riggingTypeCombo->addItem(tr("Parametric (Legacy)"));
    m_riggingTypeCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    row->addWidget(m_riggingTypeCombo, 1);
    connect(m_riggingTypeCombo, QOverload<int>::of(&QComboBox::activated), this,
            &VxFigureSetupPane::changeRiggingType);

    row->addItem(new QSpacerItem(spacing, spacing, QSizePolicy::Minimum, QSizePolicy::Minimum));

    QLabel* contentLabel = namedLabel(tr("Content Type :"), QStringLiteral("FigureSetupContentTypeLbl"), header);
    row->addWidget(contentLabel);
    m_contentTypeCombo = new QComboBox(header);
    m_contentTypeCombo->setObjectName(QStringLiteral("FigureSetupContentTypeCbx"));
    m_contentTypeCombo->setFixedHeight(controlHeight);
    VxAssetMgr* assets = vxApp ? vxApp->getAssetMgr() : nullptr;
    if (assets) {
        m_contentTypeCombo->addItems(assets->getTypes());
    } else {
        m_contentTypeCombo->hide();
        contentLabel->hide();
    }
    row->addWidget(m_contentTypeCombo, 2);
    connect(m_contentTypeCombo, QOverload<int>::of(&QComboBox::activated), this,
            &VxFigureSetupPane::changeContentType);
    return header;
}

void VxFigureSetupPane::fillViewContainer(QWidget* container, const QString& name, QLabel* label, QWidget* view,
                                          int spacing)
{
    container->setObjectName(name);
    auto* column = layoutWith(new QVBoxLayout(container), spacing, spacing);
    column->addWidget(label);
    column->addWidget(view, 1);
}

void VxFigureSetupPane::createDividers(QWidget* hierarchyContainer, QWidget* geometryContainer)
{
    m_hierarchyIKDivider = new VxDynamicDividerWgt(hierarchyContainer, m_ikContainer, this, Qt::Horizontal,
                                                   QStringLiteral("FigureSetupHierarchyIkDivider"), kBarStyle);
    m_hierarchyIKDivider->setToggleDirection(1);
    m_hierarchyIKDivider->setResizeType(kResizeType);
    m_hierarchyIKDivider->setMargin(0);

    m_leftRightDivider = new VxDynamicDividerWgt(geometryContainer, m_hierarchyIKDivider, this, Qt::Vertical,
                                                 QStringLiteral("FigureSetupLeftRightDidivder"), kBarStyle);
    m_leftRightDivider->setToggleDirection(0);
    m_leftRightDivider->setResizeType(kResizeType);
    m_leftRightDivider->setMargin(0);
}

QWidget* VxFigureSetupPane::createFooter(int spacing)
{
    auto* footer = new QWidget(this);
    footer->setObjectName(QStringLiteral("FigureSetupCreateContainerWgt"));
    auto* rows = layoutWith(new QVBoxLayout(footer), spacing, spacing);

    auto* subDRow = layoutWith(new QHBoxLayout, spacing, spacing);
    m_applySubDCheckBox = new QCheckBox(tr("Apply SubD"), footer);
    m_applySubDCheckBox->setObjectName(QStringLiteral("FigureSetupApplySubDCbx"));
    connect(m_applySubDCheckBox, &QCheckBox::clicked, this, &VxFigureSetupPane::applySubDChanged);
    subDRow->addWidget(m_applySubDCheckBox);
    subDRow->addStretch();
    rows->addLayout(subDRow);

    auto* createRow = layoutWith(new QHBoxLayout, spacing, spacing);
    m_modifySelectedCheckBox = new QCheckBox(tr("Modify Selected Figure"), footer);
    m_modifySelectedCheckBox->setObjectName(QStringLiteral("FigureSetupModifySelectedCbx"));
    connect(m_modifySelectedCheckBox, &QCheckBox::clicked, this, &VxFigureSetupPane::applyToFigureChanged);
    createRow->addWidget(m_modifySelectedCheckBox);
    createRow->addStretch();
    m_createButton = new VxStyledButton(tr("Create"), footer);
    m_createButton->setObjectName(QStringLiteral("FigureSetupCreateFigureBtn"));
    m_createButton->setCustomPrimitive(VxStyle::PE_AccentButton);
    m_createButton->setCustomTextStyle(VxStyle::TextStyleAccent);
    connect(m_createButton, &QPushButton::clicked, this, &VxFigureSetupPane::createFigure);
    createRow->addWidget(m_createButton);
    rows->addLayout(createRow);
    return footer;
}

void VxFigureSetupPane::connectViews()
{
    connect(m_relationshipsView, &VxHierarchyEditorView::createIKChainRequested, this,
            QOverload<const QString&>::of(&VxFigureSetupPane::createIKChain));
    // The IK view names the bones when one was dropped on its empty area; from its menu it
    // names none, and the dialog starts empty.
    connect(m_ikView, &VxIKListView::createIKChainRequested, this,
            [this](const QString& source, const QList<QTreeWidgetItem*>& boneItems) {
                if (boneItems.isEmpty())
                    createIKChain(source);
                else
                    runNewChainDialog(boneItems);
            });
    // Removing a geometry renumbers the others, whose IDs the relationships view shows too.
    connect(m_geometryView, &VxGeometryListView::geomSelectionChanged, m_relationshipsView, [this] {
        if (VxHierarchyItem* root = m_relationshipsView->getRootItem())
            root->refresh(true);
    });
}

void VxFigureSetupPane::setHierarchy(VxFSHierarchy* document)
{
    if (!document)
        return;
    VxFSHierarchy* previous = m_document;
    m_document = document;
    m_relationshipsView->fromHierarchy(document);
    m_ikView->setHierarchy(document);
    m_geometryView->setHierarchy(document);
    if (previous != document)
        delete previous;

    m_riggingTypeCombo->setCurrentIndex(document->getFigureType() == Poser ? 1 : 0);
    const int content = m_contentTypeCombo->findText(document->getContentType(),
                                                     Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (content >= 0)
        m_contentTypeCombo->setCurrentIndex(content);
    m_applySubDCheckBox->setChecked(document->getApplySubD());
    figureChanged(document->getFigureType());
}

void VxFigureSetupPane::clearHierarchy()
{
    m_relationshipsView->clear();
    m_ikView->setHierarchy(nullptr);
    m_document->clear(true);
    m_relationshipsView->fromHierarchy(m_document);
    m_ikView->setHierarchy(m_document);
    m_geometryView->setHierarchy(m_document);
}

void VxFigureSetupPane::createIKChain(const QString& source)
{
    QList<QTreeWidgetItem*> boneItems;
    if (source == QLatin1String("HierarchyView")) {
        for (QTreeWidgetItem* item : m_relationshipsView->selectedItemsInTreeOrder()) {
            if (item->type() == VxHierarchyBoneItem::Type)
                boneItems.append(item);
        }
    }
    runNewChainDialog(boneItems);
}

void VxFigureSetupPane::createIKChain(QTreeWidgetItem* item)
{
    runNewChainDialog(item ? QList<QTreeWidgetItem*>{item} : QList<QTreeWidgetItem*>());
}

void VxFigureSetupPane::runNewChainDialog(const QList<QTreeWidgetItem*>& items)
{
    VxNewChainDlg dialog(this, items, m_document);
    dialog.exec();
    if (VxFSHierarchyIKChain* chain = dialog.getChain())
        emit newIKChainCreated(chain);
}

void VxFigureSetupPane::createFigure()
{
    const bool modify = m_modifySelectedCheckBox->isEnabled() && m_modifySelectedCheckBox->isChecked();
    m_document->createFigure(modify);
}

void VxFigureSetupPane::changeRiggingType(int idx)
{
    m_document->setFigureType(idx == 1 ? Poser : SingleSkin);
}

void VxFigureSetupPane::changeContentType(int /*idx*/)
{
    m_document->setContentType(m_contentTypeCombo->currentText());
}

void VxFigureSetupPane::applySubDChanged(bool onOff)
{
    if (m_document)
        m_document->setApplySubD(onOff);
}

void VxFigureSetupPane::figureChanged(VxFigureSetupFigureType type)
{
    const bool parametric = type == Poser;
    if (parametric) {
        m_modifySelectedCheckBox->setText(tr("Modify Selected Figure"));
        if (m_modifySelectedCheckBox->isChecked())
            m_createButton->setText(tr("Apply"));
    } else {
        m_modifySelectedCheckBox->setText(tr("Launch Transfer Wizard"));
        m_createButton->setText(tr("Create"));
    }
    // Only parametric figures have IK chains: for the others the chain list folds away and
    // stays folded.
    m_ikContainer->setEnabled(parametric);
    m_ikView->setEnabled(parametric);
    if (m_hierarchyIKDivider->isToggled() == parametric)
        m_hierarchyIKDivider->toggle();
    m_hierarchyIKDivider->setToggleEnabled(parametric);
    m_hierarchyIKDivider->setMovementEnabled(parametric);

    emit figureTypeChanged(type);
    refreshFromSelection();
}

void VxFigureSetupPane::applyToFigureChanged(bool onOff)
{
    m_createButton->setText(onOff && m_document->getFigureType() == Poser ? tr("Apply") : tr("Create"));
    refreshFromSelection();
}

void VxFigureSetupPane::primarySelectionChanged(VxNode* node)
{
    const bool possible = canModify(node);
    m_modifySelectedCheckBox->setEnabled(possible);
    if (m_document->getFigureType() == Poser)
        m_createButton->setText(possible && m_modifySelectedCheckBox->isChecked() ? tr("Apply") : tr("Create"));
}

bool VxFigureSetupPane::canModify(VxNode* node) const
{
    VxSkeleton* skeleton = node ? node->getSkeleton() : nullptr;
    if (m_document->getFigureType() != Poser)
        return qobject_cast<VxFigure*>(skeleton) != nullptr;
    // A parametric document applies only to the figure it was copied from.
    auto* figure = qobject_cast<VxLegacyFigure*>(skeleton);
    return figure && !figure->objectName().isEmpty() && figure->objectName() == m_document->getSourceFigureName();
}

void VxFigureSetupPane::refreshFromSelection()
{
    primarySelectionChanged(vxScene ? vxScene->getPrimarySelection() : nullptr);
}

void VxFigureSetupPane::paneShown(bool onOff)
{
    if (!vxScene)
        return;
    if (onOff) {
        connect(vxScene, &VxScene::primarySelectionChanged, this, &VxFigureSetupPane::primarySelectionChanged,
                Qt::UniqueConnection);
        refreshFromSelection();
    } else {
        disconnect(vxScene, &VxScene::primarySelectionChanged, this, &VxFigureSetupPane::primarySelectionChanged);
    }
}

void VxFigureSetupPane::readSettings(VxAppSettings& settings)
{
    m_leftRightDivider->setPreferredWidgetExtent(
        0, settings.getIntValue(QLatin1String(kGeomDividerExtent), kDefaultDividerExtent));
    m_hierarchyIKDivider->setPreferredWidgetExtent(
        1, settings.getIntValue(QLatin1String(kIKDividerExtent), kDefaultDividerExtent));
}

void VxFigureSetupPane::writeSettings(VxAppSettings& settings)
{
    settings.setIntValue(QLatin1String(kGeomDividerExtent), m_leftRightDivider->getPreferredWidgetExtent());
    settings.setIntValue(QLatin1String(kIKDividerExtent), m_hierarchyIKDivider->getPreferredWidgetExtent());
}

void VxFigureSetupPane::fillOptionsMenu(VxActionMenu* menu)
{
    if (!menu)
        return;
    // "Create Figure" is left out: the Create button serves instead.
    menu->insertAction(QStringLiteral("VxFSCopyFromFigureAction"), -1);
    menu->insertSeparator(-1);
    menu->insertAction(QStringLiteral("VxFSLoadPresetAction"), -1);
    menu->insertAction(QStringLiteral("VxFSSavePresetAction"), -1);
    menu->insertSeparator(-1);
    menu->insertAction(QStringLiteral("VxFSLoadPHIAction"), -1);
    menu->insertSeparator(-1);
    menu->insertAction(QStringLiteral("VxFSClearHierarchyAction"), -1);
    menu->insertSeparator(-1);
    menu->insertAction(QStringLiteral("VxFSRegionEditorAction"), -1);
}

int VxFigureSetupPane::getPaneFlags() const
{
    return Closable | Movable | Floatable;
}
