#pragma once

#include "vxsdkglobal.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QDockWidget;
class VxMainWindow;
class VxPane;

// Docks the host's panes in the main window (VxMainWindow::getPaneMgr): the host's own and
// one of every pane class a loaded plug-in registers. Each pane lives in a QDockWidget
// named after the pane's class, with a VxPaneTitleBar; the dock allows what the pane's
// getPaneFlags() allows.
//
// Settings: each pane reads and writes its own group "Panes/<class name>"; the window's
// geometry and the dock layout (QMainWindow::saveState) live in the group "MainWindow".
// The host calls readSettings() once its panes are docked and writeSettings() at exit.
class VXSDK_EXPORT VxPaneMgr : public QObject
{
    Q_OBJECT
public:
    explicit VxPaneMgr(VxMainWindow* window);
    ~VxPaneMgr() override;

    // Docks the pane in `area`; the dock (and with it the pane) belongs to the window.
    // Null when the pane is null or docked already, or a pane of its class is.
    QDockWidget* addPane(VxPane* pane, Qt::DockWidgetArea area);
    // Creates and docks one pane of every registered class that inherits VxPane and has
    // none docked yet, in registration order; returns the new panes.
    QList<VxPane*> createRegisteredPanes(Qt::DockWidgetArea area = Qt::RightDockWidgetArea);

    // The pane of that class name (or, failing that, that object name); null when absent.
    VxPane* findPane(const QString& name) const;
    const QList<VxPane*>& getPanes() const { return m_panes; }
    QDockWidget* getDock(const VxPane* pane) const;

    // Opens (and raises) or closes the pane's dock.
    void showPane(VxPane* pane, bool show);
    // True while the pane's dock is open, even when another tab covers it.
    bool isPaneOpen(const VxPane* pane) const;

    void readSettings();
    void writeSettings();
    static QString settingsGroup(const VxPane* pane);

signals:
    void paneAdded(VxPane* pane);

private:
    VxMainWindow* m_window;
    QList<VxPane*> m_panes;
    QHash<const VxPane*, QDockWidget*> m_docks;
};
