#pragma once

#include "vxfiguresetupfiguretype.h"

#include "vxpane.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QTreeWidgetItem;
class VxDynamicDividerWgt;
class VxFSHierarchy;
class VxFSHierarchyIKChain;
class VxGeometryListView;
class VxHierarchyEditorView;
class VxIKListView;
class VxNode;
class VxStyledButton;

// The "Figure Setup" pane: the whole figure set-up happens here. It owns the current
// hierarchy document and shows it in three views (relationships, IK chains, geometry list),
// offers the rigging and content types, "Apply SubD", "Modify Selected Figure" and the
// Create button, and fills its options menu with the plug-in's actions, which find the pane
// by its class name.
//
// Scripts reach the pane through vxApp.findPane("VxFigureSetupPane") and the document
// through getHierarchy(); the document's own invokables then load meshes, templates and
// PHI files and build the figure.
class VxFigureSetupPane : public VxPane
{
    Q_OBJECT
public:
    VxFigureSetupPane();
    ~VxFigureSetupPane() override;

    // The current document; the pane owns it.
    Q_INVOKABLE VxFSHierarchy* getHierarchy() const { return m_document; }
    // Makes `document` the current one, hands it to the three views and sets the pane's
    // choices from it. The pane takes ownership; the document it replaces is deleted once
    // the views have let go of it, so the caller must first move out whatever it wants to
    // keep (Copy From Selected Figure moves the loaded geometry).
    Q_INVOKABLE void setHierarchy(VxFSHierarchy* document);
    // Empties the document of bones, chains and regions and shows it again; the loaded
    // geometry stays.
    Q_INVOKABLE void clearHierarchy();

    // Runs the chain dialog for the bones selected in the relationships view when `source`
    // is "HierarchyView" (for any other source the dialog starts without bones).
    void createIKChain(const QString& source);
    // Runs the chain dialog offering only `item` (may be null).
    void createIKChain(QTreeWidgetItem* item);

    VxHierarchyEditorView* getRelationshipsView() const { return m_relationshipsView; }
    VxGeometryListView* getGeometryView() const { return m_geometryView; }
    VxIKListView* getIKView() const { return m_ikView; }

    void readSettings(VxAppSettings& settings) override;
    void fillOptionsMenu(VxActionMenu* menu) override;
    int getPaneFlags() const override;
    void writeSettings(VxAppSettings& settings) override;

signals:
    // Declared for listeners; the pane itself does not emit it.
    void geomChanged();
    void newIKChainCreated(VxFSHierarchyIKChain* newChain);
    void figureTypeChanged(VxFigureSetupFigureType type);

public slots:
    // Builds the figure the document describes, or applies it to the selected figure when
    // "Modify Selected Figure" is both possible and chosen.
    void createFigure();

private slots:
    void changeRiggingType(int idx);
    void changeContentType(int idx);
    void applySubDChanged(bool onOff);
    void figureChanged(VxFigureSetupFigureType type);
    void applyToFigureChanged(bool onOff);
    void primarySelectionChanged(VxNode* node);
    void paneShown(bool onOff);

private:
    QWidget* createHeader(int spacing, int controlHeight);
    void fillViewContainer(QWidget* container, const QString& name, QLabel* label, QWidget* view, int spacing);
    QWidget* createFooter(int spacing);
    void createDividers(QWidget* hierarchyContainer, QWidget* geometryContainer);
    void connectViews();
    // The dialog for `items`; a chain it made goes to the IK view.
    void runNewChainDialog(const QList<QTreeWidgetItem*>& items);
    // Whether the modify choice can apply to the selected `node` for the current document.
    bool canModify(VxNode* node) const;
    void refreshFromSelection();

    VxHierarchyEditorView* m_relationshipsView = nullptr;
    VxGeometryListView* m_geometryView = nullptr;
    VxIKListView* m_ikView = nullptr;
    VxFSHierarchy* m_document = nullptr;
    QComboBox* m_riggingTypeCombo = nullptr;
    QComboBox* m_contentTypeCombo = nullptr;
    VxDynamicDividerWgt* m_leftRightDivider = nullptr;
    VxDynamicDividerWgt* m_hierarchyIKDivider = nullptr;
    VxStyledButton* m_createButton = nullptr;
    QCheckBox* m_applySubDCheckBox = nullptr;
    QCheckBox* m_modifySelectedCheckBox = nullptr;
    QWidget* m_ikContainer = nullptr;
};
