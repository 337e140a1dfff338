#include "vxpaneaction.h"

#include "vxapp.h"
#include "vxmainwindow.h"
#include "vxpane.h"
#include "vxpanemgr.h"

#include <QDockWidget>
#include <QEvent>

VxPaneAction::VxPaneAction(const QString& paneClassName, QObject* parent)
    : VxAction(paneClassName, tr("Shows or hides the pane."), parent), m_paneClassName(paneClassName)
{
    setCheckable(true);
}

VxPaneAction::~VxPaneAction() = default;

VxPane* VxPaneAction::getPane() const
{
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    return window ? window->getPaneMgr().findPane(m_paneClassName) : nullptr;
}

void VxPaneAction::init()
{
    VxAction::init();
    followDock();
}

void VxPaneAction::followDock()
{
    VxPane* pane = getPane();
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    if (!pane || !window)
        return;
    setText(pane->getTitle());
    m_dock = window->getPaneMgr().getDock(pane);
    if (!m_dock)
        return;
    setChecked(!m_dock->isHidden());
    // The dock is opened and closed from many places (its title bar, a restored layout,
    // another entry); whatever does it, the dock learns it through these two events, even
    // while the window is not on screen.
    m_dock->installEventFilter(this);
}

bool VxPaneAction::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dock && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        setChecked(!m_dock->isHidden());
    return VxAction::eventFilter(watched, event);
}

QString VxPaneAction::getActionGroup() const
{
    return tr("Panes");
}

QString VxPaneAction::getDefaultMenuPath() const
{
    return QStringLiteral("&Window");
}

void VxPaneAction::executeAction()
{
    if (!m_dock)
        followDock();
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    VxPane* pane = getPane();
    if (!window || !pane) {
        setChecked(false);
        return;
    }
    window->getPaneMgr().showPane(pane, isChecked());
}
