// Update Base Geometry run as a batch script runs it (vxApp.runAction with trigger settings)
// and as a user runs it through its dialog; afterwards the figure's skin is checked.
#include "updategeometrytest.h"

#include "vxupdategeometrydlg.h"
#include "vxupdategeometrydlgvalidator.h"

#include "vxbone.h"
#include "vxbrowseedit.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxgeomsourcefiledata.h"
#include "vximportmgr.h"
#include "vxmessageboxanswerer.h"
#include "vxshape.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QStringList kBodyMaterials{QStringLiteral("skin"), QStringLiteral("hair"), QStringLiteral("shoes")};
const QStringList kMovedMaterials{QStringLiteral("cloth"), QStringLiteral("wig"), QStringLiteral("boots")};

struct TriggerCase
{
    const char* settings; // %1 is moved.obj
    int operation;        // the operation the settings choose
};
const TriggerCase kTriggerCases[] = {
    {"{}", 0},
    {"{Filename: '%1'}", 1},
    {"{Filename: '%1', UpdateVertexPositions: false}", 0},
    {"{Filename: '%1', UpdateFullGeometry: true}", 2},
    {"{Filename: '%1', UpdateVertexPositions: false, UpdateFullGeometry: true}", 2},
    {"{Filename: '', UpdateFullGeometry: true}", 0},
};

void PrintTo(const TriggerCase& test, std::ostream* out)
{
    *out << test.settings;
}

class UpdateTriggerTest : public UpdateGeometryTest, public ::testing::WithParamInterface<TriggerCase>
{
};

QString sourcePath(const VxElement* element)
{
    const auto* record = qobject_cast<VxGeomSourceFileData*>(element->findDataItem(VxGeomSourceFileData::itemName()));
    return record ? record->getSourceFilePath() + QLatin1Char('|') + record->getGroupName() : QString();
}

} // namespace

TEST_P(UpdateTriggerTest, SettingsChooseTheOperationTheDialogStartsWithAndTheSilentRunDoes)
{
    const QString settings = QString::fromLatin1(GetParam().settings).arg(m_moved);
    const QByteArray before = m_scene->toJson();
    VxFacetMesh* mesh = skinMesh();
    QSignalSpy meshChanges(mesh, &VxFacetMesh::meshChanged);
    VxMessageBoxAnswerer boxes;
    UpdateDialogDriver dialogs;
    // Shown: the dialog starts from the settings; Cancel changes nothing.
    ASSERT_TRUE(runUpdate(settings));
    ASSERT_EQ(dialogs.seen.size(), 1);
    EXPECT_EQ(dialogs.seen[0].operation, GetParam().operation);
    EXPECT_EQ(dialogs.seen[0].fileEnabled, GetParam().operation != 0);
    EXPECT_EQ(dialogs.seen[0].fileName, settings.contains(m_moved) ? m_moved : QString());
    EXPECT_EQ(m_scene->toJson(), before);
    EXPECT_EQ(meshChanges.count(), 0);

    QString error;
    ASSERT_TRUE(runUpdate(QStringLiteral("(function () { var s = %1; s.RunSilent = true; return s; })()").arg(settings), &error))
        << qPrintable(error);
    EXPECT_EQ(dialogs.seen.size(), 1);
    EXPECT_EQ(boxes.count(), 0);
    // Nothing deforms the figure, so baking writes its own positions back (and says so).
    EXPECT_EQ(positions(), GetParam().operation == 0 ? m_bodyPositions : m_movedPositions);
    EXPECT_EQ(skinMesh() == mesh, GetParam().operation != 2);
    EXPECT_EQ(meshChanges.count(), GetParam().operation == 2 ? 0 : 1);
    EXPECT_EQ(materialNames(), GetParam().operation == 2 ? kMovedMaterials : kBodyMaterials);
}

INSTANTIATE_TEST_SUITE_P(TriggerSettings, UpdateTriggerTest, ::testing::ValuesIn(kTriggerCases));

TEST_F(UpdateGeometryTest, TheDialogWantsAnExistingFileThenAFullUpdateBringsMaterialsAndSourceAndKeepsRegions)
{
    const QString empty = QStringLiteral("File Error|A valid path must be entered to continue.");
    const QString missing = QStringLiteral("File Error|The path entered must reference a file that exists to continue.");
    // A refused OK keeps the dialog up for the next row; the last row is accepted.
    const struct
    {
        int operation;
        QString file;
        QString box;
    } rows[] = {{1, QString(), empty}, {2, QStringLiteral("  "), empty}, {2, m_moved + 'x', missing},
                {2, QLatin1Char(' ') + m_moved, QString()}};
    VxMessageBoxAnswerer boxes;
    UpdateDialogDriver dialogs;
    for (const auto& row : rows) {
        dialogs.steps.append([row](VxUpdateGeometryDlg& dialog) {
            QTest::mouseClick(dialog.getOperationButton(row.operation), Qt::LeftButton);
            EXPECT_TRUE(dialog.getFileEdit()->isEnabled());
            dialog.getFileEdit()->setText(row.file);
            QTest::mouseClick(dialog.getAcceptButton(), Qt::LeftButton);
        });
    }
    VxGeometryRegion* regions = skin()->getGeometryRegion();
    ASSERT_TRUE(runUpdate(QStringLiteral("{}")));
    ASSERT_EQ(dialogs.seen.size(), 4);
    ASSERT_EQ(boxes.count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(boxes.seen()[i].title + '|' + boxes.seen()[i].text, rows[i].box) << "row " << i;
    EXPECT_EQ(positions(), m_movedPositions);
    EXPECT_EQ(materialNames(), kMovedMaterials);
    ASSERT_EQ(skin()->getGeometryRegion(), regions);
    EXPECT_EQ(regions->getGeometryRegionChild(0)->getRegionFacetIndices(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(sourcePath(skin()), m_moved + QLatin1Char('|'));
    EXPECT_EQ(sourcePath(m_figure), m_moved + QLatin1Char('|'));
    EXPECT_EQ(m_app->getImportMgr()->getImportPath(), tempPath(QStringLiteral("meshes")));

    // The current shape needs no file, and a dialog of another kind is never valid.
    VxUpdateGeometryDlg dialog;
    dialog.setFileName(m_body + 'x');
    EXPECT_TRUE(VxUpdateGeometryDlgValidator().validate(&dialog));
    VxBasicDialog other;
    EXPECT_FALSE(VxUpdateGeometryDlgValidator().validate(&other));
    ASSERT_EQ(boxes.count(), 4);
    EXPECT_EQ(boxes.seen()[3].title + '|' + boxes.seen()[3].text,
              QStringLiteral("Unexpected Error|An unexpected error has occurred."));
}

TEST_F(UpdateGeometryTest, FilesOfAnotherShapeOrThatCannotBeReadChangeNothing)
{
    const QString full = QStringLiteral("The imported geometry does not match the geometry it is updating.\n"
                                        "Vertex counts and facet counts must be the same.");
    const QString vertices = QStringLiteral("The target geometry does not match the geometry it is updating.\n"
                                            "Vertex counts must be the same.");
    const struct
    {
        QString file;
        bool full;
        QString box; // empty: no box, the importer's reason in the log
    } cases[] = {{m_oneFewer, true, full}, {m_triangle, true, full}, {m_triangle, false, vertices},
                 {m_broken, true, QString()}, {tempPath(QStringLiteral("none.obj")), false, QString()}};
    const QByteArray before = m_scene->toJson();
    for (const auto& test : cases) {
        SCOPED_TRACE(test.file.toStdString());
        VxMessageBoxAnswerer boxes;
        const int logged = loggedLines().size();
        ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', UpdateFullGeometry: %2, RunSilent: true}")
                                  .arg(test.file, test.full ? QStringLiteral("true") : QStringLiteral("false"))));
        ASSERT_EQ(boxes.count(), test.box.isEmpty() ? 0 : 1);
        if (test.box.isEmpty()) {
            ASSERT_EQ(loggedLines().size(), logged + 1);
            EXPECT_TRUE(loggedLines().last().startsWith(test.file + QLatin1Char(':')));
        } else {
            EXPECT_EQ(boxes.seen()[0].title + QLatin1Char('|') + boxes.seen()[0].text, "Incompatible Geometry|" + test.box);
        }
        EXPECT_EQ(m_scene->toJson(), before);
        EXPECT_EQ(positions(), m_bodyPositions);
    }
    // The same vertices with a facet fewer do for the positions; importer settings reach
    // the importer, and one it cannot take refuses the file.
    ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', RunSilent: true}").arg(m_oneFewer)));
    EXPECT_EQ(positions(), m_movedPositions);
    ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', RunSilent: true, Importer: {Scale: 2, ZUp: true, Smooth: 1}}").arg(m_body)));
    std::vector<float> expected = m_bodyPositions;
    for (size_t i = 0; i < expected.size(); i += 3) {
        expected[i] = m_bodyPositions[i] * 2.0f;
        expected[i + 1] = m_bodyPositions[i + 2] * 2.0f;
        expected[i + 2] = -m_bodyPositions[i + 1] * 2.0f;
    }
    EXPECT_EQ(positions(), expected);
    EXPECT_TRUE(loggedLines().contains(QStringLiteral("%1: importer setting \"Smooth\" is not known; it is ignored").arg(m_body)));
    ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', RunSilent: true, Importer: {Scale: 'big'}}").arg(m_moved)));
    EXPECT_EQ(positions(), expected);
    EXPECT_EQ(loggedLines().last(), QStringLiteral("%1: importer setting \"Scale\" must be a number above 0, not \"big\"").arg(m_moved));
}

TEST_F(UpdateGeometryTest, ABoneStandsForItsFigureAndNoGeometryIsASelectionError)
{
    m_scene->selectAllNodes(false);
    m_scene->selectNode(qobject_cast<VxBone*>(m_figure->getNodeChild(0)), true);
    ASSERT_TRUE(runUpdate(QStringLiteral("{Filename: '%1', RunSilent: true}").arg(m_moved)));
    EXPECT_EQ(positions(), m_movedPositions);

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
        EXPECT_EQ(boxes.seen()[0].title + QLatin1Char('|') + boxes.seen()[0].text,
                  QStringLiteral("Selection Error|A node in the scene with geometry must be selected to perform this action."));
        EXPECT_TRUE(dialogs.seen.isEmpty());
    }

    // A script naming no registered action, or a class that is not one, gets an error.
    QString error;
    EXPECT_FALSE(runScript(QStringLiteral("vxApp.runAction('VxNoSuchAction', {});"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no action class is registered as \"VxNoSuchAction\""))) << qPrintable(error);
    EXPECT_FALSE(runScript(QStringLiteral("vxApp.runAction('VxFacetShape');"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("\"VxFacetShape\""))) << qPrintable(error);
}
