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
const QString kStart = QStringLiteral("Actor(Body(Head Arms(LeftArm RightArm)) Legs)");
const QString kMenu = QStringLiteral("Create Region... [0]");

QStringList g_warnings;
void catchWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        g_warnings.append(message);
}
} // namespace

TEST_F(RegionEditorTest, ReparentDropsNestOrGoToTheRootAndNeverIntoTheirOwnSubtree)
{
    EXPECT_TRUE(drop({QStringLiteral("RightArm"), QStringLiteral("Head")}, QStringLiteral("Legs")));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Arms(LeftArm)) Legs(RightArm Head))"));
    EXPECT_TRUE(drop({QStringLiteral("LeftArm")}, QString()));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Arms) Legs(RightArm Head) LeftArm)"));

    // Onto a descendant, onto itself, the root dragged (also to the empty area): nothing moves.
    EXPECT_FALSE(drop({QStringLiteral("Body")}, QStringLiteral("Arms")));
    EXPECT_FALSE(drop({QStringLiteral("Legs"), QStringLiteral("Body")}, QStringLiteral("Body")));
    EXPECT_FALSE(drop({QStringLiteral("Actor")}, QStringLiteral("Legs")));
    EXPECT_FALSE(drop({QStringLiteral("Actor")}, QString()));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Arms) Legs(RightArm Head) LeftArm)"));
    EXPECT_TRUE(view()->isExpanded(rowOf(QStringLiteral("Legs"))));
}

TEST_F(RegionEditorTest, ReorderDropsPutEachRegionAtTheTargetsFormerPlaceInTurn)
{
    QTest::mouseClick(m_dialog->getReorderButton(), Qt::LeftButton);
    EXPECT_TRUE(drop({QStringLiteral("Legs")}, QStringLiteral("Body")));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Legs Body(Head Arms(LeftArm RightArm)))"));
    // Regions of other parents join the target's parent; the last dragged ends up first.
    EXPECT_TRUE(drop({QStringLiteral("LeftArm"), QStringLiteral("Head")}, QStringLiteral("Body")));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Legs Head LeftArm Body(Arms(RightArm)))"));
    // Beside the root there is no place: it takes them as its last children.
    EXPECT_TRUE(drop({QStringLiteral("RightArm")}, QStringLiteral("Actor")));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Legs Head LeftArm Body(Arms) RightArm)"));
    EXPECT_FALSE(drop({QStringLiteral("Body")}, QStringLiteral("Arms")));

    QTest::mouseClick(m_dialog->getReparentButton(), Qt::LeftButton);
    EXPECT_TRUE(drop({QStringLiteral("RightArm")}, QStringLiteral("Arms")));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Legs Head LeftArm Body(Arms(RightArm)))"));
}

TEST_F(RegionEditorTest, PayloadsNotNamingThisTreesRegionsChangeNothing)
{
    auto* stranger = new VxGeometryRegion(QStringLiteral("Stranger"));
    VxFSGeometryRegionListDrag foreign({stranger, reinterpret_cast<VxGeometryRegion*>(quintptr(0x10))});
    delete stranger;
    EXPECT_FALSE(model()->dropMimeData(&foreign, Qt::MoveAction, -1, -1, rowOf(QStringLiteral("Legs"))));
    EXPECT_EQ(tree(), kStart);

    // Decoding a source without the format is a programming error, told on the diagnostic line.
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(&catchWarning);
    QMimeData text;
    EXPECT_TRUE(VxFSGeometryRegionListDrag::decode(&text).isEmpty());
    qInstallMessageHandler(previous);
    ASSERT_EQ(g_warnings.size(), 1);
    EXPECT_TRUE(g_warnings[0].contains(QRegularExpression(QStringLiteral(
        "vxfsgeometryregionlistdrag\\.cpp\\(\\d+\\): MIME source passed to VxFSGeometryRegionListDrag::decode\\(\\) "
        "does not provide Vexelhost/geomregionptr-list\\.$"))))
        << qPrintable(g_warnings[0]);
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
    rename(QStringLiteral("Head"), QStringLiteral("Skull"));
    rename(QStringLiteral("LeftArm"), QStringLiteral("Actor"));
    rename(QStringLiteral("LeftArm"), QStringLiteral("Skull"));
    rename(QStringLiteral("RightArm"), QString());
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Skull Arms(LeftArm RightArm)) Legs)"));
    EXPECT_EQ(region(QStringLiteral("Skull"))->getName(), QStringLiteral("Head"));
    EXPECT_EQ(boxes.count(), 0);

    const QModelIndex card = rowOf(QStringLiteral("Arms"), 1);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, view()->visualRect(card).center());
    EXPECT_EQ(card.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    for (const char* label : {"Actor", "Body", "Skull", "Arms", "LeftArm", "RightArm", "Legs"})
        EXPECT_EQ(region(QLatin1String(label))->getDisplaysCards(), qstrcmp(label, "Arms") != 0) << label;
}

TEST_F(RegionEditorTest, TheMenuOffersWhatTheSelectionAllows)
{
    EXPECT_EQ(contextMenu({QStringLiteral("Actor")}, QString()), (QStringList{kMenu, QStringLiteral("---")}));
    EXPECT_EQ(contextMenu({QStringLiteral("Head"), QStringLiteral("LeftArm")}, QString()),
              (QStringList{kMenu, QStringLiteral("---"), QStringLiteral("Unparent Region(s) [1]"),
                           QStringLiteral("Delete Region(s) [2]")}));
    // Arms has children and Legs has facets: neither may be deleted.
    EXPECT_EQ(contextMenu({QStringLiteral("Head"), QStringLiteral("Arms")}, QString()),
              (QStringList{kMenu, QStringLiteral("---"), QStringLiteral("Group Region(s)... [1]"),
                           QStringLiteral("Unparent Region(s) [2]")}));
    EXPECT_FALSE(contextMenu({QStringLiteral("Legs")}, QString()).contains(QStringLiteral("Delete Region(s) [3]")));
    EXPECT_EQ(tree(), kStart);
}

TEST_F(RegionEditorTest, MenuEntriesGroupUnparentAndDelete)
{
    CreateRegionAnswerer prompt;
    prompt.answers = QStringList{QStringLiteral("Upper"), QString()};
    contextMenu({QStringLiteral("Arms"), QStringLiteral("Head")}, QStringLiteral("Group Region(s)..."));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Upper(Arms(LeftArm RightArm) Head)) Legs)"));
    contextMenu({QStringLiteral("LeftArm"), QStringLiteral("Head")}, QStringLiteral("Unparent Region(s)"));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Upper(Arms(RightArm))) Legs LeftArm Head)"));
    contextMenu({QStringLiteral("LeftArm"), QStringLiteral("RightArm")}, QStringLiteral("Delete Region(s)"));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Upper(Arms)) Legs Head)"));
    // A cancelled prompt groups nothing.
    contextMenu({QStringLiteral("Head")}, QStringLiteral("Group Region(s)..."));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Upper(Arms)) Legs Head)"));
    EXPECT_EQ(prompt.prompts, 2);
}

TEST_F(RegionEditorTest, TheNamePromptRefusesEmptyAndTakenNamesAndMakesTheRootActorWhenNeeded)
{
    CreateRegionAnswerer prompt;
    VxMessageBoxAnswerer boxes;
    // "Arms" is taken by name; "Skull" only by a label, which does not count.
    region(QStringLiteral("Head"))->setLabel(QStringLiteral("Skull"));
    prompt.answers = QStringList{QStringLiteral(" "), QStringLiteral("Arms"), QStringLiteral("Skull")};
    contextMenu({}, QStringLiteral("Create Region..."));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.seen()[0].title + " | " + boxes.seen()[0].text,
              QStringLiteral("Empty Name Error | Please enter a name for the Region."));
    EXPECT_EQ(boxes.seen()[1].title + " | " + boxes.seen()[1].text,
              QStringLiteral("Name Collision Error | The name provided already exists. Please enter another name."));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Skull Arms(LeftArm RightArm)) Legs Skull)"));

    m_shape->setGeometryRegion(nullptr);
    EXPECT_EQ(tree(), QString());
    prompt.answers = QStringList{QStringLiteral("Hand")};
    EXPECT_EQ(contextMenu({}, QStringLiteral("Create Region...")), QStringList{kMenu});
    EXPECT_EQ(tree(), QStringLiteral("Actor(Hand)"));
    EXPECT_EQ(m_shape->getGeometryRegion()->getName(), QStringLiteral("Actor"));
}

TEST_F(RegionEditorTest, TheTreeFollowsTheHostsChanges)
{
    auto* hands = new VxGeometryRegion(QStringLiteral("Hands"));
    hands->setLabel(QStringLiteral("Hands"));
    region(QStringLiteral("Arms"))->addChildRegion(hands);
    delete region(QStringLiteral("Head"));
    EXPECT_EQ(tree(), QStringLiteral("Actor(Body(Arms(LeftArm RightArm Hands)) Legs)"));
    auto* other = new VxGeometryRegion(QStringLiteral("Other"));
    other->setLabel(QStringLiteral("Other"));
    m_shape->setGeometryRegion(other);
    auto* child = new VxGeometryRegion(QStringLiteral("Child"));
    child->setLabel(QStringLiteral("Child"));
    other->addChildRegion(child);
    EXPECT_EQ(tree(), QStringLiteral("Other(Child)"));

    // A figure without a shape: an empty tree, and the prompt just closes.
    m_figure->getObject()->removeShape(m_shape);
    m_shape = nullptr;
    openEditor();
    CreateRegionAnswerer prompt;
    prompt.answers = QStringList{QStringLiteral("Hand")};
    contextMenu({}, QStringLiteral("Create Region..."));
    EXPECT_EQ(prompt.prompts, 1);
    EXPECT_TRUE(prompt.answers.isEmpty());
    EXPECT_EQ(tree(), QString());
}
