#pragma once

#include <QList>

#include <memory>

class VxAction;
class VxMainWindow;
class VxPluginLoader;

// The interactive host: the main window with a menu bar holding every registered action,
// File > Quit and Help > About Plug-ins. The window is vxApp's interface while it lives.
// Docked panes have no manager yet; the central area is left free for the scene view.
class VxHostGui
{
public:
    explicit VxHostGui(const VxPluginLoader& loader);
    ~VxHostGui();

    VxMainWindow* window() const { return m_window.get(); }
    const QList<VxAction*>& actions() const { return m_actions; }

    // Shows the window and runs the event loop; returns the application's exit status.
    int exec();

private:
    void buildMenus();

    const VxPluginLoader& m_loader;
    std::unique_ptr<VxMainWindow> m_window;
    QList<VxAction*> m_actions;
};
