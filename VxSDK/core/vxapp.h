#pragma once

#include "vxsdkglobal.h"

#include <QList>
#include <QObject>
#include <QString>

#include <cstddef>
#include <memory>

class QFile;
class QWidget;
class VxAssetMgr;
class VxClassFactory;
class VxContentMgr;
class VxImportMgr;
class VxMainWindow;

// Where the application keeps its files. Tests point every folder at a temporary one.
struct VXSDK_EXPORT VxAppPaths
{
    QString dataPath;          // settings file and host log live here
    QString documentsPath;     // the user's documents folder
    QString documentationPath; // folder of the bundled documentation

    // The defaults for a user's session: the platform data and documents folders and the
    // "docs" folder next to the executable.
    static VxAppPaths defaults();
};

// The one application object of the host. The host executable creates it at start-up
// (tests create it in a fixture); everything else reaches it through vxApp.
class VXSDK_EXPORT VxApp : public QObject
{
    Q_OBJECT
public:
    explicit VxApp(const VxAppPaths& paths, QObject* parent = nullptr);
    ~VxApp() override;

    static VxApp* instance();

    // The main window, or null when the host runs without one (batch runs, tests).
    VxMainWindow* getInterface() const { return m_mainWindow; }
    // A template so that the window becomes the widget it is where its class is known: the
    // core includes no user-interface header.
    template <class Window>
    void setInterface(Window* mainWindow)
    {
        m_mainWindow = mainWindow;
        m_mainWidget = mainWindow;
    }
    void setInterface(std::nullptr_t)
    {
        m_mainWindow = nullptr;
        m_mainWidget = nullptr;
    }
    // The widget that dialogs and message boxes should be parented to: the active modal
    // dialog when there is one, else the main window, else null.
    QWidget* getDialogParent() const;

    // Appends one line to the host log file and echoes it to stderr.
    void log(const QString& line);
    QString getLogFilePath() const;

    // Nested: the cursor returns to normal when every set has been cleared.
    void setBusyCursor();
    void clearBusyCursor();
    int getBusyCursorDepth() const { return m_busyDepth; }

    VxImportMgr* getImportMgr() const { return m_importMgr.get(); }
    VxContentMgr* getContentMgr() const { return m_contentMgr.get(); }
    VxAssetMgr* getAssetMgr() const { return m_assetMgr.get(); }

    // Parts of the SDK above the core (the importer, the factories of the host's classes)
    // equip every application object as it is made. They register when the library loads,
    // so that the core includes none of them; each runs once per application object, in
    // the order registered.
    using Extension = void (*)(VxApp& app);
    static bool registerExtension(Extension extension);
    // For extensions: the importer the application object keeps, and host class factories
    // it owns (registered as below).
    void setImportMgr(std::shared_ptr<VxImportMgr> importer) { m_importMgr = std::move(importer); }
    void adoptBuiltinFactory(VxClassFactory* factory);

    // Factories are registered by the host for its own classes and for every loaded
    // plug-in; the registry does not own them.
    void registerClassFactory(VxClassFactory* factory);
    void unregisterClassFactory(VxClassFactory* factory);
    VxClassFactory* findClassFactory(const QString& className) const;
    const QList<VxClassFactory*>& getClassFactories() const { return m_factories; }

    QString getDataPath() const { return m_paths.dataPath; }
    QString getSettingsFilePath() const;
    QString getDocumentsPath() const { return m_paths.documentsPath; }
    QString getDocumentationPath() const { return m_paths.documentationPath; }

    // Opens the address in the user's browser; false when nothing could open it.
    bool showURL(const QString& url);

signals:
    void messageLogged(const QString& line);

private:
    VxAppPaths m_paths;
    VxMainWindow* m_mainWindow = nullptr;
    QWidget* m_mainWidget = nullptr;
    int m_busyDepth = 0;
    std::unique_ptr<QFile> m_logFile;
    // Shared, so that it is released by the deleter it was made with: the core does not
    // know the class.
    std::shared_ptr<VxImportMgr> m_importMgr;
    std::unique_ptr<VxContentMgr> m_contentMgr;
    std::unique_ptr<VxAssetMgr> m_assetMgr;
    QList<VxClassFactory*> m_factories;
    QList<VxClassFactory*> m_builtinFactories;
};

#define vxApp (VxApp::instance())
