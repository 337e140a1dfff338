#pragma once

#include "viewuser.h"

#include "vxfiguresetuppane.h"

#include "vxscenetest.h"

#include "vxmainwindow.h"

#include <QTreeWidget>

#include <memory>

class VxAction;
class VxClassFactory;
class VxFSHierarchy;

// The pane as the host sets it up: the plug-in's factories registered, a shown main window
// whose pane manager docks the pane and whose registry then makes the actions. Steps go
// through the pane's widgets and the actions, as a user's do.
class PaneTest : public VxSceneTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Saves the pane settings, closes the window and opens a new one.
    void restart();

    template<class T = QWidget>
    T* child(const QString& objectName) const { return m_pane->findChild<T*>(objectName); }
    QTreeWidget* view(const char* objectName) const { return child<QTreeWidget>(QLatin1String(objectName)); }
    VxFSHierarchy* document() const;
    VxAction* action(const char* className) const;

    void chooseRiggingType(int index) const;
    // "Add Geometry..." in the geometry list's menu, the file dialog answered with `path`.
    void addGeometryFromList(const QString& path) const;
    // Drags the geometry list's item `name` onto the relationships view's root.
    bool dropGeometryOnRoot(const QString& name) const;

    std::unique_ptr<VxMainWindow> m_window;
    VxFigureSetupPane* m_pane = nullptr;

private:
    void openWindow();
    QList<VxClassFactory*> m_factories;
};

QString exampleMesh();
