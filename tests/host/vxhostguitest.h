#pragma once

#include "vxhostgui.h"
#include "vxpluginloader.h"

#include "vxscenetest.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>

class QAction;
class QMenu;
class QMenuBar;
class VxClassFactory;

// VxSceneTest plus the host's main window, built as vxhost builds it after the factories
// the test registered (registerFactory) — the way a plug-in's classes reach the host.
class VxHostGuiTest : public VxSceneTest
{
protected:
    void TearDown() override;

    // Registered with vxApp for this test; owned by the fixture.
    void registerFactory(VxClassFactory* factory);
    // A new window, after closing the one open (which saves nothing).
    VxHostGui& openWindow();

    std::unique_ptr<VxHostGui> m_gui;

private:
    VxPluginLoader m_loader;
    QList<VxClassFactory*> m_factories;
};

// Entries of a menu as a user reads them: texts without '&', "--" for separators.
QStringList vxMenuEntries(const QMenu* menu);
// The menu titled `path` ("Edit/Geometry", titles without '&'); null when absent.
QMenu* vxFindMenu(const QMenuBar* bar, const QString& path);
// The entry `text` of that menu; null when absent.
QAction* vxFindMenuAction(const QMenuBar* bar, const QString& path, const QString& text);

// Readable failures for QString and QStringList comparisons.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
