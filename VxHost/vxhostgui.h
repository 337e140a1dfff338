#pragma once

#include <QList>
#include <QSize>
#include <QString>

#include <memory>

class QWidget;
class VxAction;
class VxHostMenus;
class VxMainWindow;
class VxPluginLoader;
class VxSceneOutlinerPane;

// The host's main window as a user sees it: the scene view in the middle, the "Scene"
// outliner docked on the left with the "Pose" pane below it, every pane the plug-ins
// register docked on the right, the menus (VxHostMenus) and the host log in the status
// bar. The window is vxApp's interface while it lives.
//
// Batch runs build the same window, shown unseen (showUnseen), so that a script meets the
// same panes and actions as a user. The pane settings and the last window layout are
// restored on construction; exec() (the interactive start) saves them when the user quits.
class VxHostGui
{
public:
    explicit VxHostGui(const VxPluginLoader& loader);
    ~VxHostGui();

    VxMainWindow* window() const { return m_window.get(); }
    VxHostMenus* menus() const { return m_menus; }
    VxSceneOutlinerPane* outlinerPane() const { return m_outliner; }
    QWidget* centralView() const { return m_centralView; }

    // Shows the window and runs the event loop; saves the layout at the end and returns
    // the application's exit status.
    int exec();

    // Shows the window without putting it on screen, for batch runs: panes get shown and
    // follow the scene as in a session, and nothing appears on the user's display.
    void showUnseen();

    // Shows the window at `size` (its current size when empty), lets it draw, and writes
    // it, scene view included, to a PNG file; false with the reason in *error.
    bool saveScreenshot(const QString& path, const QSize& size, QString* error);

private:
    QWidget* createCentralView();
    void dockPanes();

    std::unique_ptr<VxMainWindow> m_window;
    QWidget* m_centralView = nullptr;
    VxSceneOutlinerPane* m_outliner = nullptr;
    VxHostMenus* m_menus = nullptr;
};
