#include "vxpanemgr.h"

#include "vxapp.h"
#include "vxappsettings.h"
#include "vxclassfactory.h"
#include "vxmainwindow.h"
#include "vxpane.h"
#include "vxpanetitlebar.h"

#include <QDockWidget>

namespace {
const QString kWindowGroup = QStringLiteral("MainWindow");
const QString kGeometryKey = QStringLiteral("Geometry");
const QString kDockStateKey = QStringLiteral("DockState");

QString className(const QObject* object)
{
    return QString::fromLatin1(object->metaObject()->className());
}

QDockWidget::DockWidgetFeatures dockFeatures(int paneFlags)
{
    QDockWidget::DockWidgetFeatures features = QDockWidget::NoDockWidgetFeatures;
    if (paneFlags & VxPane::Closable)
        features |= QDockWidget::DockWidgetClosable;
    if (paneFlags & VxPane::Movable)
        features |= QDockWidget::DockWidgetMovable;
    if (paneFlags & VxPane::Floatable)
        features |= QDockWidget::DockWidgetFloatable;
    return features;
}
} // namespace

VxPaneMgr::VxPaneMgr(VxMainWindow* window) : QObject(window), m_window(window) {}

VxPaneMgr::~VxPaneMgr() = default;

QDockWidget* VxPaneMgr::addPane(VxPane* pane, Qt::DockWidgetArea area)
{
    if (!pane || m_docks.contains(pane) || findPane(className(pane)))
        return nullptr;
    auto* dock = new QDockWidget(pane->getTitle(), m_window);
    // saveState and restoreState find docks by object name.
    dock->setObjectName(className(pane) + QStringLiteral("Dock"));
    dock->setFeatures(dockFeatures(pane->getPaneFlags()));
    dock->setWidget(pane);
    dock->setTitleBarWidget(new VxPaneTitleBar(pane, dock));
    m_window->addDockWidget(area, dock);
    m_panes.append(pane);
    m_docks.insert(pane, dock);
    connect(pane, &QObject::destroyed, this, [this, pane] {
        m_panes.removeOne(pane);
        m_docks.remove(pane);
    });
    emit paneAdded(pane);
    return dock;
}

QList<VxPane*> VxPaneMgr::createRegisteredPanes(Qt::DockWidgetArea area)
{
    QList<VxPane*> created;
    if (!vxApp)
        return created;
    for (VxClassFactory* factory : vxApp->getClassFactories()) {
        const QMetaObject* meta = factory->getMetaObject();
        if (!meta || !meta->inherits(&VxPane::staticMetaObject) || findPane(factory->className()))
            continue;
        QObject* instance = factory->createInstance();
        auto* pane = qobject_cast<VxPane*>(instance);
        if (!pane) {
            vxApp->log(tr("The factory of %1 created no pane; it is left out of the window.").arg(factory->className()));
            delete instance;
            continue;
        }
        addPane(pane, area);
        created.append(pane);
    }
    return created;
}

VxPane* VxPaneMgr::findPane(const QString& name) const
{
    for (VxPane* pane : m_panes) {
        if (className(pane) == name)
            return pane;
    }
    for (VxPane* pane : m_panes) {
        if (pane->objectName() == name)
            return pane;
    }
    return nullptr;
}

QDockWidget* VxPaneMgr::getDock(const VxPane* pane) const
{
    return m_docks.value(pane);
}

void VxPaneMgr::showPane(VxPane* pane, bool show)
{
    QDockWidget* dock = getDock(pane);
    if (!dock)
        return;
    dock->setVisible(show);
    if (show)
        dock->raise();
}

bool VxPaneMgr::isPaneOpen(const VxPane* pane) const
{
    const QDockWidget* dock = getDock(pane);
    return dock && !dock->isHidden();
}

QString VxPaneMgr::settingsGroup(const VxPane* pane)
{
    return QStringLiteral("Panes/") + className(pane);
}

void VxPaneMgr::readSettings()
{
    for (VxPane* pane : qAsConst(m_panes)) {
        VxAppSettings settings(settingsGroup(pane));
        pane->readSettings(settings);
    }
    const VxAppSettings window(kWindowGroup);
    const QByteArray geometry = QByteArray::fromBase64(window.getStringValue(kGeometryKey).toLatin1());
    const QByteArray state = QByteArray::fromBase64(window.getStringValue(kDockStateKey).toLatin1());
    if (!geometry.isEmpty())
        m_window->restoreGeometry(geometry);
    if (!state.isEmpty())
        m_window->restoreState(state);
}

void VxPaneMgr::writeSettings()
{
    for (VxPane* pane : qAsConst(m_panes)) {
        VxAppSettings settings(settingsGroup(pane));
        pane->writeSettings(settings);
    }
    VxAppSettings window(kWindowGroup);
    window.setStringValue(kGeometryKey, QString::fromLatin1(m_window->saveGeometry().toBase64()));
    window.setStringValue(kDockStateKey, QString::fromLatin1(m_window->saveState().toBase64()));
}
