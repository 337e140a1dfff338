// The IK chain view as a user works it, beside the relationships view: chains made from the
// relationships view's selection, renames, weights, drops of bones, links and chains, and
// items that follow the document. Ends with random edits across the three views.
#include "viewmirror.h"
#include "viewuser.h"

#include "vxgeometrygrouplistitem.h"
#include "vxgeometrylistitem.h"
#include "vxgeometrylistview.h"
#include "vxhierarchybonecontaineritem.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchyitem.h"
#include "vxhierarchyregionitem.h"
#include "vxikchainitem.h"
#include "vxiklinkitem.h"
#include "vxiklistview.h"
#include "vxnewchaindlg.h"
#include "vxselectedboneitems.h"

#include "vxfsforest.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxmenurunner.h"
#include "vxmessageboxanswerer.h"

#include <QCheckBox>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTreeWidgetItemIterator>
#include <QUrl>

#include <memory>
#include <random>

// The relationships view (m_view) and the IK view on a parametric figure of the bones
// hip > abdomen > chest > neck > head and hip > lThigh > lShin > lFoot, wired as the pane
// wires them.
class IKListViewTest : public HierarchyViewTest
{
protected:
    void SetUp() override
    {
        HierarchyViewTest::SetUp();
        m_document->setFigureType(Poser);
        addBones({"hip", "hip/abdomen", "abdomen/chest", "chest/neck", "neck/head", "hip/lThigh", "lThigh/lShin",
                  "lShin/lFoot"});
        attach();
        ik = std::make_unique<VxIKListView>(m_pane.get(), nullptr, QStringLiteral("IKList"));
        ik->resize(300, 400);
        ik->setHierarchy(m_document.get());
        // What the pane does with a request: the chain dialog for the items, then the view.
        auto createChain = [this](const QList<QTreeWidgetItem*>& items) {
            VxNewChainDlg dialog(m_pane.get(), items, m_document.get());
            dialog.exec();
            if (dialog.getChain())
                ik->newIKChainCreated(dialog.getChain());
        };
        QObject::connect(m_view.get(), &VxHierarchyEditorView::createIKChainRequested, ik.get(), [this, createChain] {
            const QList<VxHierarchyBoneItem*> bones = VxSelectedBoneItems::items(m_view.get());
            createChain(QList<QTreeWidgetItem*>(bones.begin(), bones.end()));
        });
        QObject::connect(ik.get(), &VxIKListView::createIKChainRequested, ik.get(),
                         [createChain](const QString&, const QList<QTreeWidgetItem*>& items) { createChain(items); });
    }
    void TearDown() override
    {
        ik.reset();
        HierarchyViewTest::TearDown();
    }

    VxFSHierarchyIKChain* chain(const QString& name, const QStringList& bones)
    {
        VxFSHierarchyIKChain* made = m_document->createIKChain(name);
        for (const QString& link : bones)
            made->addLink(bone(link), 0.0f);
        made->distributeWeights();
        ik->newIKChainCreated(made);
        return made;
    }
    VxIKLinkItem* linkItem(VxFSHierarchyIKChain* chain, int index)
    {
        VxIKLinkItem* item = ik->findItem(chain)->firstLinkItem();
        while (item && index-- > 0)
            item = item->nextLinkItem();
        return item;
    }
    // Right-clicks `item` of the IK view and chooses `entry` (none when empty).
    void chooseIK(QTreeWidgetItem* item, const QString& entry, int column = 0)
    {
        VxMenuRunner::queueAnswer(entry);
        ViewUser::rightClick(*ik, item, column);
        ViewUser::settle();
    }
    // What dragging `item` of the IK view carries.
    std::unique_ptr<QMimeData> ikDrag(QTreeWidgetItem* item)
    {
        ik->clearSelection();
        item->setSelected(true);
        const std::unique_ptr<QDrag> drag(ik->dragObject());
        return payload(*drag);
    }
    void expectMirrored() { EXPECT_EQ(ViewMirror::chainsOf(*ik), ViewMirror::chainsOf(*m_document)); }

    std::unique_ptr<VxIKListView> ik;
    VxMessageBoxAnswerer answerer;
    DialogDriver dialogs;
};

TEST_F(IKListViewTest, AChainMadeFromABoneAndItsDescendantLinksTheBonesBetween)
{
    boneItem("lThigh")->setSelected(true);
    boneItem("lFoot")->setSelected(true);
    dialogs.queue("VxCreateIKDialog", [](QWidget* dialog) {
        auto* include = dialog->findChild<QCheckBox*>("VxCreateNewIKChainIncludeCbx");
        EXPECT_TRUE(include->isEnabled());
        include->setChecked(true);
        DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", " left  leg ")(dialog);
    });
    VxMenuRunner::queueAnswer(QStringLiteral("Create IK Chain..."));
    ViewUser::rightClick(*m_view, boneItem("lThigh"));

    ASSERT_EQ(m_document->getNumIKChains(), 1);
    EXPECT_EQ(ViewMirror::chainsOf(*ik), QStringList{"leftleg[on]: lThigh=0.333333, lShin=0.666667, lFoot=<Goal>"});
    expectMirrored();
    EXPECT_FLOAT_EQ(m_document->getIKChain(0)->getLink(2)->getWeight(), 1.0f);
    // Weights sit right-aligned in ten characters; a bone's rename reaches its link.
    EXPECT_EQ(linkItem(m_document->getIKChain(0), 0)->text(1), QStringLiteral("  0.333333"));
    bone("lShin")->setName(QStringLiteral("lCalf"));
    EXPECT_EQ(linkItem(m_document->getIKChain(0), 1)->text(0), QStringLiteral("lCalf"));

    // Given child first, the bones between are not offered; from the IK view's own menu
    // the chain starts empty, and its name must be new.
    m_view->clearSelection();
    boneItem("head")->setSelected(true);
    boneItem("hip")->setSelected(true);
    VxNewChainDlg childFirst(m_pane.get(), {boneItem("head"), boneItem("hip")}, m_document.get());
    EXPECT_FALSE(childFirst.findChild<QCheckBox*>("VxCreateNewIKChainIncludeCbx")->isEnabled());
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "leftleg"));
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "   "));
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "spare"));
    chooseIK(nullptr, QStringLiteral("Create IK Chain..."));
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Chain Name Error"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("The chain name must be unique."));
    EXPECT_EQ(answerer.seen()[1].text, QStringLiteral("Please enter a valid name."));
    EXPECT_EQ(ViewMirror::chainsOf(*ik).last(), QStringLiteral("spare[on]: "));
    expectMirrored();
}

TEST_F(IKListViewTest, TypedChainNamesAndLinkWeightsAreRefusedOutsideTheirRules)
{
    VxFSHierarchyIKChain* spine = chain("spine", {"abdomen", "chest", "neck"});
    VxFSHierarchyIKChain* leg = chain("leg", {"lThigh"});
    VxIKChainItem* spineItem = ik->findItem(spine);
    VxFSHierarchyIKLink* link = spine->getLink(1);
    QSignalSpy weightChanges(link, &VxFSHierarchyIKLink::weightChanged);
    // A chain's name is typed into only when its menu entry asks for it.
    EXPECT_FALSE(ViewUser::typeRename(*ik, spineItem, 0, "other"));
    const QString weight = "Invalid Weight|IK Weights must be a numeric value between 0.0 and 1.0 inclusive.";
    // Per row: typed into the chain's name (column 0) or its middle link's weight (column 1),
    // what the chain then has, and the refusal.
    const struct { int column; const char* typed; const char* kept; QString refusal; } rows[] = {
        {0, "leg", "spine", "Chain Name Error|The chain name must be unique."},
        {0, "  ", "spine", "Chain Name Error|Please enter a valid name."},
        {0, " left arm ", "leftarm", QString()},
        {1, "1.5", "0.666667", weight},
        {1, "heavy", "0.666667", weight},
        {1, "-0.1", "0.666667", weight},
        {1, "1", "1", QString()},
        {1, "0.25", "0.25", QString()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        QTreeWidgetItem* item = row.column == 0 ? static_cast<QTreeWidgetItem*>(spineItem) : linkItem(spine, 1);
        ik->clearSelection();
        item->setSelected(true);
        chooseIK(item, row.column == 0 ? "Rename Chain" : "Change Weight", row.column);
        ASSERT_EQ(ik->viewport()->findChildren<QLineEdit*>().size(), 1); // the entry opened the editor
        const int boxes = answerer.count();
        ASSERT_TRUE(ViewUser::typeRename(*ik, item, row.column, row.typed));
        EXPECT_EQ(row.column == 0 ? spine->getName() : QString::number(double(link->getWeight()), 'g', 6), row.kept);
        ASSERT_EQ(answerer.count(), boxes + (row.refusal.isEmpty() ? 0 : 1));
        if (!row.refusal.isEmpty()) {
            EXPECT_EQ(answerer.seen().last().title + '|' + answerer.seen().last().text, row.refusal);
        }
        expectMirrored();
    }
    EXPECT_EQ(answerer.seen().last().buttons, QStringList{"Ok"});
    EXPECT_EQ(leg->getName(), "leg");
    EXPECT_EQ(weightChanges.count(), 2);

    // Weights are recalculated for selected chains only; two chains are not renamed.
    linkItem(spine, 0)->setSelected(true);
    chooseIK(linkItem(spine, 0), "Recalculate Weights");
    EXPECT_FLOAT_EQ(link->getWeight(), 0.25f);
    ik->clearSelection();
    ik->findItem(leg)->setSelected(true);
    spineItem->setSelected(true);
    chooseIK(spineItem, QString()); // dismissed
    const QStringList menu = VxMenuRunner::getLastMenu();
    for (const char* entry : {"Rename Chain [disabled]", "Remove IK Chain(s)", "Recalculate Weights", "Change Weight [disabled]"})
        EXPECT_TRUE(menu.contains(entry)) << entry;
    chooseIK(spineItem, "Recalculate Weights");
    EXPECT_FLOAT_EQ(link->getWeight(), 0.6666667f);
    expectMirrored();
}

TEST_F(IKListViewTest, BonesLinksAndChainsDroppedWhereTheyMayGo)
{
    VxFSHierarchyIKChain* spine = chain("spine", {"abdomen", "neck"});
    VxFSHierarchyIKChain* leg = chain("leg", {"lThigh", "lShin", "lFoot"});

    // A bone on a chain item becomes its first link; on a link, the link after it.
    EXPECT_TRUE(ViewUser::drop(*ik, ik->findItem(spine), *dragData(boneItem("hip"))));
    EXPECT_FALSE(boneItem("hip")->isSelected());
    EXPECT_TRUE(ViewUser::drop(*ik, linkItem(spine, 1), *dragData(boneItem("chest"))));
    EXPECT_EQ(ViewMirror::chainsOf(*ik).first(), QStringLiteral("spine[on]: hip=1, abdomen=0.5, chest=1, neck=<Goal>"));
    expectMirrored();

    // Links move only towards the front of their own chain.
    EXPECT_FALSE(ViewUser::drop(*ik, linkItem(leg, 2), *ikDrag(linkItem(leg, 0))));
    EXPECT_FALSE(ViewUser::drop(*ik, linkItem(spine, 0), *ikDrag(linkItem(leg, 2))));
    EXPECT_FALSE(ViewUser::drop(*ik, ik->findItem(spine), *ikDrag(linkItem(leg, 2))));
    EXPECT_TRUE(ViewUser::drop(*ik, linkItem(leg, 0), *ikDrag(linkItem(leg, 2))));
    EXPECT_TRUE(ViewUser::drop(*ik, ik->findItem(spine), *ikDrag(linkItem(spine, 3))));
    EXPECT_EQ(ViewMirror::chainsOf(*ik).last(), QStringLiteral("leg[on]: lThigh=0.333333, lFoot=1, lShin=<Goal>"));
    EXPECT_EQ(ViewMirror::chainsOf(*ik).first(), QStringLiteral("spine[on]: neck=1, hip=1, abdomen=0.5, chest=<Goal>"));
    expectMirrored();

    // Chains reorder; a chain dropped on itself goes to the front, as the document puts it.
    VxFSHierarchyIKChain* arm = chain("arm", {"chest"});
    EXPECT_TRUE(ViewUser::drop(*ik, ik->findItem(arm), *ikDrag(ik->findItem(arm))));
    EXPECT_EQ(m_document->getIKChain(0), arm);
    expectMirrored();
    EXPECT_TRUE(ViewUser::drop(*ik, ik->findItem(spine), *ikDrag(ik->findItem(arm))));
    EXPECT_EQ(m_document->getIKChain(1), arm);
    EXPECT_TRUE(ViewUser::drop(*ik, nullptr, *ikDrag(ik->findItem(spine))));
    EXPECT_EQ(m_document->getIKChain(2), spine);
    expectMirrored();

    // A bone over the empty area asks for a new chain with that bone.
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "head"));
    EXPECT_TRUE(ViewUser::drop(*ik, nullptr, *dragData(boneItem("head"))));
    EXPECT_EQ(ViewMirror::chainsOf(*ik).last(), QStringLiteral("head[on]: head=<Goal>"));
    expectMirrored();
}

TEST_F(IKListViewTest, ItemsFollowLinksAndChainsThatGoAndTheCheckBoxIsTheActiveFlag)
{
    VxFSHierarchyIKChain* spine = chain("spine", {"abdomen", "chest", "neck", "head"});
    VxFSHierarchyIKChain* leg = chain("leg", {"lThigh", "lShin", "lFoot"});

    // The bone of a middle link dies: the next link item moves up.
    VxFSHierarchyItem* shin = bone("lShin");
    bone("lThigh")->removeChild(shin, false);
    shin->setParent(nullptr);
    delete shin; // and lFoot with it
    ViewUser::settle();
    EXPECT_EQ(leg->getNumLinks(), 1);
    expectMirrored();

    // "Remove Bone(s)" drops the selected links; the nesting closes up.
    linkItem(spine, 1)->setSelected(true);
    linkItem(spine, 3)->setSelected(true);
    chooseIK(linkItem(spine, 1), QStringLiteral("Remove Bone(s)"));
    EXPECT_EQ(ViewMirror::chainsOf(*ik).first(), QStringLiteral("spine[on]: abdomen=0.25, neck=<Goal>"));
    expectMirrored();

    ik->findItem(spine)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(spine->isActive());
    ik->findItem(leg)->setSelected(true);
    chooseIK(ik->findItem(leg), QStringLiteral("Remove IK Chain(s)"));
    EXPECT_EQ(m_document->getNumIKChains(), 1);
    expectMirrored();

    // Clearing the document (as loading a template does) takes every chain item with it.
    m_document->clear(false);
    EXPECT_EQ(ik->topLevelItemCount(), 0);
}

// Random edits through the three views on each kind of figure, each followed by the check
// that every view still shows exactly what the document holds.
class RandomEditsTest : public IKListViewTest, public ::testing::WithParamInterface<VxFigureSetupFigureType>
{
};

TEST_P(RandomEditsTest, EveryViewStaysTrueToTheDocument)
{
    const bool parametric = GetParam() == Poser;
    m_document->setFigureType(GetParam());
    new VxFSRegionItem(new VxFSRegionItem(m_document.get(), "Body"), "Head");
    attach();
    VxGeometryListView geometries(m_pane.get());
    geometries.resize(300, 400);
    geometries.setHierarchy(m_document.get());
    // A removal renumbers the other geometries, whose IDs the relationships view shows too:
    // the pane has that view refresh them.
    QObject::connect(&geometries, &VxGeometryListView::geomSelectionChanged, m_view.get(), [this] {
        if (m_view->getRootItem())
            m_view->getRootItem()->refresh(true);
    });
    const QStringList files{writeGroupedMesh(tempPath("r/a.obj"), 3), writeGroupedMesh(tempPath("r/b.obj"), 4),
                            writeGroupedMesh(tempPath("r/c.obz"), 2)};
    const QStringList names{"hip", "chest", "arm", "leg", "newBone"};
    std::mt19937 random(parametric ? 12 : 7);
    auto pick = [&random](int count) { return int(std::uniform_int_distribution<int>(0, count - 1)(random)); };
    auto any = [&pick](QTreeWidget& view, int type) -> QTreeWidgetItem* {
        QList<QTreeWidgetItem*> items;
        for (QTreeWidgetItemIterator it(&view); *it; ++it) {
            if ((*it)->type() == type)
                items.append(*it);
        }
        return items.isEmpty() ? nullptr : items[pick(items.size())];
    };
    int sequence = 0;

    for (int step = 0; step < 300; ++step) {
        auto* one = static_cast<VxHierarchyBoneItem*>(any(*m_view, VxHierarchyBoneItem::Type));
        auto* other = static_cast<VxHierarchyBoneItem*>(any(*m_view, VxHierarchyBoneItem::Type));
        auto* region = static_cast<VxHierarchyRegionItem*>(any(*m_view, VxHierarchyRegionItem::Type));
        auto* target = static_cast<VxHierarchyRegionItem*>(any(*m_view, VxHierarchyRegionItem::Type));
        QTreeWidgetItem* link = any(*ik, VxIKLinkItem::Type);
        QTreeWidgetItem* chainItem = any(*ik, VxIKChainItem::Type);
        QTreeWidgetItem* ikTarget = pick(4) == 0 ? nullptr : pick(2) ? link : chainItem;
        QTreeWidgetItem* parent = one && pick(2) ? static_cast<QTreeWidgetItem*>(one) : itemOfType(4149);
        const int action = pick(20);
        // From 7 on, edits of a bone; from 15 on, of the IK view, which parametric figures have.
        if ((action >= 7 && !one) || (action >= 15 && !parametric))
            continue;
        switch (action) {
        case 0: { // files dropped on the geometry list
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(files[pick(files.size())])});
            ViewUser::drop(geometries, nullptr, data);
            break;
        }
        case 1: // a geometry removed, answering the question when it is in use
            if (QTreeWidgetItem* item = any(geometries, VxGeometryListItem::Type)) {
                if (static_cast<VxGeometryListItem*>(item)->geometry()->isInUse())
                    answerer.queueAnswer(pick(2) ? "OK" : "Cancel");
                geometries.clearSelection();
                item->setSelected(true);
                VxMenuRunner::queueAnswer(QStringLiteral("Remove Geometry"));
                ViewUser::rightClick(geometries, item);
            }
            break;
        case 2:
        case 3: // a child bone from the menu, so that the figure keeps growing
            select({parent});
            ASSERT_TRUE(choose(parent, 0, 3));
            break;
        case 4: { // a bone sequence, now and then with the prefix of an earlier one
            const QString prefix = QStringLiteral("s%1_").arg(sequence > 0 && pick(3) == 0 ? pick(sequence) : sequence++);
            dialogs.queue("VxNewBoneSequenceDlg", [prefix](QWidget* dialog) {
                dialog->findChild<QSpinBox*>("VxBoneSequenceEndRangeBox")->setValue(2);
                dialog->findChild<QSpinBox*>("VxBoneSequenceStartRangeBox")->setValue(1);
                DialogDriver::typeAndAccept("VxBoneSequencePrefixEdit", prefix)(dialog);
            });
            if (bone(prefix + "1") || bone(prefix + "2"))
                dialogs.queue("VxNewBoneSequenceDlg", DialogDriver::cancel());
            select({parent});
            ASSERT_TRUE(choose(parent, 0, 4));
            break;
        }
        case 5: // a child region added or a region removed
            if (region && !parametric) {
                select({region});
                ASSERT_TRUE(choose(region, 0, 20 + pick(2)));
            }
            break;
        case 6: // a region dropped anywhere but into its own subtree
            if (region && !parametric) {
                const bool allowed = !VxFSForest::holds(region->getRegion(), target->getRegion());
                ASSERT_EQ(drop(target, *dragData(region)), allowed) << "step " << step;
            }
            break;
        case 7: // typed into the name or label cell, as the item editor does
            one->setText(pick(2), names[pick(names.size())]);
            break;
        case 8: { // a bone dropped anywhere but into its own subtree
            const bool toBone = pick(4);
            const bool allowed = !toBone || !VxFSForest::holds(one->getBone(), other->getBone());
            ASSERT_EQ(drop(toBone ? other : itemOfType(4149), *dragData(one)), allowed) << "step " << step;
            break;
        }
        case 9:
            select({one, other});
            ASSERT_TRUE(choose(one, 2, 30 + pick(6)));
            break;
        case 10: // bones removed, now and then with their children
            select({one, other});
            ASSERT_TRUE(choose(one, 0, pick(3) == 0 ? 6 : 5));
            break;
        case 11:
            if (parametric) {
                select({one, other});
                ASSERT_TRUE(choose(one, 3, 7 + pick(2)));
            }
            break;
        case 12:
            one->getBone()->setCurve(pick(2));
            break;
        case 13:
            one->getBone()->addWeldTarget(other->getBone());
            break;
        case 14: // a face group dragged onto a bone
            if (QTreeWidgetItem* group = any(geometries, VxGeometryGroupListItem::Type)) {
                geometries.clearSelection();
                group->setSelected(true);
                const std::unique_ptr<QDrag> drag(geometries.dragObject());
                drop(one, *drag->mimeData());
            }
            break;
        case 15: // a bone dropped on the IK view; on its empty area it asks for a chain
            if (!ikTarget) {
                const QString name = names[pick(names.size())];
                dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", name));
                for (int i = 0; i < m_document->getNumIKChains(); ++i) {
                    if (m_document->getIKChain(i)->getName() == name)
                        dialogs.queue("VxCreateIKDialog", DialogDriver::cancel());
                }
            }
            ViewUser::drop(*ik, ikTarget, *dragData(one));
            break;
        case 16: // renamed elsewhere, which the pane allows only while no name is being typed
            if (m_view->viewport()->findChildren<QLineEdit*>().isEmpty())
                one->getBone()->setName(names[pick(names.size())]);
            break;
        case 17:
            if (link)
                ViewUser::drop(*ik, ikTarget, *ikDrag(link));
            break;
        case 18:
            if (chainItem)
                ViewUser::drop(*ik, pick(3) ? any(*ik, VxIKChainItem::Type) : nullptr, *ikDrag(chainItem));
            break;
        default:
            if (link || chainItem) {
                ik->clearSelection();
                (link ? link : chainItem)->setSelected(true);
                chooseIK(link ? link : chainItem, link ? QStringLiteral("Remove Bone(s)") : QStringLiteral("Remove IK Chain(s)"));
            }
            break;
        }
        ViewUser::settle();
        ASSERT_EQ(dialogs.pending(), 0) << "step " << step << " action " << action;
        ASSERT_EQ(ViewMirror::chainsOf(*ik), ViewMirror::chainsOf(*m_document)) << "step " << step << " action " << action;
        ASSERT_EQ(ViewMirror::geometriesOf(geometries), ViewMirror::geometriesOf(*m_document)) << "step " << step;
        ASSERT_TRUE(treeMirrorsDocument(*m_view)) << "step " << step << " action " << action;
    }
    EXPECT_GT(m_document->getNumBones(true), 0);
}

INSTANTIATE_TEST_SUITE_P(FigureTypes, RandomEditsTest, ::testing::Values(SingleSkin, Poser));
