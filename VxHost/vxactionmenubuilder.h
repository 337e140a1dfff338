#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QMenu;
class QMenuBar;
class QWidget;
class VxAction;

// Puts one instance of every registered action class into the menu bar. Each action goes
// into the menu its getDefaultMenuPath() names ("&Edit/Mesh &Smoothing" is the submenu
// "Mesh Smoothing" of "Edit"; menus are made on first use), next to the actions of the same
// getActionGroup(), with a separator between groups. init() is called once per action.
class VxActionMenuBuilder
{
public:
    // Actions are parented to `owner`, menus to the menu bar.
    VxActionMenuBuilder(QMenuBar* menuBar, QWidget* owner);

    // Creates and places the actions; returns them in registration order.
    QList<VxAction*> addRegisteredActions();

    // The menu for a path, created when missing. Top-level menus are matched by title.
    QMenu* menuForPath(const QString& path);

private:
    QMenuBar* m_menuBar;
    QWidget* m_owner;
    QHash<QString, QMenu*> m_menus;
};
