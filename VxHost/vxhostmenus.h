#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class VxAction;
class VxMainWindow;
class VxPluginLoader;

// The main window's menu bar:
// - File: Import Mesh..., Run Script..., Save Scene As..., Export glTF..., Quit;
// - Edit: Undo and Redo (the scene's undo stack), Delete (the selection), then the
//   registered edit actions;
// - the menus registered actions name (Tools, ...);
// - Window: one entry per docked pane (the pane's own registered VxPaneAction when it has
//   one, else one the host makes);
// - Help: About Plug-ins..., About vxhost....
// File choices go through VxMainWindow::doFileDialog, so tests and scripts can answer them.
class VxHostMenus : public QObject
{
    Q_OBJECT
public:
    // Builds the menus; the panes must be docked first, since actions look them up.
    VxHostMenus(VxMainWindow* window, const VxPluginLoader& loader);
    ~VxHostMenus() override;

    // Every registered action and the pane entries the host made, in menu order.
    const QList<VxAction*>& getRegisteredActions() const { return m_registered; }
    QAction* getImportMeshAction() const { return m_importMesh; }
    QAction* getDeleteAction() const { return m_delete; }
    QAction* getUndoAction() const { return m_undo; }
    QAction* getRedoAction() const { return m_redo; }
    QAction* getExportGltfAction() const { return m_exportGltf; }

public slots:
    void importMesh();
    void runScript();
    void saveSceneAs();
    // Writes the selected figure (or the scene's only one) as binary glTF.
    void exportGltf();
    void deleteSelection();

private:
    void buildFileMenu();
    void buildEditMenu();
    void buildWindowAndHelpMenus(class VxActionMenuBuilder& builder);
    void followSelection();
    void warn(const QString& title, const QString& text);

    VxMainWindow* m_window;
    const VxPluginLoader& m_loader;
    QList<VxAction*> m_registered;
    QAction* m_importMesh = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_exportGltf = nullptr;
};
