// The IK chain view as a user works it, beside the relationships view: chains made from the
// relationships view's selection, renames, weights, drops of bones, links and chains, and
// items that follow the document. Ends with random edits across the three views.
#include "viewmirror.h"
#include "viewuser.h"

#include "vxfsitemdrag.h"
#include "vxgeometrygrouplistitem.h"
#include "vxgeometrylistitem.h"
#include "vxgeometrylistview.h"
#include "vxhierarchybonecontaineritem.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchyitem.h"
#include "vxikchainitem.h"
#include "vxiklinkitem.h"
#include "vxiklistview.h"
#include "vxnewchaindlg.h"
#include "vxselectedboneitems.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"

#include "vxapptest.h"
#include "vxmenurunner.h"
#include "vxmessageboxanswerer.h"

#include <QCheckBox>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QUrl>

#include <memory>
#include <random>

class IKListViewTest : public VxAppTest
{
protected:
    void SetUp() override
    {
        VxAppTest::SetUp();
        document.setFigureType(Poser);
        // hip > abdomen > chest > neck > head, and hip > lThigh > lShin > lFoot
        QStringList spine{"abdomen", "chest", "neck", "head"};
        VxFSHierarchyItem* parent = new VxFSHierarchyItem(&document, QStringLiteral("hip"));
        for (const QString& name : spine)
            parent = new VxFSHierarchyItem(parent, name);
        VxFSHierarchyItem* leg = new VxFSHierarchyItem(document.findBone("hip"), QStringLiteral("lThigh"));
        new VxFSHierarchyItem(new VxFSHierarchyItem(leg, QStringLiteral("lShin")), QStringLiteral("lFoot"));
        relationships.resize(400, 500);
        relationships.fromHierarchy(&document);
        ik.resize(300, 400);
        ik.setHierarchy(&document);
        // What the pane does with a request: the chain dialog for the items, then the view.
        auto createChain = [this](const QList<QTreeWidgetItem*>& items) {
            VxNewChainDlg dialog(&pane, items, &document);
            dialog.exec();
            if (dialog.getChain())
                ik.newIKChainCreated(dialog.getChain());
        };
        QObject::connect(&relationships, &VxHierarchyEditorView::createIKChainRequested, &ik, [this, createChain] {
            const QList<VxHierarchyBoneItem*> bones = VxSelectedBoneItems::items(&relationships);
            createChain(QList<QTreeWidgetItem*>(bones.begin(), bones.end()));
        });
        QObject::connect(&ik, &VxIKListView::createIKChainRequested, &ik,
                         [createChain](const QString&, const QList<QTreeWidgetItem*>& items) { createChain(items); });
    }
    void TearDown() override
    {
        VxMenuRunner::clearAnswers();
        VxAppTest::TearDown();
    }

    QTreeWidgetItem* boneItem(const QString& name) { return ViewUser::boneItem(relationships, name); }
    VxFSHierarchyIKChain* chain(const QString& name, const QStringList& bones)
    {
        VxFSHierarchyIKChain* made = document.createIKChain(name);
        for (const QString& bone : bones)
            made->addLink(document.findBone(bone), 0.0f);
        made->distributeWeights();
        ik.newIKChainCreated(made);
        return made;
    }
    VxIKLinkItem* linkItem(VxFSHierarchyIKChain* chain, int index)
    {
        VxIKLinkItem* item = ik.findItem(chain)->firstLinkItem();
        while (item && index-- > 0)
            item = item->nextLinkItem();
        return item;
    }
    void chooseIK(QTreeWidgetItem* item, const QString& entry, int column = 0)
    {
        VxMenuRunner::queueAnswer(entry);
        ViewUser::rightClick(ik, item, column);
        ViewUser::settle();
    }
    // What dragging `item` carries.
    const QMimeData& dragOf(QTreeWidget& view, QTreeWidgetItem* item)
    {
        view.clearSelection();
        item->setSelected(true);
        m_drag.reset(&view == &ik ? ik.dragObject() : relationships.dragObject());
        return *m_drag->mimeData();
    }
    void expectMirrored() { EXPECT_EQ(ViewMirror::chainsOf(ik), ViewMirror::chainsOf(document)); }

    QWidget pane;
    VxFSHierarchy document;
    VxHierarchyEditorView relationships{&pane};
    VxIKListView ik{&pane, nullptr, QStringLiteral("IKList")};
    VxMessageBoxAnswerer answerer;
    DialogDriver dialogs;
    std::unique_ptr<QDrag> m_drag;
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
    ViewUser::rightClick(relationships, boneItem("lThigh"));

    ASSERT_EQ(document.getNumIKChains(), 1);
    EXPECT_EQ(ViewMirror::chainsOf(ik), QStringList{"leftleg[on]: lThigh=0.333333, lShin=0.666667, lFoot=<Goal>"});
    expectMirrored();
    EXPECT_FLOAT_EQ(document.getIKChain(0)->getLink(2)->getWeight(), 1.0f);
    // Weights sit right-aligned in ten characters; a bone's rename reaches its link.
    EXPECT_EQ(linkItem(document.getIKChain(0), 0)->text(1), QStringLiteral("  0.333333"));
    document.findBone("lShin")->setName(QStringLiteral("lCalf"));
    EXPECT_EQ(linkItem(document.getIKChain(0), 1)->text(0), QStringLiteral("lCalf"));

    // Given child first, the bones between are not offered; from the IK view's own menu
    // the chain starts empty, and its name must be new.
    relationships.clearSelection();
    boneItem("head")->setSelected(true);
    boneItem("hip")->setSelected(true);
    VxNewChainDlg childFirst(&pane, {boneItem("head"), boneItem("hip")}, &document);
    EXPECT_FALSE(childFirst.findChild<QCheckBox*>("VxCreateNewIKChainIncludeCbx")->isEnabled());
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "leftleg"));
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "   "));
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "spare"));
    chooseIK(nullptr, QStringLiteral("Create IK Chain..."));
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Chain Name Error"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("The chain name must be unique."));
    EXPECT_EQ(answerer.seen()[1].text, QStringLiteral("Please enter a valid name."));
    EXPECT_EQ(ViewMirror::chainsOf(ik).last(), QStringLiteral("spare[on]: "));
    expectMirrored();
}

TEST_F(IKListViewTest, ChainRenamesAreTypedInPlaceAndClashesAreRefused)
{
    VxFSHierarchyIKChain* arm = chain("arm", {"chest", "neck"});
    VxFSHierarchyIKChain* leg = chain("leg", {"lThigh"});
    VxIKChainItem* armItem = ik.findItem(arm);
    // Not renamable until asked for.
    EXPECT_FALSE(ViewUser::typeRename(ik, armItem, 0, "other"));

    struct Case { const char* typed; const char* expectedName; const char* refusal; };
    const Case cases[] = {
        {"leg", "arm", "The chain name must be unique."},
        {"  ", "arm", "Please enter a valid name."},
        {" left arm ", "leftarm", nullptr},
    };
    for (const Case& c : cases) {
        ik.clearSelection();
        armItem->setSelected(true);
        chooseIK(armItem, QStringLiteral("Rename Chain"));
        const int boxes = answerer.count();
        ASSERT_TRUE(ViewUser::typeRename(ik, armItem, 0, c.typed)) << c.typed;
        EXPECT_EQ(arm->getName(), QString(c.expectedName)) << c.typed;
        EXPECT_EQ(armItem->text(0), QString(c.expectedName)) << c.typed;
        EXPECT_EQ(answerer.count(), boxes + (c.refusal ? 1 : 0)) << c.typed;
        if (c.refusal) {
            EXPECT_EQ(answerer.seen().last().text, QString(c.refusal));
        }
    }
    EXPECT_EQ(leg->getName(), QStringLiteral("leg"));

    // Two chains selected: no renaming, but removal and recalculation.
    ik.findItem(leg)->setSelected(true);
    chooseIK(armItem, QString()); // dismissed
    const QStringList menu = VxMenuRunner::getLastMenu();
    EXPECT_TRUE(menu.contains("Rename Chain [disabled]"));
    EXPECT_TRUE(menu.contains("Remove IK Chain(s)"));
    EXPECT_TRUE(menu.contains("Recalculate Weights"));
    EXPECT_TRUE(menu.contains("Change Weight [disabled]"));
}

TEST_F(IKListViewTest, LinkWeightsOutsideZeroToOneAreRefused)
{
    VxFSHierarchyIKChain* spine = chain("spine", {"abdomen", "chest", "neck"});
    VxFSHierarchyIKLink* link = spine->getLink(1);
    QSignalSpy changed(link, &VxFSHierarchyIKLink::weightChanged);
    struct Case { const char* typed; float expected; bool refused; };
    const Case cases[] = {{"1.5", 0.6666667f, true}, {"heavy", 0.6666667f, true}, {"-0.1", 0.6666667f, true},
                          {"1", 1.0f, false}, {"0.25", 0.25f, false}};
    for (const Case& c : cases) {
        ik.clearSelection();
        linkItem(spine, 1)->setSelected(true);
        chooseIK(linkItem(spine, 1), QStringLiteral("Change Weight"), 1);
        const int boxes = answerer.count();
        // The entry opened the weight's editor.
        ASSERT_EQ(ik.viewport()->findChildren<QLineEdit*>().size(), 1) << c.typed;
        ASSERT_TRUE(ViewUser::typeRename(ik, linkItem(spine, 1), 1, c.typed)) << c.typed;
        EXPECT_FLOAT_EQ(link->getWeight(), c.expected) << c.typed;
        EXPECT_EQ(answerer.count(), boxes + (c.refused ? 1 : 0)) << c.typed;
        expectMirrored();
    }
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Invalid Weight"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("IK Weights must be a numeric value between 0.0 and 1.0 inclusive."));
    EXPECT_EQ(answerer.seen()[0].buttons, QStringList{"Ok"});
    EXPECT_EQ(changed.count(), 2);

    linkItem(spine, 0)->setSelected(true);
    chooseIK(linkItem(spine, 0), QStringLiteral("Recalculate Weights")); // no chain selected: refused
    EXPECT_FLOAT_EQ(link->getWeight(), 0.25f);
    ik.findItem(spine)->setSelected(true);
    chooseIK(ik.findItem(spine), QStringLiteral("Recalculate Weights"));
    EXPECT_FLOAT_EQ(link->getWeight(), 0.6666667f);
    expectMirrored();
}

TEST_F(IKListViewTest, BonesLinksAndChainsDroppedWhereTheyMayGo)
{
    VxFSHierarchyIKChain* spine = chain("spine", {"abdomen", "neck"});
    VxFSHierarchyIKChain* leg = chain("leg", {"lThigh", "lShin", "lFoot"});

    // A bone on a chain item becomes its first link; on a link, the link after it.
    EXPECT_TRUE(ViewUser::drop(ik, ik.findItem(spine), dragOf(relationships, boneItem("hip"))));
    EXPECT_FALSE(boneItem("hip")->isSelected());
    EXPECT_TRUE(ViewUser::drop(ik, linkItem(spine, 1), dragOf(relationships, boneItem("chest"))));
    EXPECT_EQ(ViewMirror::chainsOf(ik).first(), QStringLiteral("spine[on]: hip=1, abdomen=0.5, chest=1, neck=<Goal>"));
    expectMirrored();

    // Links move only towards the front of their own chain.
    EXPECT_FALSE(ViewUser::drop(ik, linkItem(leg, 2), dragOf(ik, linkItem(leg, 0))));
    EXPECT_FALSE(ViewUser::drop(ik, linkItem(spine, 0), dragOf(ik, linkItem(leg, 2))));
    EXPECT_FALSE(ViewUser::drop(ik, ik.findItem(spine), dragOf(ik, linkItem(leg, 2))));
    EXPECT_TRUE(ViewUser::drop(ik, linkItem(leg, 0), dragOf(ik, linkItem(leg, 2))));
    EXPECT_TRUE(ViewUser::drop(ik, ik.findItem(spine), dragOf(ik, linkItem(spine, 3))));
    EXPECT_EQ(ViewMirror::chainsOf(ik).last(), QStringLiteral("leg[on]: lThigh=0.333333, lFoot=1, lShin=<Goal>"));
    EXPECT_EQ(ViewMirror::chainsOf(ik).first(), QStringLiteral("spine[on]: neck=1, hip=1, abdomen=0.5, chest=<Goal>"));
    expectMirrored();

    // Chains reorder; a chain dropped on itself goes to the front, as the document puts it.
    VxFSHierarchyIKChain* arm = chain("arm", {"chest"});
    EXPECT_TRUE(ViewUser::drop(ik, ik.findItem(arm), dragOf(ik, ik.findItem(arm))));
    EXPECT_EQ(document.getIKChain(0), arm);
    expectMirrored();
    EXPECT_TRUE(ViewUser::drop(ik, ik.findItem(spine), dragOf(ik, ik.findItem(arm))));
    EXPECT_EQ(document.getIKChain(1), arm);
    EXPECT_TRUE(ViewUser::drop(ik, nullptr, dragOf(ik, ik.findItem(spine))));
    EXPECT_EQ(document.getIKChain(2), spine);
    expectMirrored();

    // A bone over the empty area asks for a new chain with that bone.
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "head"));
    EXPECT_TRUE(ViewUser::drop(ik, nullptr, dragOf(relationships, boneItem("head"))));
    EXPECT_EQ(ViewMirror::chainsOf(ik).last(), QStringLiteral("head[on]: head=<Goal>"));
    expectMirrored();
}

TEST_F(IKListViewTest, ItemsFollowLinksAndChainsThatGoAndTheCheckBoxIsTheActiveFlag)
{
    VxFSHierarchyIKChain* spine = chain("spine", {"abdomen", "chest", "neck", "head"});
    VxFSHierarchyIKChain* leg = chain("leg", {"lThigh", "lShin", "lFoot"});

    // The bone of a middle link dies: the next link item moves up.
    VxFSHierarchyItem* shin = document.findBone("lShin");
    document.findBone("lThigh")->removeChild(shin, false);
    shin->setParent(nullptr);
    delete shin; // and lFoot with it
    ViewUser::settle();
    EXPECT_EQ(leg->getNumLinks(), 1);
    expectMirrored();

    // "Remove Bone(s)" drops the selected links; the nesting closes up.
    linkItem(spine, 1)->setSelected(true);
    linkItem(spine, 3)->setSelected(true);
    chooseIK(linkItem(spine, 1), QStringLiteral("Remove Bone(s)"));
    EXPECT_EQ(ViewMirror::chainsOf(ik).first(), QStringLiteral("spine[on]: abdomen=0.25, neck=<Goal>"));
    expectMirrored();

    ik.findItem(spine)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(spine->isActive());
    ik.findItem(leg)->setSelected(true);
    chooseIK(ik.findItem(leg), QStringLiteral("Remove IK Chain(s)"));
    EXPECT_EQ(document.getNumIKChains(), 1);
    expectMirrored();

    // Clearing the document (as loading a template does) takes every chain item with it.
    document.clear(false);
    EXPECT_EQ(ik.topLevelItemCount(), 0);
}

// Random edits through the three views, each followed by the check that every view still
// shows exactly what the document holds.
TEST_F(IKListViewTest, RandomEditsAcrossTheThreeViewsKeepEveryViewTrueToTheDocument)
{
    VxGeometryListView geometries(&pane);
    geometries.resize(300, 400);
    geometries.setHierarchy(&document);
    // A removal renumbers the other geometries, whose IDs the relationships view shows too:
    // the pane has that view refresh them.
    QObject::connect(&geometries, &VxGeometryListView::geomSelectionChanged, &relationships, [this] {
        if (relationships.getRootItem())
            relationships.getRootItem()->refresh(true);
    });
    const QStringList files{writeGroupedMesh(tempPath("r/a.obj"), 3), writeGroupedMesh(tempPath("r/b.obj"), 4),
                            writeGroupedMesh(tempPath("r/c.obz"), 2)};
    std::mt19937 random(12);
    auto pick = [&random](int count) { return int(std::uniform_int_distribution<int>(0, count - 1)(random)); };
    auto itemsOf = [](QTreeWidget& view, int type) {
        QList<QTreeWidgetItem*> items;
        for (QTreeWidgetItemIterator it(&view); *it; ++it) {
            if ((*it)->type() == type)
                items.append(*it);
        }
        return items;
    };
    auto any = [&pick](const QList<QTreeWidgetItem*>& items) {
        return items.isEmpty() ? nullptr : items[pick(items.size())];
    };
    const QStringList names{"arm", "leg", "tail"};
    int sequence = 0;

    for (int step = 0; step < 160; ++step) {
        const int action = pick(12) % 11;
        QTreeWidgetItem* bone = any(itemsOf(relationships, VxHierarchyBoneItem::Type));
        QTreeWidgetItem* link = any(itemsOf(ik, VxIKLinkItem::Type));
        QTreeWidgetItem* chainItem = any(itemsOf(ik, VxIKChainItem::Type));
        QTreeWidgetItem* anyIK = pick(4) == 0 ? nullptr : any(itemsOf(ik, pick(2) ? VxIKLinkItem::Type : VxIKChainItem::Type));
        if (action == 0) {
            auto data = std::make_unique<QMimeData>();
            data->setUrls({QUrl::fromLocalFile(files[pick(files.size())])});
            ViewUser::drop(geometries, nullptr, *data);
        } else if (action == 1 && geometries.topLevelItemCount() > 0) {
            QTreeWidgetItem* item = geometries.topLevelItem(pick(geometries.topLevelItemCount()));
            if (static_cast<VxGeometryListItem*>(item)->geometry()->isInUse())
                answerer.queueAnswer(pick(2) ? "OK" : "Cancel");
            geometries.clearSelection();
            item->setSelected(true);
            VxMenuRunner::queueAnswer(QStringLiteral("Remove Geometry"));
            ViewUser::rightClick(geometries, item);
        } else if (action == 2 && bone) {
            QTreeWidgetItem* group = any(itemsOf(geometries, VxGeometryGroupListItem::Type));
            if (group) {
                geometries.clearSelection();
                group->setSelected(true);
                std::unique_ptr<QDrag> drag(geometries.dragObject());
                ViewUser::drop(relationships, bone, *drag->mimeData());
            }
        } else if (action == 3 && bone) {
            if (!anyIK) {
                const QString name = names[pick(names.size())];
                dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", name));
                for (int i = 0; i < document.getNumIKChains(); ++i) {
                    if (document.getIKChain(i)->getName() == name)
                        dialogs.queue("VxCreateIKDialog", DialogDriver::cancel());
                }
            }
            ViewUser::drop(ik, anyIK, dragOf(relationships, bone));
        } else if (action == 4 && link) {
            ViewUser::drop(ik, anyIK, dragOf(ik, link));
        } else if (action == 5 && chainItem) {
            ViewUser::drop(ik, pick(3) ? any(itemsOf(ik, VxIKChainItem::Type)) : nullptr, dragOf(ik, chainItem));
        } else if (action == 6 && (link || chainItem)) {
            ik.clearSelection();
            (link ? link : chainItem)->setSelected(true);
            chooseIK(link ? link : chainItem, link ? QStringLiteral("Remove Bone(s)") : QStringLiteral("Remove IK Chain(s)"));
        } else if (action == 7 && bone && pick(3) == 0) {
            relationships.clearSelection();
            bone->setSelected(true);
            VxMenuRunner::queueAnswer(pick(2) ? QStringLiteral("Remove Bone(s)") : QStringLiteral("Remove Bones(s) and Children"));
            ViewUser::rightClick(relationships, bone);
        } else if (action == 8 || action == 10) {
            // Below a bone, or below the "Bones" container.
            QTreeWidgetItem* target = bone && pick(2) ? bone : relationships.getRootItem()->getBoneContainer();
            // Now and then the prefix of an earlier sequence, whose names may still be taken.
            const QString prefix = QStringLiteral("s%1_").arg(sequence > 0 && pick(3) == 0 ? pick(sequence) : sequence++);
            const bool clash = document.findBone(prefix + "1") || document.findBone(prefix + "2");
            dialogs.queue("VxNewBoneSequenceDlg", [prefix](QWidget* dialog) {
                dialog->findChild<QSpinBox*>("VxBoneSequenceEndRangeBox")->setValue(2);
                dialog->findChild<QSpinBox*>("VxBoneSequenceStartRangeBox")->setValue(1);
                DialogDriver::typeAndAccept("VxBoneSequencePrefixEdit", prefix)(dialog);
            });
            if (clash)
                dialogs.queue("VxNewBoneSequenceDlg", DialogDriver::cancel());
            relationships.clearSelection();
            target->setSelected(true);
            VxMenuRunner::queueAnswer(QStringLiteral("Add Bone Sequence..."));
            ViewUser::rightClick(relationships, target);
        } else if (action == 9 && bone) {
            static_cast<VxHierarchyBoneItem*>(bone)->getBone()->setName(names[pick(names.size())]);
        }
        ViewUser::settle();
        ASSERT_EQ(dialogs.pending(), 0) << "step " << step << " action " << action;
        ASSERT_EQ(ViewMirror::chainsOf(ik), ViewMirror::chainsOf(document)) << "step " << step << " action " << action;
        ASSERT_EQ(ViewMirror::geometriesOf(geometries), ViewMirror::geometriesOf(document)) << "step " << step;
        ASSERT_TRUE(treeMirrorsDocument(relationships)) << "step " << step;
    }
    EXPECT_GT(answerer.count(), 0);
}
