#pragma once

#include "vxsdkglobal.h"

#include <QHash>
#include <QList>
#include <QString>

class QObject;
class VxAction;

// The host's one instance of each registered action class. Menus, the panes' options
// menus and scripts share it, so that an action's enabled and checked state is the same
// wherever it shows.
class VXSDK_EXPORT VxActionRegistry
{
public:
    // Actions are parented to `owner` (the main window).
    explicit VxActionRegistry(QObject* owner);
    ~VxActionRegistry();
    VxActionRegistry(const VxActionRegistry&) = delete;
    VxActionRegistry& operator=(const VxActionRegistry&) = delete;

    // The action of the class registered under `className`, created and initialised (init)
    // on the first request; null when no action class has that name or its factory made
    // no action (logged).
    VxAction* getAction(const QString& className);
    // The action when it was created already.
    VxAction* findAction(const QString& className) const { return m_byClass.value(className); }
    // Creates the action of every registered action class, in registration order.
    QList<VxAction*> createRegisteredActions();
    // Takes an action the host made itself (it is not registered by class).
    void adopt(VxAction* action);
    const QList<VxAction*>& getActions() const { return m_actions; }

private:
    QObject* m_owner;
    QHash<QString, VxAction*> m_byClass;
    QList<VxAction*> m_actions;
};
