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
    QList<VxFSHierarchyItem*> arm(int order = VxRotationOrder::XYZ)
    {
        VxFSHierarchyItem* collar = bone(nullptr, "lCollar", order);
        VxFSHierarchyItem* shoulder = bone(collar, "lShldr", order);
        return {collar, shoulder, bone(shoulder, "lForeArm", order)};
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
    ASSERT_EQ(figure->getObject()->getNumModifiers(), 1);
    VxLegacyBinding* binding = figure->findBinding();
    ASSERT_NE(binding, nullptr);
    ASSERT_EQ(binding->getNumJoints(), 7);

    // A root bone: its own twist and curve only; its children's partners follow in order.
    EXPECT_EQ(params("hip"), (QStringList{"twisty", "Curve", "abdomen_twisty", "abdomen_jointz", "abdomen_jointx",
                                          "abdomen_smooY", "lThigh_twisty", "lThigh_jointz", "lThigh_jointx",
                                          "lThigh_smooY"}));
    EXPECT_EQ(params("abdomen"), (QStringList{"twisty", "jointz", "jointx", "hip_smooY", "chest_twisty",
                                              "chest_jointz", "chest_jointx", "chest_smooY"}));
    EXPECT_EQ(params("lForeArm"), (QStringList{"twistx", "jointy", "jointz", "lShldr_smooX", "Curve"}));
    EXPECT_EQ(params("lCollar"),
              (QStringList{"twistx", "lShldr_twistx", "lShldr_jointy", "lShldr_jointz", "lShldr_smooX"}));

    // The joint of a bone: bound to it, named after it, with its face group.
    VxBone* foreArm = figure->findBone(QStringLiteral("lForeArm"));
    const VxLegacyJoint* joint = binding->findJoint(foreArm);
    EXPECT_EQ(joint->getBone(), foreArm);
    EXPECT_EQ(joint->getName(), QStringLiteral("lForeArm"));
    EXPECT_EQ(joint->getGroupName(), QStringLiteral("lForeArm"));
    EXPECT_EQ(joint->getJointParam(0)->getValues(),
              (QVector<float>{foreArm->getOrigin(true).x, foreArm->getEndPoint(true).x}));
    EXPECT_FALSE(joint->getJointParam(0)->isFlipped());
    const VxLegacyJoint* shoulder = binding->findJoint(figure->findBone(QStringLiteral("lShldr")));
    const VxLegacyJointParam* partner = shoulder->findJointParam(QStringLiteral("lForeArm_twistx"));
    ASSERT_NE(partner, nullptr);
    EXPECT_TRUE(partner->isFlipped());
    EXPECT_EQ(partner->getDriver(), foreArm);
    EXPECT_EQ(joint->findJointParam(QStringLiteral("Curve"))->getAxis(), 5);

    // Skin and selection map as for a single-skin figure; no weight maps.
    auto* skin = qobject_cast<VxGraftingFigureShape*>(VxShape::getCurrentShapeForNode(figure));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->getNumMaterials(), 2);
    EXPECT_EQ(figure->getSelectionMap()->getNumPairs(), 7);
    EXPECT_FALSE(figure->hasVertexMaps());
}

TEST_F(ParametricFigureTest, SideSideAndBendFollowTheRotationOrder)
{
    const QList<VxFSHierarchyItem*> bones = arm(VxRotationOrder::XZY);
    setChoices(bones[1], QStringLiteral("sideSide"));
    setChoices(bones[2], QStringLiteral("bend"));
    VxFSParametricFigureBuilder(&m_document).createParametricFigure();
    EXPECT_EQ(params("lShldr"), (QStringList{"jointz", "lForeArm_jointy"}));
    EXPECT_EQ(params("lForeArm"), QStringList{"jointy"});
    EXPECT_EQ(params("lCollar"), (QStringList{"twistx", "lShldr_jointz"}));
}

TEST_F(ParametricFigureTest, WithoutBonesOrBaseGeometryTheFigureStillGetsItsParts)
{
    VxMessageBoxAnswerer answerer;
    m_document.createFigure(false);
    EXPECT_EQ(answerer.count(), 0);
    VxLegacyFigure* figure = builtFigure();
    ASSERT_NE(figure, nullptr);
    EXPECT_NE(VxShape::getCurrentShapeForNode(figure), nullptr);
    EXPECT_NE(figure->findBinding(), nullptr);
    auto* chains = qobject_cast<VxLegacyIKChains*>(figure->findDataItem(QStringLiteral("PoserIKChains")));
    ASSERT_NE(chains, nullptr);
    EXPECT_EQ(chains->getNumChains(), 0);

    m_document.setBaseGeometry(nullptr);
    m_document.setName(QStringLiteral("Bare"));
    m_document.createFigure(false);
    ASSERT_NE(builtFigure(), nullptr);
    EXPECT_EQ(builtFigure()->getObject()->getNumShapes(), 0);
    EXPECT_NE(builtFigure()->findBinding(), nullptr);
}

TEST_F(ParametricFigureTest, OneTargetFlagABoneAndAlternatesOfTheirOwn)
{
    const QList<VxFSHierarchyItem*> bones = arm();
    VxFSHierarchyIKChain* left = m_document.createIKChain(QStringLiteral("Left Arm"));
    left->addLink(bones[0], 0.25f);
    left->addLink(bones[1], 0.5f);
    left->addLink(bones[2], 1.0f);
    VxFSHierarchyIKChain* reach = m_document.createIKChain(QStringLiteral("Reach"));
    reach->setActive(false);
    reach->addLink(bones[1], 0.5f);
    reach->addLink(bones[2], 0.75f);
    m_document.createIKChain(QStringLiteral("Empty"));
    bones[2]->addWeldTarget(bones[1]);
    bones[1]->addWeldTarget(bones[0]);
    // Two alternates: files with a material each.
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
    // (Links, weights and goals come back in the copy round trip.) A chain without links
    // has no goal and no label.
    EXPECT_EQ(chains->getChain(0)->getLabel(), QStringLiteral("Left Arm"));
    EXPECT_EQ(chains->getChain(2)->getGoal(), nullptr);
    EXPECT_EQ(chains->getChain(2)->getLabel(), QString());
    // Two chains end on the forearm; it carries one target flag.
    int flags = 0;
    for (int i = 0; i < foreArm->getNumDataItems(); ++i)
        flags += foreArm->getDataItem(i)->getName() == QLatin1String("PoserIKTarget");
    EXPECT_EQ(flags, 1);
    EXPECT_EQ(figure->findBone(QStringLiteral("lShldr"))->findDataItem(QStringLiteral("PoserIKTarget")), nullptr);

    EXPECT_EQ(figure->getNumWelds(), 2);
    // The alternates: new shapes sharing the meshes, with new materials of the same names.
    ASSERT_EQ(figure->getNumAlternateGeometries(), 1);
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

TEST_F(ParametricFigureTest, ChainsWeldsAndBonesAgainstAFigureThatLacksBones)
{
    VxFSHierarchyItem* lCollar = bone(nullptr, "lCollar", VxRotationOrder::XYZ);
    VxFSHierarchyItem* lShldr = bone(lCollar, "lShldr", VxRotationOrder::XYZ);
    VxFSHierarchyIKChain* toCollar = m_document.createIKChain(QStringLiteral("Arm"));
    toCollar->addLink(lShldr, 0.5f);
    toCollar->addLink(lCollar, 1.0f);
    VxFSHierarchyIKChain* toShoulder = m_document.createIKChain(QStringLiteral("Other"));
    toShoulder->addLink(lCollar, 0.5f);
    toShoulder->addLink(lShldr, 1.0f);

    // A figure that has the shoulder only: the chain whose last bone is missing has no goal.
    auto* figure = addSkinnedFigure<VxLegacyFigure>(nullptr);
    VxBone* shoulder = addPlacedBone(figure, QStringLiteral("lShldr"));
    VxLegacyIKChains* chains = VxFSFigureParts::createIKChains(&m_document, figure);
    ASSERT_EQ(chains, figure->findDataItem(QStringLiteral("PoserIKChains")));
    ASSERT_EQ(chains->getNumChains(), 2);
    const VxLegacyIKChain* missing = chains->getChain(0);
    EXPECT_EQ(missing->getNumLinks(), 2);
    EXPECT_EQ(missing->getLink(0), shoulder);
    EXPECT_EQ(missing->getLink(1), nullptr);
    EXPECT_EQ(missing->getGoal(), nullptr);
    EXPECT_EQ(missing->getLabel(), QString());
    EXPECT_EQ(chains->getChain(1)->getGoal(), shoulder);
    EXPECT_NE(shoulder->findDataItem(QStringLiteral("PoserIKTarget")), nullptr);
    // Building again into the same item appends to it.
    EXPECT_EQ(VxFSFigureParts::createIKChains(&m_document, figure), chains);
    EXPECT_EQ(chains->getNumChains(), 4);

    // A weld to a bone the figure lacks is skipped.
    lShldr->addWeldTarget(lCollar);
    lCollar->applyWelds(figure);
    EXPECT_EQ(figure->getNumWelds(), 0);

    // A bone the figure lacks is made alone (no recursion) with its joint; a joint that
    // exists already only gets the parameters.
    auto* binding = new VxLegacyBinding();
    figure->getObject()->addModifier(binding);
    VxBone* collar = VxFSParametricFigureBuilder::createLegacyBone(lCollar, figure, figure, binding, false, nullptr);
    ASSERT_NE(collar, nullptr);
    EXPECT_EQ(collar->getNumNodeChildren(), 0);
    EXPECT_EQ(figure->findBone(QStringLiteral("lShldr")), shoulder);
    ASSERT_EQ(binding->getNumJoints(), 1);
    EXPECT_EQ(binding->findJoint(collar)->getNumJointParams(), 1);
    VxFSParametricFigureBuilder::createJoint(lCollar, collar, figure, figure, binding);
    EXPECT_EQ(binding->getNumJoints(), 1);
    EXPECT_EQ(binding->findJoint(collar)->getNumJointParams(), 2);
}

TEST_F(ParametricFigureTest, CreateFigureDispatchesOnTheFigureType)
{
    bone(nullptr, "hip", VxRotationOrder::YZX);
    // With the modify flag the document is applied to the selected figure it was copied
    // from; with nothing selected that is refused.
    {
        VxMessageBoxAnswerer answerer;
        m_document.createFigure(true);
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Selection Error"));
    }
    EXPECT_EQ(m_scene->getNumNodes(), 0);
    // Any type but Poser builds a single-skin figure.
    m_document.setFigureType(static_cast<VxFigureSetupFigureType>(7));
    m_document.createFigure(false);
    EXPECT_NE(qobject_cast<VxFigure*>(m_scene->findNode(m_document.getName())), nullptr);
}
