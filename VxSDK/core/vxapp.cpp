#include "vxapp.h"

#include "vxassetmgr.h"
#include "vxclassfactory.h"
#include "vxcontentmgr.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <vector>

namespace {
VxApp* g_app = nullptr;

std::vector<VxApp::Extension>& extensions()
{
    static std::vector<VxApp::Extension> registered;
    return registered;
}
} // namespace

VxAppPaths VxAppPaths::defaults()
{
    VxAppPaths paths;
    paths.dataPath = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (paths.dataPath.isEmpty())
        paths.dataPath = QDir::homePath() + QStringLiteral("/.vxhost");
    paths.documentsPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (paths.documentsPath.isEmpty())
        paths.documentsPath = QDir::homePath();
    paths.documentationPath = QCoreApplication::applicationDirPath() + QStringLiteral("/docs");
    return paths;
}

VxApp::VxApp(const VxAppPaths& paths, QObject* parent)
    : QObject(parent), m_paths(paths)
{
    Q_ASSERT_X(!g_app, "VxApp", "only one application object may exist");
    g_app = this;
    QDir().mkpath(m_paths.dataPath);
    m_contentMgr = std::make_unique<VxContentMgr>();
    m_assetMgr = std::make_unique<VxAssetMgr>();
    for (Extension extension : extensions())
        extension(*this);
}

bool VxApp::registerExtension(Extension extension)
{
    if (!extension)
        return false;
    extensions().push_back(extension);
    return true;
}

void VxApp::adoptBuiltinFactory(VxClassFactory* factory)
{
    if (!factory || m_builtinFactories.contains(factory))
        return;
    m_builtinFactories.append(factory);
    registerClassFactory(factory);
}

VxApp::~VxApp()
{
    m_factories.clear();
    qDeleteAll(m_builtinFactories);
    if (m_busyDepth > 0 && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        while (m_busyDepth-- > 0)
            QApplication::restoreOverrideCursor();
    }
    if (g_app == this)
        g_app = nullptr;
}

VxApp* VxApp::instance()
{
    return g_app;
}

QWidget* VxApp::getDialogParent() const
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
    }
    return m_mainWidget;
}

QString VxApp::getLogFilePath() const
{
    return m_paths.dataPath + QStringLiteral("/vxhost.log");
}

void VxApp::log(const QString& line)
{
    if (!m_logFile) {
        m_logFile = std::make_unique<QFile>(getLogFilePath());
        if (!m_logFile->open(QIODevice::Append | QIODevice::Text))
            std::fprintf(stderr, "Cannot open the host log %s\n", qPrintable(getLogFilePath()));
    }
    const QByteArray utf8 = line.toUtf8();
    if (m_logFile->isOpen()) {
        const QString stamp = QDateTime::currentDateTime().toString(Qt::ISODate);
        m_logFile->write(stamp.toUtf8() + ' ' + utf8 + '\n');
        m_logFile->flush();
    }
    std::fprintf(stderr, "%s\n", utf8.constData());
    emit messageLogged(line);
}

void VxApp::setBusyCursor()
{
    ++m_busyDepth;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void VxApp::clearBusyCursor()
{
    if (m_busyDepth == 0)
        return;
    --m_busyDepth;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}

void VxApp::registerClassFactory(VxClassFactory* factory)
{
    if (factory && !m_factories.contains(factory))
        m_factories.append(factory);
}

void VxApp::unregisterClassFactory(VxClassFactory* factory)
{
    m_factories.removeAll(factory);
}

VxClassFactory* VxApp::findClassFactory(const QString& className) const
{
    // Later registrations win, so a plug-in can stand in for a host class.
    for (int i = m_factories.size() - 1; i >= 0; --i) {
        if (m_factories[i]->className() == className)
            return m_factories[i];
    }
    return nullptr;
}

QString VxApp::getSettingsFilePath() const
{
    return m_paths.dataPath + QStringLiteral("/settings.ini");
}

bool VxApp::showURL(const QString& url)
{
    if (url.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}
