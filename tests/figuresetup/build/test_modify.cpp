#include "copyapplytest.h"

#include "vxdefaultmaterial.h"
#include "vxundostack.h"
#include "vxviewportmgr.h"

#include <QJsonDocument>

namespace {
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
    VxBone* sceneBone(const char* name) const { return m_figure->findBone(QLatin1String(name)); }
    VxLegacyJoint* joint(const char* name) const { return m_figure->findBinding()->findJoint(sceneBone(name)); }
    // Empty when the scene is as its JSON `before` was, else where it first differs.
    QString sceneChangesSince(const QByteArray& before) const
    {
        return jsonDifference(QJsonDocument::fromJson(before).object(), m_scene->toJson());
    }

    std::unique_ptr<VxFSHierarchy> m_original;
    std::unique_ptr<VxFSHierarchy> m_copy;
    VxLegacyFigure* m_figure = nullptr;
};

// Lists compared as text, one entry a line: a failure shows which entries differ.
std::string lines(const QStringList& list)
{
    return list.join(QLatin1Char('\n')).toStdString();
}
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
        EXPECT_TRUE(sceneChangesSince(before).isEmpty());
        EXPECT_EQ(sceneBone("chest")->getLabel().toStdString(), "chest");
    }

    // A bone of the copied figure selects it as well; afterwards the figure alone is.
    m_scene->selectNode(stranger, true);
    const QList<VxMessageBoxAnswerer::Seen> boxes = apply(*m_copy, sceneBone("lHand"));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title.toStdString(), "Figure Name Warning");
    EXPECT_EQ(sceneBone("chest")->getLabel().toStdString(), "Torso");
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

    const QString difference = sceneChangesSince(before);
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
    ASSERT_NE(sceneBone("crown"), nullptr);

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
    EXPECT_EQ(sceneBone("hip")->getLabel().toStdString(), "Pelvis");
    EXPECT_EQ(sceneBone("feather"), nullptr);
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{m_figure});
}

TEST_F(ModifyTest, ANewTwistAxisRemakesTheBonesParametersAndItsChildsPair)
{
    item("lShldr")->setRotationOrder(VxRotationOrder::YXZ);
    apply(*m_copy, m_figure);

    VxBone* shoulder = sceneBone("lShldr");
    EXPECT_EQ(shoulder->getRotationOrder(), VxRotationOrder(VxRotationOrder::YXZ));
    EXPECT_EQ(shoulder->getYRotControl()->getLabel().toStdString(), "Twist");
    EXPECT_EQ(shoulder->getXRotControl()->getLabel().toStdString(), "Side-Side");
    EXPECT_EQ(shoulder->getZRotControl()->getLabel().toStdString(), "Bend");

    // Its own parameters are remade after the child's partners, in the order twist, smooth
    // scale, side-side, bend, and the pair with the child last; the partners on the collar
    // follow the new axes.
    EXPECT_EQ(lines(paramNames(joint("lShldr"))),
              lines({"lForeArm_twistx", "lForeArm_jointy", "lForeArm_jointz", "twisty", "lCollar_smooX", "jointx",
                     "jointz", "lForeArm_smooX"}));
    QStringList collar = paramNames(joint("lCollar")).filter(QStringLiteral("lShldr_"));
    EXPECT_EQ(lines(collar), lines({"lShldr_twisty", "lShldr_smooY", "lShldr_jointx", "lShldr_jointz"}));

    // The pair with the child is rebuilt from the shoulder: driven by the shoulder on the
    // forearm's joint (flipped, on the shoulder's new twist axis), and driven by the forearm
    // on the shoulder's (not flipped).
    const VxLegacyJointParam* childSide = joint("lForeArm")->findJointParam(QStringLiteral("lShldr_smooY"));
    ASSERT_NE(childSide, nullptr);
    EXPECT_EQ(childSide->getDriver(), shoulder);
    EXPECT_EQ(childSide->getAxis(), 1);
    EXPECT_TRUE(childSide->isFlipped());
    EXPECT_EQ(joint("lForeArm")->findJointParam(QStringLiteral("lShldr_smooX")), nullptr);
    const VxLegacyJointParam* ownSide = joint("lShldr")->findJointParam(QStringLiteral("lForeArm_smooX"));
    ASSERT_NE(ownSide, nullptr);
    EXPECT_EQ(ownSide->getDriver(), sceneBone("lForeArm"));
    EXPECT_FALSE(ownSide->isFlipped());
}

TEST_F(ModifyTest, AMovedAndRenamedBoneStaysTheSameBoneHoweverOftenApplied)
{
    VxFSHierarchyItem* collar = item("lCollar");
    item("chest")->removeChild(collar, false);
    collar->setParent(item("neck"));
    item("neck")->addChild(collar);
    item("lHand")->setName(QStringLiteral("leftHand"));
    const QPointer<VxBone> hand(sceneBone("lHand"));
    apply(*m_copy, m_figure);

    EXPECT_EQ(sceneBone("lCollar")->getNodeParent(), sceneBone("neck"));
    EXPECT_EQ(sceneBone("leftHand"), hand.data());
    const QByteArray once = m_scene->toJson();
    apply(*m_copy, m_figure);
    const QString difference = sceneChangesSince(once);
    EXPECT_TRUE(difference.isEmpty()) << qPrintable(difference);
    EXPECT_EQ(sceneBone("leftHand"), hand.data());
}

TEST_F(ModifyTest, ApplyKeepsTheSkinsMaterialsAndAddsOnlyTheBaseShapesNewOnes)
{
    VxShape* skin = m_figure->getObject()->getCurrentShape();
    ASSERT_GT(skin->getNumMaterials(), 0);
    auto* painted = qobject_cast<VxDefaultMaterial*>(skin->getMaterial(0));
    ASSERT_NE(painted, nullptr);
    painted->setDiffuseColor(Qt::red);
    const QString paintedName = painted->getName();
    const int before = skin->getNumMaterials();
    VxRefGuard<VxDefaultMaterial> added(new VxDefaultMaterial());
    added->setName(QStringLiteral("freckles"));
    m_copy->getBaseGeometry()->getShape()->addMaterial(added.get());

    apply(*m_copy, m_figure);
    skin = m_figure->getObject()->getCurrentShape();
    EXPECT_EQ(skin->getNumMaterials(), before + 1);
    EXPECT_GE(skin->findMaterialIndex(QStringLiteral("freckles")), 0);
    auto* kept = qobject_cast<VxDefaultMaterial*>(skin->getMaterial(skin->findMaterialIndex(paintedName)));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->getDiffuseColor(), QColor(Qt::red));
}
