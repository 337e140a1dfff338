#include "vxpanetitlebar.h"

#include "vxactionmenu.h"
#include "vxpane.h"

#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

VxPaneTitleBar::VxPaneTitleBar(VxPane* pane, QDockWidget* dock)
    : QWidget(dock), m_pane(pane), m_dock(dock), m_optionsMenu(new VxActionMenu(this))
{
    setObjectName(QStringLiteral("VxPaneTitleBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(2);

    m_title = new QLabel(pane->getTitle(), this);
    m_title->setObjectName(QStringLiteral("VxPaneTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(m_title, 1);

    m_optionsButton = makeButton(QStringLiteral("VxPaneOptionsButton"), -1, tr("Options"));
    m_optionsButton->setArrowType(Qt::DownArrow);
    m_optionsButton->setMenu(m_optionsMenu);
    m_optionsButton->setPopupMode(QToolButton::InstantPopup);
    // The arrow is the button; the menu indicator would draw a second one.
    m_optionsButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    m_floatButton = makeButton(QStringLiteral("VxPaneFloatButton"), QStyle::SP_TitleBarNormalButton, tr("Float"));
    m_closeButton = makeButton(QStringLiteral("VxPaneCloseButton"), QStyle::SP_TitleBarCloseButton, tr("Close"));
    layout->addWidget(m_optionsButton);
    layout->addWidget(m_floatButton);
    layout->addWidget(m_closeButton);

    connect(m_optionsMenu, &QMenu::aboutToShow, this, &VxPaneTitleBar::fillOptionsMenu);
    connect(m_floatButton, &QToolButton::clicked, m_dock, [this] { m_dock->setFloating(!m_dock->isFloating()); });
    connect(m_closeButton, &QToolButton::clicked, m_dock, &QDockWidget::close);
    connect(m_dock, &QDockWidget::featuresChanged, this, &VxPaneTitleBar::followFeatures);
    connect(pane, &QWidget::windowTitleChanged, m_title, &QLabel::setText);
    followFeatures();
}

VxPaneTitleBar::~VxPaneTitleBar() = default;

QToolButton* VxPaneTitleBar::makeButton(const QString& objectName, int standardIcon, const QString& toolTip)
{
    auto* button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setAutoRaise(true);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    if (standardIcon >= 0)
        button->setIcon(style()->standardIcon(QStyle::StandardPixmap(standardIcon), nullptr, this));
    return button;
}

void VxPaneTitleBar::fillOptionsMenu()
{
    m_optionsMenu->clear();
    if (m_pane)
        m_pane->fillOptionsMenu(m_optionsMenu);
    if (m_optionsMenu->isEmpty())
        m_optionsMenu->addAction(tr("No options"))->setEnabled(false);
}

void VxPaneTitleBar::followFeatures()
{
    m_floatButton->setVisible(m_dock->features().testFlag(QDockWidget::DockWidgetFloatable));
    m_closeButton->setVisible(m_dock->features().testFlag(QDockWidget::DockWidgetClosable));
}
