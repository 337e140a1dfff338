#include "buildtestsupport.h"

#include "vxmaterial.h"

namespace {
class ParametricFigureTest : public BuildTest
{
protected:
    void SetUp() override
    {
        BuildTest::SetUp();
        m_document.setFigureType(Poser);
        setBaseMesh(m_document, humanoidMesh(), QStringLiteral("body"), {QStringLiteral("skin"), QStringLiteral("hair")});
    }
    VxFSHierarchyItem* bone(VxFSHierarchyItem* parent, const char* name, int order)
    {
        return addItem(m_document, parent, QLatin1String(name), order);
    }
    VxLegacyFigure* builtFigure() const
    {
        return qobject_cast<VxLegacyFigure*>(m_scene->findNode(m_document.getName()));
    }
    QStringList params(const char* name) const
    {
        return paramNames(builtFigure()->findBinding()->findJoint(builtFigure()->findBone(QLatin1String(name))));
    }
    // lCollar, lShldr, lForeArm along X.
    QList<VxFSHierarchyItem*> arm()
    {
        VxFSHierarchyItem* collar = bone(nullptr, "lCollar", VxRotationOrder::XYZ);
        VxFSHierarchyItem* shoulder = bone(collar, "lShldr", VxRotationOrder::XYZ);
        return {collar, shoulder, bone(shoulder, "lForeArm", VxRotationOrder::XYZ)};
    }

    VxFSHierarchy m_document;
};
} // namespace

TEST_F(ParametricFigureTest, JointsCarryTheGeneratedParametersInOrder)
{
    VxFSHierarchyItem* hip = bone(nullptr, "hip", VxRotationOrder::YZX);
    hip->setCurve(true);
    bone(bone(hip, "abdomen", VxRotationOrder::YZX), "chest", VxRotationOrder::YZX);
    bone(hip, "lThigh", VxRotationOrder::YZX);
    arm()[2]->setCurve(true);

    VxMessageBoxAnswerer answerer;
    m_document.createFigure(false);
    EXPECT_EQ(answerer.count(), 0);
    VxLegacyFigure* figure = builtFigure();
    ASSERT_NE(figure, nullptr);
    ASSERT_EQ(figure->findBinding()->getNumJoints(), 7);

    // A root bone: its own twist and curve only; its children's partners follow in order.
    EXPECT_EQ(params("hip"), (QStringList{"twisty", "Curve", "abdomen_twisty", "abdomen_jointz", "abdomen_jointx",
                                          "abdomen_smooY", "lThigh_twisty", "lThigh_jointz", "lThigh_jointx",
                                          "lThigh_smooY"}));
    EXPECT_EQ(params("abdomen"), (QStringList{"twisty", "jointz", "jointx", "hip_smooY", "chest_twisty",
                                              "chest_jointz", "chest_jointx", "chest_smooY"}));
    EXPECT_EQ(params("lForeArm"), (QStringList{"twistx", "jointy", "jointz", "lShldr_smooX", "Curve"}));
    EXPECT_EQ(params("lCollar"),
              (QStringList{"twistx", "lShldr_twistx", "lShldr_jointy", "lShldr_jointz", "lShldr_smooX"}));

    // The joint of a bone: bound to it, named after it, with its face group; its numbers
    // come from the bone as placed.
    VxBone* foreArm = figure->findBone(QStringLiteral("lForeArm"));
    const VxLegacyJoint* joint = figure->findBinding()->findJoint(foreArm);
    EXPECT_EQ(joint->getBone(), foreArm);
    EXPECT_EQ(joint->getName(), QStringLiteral("lForeArm"));
    EXPECT_EQ(joint->getGroupName(), QStringLiteral("lForeArm"));
    EXPECT_EQ(joint->getJointParam(0)->getValues(),
              (QVector<float>{foreArm->getOrigin(true).x, foreArm->getEndPoint(true).x}));
    EXPECT_FALSE(joint->getJointParam(0)->isFlipped());
    const VxLegacyJointParam* partner =
        figure->findBinding()->findJoint(figure->findBone(QStringLiteral("lShldr")))->findJointParam(
            QStringLiteral("lForeArm_twistx"));
    ASSERT_NE(partner, nullptr);
    EXPECT_TRUE(partner->isFlipped());
    EXPECT_EQ(partner->getDriver(), foreArm);
    EXPECT_EQ(joint->findJointParam(QStringLiteral("Curve"))->getAxis(), 5);
}

TEST_F(ParametricFigureTest, WithoutBonesOrBaseGeometryTheFigureStillGetsItsParts)
{
    // Unlike a single-skin figure, a parametric one is made without asking.
    VxMessageBoxAnswerer answerer;
    m_document.createFigure(false);
    EXPECT_EQ(answerer.count(), 0);
    ASSERT_NE(builtFigure(), nullptr);
    EXPECT_NE(VxShape::getCurrentShapeForNode(builtFigure()), nullptr);
    EXPECT_NE(builtFigure()->findBinding(), nullptr);
    EXPECT_NE(builtFigure()->findDataItem(QStringLiteral("PoserIKChains")), nullptr);

    m_document.setBaseGeometry(nullptr);
    m_document.setName(QStringLiteral("Bare"));
    m_document.createFigure(false);
    ASSERT_NE(builtFigure(), nullptr);
    EXPECT_EQ(builtFigure()->getObject()->getNumShapes(), 0);
    EXPECT_NE(builtFigure()->findBinding(), nullptr);
}

TEST_F(ParametricFigureTest, OneTargetFlagABoneAndAlternatesOfTheirOwn)
{
    // (Links, weights, goals, welds and which alternates a bone has come back in the round
    // trip.)
    const QList<VxFSHierarchyItem*> bones = arm();
    VxFSHierarchyIKChain* left = m_document.createIKChain(QStringLiteral("Left Arm"));
    left->addLink(bones[0], 0.25f);
    left->addLink(bones[2], 1.0f);
    m_document.createIKChain(QStringLiteral("Reach"))->addLink(bones[2], 0.75f);
    m_document.createIKChain(QStringLiteral("Empty"));
    QList<VxFSGeomItem*> alternates;
    for (const char* material : {"leather", "steel"}) {
        alternates << m_document.addGeometry(writeFile(QLatin1String(material) + QStringLiteral(".obj"),
                                                       QByteArray("v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl ") + material
                                                           + "\nf 1 2 3\n"));
        ASSERT_NE(alternates.last(), nullptr);
        bones[2]->addAltGeometry(alternates.last());
    }

    m_document.createFigure(false);
    VxLegacyFigure* figure = builtFigure();
    ASSERT_NE(figure, nullptr);
    VxBone* foreArm = figure->findBone(QStringLiteral("lForeArm"));
    auto* chains = qobject_cast<VxLegacyIKChains*>(figure->findDataItem(QStringLiteral("PoserIKChains")));
    ASSERT_NE(chains, nullptr);
    ASSERT_EQ(chains->getNumChains(), 3);
    // A chain without links has no goal and no label.
    EXPECT_EQ(chains->getChain(0)->getLabel(), QStringLiteral("Left Arm"));
    EXPECT_EQ(chains->getChain(2)->getGoal(), nullptr);
    EXPECT_EQ(chains->getChain(2)->getLabel(), QString());
    // Two chains end on the forearm; it carries one target flag.
    int flags = 0;
    for (int i = 0; i < foreArm->getNumDataItems(); ++i)
        flags += foreArm->getDataItem(i)->getName() == QLatin1String("PoserIKTarget");
    EXPECT_EQ(flags, 1);
    EXPECT_EQ(figure->findBone(QStringLiteral("lCollar"))->findDataItem(QStringLiteral("PoserIKTarget")), nullptr);

    // The alternates: new shapes sharing the meshes, with new materials of the same names.
    const VxLegacyAlternateGeometry* alternate = figure->findAlternateGeometry(foreArm);
    ASSERT_NE(alternate, nullptr);
    ASSERT_NE(alternate->getObject(), nullptr);
    ASSERT_EQ(alternate->getObject()->getNumShapes(), 2);
    for (int i = 0; i < 2; ++i) {
        const VxFacetShape* source = alternates[i]->getShape();
        auto* shape = qobject_cast<VxFacetShape*>(alternate->getObject()->getShape(i));
        ASSERT_NE(shape, nullptr);
        EXPECT_NE(shape, source);
        EXPECT_EQ(shape->getFacetMesh(), source->getFacetMesh());
        EXPECT_EQ(shape->getName(), source->getName());
        ASSERT_EQ(shape->getNumMaterials(), 1);
        EXPECT_EQ(shape->getMaterial(0)->getName(), source->getMaterial(0)->getName());
        EXPECT_NE(shape->getMaterial(0), source->getMaterial(0));
    }
}
