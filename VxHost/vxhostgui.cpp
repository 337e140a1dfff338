#include "vxhostgui.h"

#include "vxhostmenus.h"
#include "vxposepane.h"
#include "vxsceneoutlinerpane.h"
#include "vxviewport.h"

#include "vxapp.h"
#include "vxmainwindow.h"
#include "vxpanemgr.h"
#include "vxscene.h"

#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QSaveFile>
#include <QStatusBar>
#include <QThread>

namespace {
// Sizes a creator starts from: room for the scene view, a narrow outline, and a pane
// wide enough for the Figure Setup pane's two columns.
constexpr int kWindowWidth = 1440;
constexpr int kWindowHeight = 900;
constexpr int kOutlinerWidth = 280;
constexpr int kPaneWidth = 460;
} // namespace

VxHostGui::VxHostGui(const VxPluginLoader& loader) : m_window(std::make_unique<VxMainWindow>())
{
    m_window->setObjectName(QStringLiteral("VxHostMainWindow"));
    m_window->setWindowTitle(QStringLiteral("vxhost"));
    m_window->resize(kWindowWidth, kWindowHeight);
    m_window->setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    // Actions and panes look the main window up while they are set up.
    vxApp->setInterface(m_window.get());
    QObject::connect(vxApp, &VxApp::messageLogged, m_window->statusBar(),
                     [bar = m_window->statusBar()](const QString& line) { bar->showMessage(line, 10000); });
    m_centralView = createCentralView();
    m_window->setCentralWidget(m_centralView);
    dockPanes();
    m_menus = new VxHostMenus(m_window.get(), loader);
    m_window->getPaneMgr().readSettings();
}

VxHostGui::~VxHostGui()
{
    if (vxApp && vxApp->getInterface() == m_window.get())
        vxApp->setInterface(nullptr);
}

QWidget* VxHostGui::createCentralView()
{
    return new VxViewport(vxScene, m_window.get());
}

void VxHostGui::dockPanes()
{
    VxPaneMgr& panes = m_window->getPaneMgr();
    m_outliner = new VxSceneOutlinerPane(vxScene);
    QDockWidget* outlinerDock = panes.addPane(m_outliner, Qt::LeftDockWidgetArea);
    // The pose of the selected bone, below the outline it is picked from.
    if (QDockWidget* poseDock = panes.addPane(new VxPosePane(vxScene), Qt::LeftDockWidgetArea); poseDock && outlinerDock)
        m_window->splitDockWidget(outlinerDock, poseDock, Qt::Vertical);
    const QList<VxPane*> registered = panes.createRegisteredPanes(Qt::RightDockWidgetArea);

    // Several plug-in panes share the right side as tabs, the first one in front.
    QList<QDockWidget*> right;
    for (VxPane* pane : registered) {
        if (QDockWidget* dock = panes.getDock(pane))
            right.append(dock);
    }
    for (int i = 1; i < right.size(); ++i)
        m_window->tabifyDockWidget(right.first(), right[i]);
    if (!right.isEmpty())
        right.first()->raise();
    if (outlinerDock)
        m_window->resizeDocks({outlinerDock}, {kOutlinerWidth}, Qt::Horizontal);
    if (!right.isEmpty())
        m_window->resizeDocks({right.first()}, {kPaneWidth}, Qt::Horizontal);
}

int VxHostGui::exec()
{
    m_window->show();
    const int status = QApplication::exec();
    m_window->getPaneMgr().writeSettings();
    return status;
}

void VxHostGui::showUnseen()
{
    m_window->setAttribute(Qt::WA_DontShowOnScreen);
    m_window->show();
}

bool VxHostGui::saveScreenshot(const QString& path, const QSize& size, QString* error)
{
    if (size.isValid())
        m_window->resize(size);
    // A window shown unseen must be shown again for real: only a mapped window draws its
    // OpenGL view for sure.
    if (m_window->testAttribute(Qt::WA_DontShowOnScreen)) {
        m_window->hide();
        m_window->setAttribute(Qt::WA_DontShowOnScreen, false);
    }
    m_window->show();
    // Let the window system map the window and every widget, the OpenGL view included,
    // draw once before the grab.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    const QPixmap shot = m_window->grab();
    if (shot.isNull()) {
        if (error)
            *error = QStringLiteral("Cannot take the screenshot: the window could not be drawn.");
        return false;
    }
    // Written whole or not at all.
    QSaveFile file(path);
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(shot.toImage()) || !file.commit()) {
        if (error) {
            const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
            *error = QStringLiteral("Cannot write the screenshot to %1: %2").arg(path, reason);
        }
        return false;
    }
    return true;
}
