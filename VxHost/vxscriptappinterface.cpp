#include "vxscriptappinterface.h"

#include "vxmeshinfo.h"

#include "vxaction.h"
#include "vxactionregistry.h"
#include "vxapp.h"
#include "vxclassfactory.h"
#include "vxcontentmgr.h"
#include "vxmainwindow.h"
#include "vxpane.h"
#include "vxpanemgr.h"

#include <QScriptContext>

#include <memory>

VxScriptAppInterface::VxScriptAppInterface(QObject* parent) : QObject(parent) {}

void VxScriptAppInterface::log(const QString& line)
{
    vxApp->log(line);
}

QString VxScriptAppInterface::getDocumentationPath() const
{
    return vxApp->getDocumentationPath();
}

QString VxScriptAppInterface::getDocumentsPath() const
{
    return vxApp->getDocumentsPath();
}

QString VxScriptAppInterface::getDataPath() const
{
    return vxApp->getDataPath();
}

QStringList VxScriptAppInterface::getClassNames() const
{
    QStringList names;
    for (const VxClassFactory* factory : vxApp->getClassFactories())
        names.append(factory->className());
    return names;
}

void VxScriptAppInterface::addPoserDirectory(const QString& path)
{
    if (!vxApp->getContentMgr()->addPoserDirectory(path))
        throwError(QStringLiteral("%1 is not a folder").arg(path));
}

QString VxScriptAppInterface::findFile(const QString& path) const
{
    const int everywhere = VxContentMgr::PoserDirectories | VxContentMgr::ContentDirectories
        | VxContentMgr::DataDirectory | VxContentMgr::PoserGeometryFolders
        | VxContentMgr::PoserTextureFolders | VxContentMgr::DocumentsDirectory;
    return vxApp->getContentMgr()->findFile(path, everywhere);
}

QString VxScriptAppInterface::meshInfo(const QString& path)
{
    QByteArray json;
    QString error;
    if (!VxMeshInfo::describeFile(path, &json, &error)) {
        throwError(error);
        return QString();
    }
    return QString::fromUtf8(json);
}

void VxScriptAppInterface::queueFileDialogAnswer(const QString& fileName)
{
    VxMainWindow::queueFileDialogAnswer(fileName);
}

QStringList VxScriptAppInterface::getPaneNames() const
{
    QStringList names;
    if (VxMainWindow* window = vxApp->getInterface()) {
        for (const VxPane* pane : window->getPaneMgr().getPanes())
            names.append(QString::fromLatin1(pane->metaObject()->className()));
    }
    return names;
}

QObject* VxScriptAppInterface::findPane(const QString& name) const
{
    VxMainWindow* window = vxApp->getInterface();
    return window ? window->getPaneMgr().findPane(name) : nullptr;
}

void VxScriptAppInterface::runAction(const QString& className, const QVariantMap& settings)
{
    // The window's instance keeps its state (enabled, checked) the same in menus and scripts.
    if (VxMainWindow* window = vxApp->getInterface()) {
        VxAction* action = window->getActionRegistry().getAction(className);
        if (!action) {
            throwError(QStringLiteral("runAction: no action class is registered as \"%1\"").arg(className));
            return;
        }
        action->triggerWithSettings(settings);
        return;
    }
    VxClassFactory* factory = vxApp->findClassFactory(className);
    const QMetaObject* meta = factory ? factory->getMetaObject() : nullptr;
    if (!meta || !meta->inherits(&VxAction::staticMetaObject)) {
        throwError(QStringLiteral("runAction: no action class is registered as \"%1\"").arg(className));
        return;
    }
    std::unique_ptr<QObject> instance(factory->createInstance());
    auto* action = qobject_cast<VxAction*>(instance.get());
    if (!action) {
        throwError(QStringLiteral("runAction: the factory of \"%1\" made no action").arg(className));
        return;
    }
    action->init();
    action->triggerWithSettings(settings);
}

void VxScriptAppInterface::throwError(const QString& message)
{
    if (context())
        context()->throwError(message);
}
