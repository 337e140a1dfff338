#include "vxactionmenubuilder.h"

#include "vxaction.h"
#include "vxactionregistry.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <utility>

namespace {
struct GroupedActions
{
    QString group;
    QList<VxAction*> actions;
};

QString plainTitle(QString title)
{
    return title.remove(QLatin1Char('&'));
}

// "VxHierarchyPane::Edit/Geometry" -> "Edit/Geometry".
QString withoutPaneScope(const QString& path)
{
    const int scope = path.indexOf(QLatin1String("::"));
    return scope < 0 ? path : path.mid(scope + 2);
}
} // namespace

VxActionMenuBuilder::VxActionMenuBuilder(QMenuBar* menuBar, VxActionRegistry& registry)
    : m_menuBar(menuBar), m_registry(registry)
{
    for (QAction* topLevel : m_menuBar->actions()) {
        if (topLevel->menu())
            m_menus.insert(plainTitle(topLevel->text()), topLevel->menu());
    }
}

QList<VxAction*> VxActionMenuBuilder::addRegisteredActions()
{
    const QList<VxAction*> created = m_registry.createRegisteredActions();
    placeActions(created);
    return created;
}

void VxActionMenuBuilder::placeActions(const QList<VxAction*>& actions)
{
    // Menu paths and groups keep the order in which they first appear.
    QList<QPair<QString, QList<GroupedActions>>> menus;
    for (VxAction* action : actions) {
        const QString path = withoutPaneScope(action->getDefaultMenuPath());
        const QString group = action->getActionGroup();
        auto menu = std::find_if(menus.begin(), menus.end(), [&](const auto& m) { return m.first == path; });
        if (menu == menus.end())
            menu = menus.insert(menus.end(), qMakePair(path, QList<GroupedActions>()));
        auto grouped = std::find_if(menu->second.begin(), menu->second.end(),
                                    [&](const GroupedActions& g) { return g.group == group; });
        if (grouped == menu->second.end())
            grouped = menu->second.insert(menu->second.end(), GroupedActions{group, {}});
        grouped->actions.append(action);
    }

    for (const auto& menu : std::as_const(menus)) {
        QMenu* target = menuForPath(menu.first);
        for (const GroupedActions& grouped : menu.second) {
            if (!target->actions().isEmpty())
                target->addSeparator();
            target->addActions(QList<QAction*>(grouped.actions.begin(), grouped.actions.end()));
        }
    }
}

QMenu* VxActionMenuBuilder::menuForPath(const QString& path)
{
    const QStringList parts = withoutPaneScope(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QMenu* menu = nullptr;
    QString key;
    for (const QString& part : parts.isEmpty() ? QStringList{QStringLiteral("&Tools")} : parts) {
        key += (key.isEmpty() ? QString() : QStringLiteral("/")) + plainTitle(part);
        QMenu* existing = m_menus.value(key);
        if (!existing) {
            existing = menu ? menu->addMenu(part) : m_menuBar->addMenu(part);
            m_menus.insert(key, existing);
        }
        menu = existing;
    }
    return menu;
}
