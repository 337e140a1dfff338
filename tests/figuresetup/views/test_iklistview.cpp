// The IK chain view as a user works it, beside the relationships view: chains made from the
// relationships view's selection, renames, weights, drops of bones, links and chains, and
// items that follow the document. Ends with random edits across the three views.
#include "viewmirror.h"
#include "viewuser.h"

#include "vxfsitemdrag.h"
#include "vxgeometrylistview.h"
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

    VxHierarchyBoneItem* boneItem(const QString& name)
    {
        for (QTreeWidgetItemIterator it(&relationships); *it; ++it) {
            auto* item = vxHierarchyItemCast<VxHierarchyBoneItem>(*it);
            if (item && item->getBone()->getName() == name)
                return item;
        }
        return nullptr;
    }
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
    std::unique_ptr<QMimeData> dragOf(QTreeWidget& view, QTreeWidgetItem* item)
    {
        view.clearSelection();
        item->setSelected(true);
        std::unique_ptr<QDrag> drag(&view == &ik ? ik.dragObject() : relationships.dragObject());
        auto data = std::make_unique<QMimeData>();
        for (const QString& format : drag->mimeData()->formats())
            data->setData(format, drag->mimeData()->data(format));
        return data;
    }
    void expectMirrored() { EXPECT_EQ(ViewMirror::chainsOf(ik), ViewMirror::chainsOf(document)); }

    QWidget pane;
    VxFSHierarchy document;
    VxHierarchyEditorView relationships{&pane};
    VxIKListView ik{&pane, nullptr, QStringLiteral("IKList")};
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
        if (c.refusal)
            EXPECT_EQ(answerer.seen().last().text, QString(c.refusal));
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
    EXPECT_TRUE(ViewUser::drop(ik, ik.findItem(spine), *dragOf(relationships, boneItem("hip"))));
    EXPECT_FALSE(boneItem("hip")->isSelected());
    EXPECT_TRUE(ViewUser::drop(ik, linkItem(spine, 1), *dragOf(relationships, boneItem("chest"))));
    EXPECT_EQ(ViewMirror::chainsOf(ik).first(), QStringLiteral("spine[on]: hip=1, abdomen=0.5, chest=1, neck=<Goal>"));
    expectMirrored();

    // Links move only towards the front of their own chain.
    EXPECT_FALSE(ViewUser::drop(ik, linkItem(leg, 2), *dragOf(ik, linkItem(leg, 0))));
    EXPECT_FALSE(ViewUser::drop(ik, linkItem(spine, 0), *dragOf(ik, linkItem(leg, 2))));
    EXPECT_FALSE(ViewUser::drop(ik, ik.findItem(spine), *dragOf(ik, linkItem(leg, 2))));
    EXPECT_TRUE(ViewUser::drop(ik, linkItem(leg, 0), *dragOf(ik, linkItem(leg, 2))));
    EXPECT_TRUE(ViewUser::drop(ik, ik.findItem(spine), *dragOf(ik, linkItem(spine, 3))));
    EXPECT_EQ(ViewMirror::chainsOf(ik).last(), QStringLiteral("leg[on]: lThigh=0.333333, lFoot=1, lShin=<Goal>"));
    EXPECT_EQ(ViewMirror::chainsOf(ik).first(), QStringLiteral("spine[on]: neck=1, hip=1, abdomen=0.5, chest=<Goal>"));
    expectMirrored();

    // Chains reorder; a chain dropped on itself stays.
    VxFSHierarchyIKChain* arm = chain("arm", {"chest"});
    EXPECT_FALSE(ViewUser::drop(ik, ik.findItem(arm), *dragOf(ik, ik.findItem(arm))));
    EXPECT_TRUE(ViewUser::drop(ik, ik.findItem(spine), *dragOf(ik, ik.findItem(arm))));
    EXPECT_EQ(document.getIKChain(1), arm);
    EXPECT_TRUE(ViewUser::drop(ik, nullptr, *dragOf(ik, ik.findItem(spine))));
    EXPECT_EQ(document.getIKChain(2), spine);
    expectMirrored();

    // A bone over the empty area asks for a new chain with that bone.
    dialogs.queue("VxCreateIKDialog", DialogDriver::typeAndAccept("VxCreateNewIKChainNameEdit", "head"));
    EXPECT_TRUE(ViewUser::drop(ik, nullptr, *dragOf(relationships, boneItem("head"))));
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
