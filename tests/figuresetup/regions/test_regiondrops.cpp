// Drags inside the region editor's tree, in both drop modes, with the payload the view's
// drag builds; every accepted drop changes the host's regions, and the tree follows them.
#include "regioneditortest.h"

#include "vxfsgeometryregionlistdrag.h"
#include "vxfsgeometryregionmodel.h"
#include "vxfsgeometryregiontreeview.h"
#include "vxfsregioneditordlg.h"

#include "vxgeometryregion.h"

#include <QMimeData>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kStart = QStringLiteral("Actor(Body(Head Arms(LeftArm RightArm)) Legs)");

// Collects what is written through qWarning while it lives.
class WarningCatcher
{
public:
    WarningCatcher() { s_lines.clear(); m_previous = qInstallMessageHandler(&WarningCatcher::handle); }
    ~WarningCatcher() { qInstallMessageHandler(m_previous); }
    const QStringList& lines() const { return s_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg)
            s_lines.append(message);
    }
    static QStringList s_lines;
    QtMessageHandler m_previous;
};
QStringList WarningCatcher::s_lines;

} // namespace

using RegionDropTest = RegionEditorTest;

TEST_F(RegionDropTest, ReparentModeMovesRegionsUnderTheTargetOrToTheRootOnTheEmptyArea)
{
    ASSERT_EQ(shownTree(), kStart);
    EXPECT_TRUE(m_dialog->getReparentButton()->isChecked());

    // Two regions from different parents go under the region dropped on, in drag order.
    EXPECT_TRUE(drop({QStringLiteral("RightArm"), QStringLiteral("Head")}, QStringLiteral("Legs")));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Arms(LeftArm)) Legs(RightArm Head))"));
    EXPECT_EQ(shownTree(), hostTree());

    // The empty area stands for the root of the dragged region's tree.
    EXPECT_TRUE(drop({QStringLiteral("LeftArm")}, QString()));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Arms) Legs(RightArm Head) LeftArm)"));
    EXPECT_EQ(shownTree(), hostTree());
    // The whole tree is shown expanded after each rebuild.
    EXPECT_TRUE(view()->isExpanded(rowOf(QStringLiteral("Legs"))));
}

TEST_F(RegionDropTest, DropsIntoTheDraggedRegionsOwnSubtreeOrOfTheRootAreRefused)
{
    // Onto its own descendant, onto itself, and the root dragged anywhere: nothing moves.
    EXPECT_FALSE(drop({QStringLiteral("Body")}, QStringLiteral("LeftArm")));
    EXPECT_FALSE(drop({QStringLiteral("Legs"), QStringLiteral("Arms")}, QStringLiteral("Arms")));
    EXPECT_FALSE(drop({QStringLiteral("Actor")}, QStringLiteral("Legs")));
    // The root as the first dragged region has no tree above it to fall back to.
    EXPECT_FALSE(drop({QStringLiteral("Actor")}, QString()));

    // The same refusals in reorder mode.
    QTest::mouseClick(m_dialog->getReorderButton(), Qt::LeftButton);
    EXPECT_FALSE(drop({QStringLiteral("Body")}, QStringLiteral("RightArm")));
    EXPECT_EQ(hostTree(), kStart);
    EXPECT_EQ(shownTree(), kStart);
}

TEST_F(RegionDropTest, ReorderModeMovesEachRegionToTheTargetsFormerPlaceInTurn)
{
    QTest::mouseClick(m_dialog->getReorderButton(), Qt::LeftButton);
    ASSERT_TRUE(model()->isReorder());

    // Within one parent: Legs takes Body's place.
    EXPECT_TRUE(drop({QStringLiteral("Legs")}, QStringLiteral("Body")));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Legs Body(Head Arms(LeftArm RightArm)))"));

    // From other parents: each joins the target's parent and lands at the target's former
    // index (1), so the last one dragged ends up first.
    EXPECT_TRUE(drop({QStringLiteral("LeftArm"), QStringLiteral("Head")}, QStringLiteral("Body")));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Legs Head LeftArm Body(Arms(RightArm)))"));

    // Beside the root there is no place: the regions become its last children.
    EXPECT_TRUE(drop({QStringLiteral("RightArm")}, QStringLiteral("Actor")));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Legs Head LeftArm Body(Arms) RightArm)"));
    EXPECT_EQ(shownTree(), hostTree());

    // Back to reparent: the same drop nests instead.
    QTest::mouseClick(m_dialog->getReparentButton(), Qt::LeftButton);
    EXPECT_TRUE(drop({QStringLiteral("RightArm")}, QStringLiteral("Arms")));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Legs Head LeftArm Body(Arms(RightArm)))"));
}

TEST_F(RegionDropTest, PayloadsThatAreNotThisTreesRegionsChangeNothing)
{
    const QModelIndex legs = rowOf(QStringLiteral("Legs"));

    // Another format, or a copy instead of a move.
    QMimeData text;
    text.setText(QStringLiteral("Head"));
    EXPECT_FALSE(model()->dropMimeData(&text, Qt::MoveAction, -1, -1, legs));
    VxFSGeometryRegionListDrag head({region(QStringLiteral("Head"))});
    EXPECT_FALSE(model()->dropMimeData(&head, Qt::CopyAction, -1, -1, legs));

    // Addresses of regions this tree does not show (one of another shape, one freed, one
    // made up) are never followed; a truncated payload keeps what it holds in full.
    auto* stranger = new VxGeometryRegion(QStringLiteral("Stranger"));
    VxFSGeometryRegionListDrag foreign({stranger, reinterpret_cast<VxGeometryRegion*>(quintptr(0x10))});
    delete stranger;
    EXPECT_FALSE(model()->dropMimeData(&foreign, Qt::MoveAction, -1, -1, legs));
    VxFSGeometryRegionListDrag two({region(QStringLiteral("Head")), region(QStringLiteral("Arms"))});
    QMimeData truncated;
    truncated.setData(QString::fromLatin1(VxFSGeometryRegionListDrag::kMimeType),
                      two.data(QString::fromLatin1(VxFSGeometryRegionListDrag::kMimeType)).chopped(1));
    EXPECT_EQ(hostTree(), kStart);
    EXPECT_TRUE(model()->dropMimeData(&truncated, Qt::MoveAction, -1, -1, legs));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Arms(LeftArm RightArm)) Legs(Head))"));

    // Decoding a source without the format is a programming error: one diagnostic line.
    WarningCatcher warnings;
    EXPECT_TRUE(VxFSGeometryRegionListDrag::decode(&text).isEmpty());
    ASSERT_EQ(warnings.lines().size(), 1);
    EXPECT_TRUE(warnings.lines()[0].contains(QRegularExpression(
        QStringLiteral("vxfsgeometryregionlistdrag\\.cpp\\(\\d+\\): MIME source passed to "
                       "VxFSGeometryRegionListDrag::decode\\(\\) does not provide Vexelhost/geomregionptr-list\\.$"))))
        << qPrintable(warnings.lines()[0]);
}

TEST_F(RegionDropTest, OnlyNonRootRegionNamesCanBeDraggedAndTheEmptyAreaTakesDrops)
{
    const Qt::ItemFlags root = model()->flags(rowOf(QStringLiteral("Actor")));
    const Qt::ItemFlags head = model()->flags(rowOf(QStringLiteral("Head")));
    const Qt::ItemFlags card = model()->flags(rowOf(QStringLiteral("Head"), 1));
    EXPECT_FALSE(root & Qt::ItemIsDragEnabled);
    EXPECT_TRUE(root & Qt::ItemIsDropEnabled);
    EXPECT_TRUE(head & Qt::ItemIsDragEnabled);
    EXPECT_TRUE(head & Qt::ItemIsDropEnabled);
    EXPECT_TRUE(head & Qt::ItemIsEditable);
    EXPECT_FALSE(card & (Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled));
    EXPECT_TRUE(card & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(model()->flags(QModelIndex()) & Qt::ItemIsDropEnabled);
    EXPECT_EQ(model()->supportedDropActions(), Qt::MoveAction);
    EXPECT_EQ(view()->dragDropMode(), QAbstractItemView::InternalMove);

    // A whole selected row (both cells) drags its region once.
    std::unique_ptr<QMimeData> payload(model()->mimeData(
        {rowOf(QStringLiteral("Head")), rowOf(QStringLiteral("Head"), 1), rowOf(QStringLiteral("Legs"))}));
    ASSERT_NE(payload, nullptr);
    const QList<VxGeometryRegion*> decoded = VxFSGeometryRegionListDrag::decode(payload.get());
    EXPECT_EQ(decoded, (QList<VxGeometryRegion*>{region(QStringLiteral("Head")), region(QStringLiteral("Legs"))}));
    EXPECT_EQ(model()->mimeData({}), nullptr);
}
