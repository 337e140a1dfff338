// The region editor used as a user uses it: in-place renames, the "Card" check boxes, the
// context menu with its name prompt, and the tree following changes the host makes.
#include "regioneditortest.h"

#include "vxfscreateregiondlg.h"
#include "vxfsgeometryregionmodel.h"
#include "vxfsgeometryregiontreeview.h"
#include "vxfsregioneditordlg.h"

#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxobject.h"
#include "vxshape.h"
#include "vxstyle.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kStart = QStringLiteral("Actor(Body(Head Arms(LeftArm RightArm)) Legs)");

QImage iconImage(const QVariant& decoration)
{
    return decoration.value<QIcon>().pixmap(16).toImage();
}

} // namespace

using RegionEditingTest = RegionEditorTest;

TEST_F(RegionEditingTest, OpensOnTheFiguresRegionsWithTheCardColumnInFront)
{
    EXPECT_EQ(m_dialog->objectName(), QStringLiteral("FigureSetupRegionEditorDlg"));
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Region Editor"));
    EXPECT_EQ(m_dialog->getAcceptButton()->text(), QStringLiteral("Finished"));
    EXPECT_FALSE(m_dialog->getCancelButton()->isVisible());
    EXPECT_EQ(view()->objectName(), QStringLiteral("GeometryRegionTreeView"));
    EXPECT_EQ(shownTree(), kStart);

    EXPECT_EQ(model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Region"));
    EXPECT_EQ(model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("Card"));
    EXPECT_EQ(view()->header()->visualIndex(1), 0);
    EXPECT_FALSE(view()->header()->sectionsMovable());

    // The icon tells regions that own facets from empty ones.
    EXPECT_EQ(iconImage(rowOf(QStringLiteral("Legs")).data(Qt::DecorationRole)),
              VxStyle::icon(VxStyle::PixmapRegion).pixmap(16).toImage());
    EXPECT_EQ(iconImage(rowOf(QStringLiteral("Head")).data(Qt::DecorationRole)),
              VxStyle::icon(VxStyle::PixmapEmptyRegion).pixmap(16).toImage());
}

TEST_F(RegionEditingTest, RenamesInPlaceRefuseEmptyAndClashingLabelsSilently)
{
    VxMessageBoxAnswerer boxes;
    const auto rename = [this](const QString& label, const QString& text) {
        const QModelIndex row = rowOf(label);
        const QPoint at = view()->visualRect(row).center();
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        auto* editor = qobject_cast<QLineEdit*>(view()->indexWidget(row));
        if (!editor)
            return false;
        EXPECT_EQ(editor->text(), label);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits from the event loop.
        QCoreApplication::processEvents();
        return true;
    };

    ASSERT_TRUE(rename(QStringLiteral("Head"), QStringLiteral("Skull")));
    ASSERT_NE(region(QStringLiteral("Skull")), nullptr);
    EXPECT_EQ(region(QStringLiteral("Skull"))->getName(), QStringLiteral("Head"));
    EXPECT_EQ(rowOf(QStringLiteral("Skull")).data().toString(), QStringLiteral("Skull"));

    // A label used anywhere in the tree (here the root's and a cousin's) or no label at all.
    ASSERT_TRUE(rename(QStringLiteral("LeftArm"), QStringLiteral("Actor")));
    ASSERT_TRUE(rename(QStringLiteral("LeftArm"), QStringLiteral("Skull")));
    ASSERT_TRUE(rename(QStringLiteral("LeftArm"), QString()));
    EXPECT_NE(region(QStringLiteral("LeftArm")), nullptr);
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Skull Arms(LeftArm RightArm)) Legs)"));
    EXPECT_EQ(shownTree(), hostTree());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(RegionEditingTest, UncheckingCardSwitchesThatRegionOnly)
{
    const QModelIndex card = rowOf(QStringLiteral("Arms"), 1);
    ASSERT_EQ(card.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, view()->visualRect(card).center());

    EXPECT_FALSE(region(QStringLiteral("Arms"))->getDisplaysCards());
    EXPECT_EQ(rowOf(QStringLiteral("Arms"), 1).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    for (const QString& other : {QStringLiteral("Actor"), QStringLiteral("Body"), QStringLiteral("LeftArm"),
                                 QStringLiteral("RightArm"), QStringLiteral("Legs")})
        EXPECT_TRUE(region(other)->getDisplaysCards()) << qPrintable(other);
}

TEST_F(RegionEditingTest, TheMenuOffersWhatTheSelectionAllows)
{
    select({QStringLiteral("Actor")});
    EXPECT_EQ(contextMenu(QString()), (QStringList{QStringLiteral("Create Region... [0]"), QStringLiteral("---")}));

    // Different parents: no grouping. A region with children or facets: no deleting.
    select({QStringLiteral("Head"), QStringLiteral("LeftArm")});
    EXPECT_EQ(contextMenu(QString()), (QStringList{QStringLiteral("Create Region... [0]"), QStringLiteral("---"),
                                                   QStringLiteral("Unparent Region(s) [1]"),
                                                   QStringLiteral("Delete Region(s) [2]")}));
    select({QStringLiteral("Head"), QStringLiteral("Arms")});
    EXPECT_EQ(contextMenu(QString()), (QStringList{QStringLiteral("Create Region... [0]"), QStringLiteral("---"),
                                                   QStringLiteral("Group Region(s)... [1]"),
                                                   QStringLiteral("Unparent Region(s) [2]")}));
    select({QStringLiteral("Legs")});
    EXPECT_FALSE(contextMenu(QString()).contains(QStringLiteral("Delete Region(s) [2]")));
    EXPECT_EQ(hostTree(), kStart);
}

TEST_F(RegionEditingTest, MenuEntriesGroupUnparentAndDeleteTheSelectedRegions)
{
    CreateRegionAnswerer prompt;
    prompt.queueName(QStringLiteral("Upper"));
    select({QStringLiteral("Arms"), QStringLiteral("Head")});
    contextMenu(QStringLiteral("Group Region(s)..."));
    // The group takes the place of the first selected region.
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Upper(Arms(LeftArm RightArm) Head)) Legs)"));
    EXPECT_EQ(region(QStringLiteral("Upper"))->getName(), QStringLiteral("Upper"));

    select({QStringLiteral("LeftArm"), QStringLiteral("Head")});
    contextMenu(QStringLiteral("Unparent Region(s)"));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Upper(Arms(RightArm))) Legs LeftArm Head)"));

    select({QStringLiteral("LeftArm"), QStringLiteral("RightArm")});
    contextMenu(QStringLiteral("Delete Region(s)"));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Upper(Arms)) Legs Head)"));
    EXPECT_EQ(shownTree(), hostTree());

    // A cancelled prompt groups nothing.
    prompt.queueCancel();
    select({QStringLiteral("Head")});
    contextMenu(QStringLiteral("Group Region(s)..."));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Upper(Arms)) Legs Head)"));
    EXPECT_EQ(prompt.prompts(), 2);
}

TEST_F(RegionEditingTest, TheNamePromptRefusesEmptyAndTakenNamesAndKeepsAsking)
{
    CreateRegionAnswerer prompt;
    VxMessageBoxAnswerer boxes;
    // "Arms" is taken by name; "Skull" only by a region's label, which does not count.
    region(QStringLiteral("Head"))->setLabel(QStringLiteral("Skull"));
    prompt.queueName(QStringLiteral("  "));
    prompt.queueName(QStringLiteral("Arms"));
    prompt.queueName(QStringLiteral("Skull"));
    contextMenu(QStringLiteral("Create Region..."));

    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("Empty Name Error"));
    EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("Please enter a name for the Region."));
    EXPECT_EQ(boxes.seen()[1].title, QStringLiteral("Name Collision Error"));
    EXPECT_EQ(boxes.seen()[1].text, QStringLiteral("The name provided already exists. Please enter another name."));
    EXPECT_EQ(prompt.prompts(), 3);
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Body(Skull Arms(LeftArm RightArm)) Legs Skull)"));
    EXPECT_EQ(shownTree(), hostTree());
}

TEST_F(RegionEditingTest, CreatingTheFirstRegionOfAShapeMakesTheRootActor)
{
    m_shape->setGeometryRegion(nullptr);
    EXPECT_EQ(shownTree(), QString());

    CreateRegionAnswerer prompt;
    prompt.queueName(QStringLiteral("Hand"));
    EXPECT_EQ(contextMenu(QStringLiteral("Create Region...")), QStringList{QStringLiteral("Create Region... [0]")});
    ASSERT_NE(m_shape->getGeometryRegion(), nullptr);
    EXPECT_EQ(m_shape->getGeometryRegion()->getName(), QStringLiteral("Actor"));
    EXPECT_EQ(hostTree(), QStringLiteral("Actor(Hand)"));
    EXPECT_EQ(shownTree(), hostTree());
}

TEST_F(RegionEditingTest, TheTreeFollowsChangesTheHostMakesUnderneath)
{
    auto* hands = new VxGeometryRegion(QStringLiteral("Hands"));
    hands->setLabel(QStringLiteral("Hands"));
    region(QStringLiteral("Arms"))->addChildRegion(hands);
    EXPECT_EQ(shownTree(), QStringLiteral("Actor(Body(Head Arms(LeftArm RightArm Hands)) Legs)"));
    delete region(QStringLiteral("Head"));
    EXPECT_EQ(shownTree(), QStringLiteral("Actor(Body(Arms(LeftArm RightArm Hands)) Legs)"));
    region(QStringLiteral("Legs"))->setLabel(QStringLiteral("Lower"));
    EXPECT_EQ(rowOf(QStringLiteral("Lower")).data().toString(), QStringLiteral("Lower"));

    // A new root replaces the tree; the old root no longer drives it.
    auto* other = new VxGeometryRegion(QStringLiteral("Other"));
    other->setLabel(QStringLiteral("Other"));
    m_shape->setGeometryRegion(other);
    EXPECT_EQ(shownTree(), QStringLiteral("Other"));
    auto* child = new VxGeometryRegion(QStringLiteral("Child"));
    child->setLabel(QStringLiteral("Child"));
    other->addChildRegion(child);
    EXPECT_EQ(shownTree(), QStringLiteral("Other(Child)"));
}

TEST_F(RegionEditingTest, AFigureWithoutAShapeShowsNothingAndThePromptJustCloses)
{
    m_figure->getObject()->removeShape(m_shape);
    m_shape = nullptr;
    openEditor();
    EXPECT_EQ(shownTree(), QString());

    CreateRegionAnswerer prompt;
    prompt.queueName(QStringLiteral("Hand"));
    contextMenu(QStringLiteral("Create Region..."));
    EXPECT_EQ(prompt.prompts(), 1);
    EXPECT_EQ(prompt.unanswered(), 0);
    EXPECT_EQ(shownTree(), QString());
}
