#include "vxactionregistry.h"

#include "vxaction.h"
#include "vxapp.h"
#include "vxclassfactory.h"

VxActionRegistry::VxActionRegistry(QObject* owner) : m_owner(owner) {}

// The actions are children of the owner, which deletes them.
VxActionRegistry::~VxActionRegistry() = default;

VxAction* VxActionRegistry::getAction(const QString& className)
{
    if (VxAction* existing = m_byClass.value(className))
        return existing;
    VxClassFactory* factory = vxApp ? vxApp->findClassFactory(className) : nullptr;
    if (!factory || !factory->getMetaObject() || !factory->getMetaObject()->inherits(&VxAction::staticMetaObject))
        return nullptr;
    QObject* instance = factory->createInstance();
    auto* action = qobject_cast<VxAction*>(instance);
    if (!action) {
        vxApp->log(QStringLiteral("The factory of %1 created no action; it is left out of the menus.").arg(className));
        delete instance;
        return nullptr;
    }
    action->setParent(m_owner);
    m_byClass.insert(className, action);
    m_actions.append(action);
    // init may look up other actions or panes; the action is registered before it runs.
    action->init();
    return action;
}

QList<VxAction*> VxActionRegistry::createRegisteredActions()
{
    QList<VxAction*> created;
    if (!vxApp)
        return created;
    for (VxClassFactory* factory : vxApp->getClassFactories()) {
        const QMetaObject* meta = factory->getMetaObject();
        if (!meta || !meta->inherits(&VxAction::staticMetaObject))
            continue;
        if (VxAction* action = getAction(factory->className()))
            created.append(action);
    }
    return created;
}

void VxActionRegistry::adopt(VxAction* action)
{
    if (!action || m_actions.contains(action))
        return;
    action->setParent(m_owner);
    m_actions.append(action);
}
