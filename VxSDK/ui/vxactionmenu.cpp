#include "vxactionmenu.h"

#include "vxaction.h"
#include "vxactionregistry.h"
#include "vxapp.h"
#include "vxmainwindow.h"

VxActionMenu::VxActionMenu(QWidget* parent) : QMenu(parent) {}

VxActionMenu::~VxActionMenu() = default;

QAction* VxActionMenu::insertAction(const QString& className, int index)
{
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    VxAction* action = window ? window->getActionRegistry().getAction(className) : nullptr;
    if (!action) {
        if (vxApp)
            vxApp->log(tr("The menu entry %1 is left out: no action of that class is registered.").arg(className));
        return nullptr;
    }
    QMenu::insertAction(entryAt(index), action);
    return action;
}

QAction* VxActionMenu::insertSeparator(int index)
{
    return QMenu::insertSeparator(entryAt(index));
}

QAction* VxActionMenu::entryAt(int index) const
{
    const QList<QAction*> entries = actions();
    return index >= 0 && index < entries.size() ? entries.at(index) : nullptr;
}
