#include "vxhostgui.h"

#include "vxactionmenubuilder.h"
#include "vxplugininfodialog.h"
#include "vxpluginloader.h"

#include "vxaction.h"
#include "vxapp.h"
#include "vxmainwindow.h"
#include "vxversion.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

VxHostGui::VxHostGui(const VxPluginLoader& loader)
    : m_loader(loader), m_window(std::make_unique<VxMainWindow>())
{
    m_window->setObjectName(QStringLiteral("VxHostMainWindow"));
    m_window->setWindowTitle(QStringLiteral("vxhost"));
    m_window->resize(1100, 750);
    // Actions look the main window up while they are set up, so it is the interface first.
    vxApp->setInterface(m_window.get());
    QObject::connect(vxApp, &VxApp::messageLogged, m_window->statusBar(),
                     [bar = m_window->statusBar()](const QString& line) { bar->showMessage(line, 10000); });
    buildMenus();
}

VxHostGui::~VxHostGui()
{
    if (vxApp && vxApp->getInterface() == m_window.get())
        vxApp->setInterface(nullptr);
}

void VxHostGui::buildMenus()
{
    QMenuBar* bar = m_window->menuBar();
    QMenu* file = bar->addMenu(QObject::tr("&File"));
    QAction* quit = file->addAction(QObject::tr("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    QObject::connect(quit, &QAction::triggered, m_window.get(), &QWidget::close);

    VxActionMenuBuilder builder(bar, m_window.get());
    m_actions = builder.addRegisteredActions();

    QMenu* help = bar->addMenu(QObject::tr("&Help"));
    QAction* plugins = help->addAction(QObject::tr("About &Plug-ins..."));
    QObject::connect(plugins, &QAction::triggered, m_window.get(), [this] {
        VxPluginInfoDialog dialog(m_loader.getPlugins(), vxApp->getDialogParent());
        dialog.exec();
    });
    QAction* about = help->addAction(QObject::tr("&About vxhost..."));
    QObject::connect(about, &QAction::triggered, m_window.get(), [this] {
        QMessageBox::about(m_window.get(), QObject::tr("About vxhost"),
                           QObject::tr("vxhost, the Figure Setup host.\nSDK %1")
                               .arg(VxVersion::sdkVersion().toString()));
    });
}

int VxHostGui::exec()
{
    m_window->show();
    return QApplication::exec();
}
