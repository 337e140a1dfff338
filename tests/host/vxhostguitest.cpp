#include "vxhostguitest.h"

#include "vxhostgui.h"
#include "vxpluginloader.h"

#include "vxclassfactory.h"

#include <QMenu>
#include <QMenuBar>

void VxHostGuiTest::TearDown()
{
    m_gui.reset();
    for (VxClassFactory* factory : qAsConst(m_factories)) {
        m_app->unregisterClassFactory(factory);
        delete factory;
    }
    m_factories.clear();
    VxSceneTest::TearDown();
}

void VxHostGuiTest::registerFactory(VxClassFactory* factory)
{
    m_factories.append(factory);
    m_app->registerClassFactory(factory);
}

VxHostGui& VxHostGuiTest::openWindow()
{
    m_gui.reset();
    m_gui = std::make_unique<VxHostGui>(m_loader);
    return *m_gui;
}

QStringList vxMenuEntries(const QMenu* menu)
{
    QStringList entries;
    if (!menu)
        return entries;
    for (const QAction* action : menu->actions())
        entries.append(action->isSeparator() ? QStringLiteral("--") : action->text().remove(QLatin1Char('&')));
    return entries;
}

QMenu* vxFindMenu(const QMenuBar* bar, const QString& path)
{
    QList<QAction*> entries = bar->actions();
    QMenu* menu = nullptr;
    for (const QString& title : path.split(QLatin1Char('/'))) {
        menu = nullptr;
        for (QAction* action : entries) {
            if (action->menu() && action->text().remove(QLatin1Char('&')) == title)
                menu = action->menu();
        }
        if (!menu)
            return nullptr;
        entries = menu->actions();
    }
    return menu;
}

QAction* vxFindMenuAction(const QMenuBar* bar, const QString& path, const QString& text)
{
    const QMenu* menu = vxFindMenu(bar, path);
    const int index = vxMenuEntries(menu).indexOf(text);
    return index < 0 ? nullptr : menu->actions().at(index);
}
