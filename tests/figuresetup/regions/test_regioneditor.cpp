// The region editor used as a user uses it (drops with the view's payload, in-place renames,
// the Card check boxes, the context menu and its name prompt); every change must reach the
// host's regions, and the tree must show what the host has.
#include "regioneditortest.h"

#include "vxfsgeometryregionlistdrag.h"
#include "vxfsgeometryregionmodel.h"
#include "vxfsgeometryregiontreeview.h"
#include "vxfsregioneditordlg.h"

#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxmessageboxanswerer.h"
#include "vxobject.h"
#include "vxshape.h"

#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>

namespace {
const QString kStart = "Actor(Body(Head Arms(LeftArm RightArm)) Legs)";
const QString kMenu = "Create Region... [0]";

} // namespace

TEST_F(RegionEditorTest, ReparentDropsNestOrGoToTheRootAndNeverIntoTheirOwnSubtree)
{
    EXPECT_TRUE(drop({"RightArm", "Head"}, "Legs"));
    EXPECT_EQ(tree(), "Actor(Body(Arms(LeftArm)) Legs(RightArm Head))");
    EXPECT_TRUE(drop({"LeftArm"}, QString()));
    EXPECT_EQ(tree(), "Actor(Body(Arms) Legs(RightArm Head) LeftArm)");

    // Onto a descendant, onto itself, the root dragged (also to the empty area): nothing moves.
    EXPECT_FALSE(drop({"Body"}, "Arms"));
    EXPECT_FALSE(drop({"Legs", "Body"}, "Body"));
    EXPECT_FALSE(drop({"Actor"}, "Legs"));
    EXPECT_FALSE(drop({"Actor"}, QString()));
    EXPECT_TRUE(view()->isExpanded(rowOf("Legs")));

    // Payloads naming no region of this tree (one gone, one never a region), or none at all.
    auto* stranger = new VxGeometryRegion("Stranger");
    VxFSGeometryRegionListDrag foreign({stranger, reinterpret_cast<VxGeometryRegion*>(quintptr(0x10))});
    delete stranger;
    EXPECT_FALSE(model()->dropMimeData(&foreign, Qt::MoveAction, -1, -1, rowOf("Legs")));
    QMimeData text;
    EXPECT_TRUE(VxFSGeometryRegionListDrag::decode(&text).isEmpty());
    EXPECT_EQ(tree(), "Actor(Body(Arms) Legs(RightArm Head) LeftArm)");
}

TEST_F(RegionEditorTest, ReorderDropsPutEachRegionAtTheTargetsFormerPlaceInTurn)
{
    QTest::mouseClick(m_dialog->getReorderButton(), Qt::LeftButton);
    EXPECT_TRUE(drop({"Legs"}, "Body"));
    EXPECT_EQ(tree(), "Actor(Legs Body(Head Arms(LeftArm RightArm)))");
    // Regions of other parents join the target's parent; the last dragged ends up first.
    EXPECT_TRUE(drop({"LeftArm", "Head"}, "Body"));
    EXPECT_EQ(tree(), "Actor(Legs Head LeftArm Body(Arms(RightArm)))");
    // Beside the root there is no place: it takes them as its last children.
    EXPECT_TRUE(drop({"RightArm"}, "Actor"));
    EXPECT_EQ(tree(), "Actor(Legs Head LeftArm Body(Arms) RightArm)");
    EXPECT_FALSE(drop({"Body"}, "Arms"));

    QTest::mouseClick(m_dialog->getReparentButton(), Qt::LeftButton);
    EXPECT_TRUE(drop({"RightArm"}, "Arms"));
    EXPECT_EQ(tree(), "Actor(Legs Head LeftArm Body(Arms(RightArm)))");
}

TEST_F(RegionEditorTest, RenamesRefuseTakenAndEmptyLabelsAndCardSwitchesOneRegion)
{
    VxMessageBoxAnswerer boxes;
    const auto rename = [this](const QString& label, const QString& text) {
        const QPoint at = view()->visualRect(rowOf(label)).center();
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        auto* editor = qobject_cast<QLineEdit*>(view()->indexWidget(rowOf(label)));
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits from the event loop
    };
    rename("Head", "Skull");
    rename("LeftArm", "Actor");
    rename("LeftArm", "Skull");
    rename("RightArm", QString());
    EXPECT_EQ(tree(), "Actor(Body(Skull Arms(LeftArm RightArm)) Legs)");
    EXPECT_EQ(region("Skull")->getName(), "Head");
    EXPECT_EQ(boxes.count(), 0);

    const QModelIndex card = rowOf("Arms", 1);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, view()->visualRect(card).center());
    EXPECT_EQ(card.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    for (const char* label : {"Actor", "Body", "Skull", "Arms", "LeftArm", "RightArm", "Legs"})
        EXPECT_EQ(region(QLatin1String(label))->getDisplaysCards(), qstrcmp(label, "Arms") != 0) << label;
}

TEST_F(RegionEditorTest, TheMenuOffersWhatTheSelectionAllowsAndGroupsUnparentsAndDeletes)
{
    EXPECT_EQ(contextMenu({"Actor"}, QString()), (QStringList{kMenu, "---"}));
    EXPECT_EQ(contextMenu({"Head", "LeftArm"}, QString()),
              (QStringList{kMenu, "---", "Unparent Region(s) [1]", "Delete Region(s) [2]"}));
    // Arms has children and Legs has facets: neither may be deleted.
    EXPECT_EQ(contextMenu({"Head", "Arms"}, QString()),
              (QStringList{kMenu, "---", "Group Region(s)... [1]", "Unparent Region(s) [2]"}));
    EXPECT_FALSE(contextMenu({"Legs"}, QString()).contains("Delete Region(s) [3]"));
    EXPECT_EQ(tree(), kStart);

    CreateRegionAnswerer prompt;
    prompt.answers = QStringList{"Upper", QString()};
    contextMenu({"Arms", "Head"}, "Group Region(s)...");
    EXPECT_EQ(tree(), "Actor(Body(Upper(Arms(LeftArm RightArm) Head)) Legs)");
    contextMenu({"LeftArm", "Head"}, "Unparent Region(s)");
    EXPECT_EQ(tree(), "Actor(Body(Upper(Arms(RightArm))) Legs LeftArm Head)");
    contextMenu({"LeftArm", "RightArm"}, "Delete Region(s)");
    EXPECT_EQ(tree(), "Actor(Body(Upper(Arms)) Legs Head)");
    // A cancelled prompt groups nothing.
    contextMenu({"Head"}, "Group Region(s)...");
    EXPECT_EQ(tree(), "Actor(Body(Upper(Arms)) Legs Head)");
    EXPECT_EQ(prompt.prompts, 2);
}

TEST_F(RegionEditorTest, TheNamePromptRefusesEmptyAndTakenNamesAndTheTreeFollowsTheHost)
{
    CreateRegionAnswerer prompt;
    VxMessageBoxAnswerer boxes;
    // "Arms" is taken by name; "Skull" only by a label, which does not count.
    region("Head")->setLabel("Skull");
    prompt.answers = QStringList{" ", "Arms", "Skull"};
    contextMenu({}, "Create Region...");
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.seen()[0].title + " | " + boxes.seen()[0].text,
              "Empty Name Error | Please enter a name for the Region.");
    EXPECT_EQ(boxes.seen()[1].title + " | " + boxes.seen()[1].text,
              "Name Collision Error | The name provided already exists. Please enter another name.");
    EXPECT_EQ(tree(), "Actor(Body(Skull Arms(LeftArm RightArm)) Legs Skull)");

    // The host's own changes show at once; with no regions left, a new one gets the root
    // "Actor" made for it.
    addRegion(region("Arms"), "Hands");
    delete region("LeftArm");
    EXPECT_EQ(tree(), "Actor(Body(Skull Arms(RightArm Hands)) Legs Skull)");
    m_shape->setGeometryRegion(nullptr);
    EXPECT_EQ(tree(), QString());
    prompt.answers = QStringList{"Hand"};
    EXPECT_EQ(contextMenu({}, "Create Region..."), QStringList{kMenu});
    EXPECT_EQ(tree(), "Actor(Hand)");
    EXPECT_EQ(m_shape->getGeometryRegion()->getName(), "Actor");
    VxGeometryRegion* other = addRegion(nullptr, "Other");
    m_shape->setGeometryRegion(other);
    addRegion(other, "Child");
    EXPECT_EQ(tree(), "Other(Child)");

    // A figure without a shape: an empty tree, and the prompt just closes.
    m_figure->getObject()->removeShape(m_shape);
    m_shape = nullptr;
    openEditor();
    const int prompts = prompt.prompts;
    prompt.answers = QStringList{"Hand"};
    contextMenu({}, "Create Region...");
    EXPECT_EQ(prompt.prompts, prompts + 1);
    EXPECT_TRUE(prompt.answers.isEmpty());
    EXPECT_EQ(tree(), QString());
}
