#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QMenu;
class QMenuBar;
class VxAction;
class VxActionRegistry;

// Puts the host's instance of every registered action class into the menu bar. Each action
// goes into the menu its getDefaultMenuPath() names ("&Edit/Mesh &Smoothing" is the submenu
// "Mesh Smoothing" of "Edit"; menus are made on first use), next to the actions of the same
// getActionGroup(), with a separator between groups.
//
// A path may start with the class name of the pane whose menu it belongs to
// ("VxHierarchyPane::Edit/Geometry"). Panes have no menu bar of their own here, so such an
// action lands in the main window's menu of the rest of the path (Edit > Geometry).
class VxActionMenuBuilder
{
public:
    VxActionMenuBuilder(QMenuBar* menuBar, VxActionRegistry& registry);

    // Creates (through the registry) and places the actions; returns them in registration
    // order.
    QList<VxAction*> addRegisteredActions();
    // Places actions by their menu paths and groups, in the order given.
    void placeActions(const QList<VxAction*>& actions);

    // The menu for a path, created when missing. Top-level menus are matched by title
    // without '&'.
    QMenu* menuForPath(const QString& path);

private:
    QMenuBar* m_menuBar;
    VxActionRegistry& m_registry;
    QHash<QString, QMenu*> m_menus;
};
