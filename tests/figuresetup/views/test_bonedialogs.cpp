// The bone dialogs opened from the relationships view's menus, filled and accepted or
// refused as a user would, and what they leave in the document and the tree.
#include "viewuser.h"

#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

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

class BoneDialogsTest : public HierarchyViewTest
{
protected:
    void SetUp() override
    {
        HierarchyViewTest::SetUp();
        addBones({"hip", "hip/chest", "hip/chest/head", "hip/hand"});
        attach();
    }
    // Selects `items`, right-clicks the last one in `column` and chooses the entry `id`; the
    // dialog steps queued for it must all have run.
    void open(const QList<QTreeWidgetItem*>& items, int column, int id)
    {
        select(items);
        ASSERT_TRUE(choose(items.last(), column, id));
        ViewUser::settle();
        EXPECT_EQ(dialogs.pending(), 0) << "a dialog step did not run for entry " << id;
    }

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
    addBones({"hand/hand1"});
    attach();
    open({boneItem("chest")}, 0, 4);
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Bone Prefix Error"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("Please enter a valid prefix."));
    EXPECT_EQ(answerer.seen()[1].title, QStringLiteral("Bone Suffix Error"));
    EXPECT_EQ(answerer.seen()[1].text, QStringLiteral("One of the bone names already exists."));
    EXPECT_EQ(bone("hand00"), nullptr);
    ASSERT_TRUE(bone("finger12"));
    // Cascading: each bone below the one before, the first below the target.
    for (int i = 12; i > 1; --i)
        EXPECT_EQ(bone(QString("finger%1").arg(i, 2, 10, QChar('0')))->parent(),
                  bone(QString("finger%1").arg(i - 1, 2, 10, QChar('0'))));
    EXPECT_EQ(bone("finger01")->parent(), bone("chest"));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // As siblings on the "Bones" container: new root bones after the existing one, three
    // digits once the end reaches 100, none when it stays below 10.
    QTreeWidgetItem* bones = boneItem("hip")->parent();
    dialogs.queue("VxNewBoneSequenceDlg", sequence("toe", 98, 100, true, true));
    open({bones}, 0, 4);
    dialogs.queue("VxNewBoneSequenceDlg", sequence("rib", 8, 9, true, true));
    open({bones}, 0, 4);
    EXPECT_EQ(names(m_document->getFirstBone()), (QStringList{"hip", "toe098", "toe099", "toe100", "rib8", "rib9"}));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(BoneDialogsTest, JointParametersGoToEverySelectedBone)
{
    m_document->setFigureType(Poser);
    bone("head")->setTwist(false);

    // One bone: the boxes start from it.
    dialogs.queue("VxSelectJointParamsDlg", [](QWidget* dialog) {
        EXPECT_EQ(boxesChecked(dialog), (QStringList{"Least Likely to Reach 90 Degrees <Side-Side>",
                                                     "Most Likely to Reach 90 Degrees <Bend>", "Smooth Zone"}));
        EXPECT_EQ(dialog->findChild<QLabel*>("VxSelectJointsParamsWarningLbl"), nullptr);
        DialogDriver::cancel()(dialog);
    });
    open({boneItem("head")}, 2, 42);

    // Two bones: the warning, every box off; the defaults alone are not all parameters.
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
    open({boneItem("head"), boneItem("hand")}, 2, 42);
    for (const char* name : {"head", "hand"}) {
        const VxFSHierarchyItem* target = bone(name);
        EXPECT_TRUE(target->getTwist() && target->getSideSide() && target->getBend() && target->getCurve()) << name;
        EXPECT_FALSE(target->getScale()) << name;
        EXPECT_EQ(boneItem(name)->text(2), QStringLiteral("XYZ(c)"));
    }
    EXPECT_FALSE(bone("chest")->getCurve());
}

TEST_F(BoneDialogsTest, WeightMapsTakeTheBulgesIntoAccount)
{
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
    open({boneItem("chest")}, 2, 42);
    const VxFSHierarchyItem* chest = bone("chest");
    EXPECT_TRUE(chest->getTwistBulge() && chest->getBendBulge() && chest->getScale());
    EXPECT_FALSE(chest->getSideBulge());
    EXPECT_FALSE(bone("head")->getTwistBulge());
}

TEST_F(BoneDialogsTest, WeldsReplaceTheSelectedBonesTargetsByTheChosenBones)
{
    m_document->setFigureType(Poser);
    bone("head")->setWeldTarget(bone("chest"));
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
    open({boneItem("head"), boneItem("hand")}, 3, 9);
    for (const char* name : {"head", "hand"}) {
        const VxFSHierarchyItem* target = bone(name);
        ASSERT_EQ(target->getNumWeldTargets(), 2) << name;
        EXPECT_EQ(target->getWeldTarget(0)->getName(), QStringLiteral("chest"));
        EXPECT_EQ(target->getWeldTarget(1)->getName(), QStringLiteral("hip"));
        EXPECT_EQ(boneItem(name)->text(3), QStringLiteral("<multiple>"));
    }
}
