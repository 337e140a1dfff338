#include "buildtestsupport.h"

#include <array>
#include <cstring>

namespace {
// Rebuilds a float from its bit pattern, so the expected angles are exactly the floats the
// figures need, whatever the compiler does with decimal literals.
float fromBits(uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

const float kHalf = fromBits(0x3fc90fda);           // 1.57079625
const float kThreeQuarters = fromBits(0x4016cbe4);  // 2.35619450
const float kQuarter = fromBits(0x3f490fda);        // 0.785398126
const float kWhole = fromBits(0x40490fdb);          // 3.14159274

using Angles = std::array<float, 4>;

QVector<float> values(const VxLegacyJointParam* param)
{
    return param ? param->getValues() : QVector<float>();
}

// A legacy figure whose skin is made of boxes, one face group per bone, and a legacy
// binding; bones are paired with their groups and get joints, as the builder leaves them.
class JointParamTest : public BuildTest
{
protected:
    void SetUp() override
    {
        BuildTest::SetUp();
        m_item = new VxFSHierarchyItem(&m_document, QStringLiteral("item"));
    }
    void makeFigure(const QList<VxTestBox>& boxes)
    {
        m_figure = addSkinnedFigure<VxLegacyFigure>(vxMakeBoxMesh(boxes));
        m_binding = new VxLegacyBinding();
        m_figure->getObject()->addModifier(m_binding);
    }
    VxBone* addBone(VxNode* parent, const QString& name, const VxVec3& origin, const VxVec3& end, int order)
    {
        VxBone* bone = addPlacedBone(parent, name, origin, end, order);
        m_figure->getSelectionMap()->addPair(name, bone, true);
        auto* joint = new VxLegacyJoint();
        joint->setBone(bone, true);
        joint->setName(name);
        m_binding->addJoint(joint);
        return bone;
    }
    VxLegacyJoint* joint(const VxBone* bone) const { return m_binding->findJoint(bone); }

    VxFSHierarchy m_document;
    VxFSHierarchyItem* m_item = nullptr;
    VxLegacyFigure* m_figure = nullptr;
    VxLegacyBinding* m_binding = nullptr;
};
} // namespace

TEST_F(JointParamTest, SmoothScalePairBetweenArmBones)
{
    makeFigure({{QStringLiteral("arm1"), {-20, -1, -1}, {-10, 1, 1}},
                {QStringLiteral("arm2"), {-30.5f, -2, -1}, {-20, 2, 3}}});
    VxBone* arm1 = addBone(m_figure, QStringLiteral("arm1"), {-10, 0, 0}, {-20, 0, 0}, VxRotationOrder::XYZ);
    VxBone* arm2 = addBone(arm1, QStringLiteral("arm2"), {-20, 0, 0}, {-30.5f, 0, 0}, VxRotationOrder::XZY);
    m_item->setRotationOrder(VxRotationOrder::XZY);

    VxFSJointParams::addSmoothScaleParams(m_item, arm2, joint(arm2), joint(arm1));

    ASSERT_EQ(paramNames(joint(arm2)), QStringList{QStringLiteral("arm1_smooX")});
    ASSERT_EQ(paramNames(joint(arm1)), QStringList{QStringLiteral("arm2_smooX")});
    const VxLegacyJointParam* own = joint(arm2)->getJointParam(0);
    const VxLegacyJointParam* other = joint(arm1)->getJointParam(0);
    ASSERT_TRUE(own->inherits("VxLegacySmoothScale"));
    EXPECT_EQ(own->getDriver(), arm1);
    EXPECT_EQ(values(own), (QVector<float>{-24384.0f, 24140.16f * -1.0f, -30.5f, -20.0f}));
    EXPECT_TRUE(own->isFlipped());
    EXPECT_EQ(other->getDriver(), arm2);
    EXPECT_EQ(values(other), (QVector<float>{-30.5f, -20.0f, 24140.16f, 24384.0f}));
    EXPECT_FALSE(other->isFlipped());

    // Zones: 0.5 and 0.75 of arm2's box size (10.5 x 4 x 4), both centred on the box.
    VxMatrix4 inner, outer;
    inner.scale({5.25f, 2.0f, 2.0f});
    inner.translate({-25.25f, 0.0f, 1.0f});
    outer.scale({7.875f, 3.0f, 3.0f});
    outer.translate({-25.25f, 0.0f, 1.0f});
    for (const VxLegacyJointParam* param : {own, other}) {
        EXPECT_TRUE(param->getInnerMatrix() == inner);
        EXPECT_TRUE(param->getOuterMatrix() == outer);
    }

    // The ramps follow the sign of the end coordinate itself (here a bone pointing down Y
    // with a positive end), and each driver's own twist axis names its parameter.
    VxBone* hand = addBone(arm2, QStringLiteral("hand"), {5, 2, 0}, {5, 1, 0}, VxRotationOrder::YXZ);
    m_item->setRotationOrder(VxRotationOrder::YXZ);
    VxFSJointParams::addSmoothScaleParams(m_item, hand, joint(hand), joint(arm2));
    ASSERT_EQ(paramNames(joint(hand)), QStringList{QStringLiteral("arm2_smooX")});
    EXPECT_EQ(values(joint(hand)->getJointParam(0)), (QVector<float>{2.0f, 1.0f, 24140.16f, 24384.0f}));
    const VxLegacyJointParam* handScale = joint(arm2)->findJointParam(QStringLiteral("hand_smooY"));
    ASSERT_NE(handScale, nullptr);
    EXPECT_EQ(handScale->getAxis(), 1);
    EXPECT_EQ(values(handScale), (QVector<float>{-24384.0f, -24140.16f, 2.0f, 1.0f}));
}

TEST_F(JointParamTest, BendAnglesFollowTwistAxisDirectionAndBendAxis)
{
    makeFigure({{QStringLiteral("parent"), {0, 0, 0}, {1, 1, 1}}});
    VxBone* parent = addBone(m_figure, QStringLiteral("parent"), {0, 0, 0}, {1, 0, 0}, VxRotationOrder::XYZ);

    struct Case
    {
        int order;
        VxVec3 origin, end;
        int bendAxis;
        Angles angles;
    };
    const Angles xDown{{-kHalf, -kThreeQuarters, kThreeQuarters, kHalf}};
    const Angles xUp{{kHalf, kQuarter, -kQuarter, -kHalf}};
    const Angles yDown{{0.0f, -kQuarter, -kThreeQuarters, kWhole}};
    const Angles yUp{{kWhole, kThreeQuarters, kQuarter, 0.0f}};
    const Case cases[] = {
        // A bone along -X bends with the "down" angles on both its Y and Z bends.
        {VxRotationOrder::XYZ, {0, 0, 0}, {-2, 0, 0}, 1, xDown},
        {VxRotationOrder::XYZ, {0, 0, 0}, {-2, 0, 0}, 2, xDown},
        {VxRotationOrder::XZY, {0, 0, 0}, {2, 0, 0}, 2, xUp},
        {VxRotationOrder::YXZ, {0, 3, 0}, {0, 1, 0}, 0, yDown},
        {VxRotationOrder::YZX, {0, 1, 0}, {0, 3, 0}, 2, yUp},
        // Along Z the bend axis picks the row: Y bends like a Y bone, X bends the other way
        // round from an X bone.
        {VxRotationOrder::ZXY, {0, 0, 4}, {0, 0, 1}, 1, yDown},
        {VxRotationOrder::ZXY, {0, 0, 1}, {0, 0, 4}, 1, yUp},
        {VxRotationOrder::ZYX, {0, 0, 4}, {0, 0, 1}, 0, xUp},
        {VxRotationOrder::ZYX, {0, 0, 1}, {0, 0, 4}, 0, xDown},
    };
    int n = 0;
    for (const Case& c : cases) {
        VxBone* bone = addBone(parent, QStringLiteral("b%1").arg(n++), c.origin, c.end, c.order);
        m_item->setRotationOrder(c.order);
        VxFSJointParams::addBendParams(m_item, bone, joint(bone), joint(parent), c.bendAxis);
        const QString axis = QString(QLatin1Char("xyz"[c.bendAxis]));
        ASSERT_EQ(paramNames(joint(bone)), QStringList{QStringLiteral("joint") + axis});
        const VxLegacyJointParam* own = joint(bone)->getJointParam(0);
        const VxLegacyJointParam* other = joint(parent)->getJointParam(joint(parent)->getNumJointParams() - 1);
        EXPECT_EQ(other->getName(), bone->getName() + QStringLiteral("_joint") + axis);
        for (const VxLegacyJointParam* param : {own, other}) {
            EXPECT_TRUE(param->inherits("VxLegacyBendParam"));
            EXPECT_EQ(param->getDriver(), bone);
            EXPECT_EQ(param->getAxis(), c.bendAxis);
            EXPECT_TRUE(param->getApplyAngles());
            EXPECT_EQ(param->getAngles(), c.angles) << "case " << n - 1;
            EXPECT_TRUE(param->hasMatrices());
        }
        EXPECT_FALSE(own->isFlipped());
        EXPECT_TRUE(other->isFlipped());
    }
    // No parent joint, or no row for the combination: nothing.
    VxBone* root = addBone(m_figure, QStringLiteral("root"), {0, 0, 0}, {0, 0, 1}, VxRotationOrder::ZXY);
    m_item->setRotationOrder(VxRotationOrder::ZXY);
    VxFSJointParams::addBendParams(m_item, root, joint(root), nullptr, 0);
    VxFSJointParams::addBendParams(m_item, root, joint(root), joint(parent), 2);
    EXPECT_EQ(joint(root)->getNumJointParams(), 0);
}

TEST_F(JointParamTest, TwistPairsAndCurveAxisValues)
{
    makeFigure({{QStringLiteral("upper"), {0, 0, 0}, {1, 4, 1}}, {QStringLiteral("lower"), {0, 4, 0}, {1, 6, 1}}});
    VxBone* upper = addBone(m_figure, QStringLiteral("upper"), {0.5f, 0, 0.5f}, {0.5f, 4, 0.5f}, VxRotationOrder::YZX);
    VxBone* lower = addBone(upper, QStringLiteral("lower"), {0.5f, 4, 0.5f}, {0.5f, 6, 0.5f}, VxRotationOrder::YZX);
    m_item->setRotationOrder(VxRotationOrder::YZX);
    VxFSJointParams::addTwistParams(m_item, lower, joint(lower), joint(upper));
    ASSERT_EQ(paramNames(joint(lower)), QStringList{QStringLiteral("twisty")});
    const VxLegacyJointParam* partner = joint(upper)->findJointParam(QStringLiteral("lower_twisty"));
    ASSERT_NE(partner, nullptr);
    EXPECT_EQ(partner->getDriver(), lower);
    EXPECT_EQ(values(partner), (QVector<float>{4.0f, 6.0f}));
    EXPECT_TRUE(partner->getInnerMatrix() == joint(lower)->getJointParam(0)->getInnerMatrix());

    // Curve axis values: 5 for X, 4 for Y, 3 for Z; none without the choice. An invalid
    // rotation order makes no parameter at all.
    const int orders[] = {VxRotationOrder::XYZ, VxRotationOrder::YXZ, VxRotationOrder::ZXY, 9};
    const int expected[] = {5, 4, 3};
    for (int t = 0; t < 4; ++t) {
        VxBone* bone = addBone(upper, QStringLiteral("c%1").arg(t), {}, {}, orders[t]);
        m_item->setRotationOrder(VxRotationOrder(orders[t]));
        m_item->setCurve(false);
        VxFSJointParams::addCurveParam(m_item, bone, joint(bone));
        m_item->setCurve(true);
        VxFSJointParams::addCurveParam(m_item, bone, joint(bone));
        VxFSJointParams::addTwistParams(m_item, bone, joint(bone), joint(upper));
        if (t == 3) {
            VxFSJointParams::addSmoothScaleParams(m_item, bone, joint(bone), joint(upper));
            EXPECT_EQ(joint(bone)->getNumJointParams(), 0);
            continue;
        }
        ASSERT_EQ(joint(bone)->getNumJointParams(), 2);
        EXPECT_EQ(joint(bone)->getJointParam(0)->getAxis(), expected[t]);
        EXPECT_EQ(joint(bone)->getJointParam(0)->type(), VxLegacyJointParam::CurveType);
        EXPECT_FALSE(joint(bone)->getJointParam(0)->hasMatrices());
    }
}
