// Update Base Geometry run as a batch script runs it (vxApp.runAction with trigger
// settings) and as a user runs it through its dialog; then the figure's skin is checked.
#include "updategeometrytest.h"

#include "vxupdategeometryaction.h"
#include "vxupdategeometrydlg.h"

#include "vxaction.h"
#include "vxbone.h"
#include "vxbrowseedit.h"
#include "vxclassfactory.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxgeomsourcefiledata.h"
#include "vximportmgr.h"
#include "vxmainwindow.h"
#include "vxshape.h"

#include <QRadioButton>
#include <QSignalSpy>

// An action of a test plug-in that remembers how it was run.
class VxTestRecordingAction : public VxAction
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestRecordingAction() : VxAction(QStringLiteral("Record"), QString()) {}
    void executeAction() override
    {
        ++s_runs;
        s_lastSettings = getTriggerSettings();
        s_lastInstance = this;
    }
    static int s_runs;
    static QVariantMap s_lastSettings;
    static const VxTestRecordingAction* s_lastInstance;
};
int VxTestRecordingAction::s_runs = 0;
QVariantMap VxTestRecordingAction::s_lastSettings;
const VxTestRecordingAction* VxTestRecordingAction::s_lastInstance = nullptr;

namespace {

enum class Outcome { Baked, Moved, Replaced };

struct TriggerCase
{
    const char* settings; // the script's settings object; %1 is the moved file
    Outcome outcome;
    int dialogOperation;  // the operation the dialog starts with
};

// Every way the settings choose the operation. Without a file name only baking is possible.
const TriggerCase kTriggerCases[] = {
    {"{}", Outcome::Baked, 0},
    {"{Filename: '%1'}", Outcome::Moved, 1},
    {"{Filename: '%1', UpdateVertexPositions: true, UpdateFullGeometry: false}", Outcome::Moved, 1},
    {"{Filename: '%1', UpdateVertexPositions: false}", Outcome::Baked, 0},
    {"{Filename: '%1', UpdateFullGeometry: true}", Outcome::Replaced, 2},
    {"{Filename: '%1', UpdateVertexPositions: false, UpdateFullGeometry: true}", Outcome::Replaced, 2},
    {"{Filename: '', UpdateFullGeometry: true}", Outcome::Baked, 0},
};

VxGeomSourceFileData* sourceRecord(const VxElement* element)
{
    return qobject_cast<VxGeomSourceFileData*>(element->findDataItem(VxGeomSourceFileData::itemName()));
}

class UpdateTriggerTest : public UpdateGeometryTest, public ::testing::WithParamInterface<TriggerCase>
{
protected:
    // The case's settings object as script text, with "RunSilent" added when asked.
    QString settings(bool silent) const
    {
        const QString object = QString::fromLatin1(GetParam().settings).arg(m_moved);
        return silent ? QStringLiteral("(function () { var s = %1; s.RunSilent = true; return s; })()").arg(object)
                      : object;
    }
    bool namesFile() const { return QString::fromLatin1(GetParam().settings).contains(QLatin1String("%1")); }
};

} // namespace

TEST_P(UpdateTriggerTest, ScriptSettingsChooseTheOperationAndRunSilently)
{
    VxFacetMesh* before = skinMesh();
    QSignalSpy meshChanges(before, &VxFacetMesh::meshChanged);
    VxMessageBoxAnswerer boxes;
    UpdateDialogDriver dialogs;
    QString error;
    ASSERT_TRUE(runUpdate(settings(true), &error)) << qPrintable(error);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_TRUE(dialogs.seen().isEmpty());

    switch (GetParam().outcome) {
    case Outcome::Baked:
        // Nothing deforms the figure: its evaluated shape is its base mesh, written back.
        EXPECT_EQ(skinMesh(), before);
        EXPECT_EQ(positions(), m_bodyPositions);
        EXPECT_EQ(meshChanges.count(), 1);
        break;
    case Outcome::Moved:
        EXPECT_EQ(skinMesh(), before);
        EXPECT_EQ(positions(), m_movedPositions);
        EXPECT_EQ(materialNames(), (QStringList{QStringLiteral("skin"), QStringLiteral("hair"), QStringLiteral("shoes")}));
        EXPECT_EQ(sourceRecord(skinShape())->getSourceFilePath(), QStringLiteral("old/body.obj"));
        break;
    case Outcome::Replaced:
        EXPECT_NE(skinMesh(), before);
        EXPECT_EQ(positions(), m_movedPositions);
        EXPECT_EQ(materialNames(), (QStringList{QStringLiteral("cloth"), QStringLiteral("wig"), QStringLiteral("boots")}));
        EXPECT_EQ(skinMesh()->getAssetUrl().toLocalFile(), m_moved);
        break;
    }
}

TEST_P(UpdateTriggerTest, TheDialogStartsFromTheSettingsAndCancelChangesNothing)
{
    const QByteArray before = sceneJson();
    UpdateDialogDriver dialogs;
    dialogs.queue(&UpdateDialogDriver::cancel);
    ASSERT_TRUE(runUpdate(settings(false)));
    ASSERT_EQ(dialogs.seen().size(), 1);
    EXPECT_EQ(dialogs.seen()[0].operation, GetParam().dialogOperation);
    EXPECT_EQ(dialogs.seen()[0].fileEnabled, GetParam().dialogOperation != 0);
    EXPECT_EQ(dialogs.seen()[0].fileName, namesFile() ? m_moved : QString());
    EXPECT_EQ(sceneJson(), before);
    EXPECT_EQ(positions(), m_bodyPositions);
}

INSTANTIATE_TEST_SUITE_P(TriggerSettings, UpdateTriggerTest, ::testing::ValuesIn(kTriggerCases));

TEST_F(UpdateGeometryTest, AFullUpdateBringsTheFilesMaterialsAndSourceRecordAndKeepsRegions)
{
    UpdateDialogDriver dialogs;
    // The user switches to the full update and types the file.
    dialogs.queue([this](VxUpdateGeometryDlg& dialog) {
        dialog.getOperationButton(2)->click();
        dialog.getFileEdit()->setText(QStringLiteral("  ") + m_moved);
        UpdateDialogDriver::accept(dialog);
    });
    VxFacetMesh* before = skinMesh();
    VxGeometryRegion* regions = skinShape()->getGeometryRegion();
    ASSERT_TRUE(runUpdate(QStringLiteral("{}")));
    ASSERT_EQ(dialogs.seen().size(), 1);

    EXPECT_NE(skinMesh(), before);
    EXPECT_EQ(positions(), m_movedPositions);
    EXPECT_EQ(materialNames(), (QStringList{QStringLiteral("cloth"), QStringLiteral("wig"), QStringLiteral("boots")}));
    ASSERT_EQ(skinShape()->getGeometryRegion(), regions);
    EXPECT_EQ(regions->getGeometryRegionChild(0)->getRegionFacetIndices(), (std::vector<int>{0, 1, 2}));
    for (const VxElement* holder : {static_cast<const VxElement*>(skinShape()), static_cast<const VxElement*>(m_figure)}) {
        const VxGeomSourceFileData* record = sourceRecord(holder);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->getSourceFilePath(), m_moved);
        EXPECT_EQ(record->getGroupName(), QString());
    }
    // The next file dialog opens where this mesh came from.
    EXPECT_EQ(m_app->getImportMgr()->getImportPath(), tempPath(QStringLiteral("meshes")));
}

TEST_F(UpdateGeometryTest, FilesOfAnotherShapeAreRefusedWithNothingChanged)
{
    struct Refusal
    {
        QString file;
        bool full;
        QString text;
    };
    const QString fullText = QStringLiteral("The imported geometry does not match the geometry it is updating.\n"
                                            "Vertex counts and facet counts must be the same.");
    const QString vertexText = QStringLiteral("The target geometry does not match the geometry it is updating.\n"
                                              "Vertex counts must be the same.");
    const Refusal refusals[] = {
        {m_oneFewer, true, fullText},
        {m_triangle, true, fullText},
        {m_triangle, false, vertexText},
    };
    const QByteArray before = sceneJson();
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.file.toStdString());
        VxMessageBoxAnswerer boxes;
        ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', UpdateFullGeometry: %2, RunSilent: true}")
                                  .arg(refusal.file, refusal.full ? QStringLiteral("true") : QStringLiteral("false"))));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("Incompatible Geometry"));
        EXPECT_EQ(boxes.seen()[0].text, refusal.text);
        EXPECT_EQ(boxes.seen()[0].buttons, QStringList{QStringLiteral("OK")});
        EXPECT_EQ(sceneJson(), before);
        EXPECT_EQ(positions(), m_bodyPositions);
    }

    // Same vertices, one facet fewer: positions may come from it, the whole mesh may not.
    const int facets = skinMesh()->getNumFacets();
    VxMessageBoxAnswerer boxes;
    ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', RunSilent: true}").arg(m_oneFewer)));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(positions(), m_movedPositions);
    EXPECT_EQ(skinMesh()->getNumFacets(), facets);
}

TEST_F(UpdateGeometryTest, AMeshFileThatCannotBeReadLeavesTheNodeUntouched)
{
    const QByteArray before = sceneJson();
    const QString missing = tempPath(QStringLiteral("meshes/missing.obj"));
    for (const QString& file : {m_broken, missing}) {
        SCOPED_TRACE(file.toStdString());
        VxMessageBoxAnswerer boxes;
        const int logged = loggedLines().size();
        ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', UpdateFullGeometry: true, RunSilent: true}").arg(file)));
        // The importer says why, in the log; the action adds no box of its own.
        EXPECT_EQ(boxes.count(), 0);
        ASSERT_EQ(loggedLines().size(), logged + 1);
        EXPECT_TRUE(loggedLines().last().startsWith(file + QLatin1Char(':'))) << qPrintable(loggedLines().last());
        EXPECT_EQ(sceneJson(), before);
    }
    EXPECT_EQ(m_app->getImportMgr()->getImportPath(), QString());
}

TEST_F(UpdateGeometryTest, ImporterSettingsReachTheImporter)
{
    // A scale and an up axis the importer understands, and a key it names as unknown.
    ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', RunSilent: true, Importer: {Scale: 2, ZUp: true, Smooth: 1}}")
                              .arg(m_body)));
    const std::vector<float> scaled = positions();
    ASSERT_EQ(scaled.size(), m_bodyPositions.size());
    for (size_t i = 0; i < scaled.size(); i += 3) {
        ASSERT_EQ(scaled[i], m_bodyPositions[i] * 2.0f);
        ASSERT_EQ(scaled[i + 1], m_bodyPositions[i + 2] * 2.0f);
        ASSERT_EQ(scaled[i + 2], -m_bodyPositions[i + 1] * 2.0f);
    }
    EXPECT_TRUE(loggedLines().contains(QStringLiteral("%1: importer setting \"Smooth\" is not known; it is ignored").arg(m_body)))
        << qPrintable(loggedLines().join(QLatin1Char('\n')));

    // A value a setting cannot mean refuses the read; nothing changes.
    const QByteArray before = sceneJson();
    ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', RunSilent: true, Importer: {Scale: 'big'}}").arg(m_moved)));
    EXPECT_EQ(sceneJson(), before);
    EXPECT_EQ(loggedLines().last(),
              QStringLiteral("%1: importer setting \"Scale\" must be a number above 0, not \"big\"").arg(m_moved));
}

TEST_F(UpdateGeometryTest, ASelectedBoneUpdatesItsFiguresSkinAndNoGeometryIsASelectionError)
{
    m_scene->selectAllNodes(false);
    VxNode* bone = m_figure->getNodeChild(0);
    ASSERT_NE(qobject_cast<VxBone*>(bone), nullptr);
    m_scene->selectNode(bone, true);
    ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', RunSilent: true}").arg(m_moved)));
    EXPECT_EQ(positions(), m_movedPositions);

    // Nothing selected, or a node without an object: the box, and no dialog.
    auto* prop = new VxNode;
    m_scene->addNode(prop);
    for (VxNode* selection : {static_cast<VxNode*>(nullptr), prop}) {
        m_scene->selectAllNodes(false);
        if (selection)
            m_scene->selectNode(selection, true);
        VxMessageBoxAnswerer boxes;
        UpdateDialogDriver dialogs;
        ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1'}").arg(m_body)));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("Selection Error"));
        EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("A node in the scene with geometry must be selected to perform this action."));
        EXPECT_TRUE(dialogs.seen().isEmpty());
    }
    EXPECT_EQ(positions(), m_movedPositions);
}

TEST_F(UpdateGeometryTest, ScriptsRunTheWindowsActionOrAFreshOneAndNameUnknownClasses)
{
    VxTHostClassFactory<VxTestRecordingAction> factory(VxGuid(QStringLiteral("11111111-2222-3333-4444-555555555555")));
    m_app->registerClassFactory(&factory);
    VxTestRecordingAction::s_runs = 0;

    // No window: a fresh instance runs once with the settings.
    ASSERT_TRUE(runScript(QStringLiteral("vxApp.runAction('VxTestRecordingAction', {Filename: 'a.obj', Importer: {Scale: 2}});")));
    EXPECT_EQ(VxTestRecordingAction::s_runs, 1);
    EXPECT_EQ(VxTestRecordingAction::s_lastSettings.value(QStringLiteral("Filename")).toString(), QStringLiteral("a.obj"));
    EXPECT_EQ(VxTestRecordingAction::s_lastSettings.value(QStringLiteral("Importer")).toMap().value(QStringLiteral("Scale")).toInt(), 2);

    // With a window, the instance in its menus runs, and forgets the settings afterwards.
    VxMainWindow window;
    m_app->setInterface(&window);
    auto* held = new VxTestRecordingAction;
    held->setParent(&window);
    ASSERT_TRUE(runScript(QStringLiteral("vxApp.runAction('VxTestRecordingAction');")));
    EXPECT_EQ(VxTestRecordingAction::s_runs, 2);
    EXPECT_EQ(VxTestRecordingAction::s_lastInstance, held);
    EXPECT_TRUE(held->getTriggerSettings().isEmpty());
    m_app->setInterface(nullptr);

    QString error;
    EXPECT_FALSE(runScript(QStringLiteral("vxApp.runAction('VxNoSuchAction', {});"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no action class is registered as \"VxNoSuchAction\""))) << qPrintable(error);
    EXPECT_FALSE(runScript(QStringLiteral("vxApp.runAction('VxFacetShape', {});"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("\"VxFacetShape\""))) << qPrintable(error);
    m_app->unregisterClassFactory(&factory);
}

#include "test_updategeometryaction.moc"
