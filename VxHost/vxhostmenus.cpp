#include "vxhostmenus.h"

#include "vxactionmenubuilder.h"
#include "vxplugininfodialog.h"
#include "vxpluginloader.h"
#include "vxsceneedits.h"
#include "vxscriptrunner.h"

#include "vxactionregistry.h"
#include "vxapp.h"
#include "vxfilefilter.h"
#include "vxgltfexporter.h"
#include "vximportmgr.h"
#include "vxmainwindow.h"
#include "vxpane.h"
#include "vxpaneaction.h"
#include "vxpanemgr.h"
#include "vxscene.h"
#include "vxskeleton.h"
#include "vxundostack.h"
#include "vxversion.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

VxHostMenus::VxHostMenus(VxMainWindow* window, const VxPluginLoader& loader)
    : QObject(window), m_window(window), m_loader(loader)
{
    buildFileMenu();
    buildEditMenu();
    VxActionMenuBuilder builder(m_window->menuBar(), m_window->getActionRegistry());
    m_registered = builder.addRegisteredActions();
    buildWindowAndHelpMenus(builder);
    if (vxScene)
        connect(vxScene, &VxScene::nodeSelectionListChanged, this, &VxHostMenus::followSelection);
    followSelection();
}

VxHostMenus::~VxHostMenus() = default;

void VxHostMenus::buildFileMenu()
{
    QMenu* file = m_window->menuBar()->addMenu(tr("&File"));
    m_importMesh = file->addAction(tr("&Import Mesh..."), this, &VxHostMenus::importMesh);
    m_importMesh->setObjectName(QStringLiteral("VxImportMeshAction"));
    m_importMesh->setShortcut(QKeySequence(tr("Ctrl+I")));
    file->addAction(tr("&Run Script..."), this, &VxHostMenus::runScript)->setObjectName(QStringLiteral("VxRunScriptAction"));
    QAction* save = file->addAction(tr("&Save Scene As..."), this, &VxHostMenus::saveSceneAs);
    save->setObjectName(QStringLiteral("VxSaveSceneAction"));
    save->setShortcut(QKeySequence::SaveAs);
    m_exportGltf = file->addAction(tr("&Export glTF..."), this, &VxHostMenus::exportGltf);
    m_exportGltf->setObjectName(QStringLiteral("VxExportGltfAction"));
    file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), m_window, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
}

void VxHostMenus::buildEditMenu()
{
    QMenu* edit = m_window->menuBar()->addMenu(tr("&Edit"));
    if (vxScene) {
        QUndoStack* stack = vxScene->getUndoStack()->getQUndoStack();
        m_undo = stack->createUndoAction(this, tr("&Undo"));
        m_undo->setShortcut(QKeySequence::Undo);
        m_redo = stack->createRedoAction(this, tr("&Redo"));
        m_redo->setShortcut(QKeySequence::Redo);
        edit->addAction(m_undo);
        edit->addAction(m_redo);
        edit->addSeparator();
    }
    m_delete = edit->addAction(tr("&Delete"), this, &VxHostMenus::deleteSelection);
    m_delete->setObjectName(QStringLiteral("VxDeleteAction"));
    m_delete->setShortcut(QKeySequence::Delete);
}

void VxHostMenus::buildWindowAndHelpMenus(VxActionMenuBuilder& builder)
{
    // Panes whose plug-in registered no action of their own still get a Window entry.
    QList<VxAction*> paneEntries;
    for (VxPane* pane : m_window->getPaneMgr().getPanes()) {
        const QString paneClass = QString::fromLatin1(pane->metaObject()->className());
        const bool covered = std::any_of(m_registered.cbegin(), m_registered.cend(), [&](VxAction* action) {
            auto* paneAction = qobject_cast<VxPaneAction*>(action);
            return paneAction && paneAction->getPaneClassName() == paneClass;
        });
        if (covered)
            continue;
        auto* action = new VxPaneAction(paneClass);
        m_window->getActionRegistry().adopt(action);
        action->init();
        paneEntries.append(action);
    }
    builder.menuForPath(QStringLiteral("&Window"));
    builder.placeActions(paneEntries);
    m_registered.append(paneEntries);

    QMenu* help = m_window->menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("About &Plug-ins..."), this, [this] {
        VxPluginInfoDialog dialog(m_loader.getPlugins(), vxApp->getDialogParent());
        dialog.exec();
    });
    help->addAction(tr("&About vxhost..."), this, [this] {
        QMessageBox::about(m_window, tr("About vxhost"),
                           tr("vxhost, the Figure Setup host.\nSDK %1").arg(VxVersion::sdkVersion().toString()));
    });
}

void VxHostMenus::followSelection()
{
    m_delete->setEnabled(vxScene && !vxScene->getSelectedNodes().isEmpty());
}

void VxHostMenus::importMesh()
{
    VxFileFilter filter = VxImportMgr::makeGeometryFileFilter();
    QString path;
    if (!m_window->doFileDialog(true, tr("Import Mesh"), vxApp->getDocumentsPath(), filter, path))
        return;
    QString error;
    VxNode* node = VxSceneEdits::importMesh(path, &error);
    if (!node) {
        warn(tr("Import Mesh"), error);
        return;
    }
    vxScene->selectAllNodes(false);
    vxScene->selectNode(node, true);
}

void VxHostMenus::runScript()
{
    VxFileFilter filter;
    filter.newFilter(tr("QtScript"));
    filter.addExtension(QStringLiteral("js"));
    QString path;
    if (!m_window->doFileDialog(true, tr("Run Script"), vxApp->getDocumentsPath(), filter, path))
        return;
    VxScriptRunner runner;
    QString error;
    if (!runner.runFile(path, &error))
        warn(tr("Run Script"), error);
}

void VxHostMenus::saveSceneAs()
{
    VxFileFilter filter;
    filter.newFilter(tr("Scene JSON"));
    filter.addExtension(QStringLiteral("json"));
    QString path;
    if (!m_window->doFileDialog(false, tr("Save Scene As"), vxApp->getDocumentsPath(), filter, path))
        return;
    QString error;
    if (!vxScene->saveJson(path, &error))
        warn(tr("Save Scene As"), error);
}

void VxHostMenus::exportGltf()
{
    const QString title = tr("Export glTF");
    // Asked before the file: a file name is no use when there is nothing to export.
    QString error;
    VxSkeleton* figure = VxGltfExporter::findFigure(vxScene, &error);
    if (!figure) {
        warn(title, error);
        return;
    }
    VxFileFilter filter;
    filter.newFilter(tr("glTF Binary"));
    filter.addExtension(QStringLiteral("glb"));
    QString path;
    if (!m_window->doFileDialog(false, title, vxApp->getDocumentsPath(), filter, path))
        return;
    // The file is binary glTF whatever the name typed; viewers go by the extension.
    if (QFileInfo(path).suffix().compare(QLatin1String("glb"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".glb");
    VxGltfExporter exporter;
    const bool written = exporter.exportFigure(*figure, path);
    for (const QString& warning : exporter.warnings())
        vxApp->log(tr("glTF export: %1").arg(warning));
    if (!written) {
        warn(title, exporter.error());
        return;
    }
    const int noteCount = exporter.warnings().size();
    const QString notes = noteCount == 0 ? QString()
        : noteCount == 1                 ? tr(" (1 note in the log)")
                                         : tr(" (%1 notes in the log)").arg(noteCount);
    m_window->statusBar()->showMessage(tr("Exported figure \"%1\" to %2%3").arg(figure->getName(), path, notes), 10000);
}

void VxHostMenus::deleteSelection()
{
    QString note;
    VxSceneEdits::deleteSelection(&note);
    if (!note.isEmpty())
        m_window->statusBar()->showMessage(note, 10000);
}

void VxHostMenus::warn(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, m_window);
    box.exec();
}
