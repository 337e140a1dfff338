// The bone dialogs opened from the relationships view's menus, filled and accepted or
// refused as a user would, and what they leave in the document and the tree.
#include "viewuser.h"

#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchyitem.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxapptest.h"
#include "vxmenurunner.h"
#include "vxmessageboxanswerer.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace {
// Sets the sequence dialog's fields; the spin boxes are set end first, as they clamp.
DialogDriver::Step sequence(const QString& prefix, int start, int end, bool pad, bool siblings)
{
    return [=](QWidget* dialog) {
        dialog->findChild<QSpinBox*>("VxBoneSequenceEndRangeBox")->setValue(end);
        dialog->findChild<QSpinBox*>("VxBoneSequenceStartRangeBox")->setValue(start);
        dialog->findChild<QCheckBox*>("VxBoneSequencePadSuffixCbx")->setChecked(pad);
        dialog->findChild<QRadioButton*>(siblings ? "VxBoneSequenceSiblingsBtn" : "VxBoneSequenceCascadeBtn")
            ->setChecked(true);
        DialogDriver::typeAndAccept("VxBoneSequencePrefixEdit", prefix)(dialog);
    };
}

QStringList boxesChecked(QWidget* dialog)
{
    QStringList checked;
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
        if (box->isChecked())
            checked.append(box->text());
    }
    return checked;
}
} // namespace

class BoneDialogsTest : public VxAppTest
{
protected:
    void SetUp() override
    {
        VxAppTest::SetUp();
        VxFSHierarchyItem* hip = new VxFSHierarchyItem(&document, QStringLiteral("hip"));
        new VxFSHierarchyItem(new VxFSHierarchyItem(hip, QStringLiteral("chest")), QStringLiteral("head"));
        new VxFSHierarchyItem(hip, QStringLiteral("hand"));
        view.resize(500, 600);
        view.fromHierarchy(&document);
    }
    void TearDown() override
    {
        VxMenuRunner::clearAnswers();
        VxAppTest::TearDown();
    }
    QTreeWidgetItem* item(const QString& boneName) { return ViewUser::boneItem(view, boneName); }
    void select(const QStringList& bones)
    {
        view.clearSelection();
        for (const QString& bone : bones)
            item(bone)->setSelected(true);
    }
    void choose(QTreeWidgetItem* clicked, int column, const QString& entry)
    {
        VxMenuRunner::queueAnswer(entry);
        ViewUser::rightClick(view, clicked, column);
        ViewUser::settle();
        EXPECT_EQ(dialogs.pending(), 0) << "a dialog step did not run for " << entry.toStdString();
    }
    void expectMirrored() { EXPECT_TRUE(treeMirrorsDocument(view)); }

    VxFSHierarchy document;
    QWidget pane;
    VxHierarchyEditorView view{&pane};
    VxMessageBoxAnswerer answerer;
    DialogDriver dialogs;
};

TEST_F(BoneDialogsTest, BoneSequencesCascadeOrSitSideBySideAndRefuseNamesThatExist)
{
    // The range cannot run backwards; refused input keeps the dialog open: no prefix, then a
    // range reaching an existing name (hand1 beside the padded hand01), then accepted.
    dialogs.queue("VxNewBoneSequenceDlg", [](QWidget* dialog) {
        auto* start = dialog->findChild<QSpinBox*>("VxBoneSequenceStartRangeBox");
        auto* end = dialog->findChild<QSpinBox*>("VxBoneSequenceEndRangeBox");
        end->setValue(3);
        start->setValue(5); // pushes the end up
        EXPECT_EQ(end->value(), 5);
        end->setValue(2); // pulls the start down
        EXPECT_EQ(start->value(), 2);
        sequence("", 1, 3, false, false)(dialog);
    });
    dialogs.queue("VxNewBoneSequenceDlg", sequence("hand", 0, 12, true, false));
    dialogs.queue("VxNewBoneSequenceDlg", sequence("finger", 1, 12, true, false));
    new VxFSHierarchyItem(document.findBone("hand"), QStringLiteral("hand1"));
    view.fromHierarchy(&document);
    select({"chest"});
    choose(item("chest"), 0, QStringLiteral("Add Bone Sequence..."));
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Bone Prefix Error"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("Please enter a valid prefix."));
    EXPECT_EQ(answerer.seen()[1].title, QStringLiteral("Bone Suffix Error"));
    EXPECT_EQ(answerer.seen()[1].text, QStringLiteral("One of the bone names already exists."));
    EXPECT_EQ(document.findBone("hand00"), nullptr);
    VxFSHierarchyItem* last = document.findBone("finger12");
    ASSERT_TRUE(last);
    // Cascading: each bone below the one before, the first below the target.
    for (int i = 12; i > 1; --i)
        EXPECT_EQ(document.findBone(QString("finger%1").arg(i, 2, 10, QChar('0')))->parent(),
                  document.findBone(QString("finger%1").arg(i - 1, 2, 10, QChar('0'))));
    EXPECT_EQ(document.findBone("finger01")->parent(), document.findBone("chest"));
    expectMirrored();

    // As siblings on the "Bones" container: new root bones after the existing one, three
    // digits once the end reaches 100, none when it stays below 10.
    QTreeWidgetItem* bones = item("hip")->parent();
    dialogs.queue("VxNewBoneSequenceDlg", sequence("toe", 98, 100, true, true));
    view.clearSelection();
    bones->setSelected(true);
    choose(bones, 0, QStringLiteral("Add Bone Sequence..."));
    dialogs.queue("VxNewBoneSequenceDlg", sequence("rib", 8, 9, true, true));
    choose(bones, 0, QStringLiteral("Add Bone Sequence..."));
    QStringList roots;
    for (VxFSHierarchyItem* bone = document.getFirstBone(); bone; bone = bone->getNextSibling())
        roots.append(bone->getName());
    EXPECT_EQ(roots, (QStringList{"hip", "toe098", "toe099", "toe100", "rib8", "rib9"}));
    expectMirrored();
}

TEST_F(BoneDialogsTest, JointParametersGoToEverySelectedBone)
{
    document.setFigureType(Poser);
    document.findBone("head")->setTwist(false);
    view.fromHierarchy(&document);

    // One bone: the boxes start from it.
    select({"head"});
    dialogs.queue("VxSelectJointParamsDlg", [](QWidget* dialog) {
        EXPECT_EQ(boxesChecked(dialog), (QStringList{"Least Likely to Reach 90 Degrees <Side-Side>",
                                                     "Most Likely to Reach 90 Degrees <Bend>", "Smooth Zone"}));
        EXPECT_EQ(dialog->findChild<QLabel*>("VxSelectJointsParamsWarningLbl"), nullptr);
        DialogDriver::cancel()(dialog);
    });
    choose(item("head"), 2, QStringLiteral("Select Joint Parameters..."));

    // Two bones: the warning, every box off; the defaults alone are not all parameters.
    select({"head", "hand"});
    dialogs.queue("VxSelectJointParamsDlg", [](QWidget* dialog) {
        EXPECT_TRUE(dialog->findChild<QLabel*>("VxSelectJointsParamsWarningLbl"));
        EXPECT_TRUE(boxesChecked(dialog).isEmpty());
        dialog->findChild<QCheckBox*>("VxSelectJointParamsDefaultCbx")->click();
        EXPECT_FALSE(dialog->findChild<QCheckBox*>("VxSelectJointParamsSelectAllCbx")->isChecked());
        dialog->findChild<QCheckBox*>("VxSelectJointParamsCurveCbx")->click();
        EXPECT_TRUE(dialog->findChild<QCheckBox*>("VxSelectJointParamsSelectAllCbx")->isChecked());
        dialog->findChild<QCheckBox*>("VxSelectJointParamsSmoothCbx")->click();
        EXPECT_FALSE(dialog->findChild<QCheckBox*>("VxSelectJointParamsDefaultCbx")->isChecked());
        EXPECT_FALSE(dialog->findChild<QCheckBox*>("VxSelectJointParamsSelectAllCbx")->isChecked());
        DialogDriver::accept()(dialog);
    });
    choose(item("hand"), 2, QStringLiteral("Select Joint Parameters..."));
    for (const char* name : {"head", "hand"}) {
        const VxFSHierarchyItem* bone = document.findBone(name);
        EXPECT_TRUE(bone->getTwist() && bone->getSideSide() && bone->getBend() && bone->getCurve()) << name;
        EXPECT_FALSE(bone->getScale()) << name;
        EXPECT_EQ(item(name)->text(2), QStringLiteral("XYZ(c)"));
    }
    EXPECT_FALSE(document.findBone("chest")->getCurve());
}

TEST_F(BoneDialogsTest, WeightMapsTakeTheBulgesIntoAccount)
{
    select({"chest"});
    dialogs.queue("VxSelectVxFigureWeightMapsDlg", [](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select Weight Maps"));
        // The four maps of a new bone are on, its bulges off: default, but not all.
        auto* all = dialog->findChild<QCheckBox*>("VxSelectVxFigureWeightMapsSelectAllCbx");
        auto* defaults = dialog->findChild<QCheckBox*>("VxSelectVxFigureWeightMapsDefaultCbx");
        EXPECT_TRUE(defaults->isChecked());
        EXPECT_FALSE(all->isChecked());
        dialog->findChild<QCheckBox*>("VxSelectVxFigureWeightMapsScaleCbx")->click();
        EXPECT_FALSE(defaults->isChecked());
        defaults->click();
        EXPECT_TRUE(dialog->findChild<QCheckBox*>("VxSelectVxFigureWeightMapsScaleCbx")->isChecked());
        EXPECT_FALSE(all->isChecked());
        for (const char* bulge : {"TwistBulgeCbx", "SideBulgeCbx"})
            dialog->findChild<QCheckBox*>(QStringLiteral("VxSelectVxFigureWeightMaps") + bulge)->click();
        EXPECT_FALSE(all->isChecked());
        dialog->findChild<QCheckBox*>("VxSelectVxFigureWeightMapsBendBulgeCbx")->click();
        EXPECT_TRUE(all->isChecked());
        dialog->findChild<QCheckBox*>("VxSelectVxFigureWeightMapsSideBulgeCbx")->click();
        DialogDriver::accept()(dialog);
    });
    choose(item("chest"), 2, QStringLiteral("Select Weight Maps..."));
    const VxFSHierarchyItem* chest = document.findBone("chest");
    EXPECT_TRUE(chest->getTwistBulge() && chest->getBendBulge() && chest->getScale());
    EXPECT_FALSE(chest->getSideBulge());
    EXPECT_FALSE(document.findBone("head")->getTwistBulge());
}

TEST_F(BoneDialogsTest, WeldsReplaceTheSelectedBonesTargetsByTheChosenBones)
{
    document.setFigureType(Poser);
    document.findBone("head")->setWeldTarget(document.findBone("chest"));
    view.fromHierarchy(&document);
    select({"head", "hand"});
    dialogs.queue("VxWeldToNodeOptionsDialog", [](QWidget* dialog) {
        auto* list = dialog->findChild<QTreeWidget*>("VxWeldToNodeOptionsListView");
        QStringList offered;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            offered.append(list->topLevelItem(i)->text(0));
        EXPECT_EQ(offered, (QStringList{"chest", "hip"}));
        list->topLevelItem(0)->setSelected(true);
        list->topLevelItem(1)->setSelected(true);
        DialogDriver::accept()(dialog);
    });
    choose(item("hand"), 3, QStringLiteral("Select Bone(s)..."));
    for (const char* name : {"head", "hand"}) {
        const VxFSHierarchyItem* bone = document.findBone(name);
        ASSERT_EQ(bone->getNumWeldTargets(), 2) << name;
        EXPECT_EQ(bone->getWeldTarget(0)->getName(), QStringLiteral("chest"));
        EXPECT_EQ(bone->getWeldTarget(1)->getName(), QStringLiteral("hip"));
        EXPECT_EQ(item(name)->text(3), QStringLiteral("<multiple>"));
    }
}
