#pragma once

// Also gives gtest its printer of QString.
#include "viewuser.h"

#include "vxscenetest.h"

#include "vxmainwindow.h"

#include <QList>
#include <QString>
#include <QTreeWidget>

#include <memory>

class QAbstractButton;
class QComboBox;
class VxAction;
class VxClassFactory;
class VxDynamicDividerWgt;
class VxFigureSetupPane;
class VxFSGeomItem;
class VxFSHierarchy;

// The Figure Setup pane as the host sets it up: the plug-in's factories registered, a main
// window whose pane manager docks the pane and whose registry makes the actions (after the
// pane, as the host does), the window shown offscreen. The user's steps go through the
// pane's widgets and the actions.
class PaneTest : public VxSceneTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Closes the window (saving the pane settings when `save`) and opens a new one.
    void reopen(bool save);

    VxFigureSetupPane* pane() const { return m_pane; }
    VxFSHierarchy* document() const;
    VxAction* action(const QString& className) const;
    QComboBox* riggingCombo() const;
    QAbstractButton* modifyCheckBox() const;
    QAbstractButton* createButton() const;
    VxDynamicDividerWgt* divider(const QString& name) const;
    QTreeWidget* relationshipsView() const;
    QTreeWidget* geometryView() const;
    QTreeWidget* ikView() const;

    // Picks a rigging type in the combo box with the keyboard, as a user would.
    void chooseRiggingType(int index) const;
    // "Add Geometry..." from the geometry list's menu, answering the file dialog with `path`.
    void addGeometryFromList(const QString& path) const;
    // Drags the geometry item of `fileName` from the geometry list onto the relationships
    // view's root item and drops it. False when a view refused it.
    bool dropGeometryOnRoot(const QString& fileName) const;
    // Hides or shows the pane's dock, as the Window menu does.
    void showPane(bool show) const;

    std::unique_ptr<VxMainWindow> m_window;

private:
    void openWindow();

    VxFigureSetupPane* m_pane = nullptr;
    QList<VxClassFactory*> m_factories;
};

// The names of the document's bones, depth first.
QStringList boneNames(const VxFSHierarchy* document);
