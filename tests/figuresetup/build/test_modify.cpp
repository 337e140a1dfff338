#include "buildtestsupport.h"
#include "copyapplytest.h"

#include "vxundostack.h"
#include "vxviewportmgr.h"

#include <QJsonDocument>

namespace {
// Lists compared as text, one entry a line: a failure shows which entries differ.
std::string lines(const QStringList& list)
{
    return list.join(QLatin1Char('\n')).toStdString();
}

// One parameter, everything the scene keeps of it, with its driver by name; without
// `numbers` only what it is, not the values computed from its bone's geometry.
QString describe(const VxLegacyJointParam* param, bool numbers = true)
{
    const QString kind = QStringLiteral("%1 %2 axis %3 driver %4 flipped %5")
                             .arg(QString::fromLatin1(param->metaObject()->className()), param->getName())
                             .arg(param->getAxis())
                             .arg(param->getDriver() ? param->getDriver()->getName() : QStringLiteral("(none)"))
                             .arg(param->isFlipped());
    if (!numbers)
        return kind;
    QStringList values;
    for (float v : param->getValues())
        values << QString::number(double(v), 'g', 9);
    for (float a : param->getAngles())
        values << QString::number(double(a), 'g', 9);
    for (int r = 0; param->hasMatrices() && r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            values << QString::number(double(param->getInnerMatrix()(r, c)), 'g', 9)
                   << QString::number(double(param->getOuterMatrix()(r, c)), 'g', 9);
    }
    return kind + QStringLiteral(" type %1 apply %2 numbers %3").arg(param->type()).arg(param->getApplyAngles())
        .arg(values.join(QLatin1Char(' ')));
}

class ModifyTest : public CopyApplyTest
{
protected:
    void SetUp() override
    {
        CopyApplyTest::SetUp();
        m_original = newDocument();
        m_original->setName(QStringLiteral("Fig"));
        m_original->setLabel(QStringLiteral("Fig"));
        m_original->setFigureType(Poser);
        m_original->setBaseGeometry(base());
        VxFSHierarchyItem* hip = bone(nullptr, "hip", VxRotationOrder::YZX);
        VxFSHierarchyItem* chest = bone(bone(hip, "abdomen", VxRotationOrder::YZX), "chest", VxRotationOrder::YZX);
        bone(bone(chest, "neck", VxRotationOrder::YZX), "head", VxRotationOrder::YZX);
        VxFSHierarchyItem* lCollar = bone(chest, "lCollar", VxRotationOrder::XYZ);
        bone(bone(bone(lCollar, "lShldr", VxRotationOrder::XYZ), "lForeArm", VxRotationOrder::XYZ), "lHand",
             VxRotationOrder::XYZ);
        VxFSHierarchyItem* lThigh = bone(hip, "lThigh", VxRotationOrder::YZX);
        VxFSHierarchyItem* lFoot = bone(bone(lThigh, "lShin", VxRotationOrder::YZX), "lFoot", VxRotationOrder::YZX);
        lCollar->setWeldTarget(chest);
        VxFSHierarchyIKChain* leg = m_original->createIKChain(QStringLiteral("lLeg"));
        leg->addLink(lThigh, 0.5f);
        leg->addLink(lFoot, 1.0f);

        m_figure = qobject_cast<VxLegacyFigure*>(build(*m_original));
        ASSERT_NE(m_figure, nullptr);
        m_copy = copyOf(m_figure, *m_original);
    }
    VxFSHierarchyItem* bone(VxFSHierarchyItem* parent, const char* name, int order)
    {
        return addItem(*m_original, parent, QLatin1String(name), order);
    }
    VxFSHierarchyItem* item(const char* name) const { return m_copy->findBone(QLatin1String(name)); }
    static VxBone* sceneBone(const VxLegacyFigure* figure, const char* name)
    {
        return figure->findBone(QLatin1String(name));
    }
    static VxLegacyJoint* joint(const VxLegacyFigure* figure, const char* name)
    {
        return figure->findBinding()->findJoint(sceneBone(figure, name));
    }
    // The parameters of a bone's joint, described, in joint order (sorted without numbers);
    // with `driver` only those that bone drives.
    static QStringList params(const VxLegacyFigure* figure, const char* name, const char* driver = nullptr,
                              bool numbers = true)
    {
        QStringList out;
        const VxLegacyJoint* j = joint(figure, name);
        for (int i = 0; j && i < j->getNumJointParams(); ++i) {
            const VxNode* d = j->getJointParam(i)->getDriver();
            if (!driver || (d && d->getName() == QLatin1String(driver)))
                out << describe(j->getJointParam(i), numbers);
        }
        if (!numbers)
            out.sort();
        return out;
    }
    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }
    // Moves a document bone below another, as the relationships view does.
    static void moveBone(VxFSHierarchyItem* bone, VxFSHierarchyItem* newParent)
    {
        bone->setParent(newParent);
        newParent->addChild(bone);
    }
    // A figure built afresh from the copy, to compare an applied figure with.
    VxLegacyFigure* freshFigure() { return qobject_cast<VxLegacyFigure*>(build(*m_copy)); }
    // Every parameter of every joint of the figure.
    QStringList allParams() const
    {
        QStringList out;
        const VxLegacyBinding* binding = m_figure->findBinding();
        for (int j = 0; j < binding->getNumJoints(); ++j) {
            const VxLegacyJoint* joint = binding->getJoint(j);
            for (int i = 0; i < joint->getNumJointParams(); ++i)
                out << joint->getName() + QStringLiteral(": ") + describe(joint->getJointParam(i));
        }
        return out;
    }

    std::unique_ptr<VxFSHierarchy> m_original;
    std::unique_ptr<VxFSHierarchy> m_copy;
    VxLegacyFigure* m_figure = nullptr;
};

} // namespace

TEST_F(ModifyTest, ApplyingNeedsTheCopiedFigureSelected)
{
    item("chest")->setLabel(QStringLiteral("Torso"));
    VxFSHierarchy other(QStringLiteral("Other"));
    other.setFigureType(Poser);
    new VxFSHierarchyItem(&other, QStringLiteral("stick"));
    VxNode* stranger = build(other);
    ASSERT_NE(stranger, nullptr);

    for (VxNode* selected : {static_cast<VxNode*>(nullptr), stranger}) {
        m_scene->selectAllNodes(false);
        const QByteArray before = m_scene->toJson();
        const QList<VxMessageBoxAnswerer::Seen> boxes = apply(*m_copy, selected);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxText(boxes[0]), "Selection Error | The figure selected is not the figure that was copied. | &OK | "
                                     "&OK |  | &OK");
        if (selected)
            selected->select(false);
        EXPECT_TRUE(jsonDifference(QJsonDocument::fromJson(before).object(), m_scene->toJson()).isEmpty());
        EXPECT_EQ(sceneBone(m_figure, "chest")->getLabel().toStdString(), "chest");
    }

    // A bone of the copied figure selects it as well; afterwards the figure alone is.
    m_scene->selectNode(stranger, true);
    const QList<VxMessageBoxAnswerer::Seen> boxes = apply(*m_copy, sceneBone(m_figure, "lHand"));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title.toStdString(), "Figure Name Warning");
    EXPECT_EQ(sceneBone(m_figure, "chest")->getLabel().toStdString(), "Torso");
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{m_figure});
}

TEST_F(ModifyTest, CancellingTheNameQuestionLeavesTheFigureUntouched)
{
    // The document took the figure's name when it was copied; renamed and named so again,
    // it still is the figure's.
    m_copy->setName(QStringLiteral("Renamed"));
    m_copy->setName(m_figure->getName());
    item("chest")->setName(QStringLiteral("torso"));
    item("lHand")->setSideSide(false);
    m_figure->select(true);
    const QByteArray before = m_scene->toJson();

    const QList<VxMessageBoxAnswerer::Seen> boxes = apply(*m_copy, m_figure, QStringLiteral("Cancel"));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxText(boxes[0]), "Figure Name Warning | The name of the new hierarchy and figure being pasted to are "
                                 "the same.\n Do you wish to continue? | OK,Cancel | Cancel |  | Cancel");

    const QString difference = jsonDifference(QJsonDocument::fromJson(before).object(), m_scene->toJson());
    EXPECT_TRUE(difference.isEmpty()) << qPrintable(difference);
    EXPECT_EQ(m_scene->getUndoStack()->getLockDepth(), 0);
    EXPECT_EQ(m_scene->getViewportMgr()->getRedrawLockDepth(), 0);
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{m_figure});
}

TEST_F(ModifyTest, LocksAreHeldWhileApplyingAndReleasedOnEveryPath)
{
    new VxFSHierarchyItem(item("head"), QStringLiteral("crown"));
    int undoDepth = -1;
    int redrawDepth = -1;
    int redraws = 0;
    int redrawsWhileApplying = 0;
    bool fail = false;
    QObject::connect(m_scene.get(), &VxScene::nodeAdded, [&](VxNode*) {
        undoDepth = m_scene->getUndoStack()->getLockDepth();
        redrawDepth = m_scene->getViewportMgr()->getRedrawLockDepth();
        if (fail)
            throw std::runtime_error("host failure");
    });
    QObject::connect(m_scene->getViewportMgr(), &VxViewportMgr::redrawRequested, [&] {
        ++redraws;
        if (m_scene->getUndoStack()->isLocked())
            ++redrawsWhileApplying;
    });

    // A new bone joins the scene while the figure changes: both locks are held, and no
    // redraw happens until they are released.
    apply(*m_copy, m_figure);
    EXPECT_EQ(undoDepth, 1);
    EXPECT_EQ(redrawDepth, 1);
    EXPECT_EQ(redrawsWhileApplying, 0);
    EXPECT_GE(redraws, 1);
    EXPECT_EQ(m_scene->getUndoStack()->getLockDepth(), 0);
    EXPECT_EQ(m_scene->getViewportMgr()->getRedrawLockDepth(), 0);
    ASSERT_NE(sceneBone(m_figure, "crown"), nullptr);

    // The host throws while a bone is made: the work stops there, what was changed stays,
    // the failure is reported and both locks are released.
    new VxFSHierarchyItem(item("crown"), QStringLiteral("feather"));
    item("hip")->setLabel(QStringLiteral("Pelvis"));
    fail = true;
    VxWarningCatcher warnings;
    apply(*m_copy, m_figure);
    EXPECT_TRUE(warnings.warnings().contains(QStringLiteral("Unknown error occurred while creating figure.")));
    EXPECT_EQ(undoDepth, 1);
    EXPECT_EQ(m_scene->getUndoStack()->getLockDepth(), 0);
    EXPECT_EQ(m_scene->getViewportMgr()->getRedrawLockDepth(), 0);
    EXPECT_FALSE(m_scene->getViewportMgr()->isRedrawPending());
    EXPECT_EQ(sceneBone(m_figure, "hip")->getLabel().toStdString(), "Pelvis");
    EXPECT_EQ(sceneBone(m_figure, "feather"), nullptr);
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{m_figure});
}

TEST_F(ModifyTest, ADeletedBonesChildrenMoveToItsParent)
{
    VxFSHierarchyItem* abdomen = item("abdomen");
    VxFSHierarchyItem* hip = item("hip");
    while (VxFSHierarchyItem* child = abdomen->getFirstChild()) {
        abdomen->removeChild(child, false);
        moveBone(child, hip);
    }
    hip->removeChild(abdomen, false);
    delete abdomen;
    VxBone* oldAbdomen = sceneBone(m_figure, "abdomen");
    const QPointer<VxBone> watch(oldAbdomen);

    apply(*m_copy, m_figure);

    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(sceneBone(m_figure, "abdomen"), nullptr);
    VxBone* chest = sceneBone(m_figure, "chest");
    EXPECT_EQ(chest->getNodeParent(), sceneBone(m_figure, "hip"));
    EXPECT_EQ(m_figure->findBinding()->getNumJoints(), m_copy->getNumBones(true));
    EXPECT_EQ(m_figure->getSelectionMap()->findGroupPair(QStringLiteral("abdomen")), -1);
    for (const QString& param : allParams()) {
        EXPECT_FALSE(param.contains(QLatin1String("driver (none)"))) << qPrintable(param);
        EXPECT_FALSE(param.contains(QLatin1String("abdomen"))) << qPrintable(param);
    }

    // The chest's joint, and what the chest drives on the hip's, hold the parameters of a
    // figure built from the edited document. Their numbers come from the chest as it stands:
    // its end point now lies between its children, where building left it.
    VxLegacyFigure* fresh = freshFigure();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(lines(params(m_figure, "chest", nullptr, false)), lines(params(fresh, "chest", nullptr, false)));
    EXPECT_EQ(lines(params(m_figure, "hip", "chest", false)), lines(params(fresh, "hip", "chest", false)));
    EXPECT_EQ(lines(params(m_figure, "neck")), lines(params(fresh, "neck")));
    const VxLegacyJointParam* twist = joint(m_figure, "chest")->findJointParam(QStringLiteral("twisty"));
    ASSERT_NE(twist, nullptr);
    EXPECT_EQ(twist->getValues(), QVector<float>({chest->getOrigin().y, chest->getEndPoint().y}));
}

TEST_F(ModifyTest, AnAddedBoneIsBuiltAsInANewFigure)
{
    // The copy lacks the head; it comes back as a new bone with a curve.
    VxFSHierarchyItem* head = item("head");
    item("neck")->removeChild(head, false);
    delete head;
    apply(*m_copy, m_figure);
    ASSERT_EQ(sceneBone(m_figure, "head"), nullptr);

    auto* added = new VxFSHierarchyItem(item("neck"), QStringLiteral("head"));
    added->setRotationOrder(VxRotationOrder::YZX);
    added->setGeomGroup(base()->findGroup(QStringLiteral("head")));
    added->setCurve(true);
    apply(*m_copy, m_figure);

    VxBone* bone = sceneBone(m_figure, "head");
    ASSERT_NE(bone, nullptr);
    EXPECT_EQ(bone->getNodeParent(), sceneBone(m_figure, "neck"));
    EXPECT_EQ(joint(m_figure, "head")->getGroupName().toStdString(), "head");
    const int pair = m_figure->getSelectionMap()->findGroupPair(QStringLiteral("head"));
    ASSERT_GE(pair, 0);
    EXPECT_EQ(m_figure->getSelectionMap()->getPairNode(pair), bone);

    VxLegacyFigure* fresh = freshFigure();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(lines(params(m_figure, "head")), lines(params(fresh, "head")));
    EXPECT_EQ(lines(params(m_figure, "neck", "head")), lines(params(fresh, "neck", "head")));
    EXPECT_TRUE(bone->getOrigin() == sceneBone(fresh, "head")->getOrigin());
    EXPECT_TRUE(bone->getEndPoint() == sceneBone(fresh, "head")->getEndPoint());
}

TEST_F(ModifyTest, SideSideOffAndOnRemovesAndRemakesExactlyItsBends)
{
    // lForeArm turns XYZ: its side-side axis is Y.
    const QStringList before = allParams();
    const QStringList ownBend = params(m_figure, "lForeArm", "lForeArm").filter(QStringLiteral(" jointy "));
    const QStringList partnerBend = params(m_figure, "lShldr", "lForeArm").filter(QStringLiteral("lForeArm_jointy"));
    ASSERT_EQ(ownBend.size(), 1);
    ASSERT_EQ(partnerBend.size(), 1);

    item("lForeArm")->setSideSide(false);
    apply(*m_copy, m_figure);
    QStringList expected = before;
    expected.removeAll(QStringLiteral("lForeArm: ") + ownBend[0]);
    expected.removeAll(QStringLiteral("lShldr: ") + partnerBend[0]);
    EXPECT_EQ(lines(allParams()), lines(expected));

    item("lForeArm")->setSideSide(true);
    apply(*m_copy, m_figure);
    EXPECT_EQ(lines(sorted(allParams())), lines(sorted(before)));
}

TEST_F(ModifyTest, ANewTwistAxisRemakesTheBonesParametersAndItsChildsPair)
{
    item("lShldr")->setRotationOrder(VxRotationOrder::YXZ);
    apply(*m_copy, m_figure);

    VxBone* shoulder = sceneBone(m_figure, "lShldr");
    EXPECT_EQ(shoulder->getRotationOrder(), VxRotationOrder(VxRotationOrder::YXZ));
    EXPECT_EQ(shoulder->getYRotControl()->getLabel().toStdString(), "Twist");
    EXPECT_EQ(shoulder->getXRotControl()->getLabel().toStdString(), "Side-Side");
    EXPECT_EQ(shoulder->getZRotControl()->getLabel().toStdString(), "Bend");

    // Its own parameters are remade after the child's partners, in the order twist, smooth
    // scale, side-side, bend, and the pair with the child last; the partners on the collar
    // follow the new axes.
    EXPECT_EQ(lines(paramNames(joint(m_figure, "lShldr"))),
              lines({"lForeArm_twistx", "lForeArm_jointy", "lForeArm_jointz", "twisty", "lCollar_smooX", "jointx",
                     "jointz", "lForeArm_smooX"}));
    QStringList collar = paramNames(joint(m_figure, "lCollar")).filter(QStringLiteral("lShldr_"));
    EXPECT_EQ(lines(collar), lines({"lShldr_twisty", "lShldr_smooY", "lShldr_jointx", "lShldr_jointz"}));

    // The pair with the child is rebuilt from the shoulder: driven by the shoulder on the
    // forearm's joint (flipped, on the shoulder's new twist axis), and driven by the forearm
    // on the shoulder's (not flipped).
    const VxLegacyJoint* forearm = joint(m_figure, "lForeArm");
    const VxLegacyJointParam* childSide = forearm->findJointParam(QStringLiteral("lShldr_smooY"));
    ASSERT_NE(childSide, nullptr);
    EXPECT_EQ(childSide->getDriver(), shoulder);
    EXPECT_EQ(childSide->getAxis(), 1);
    EXPECT_TRUE(childSide->isFlipped());
    EXPECT_EQ(forearm->findJointParam(QStringLiteral("lShldr_smooX")), nullptr);
    const VxLegacyJointParam* ownSide = joint(m_figure, "lShldr")->findJointParam(QStringLiteral("lForeArm_smooX"));
    ASSERT_NE(ownSide, nullptr);
    EXPECT_EQ(ownSide->getDriver(), sceneBone(m_figure, "lForeArm"));
    EXPECT_FALSE(ownSide->isFlipped());

    // Applying the same again changes nothing.
    const QStringList once = allParams();
    apply(*m_copy, m_figure);
    EXPECT_EQ(lines(allParams()), lines(once));
}

TEST_F(ModifyTest, AMovedBonePairsWithItsNewParentOnceHoweverOftenApplied)
{
    moveBone(item("lCollar"), item("neck"));
    item("lHand")->setName(QStringLiteral("leftHand"));
    apply(*m_copy, m_figure);

    VxBone* collar = sceneBone(m_figure, "lCollar");
    EXPECT_EQ(collar->getNodeParent(), sceneBone(m_figure, "neck"));
    EXPECT_TRUE(params(m_figure, "chest", "lCollar").isEmpty());
    EXPECT_TRUE(params(m_figure, "lCollar").filter(QStringLiteral("driver chest")).isEmpty());
    EXPECT_EQ(sceneBone(m_figure, "lHand"), nullptr);
    ASSERT_NE(sceneBone(m_figure, "leftHand"), nullptr);

    VxLegacyFigure* fresh = freshFigure();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(lines(params(m_figure, "lCollar", nullptr, false)), lines(params(fresh, "lCollar", nullptr, false)));
    EXPECT_EQ(lines(params(m_figure, "neck", "lCollar", false)), lines(params(fresh, "neck", "lCollar", false)));
    m_scene->removeNode(fresh);

    const QStringList once = allParams();
    apply(*m_copy, m_figure);
    EXPECT_EQ(lines(allParams()), lines(once));
}
