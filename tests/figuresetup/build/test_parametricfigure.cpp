#include "buildtestsupport.h"

#include "vxfsfigureparts.h"
#include "vxfsparametricfigurebuilder.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxlegacyalternategeometry.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxlegacyjoint.h"
#include "vxlegacyjointparam.h"
#include "vxmaterial.h"
#include "vxmessageboxanswerer.h"
#include "vxobject.h"
#include "vxposeriktargetflag.h"
#include "vxproperty.h"
#include "vxselectionmap.h"
#include "vxweld.h"

class ParametricFigureTest : public BuildTest
{
protected:
    void SetUp() override
    {
        BuildTest::SetUp();
        m_document.setFigureType(Poser);
        m_mesh = humanoidMesh();
        setBaseMesh(m_document, m_mesh, QStringLiteral("body"), {QStringLiteral("skin"), QStringLiteral("hair")});
    }

    VxFSHierarchyItem* bone(VxFSHierarchyItem* parent, const QString& name, int order)
    {
        auto* item = parent ? new VxFSHierarchyItem(parent, name) : new VxFSHierarchyItem(&m_document, name);
        item->setRotationOrder(order);
        item->setGeomGroup(m_document.getBaseGeometry()->findGroup(name));
        return item;
    }

    VxLegacyFigure* builtFigure() const
    {
        return qobject_cast<VxLegacyFigure*>(m_scene->findNode(m_document.getName()));
    }

    QStringList paramNames(const QString& boneName) const
    {
        QStringList names;
        const VxLegacyJoint* joint = builtFigure()->findBinding()->findJoint(builtFigure()->findBone(boneName));
        for (int i = 0; joint && i < joint->getNumJointParams(); ++i)
            names << joint->getJointParam(i)->getName();
        return names;
    }

    VxFSHierarchy m_document;
    VxFacetMesh* m_mesh = nullptr;
};

TEST_F(ParametricFigureTest, JointsCarryTheGeneratedParametersInOrder)
{
    VxFSHierarchyItem* hip = bone(nullptr, QStringLiteral("hip"), VxRotationOrder::YZX);
    hip->setCurve(true);
    VxFSHierarchyItem* abdomen = bone(hip, QStringLiteral("abdomen"), VxRotationOrder::YZX);
    bone(abdomen, QStringLiteral("chest"), VxRotationOrder::YZX);
    bone(hip, QStringLiteral("lThigh"), VxRotationOrder::YZX);
    VxFSHierarchyItem* lCollar = bone(nullptr, QStringLiteral("lCollar"), VxRotationOrder::XYZ);
    VxFSHierarchyItem* lShldr = bone(lCollar, QStringLiteral("lShldr"), VxRotationOrder::XYZ);
    VxFSHierarchyItem* lForeArm = bone(lShldr, QStringLiteral("lForeArm"), VxRotationOrder::XYZ);
    lForeArm->setCurve(true);

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
    EXPECT_EQ(paramNames(QStringLiteral("hip")),
              (QStringList{"twisty", "Curve", "abdomen_twisty", "abdomen_jointz", "abdomen_jointx", "abdomen_smooY",
                           "lThigh_twisty", "lThigh_jointz", "lThigh_jointx", "lThigh_smooY"}));
    EXPECT_EQ(paramNames(QStringLiteral("abdomen")),
              (QStringList{"twisty", "jointz", "jointx", "hip_smooY", "chest_twisty", "chest_jointz", "chest_jointx",
                           "chest_smooY"}));
    EXPECT_EQ(paramNames(QStringLiteral("lForeArm")),
              (QStringList{"twistx", "jointy", "jointz", "lShldr_smooX", "Curve"}));
    EXPECT_EQ(paramNames(QStringLiteral("lCollar")),
              (QStringList{"twistx", "lShldr_twistx", "lShldr_jointy", "lShldr_jointz", "lShldr_smooX"}));

    // The joint of a bone: bound to it, named after it, with its face group.
    VxBone* foreArm = figure->findBone(QStringLiteral("lForeArm"));
    const VxLegacyJoint* joint = binding->findJoint(foreArm);
    EXPECT_EQ(joint->getBone(), foreArm);
    EXPECT_EQ(joint->getName(), QStringLiteral("lForeArm"));
    EXPECT_EQ(joint->getGroupName(), QStringLiteral("lForeArm"));
    const VxLegacyJointParam* twist = joint->getJointParam(0);
    EXPECT_EQ(twist->getValues(), (QVector<float>{foreArm->getOrigin(true).x, foreArm->getEndPoint(true).x}));
    EXPECT_FALSE(twist->isFlipped());
    const VxLegacyJoint* shoulder = binding->findJoint(figure->findBone(QStringLiteral("lShldr")));
    const VxLegacyJointParam* partner = shoulder->findJointParam(QStringLiteral("lForeArm_twistx"));
    ASSERT_NE(partner, nullptr);
    EXPECT_TRUE(partner->isFlipped());
    EXPECT_EQ(partner->getDriver(), foreArm);
    EXPECT_EQ(joint->findJointParam(QStringLiteral("Curve"))->getAxis(), 5);

    // Skin, selection map, record and hidden controls as for a single-skin figure.
    auto* skin = qobject_cast<VxGraftingFigureShape*>(VxShape::getCurrentShapeForNode(figure));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->getFacetMesh(), m_mesh);
    EXPECT_EQ(skin->getNumMaterials(), 2);
    EXPECT_EQ(figure->getSelectionMap()->getNumPairs(), 7);
    EXPECT_NE(figure->findDataItem(QStringLiteral("GeomSourceFileData")), nullptr);
    EXPECT_TRUE(foreArm->getXPosControl()->isHidden());
    EXPECT_FALSE(figure->hasVertexMaps());
}

TEST_F(ParametricFigureTest, SideSideAndBendFollowTheRotationOrder)
{
    VxFSHierarchyItem* lCollar = bone(nullptr, QStringLiteral("lCollar"), VxRotationOrder::XZY);
    VxFSHierarchyItem* sideOnly = bone(lCollar, QStringLiteral("lShldr"), VxRotationOrder::XZY);
    VxFSHierarchyItem* bendOnly = bone(sideOnly, QStringLiteral("lForeArm"), VxRotationOrder::XZY);
    for (VxFSHierarchyItem* item : {sideOnly, bendOnly}) {
        item->setTwist(false);
        item->setScale(false);
    }
    sideOnly->setBend(false);
    bendOnly->setSideSide(false);
    VxFSParametricFigureBuilder(&m_document).createParametricFigure();
    EXPECT_EQ(paramNames(QStringLiteral("lShldr")), (QStringList{"jointz", "lForeArm_jointy"}));
    EXPECT_EQ(paramNames(QStringLiteral("lForeArm")), QStringList{"jointy"});
    EXPECT_EQ(paramNames(QStringLiteral("lCollar")), (QStringList{"twistx", "lShldr_jointz"}));
}

TEST_F(ParametricFigureTest, WithoutBonesTheFigureStillGetsSkinBindingAndChains)
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

    // No base geometry: an object with the binding but no shape.
    m_document.setBaseGeometry(nullptr);
    m_document.setName(QStringLiteral("Bare"));
    m_document.createFigure(false);
    VxLegacyFigure* bare = builtFigure();
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->getObject()->getNumShapes(), 0);
    EXPECT_NE(bare->findBinding(), nullptr);
}

TEST_F(ParametricFigureTest, IKChainsWeldsAndAlternates)
{
    VxFSHierarchyItem* lCollar = bone(nullptr, QStringLiteral("lCollar"), VxRotationOrder::XYZ);
    VxFSHierarchyItem* lShldr = bone(lCollar, QStringLiteral("lShldr"), VxRotationOrder::XYZ);
    VxFSHierarchyItem* lForeArm = bone(lShldr, QStringLiteral("lForeArm"), VxRotationOrder::XYZ);
    VxFSHierarchyIKChain* arm = m_document.createIKChain(QStringLiteral("Left Arm"));
    arm->addLink(lCollar, 0.25f);
    arm->addLink(lShldr, 0.5f);
    arm->addLink(lForeArm, 1.0f);
    VxFSHierarchyIKChain* reach = m_document.createIKChain(QStringLiteral("Reach"));
    reach->setActive(false);
    reach->addLink(lShldr, 0.5f);
    reach->addLink(lForeArm, 0.75f);
    m_document.createIKChain(QStringLiteral("Empty"));
    lForeArm->addWeldTarget(lShldr);
    lShldr->addWeldTarget(lCollar);

    // Two alternates: files with a material each.
    auto altFile = [this](const QString& name, const QByteArray& material) {
        return writeFile(name + QStringLiteral(".obj"),
                         "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl " + material + "\nf 1 2 3\n");
    };
    VxFSGeomItem* glove = m_document.addGeometry(altFile(QStringLiteral("glove"), "leather"));
    VxFSGeomItem* gauntlet = m_document.addGeometry(altFile(QStringLiteral("gauntlet"), "steel"));
    ASSERT_TRUE(glove && gauntlet);
    lForeArm->addAltGeometry(glove);
    lForeArm->addAltGeometry(gauntlet);

    m_document.createFigure(false);
    VxLegacyFigure* figure = builtFigure();
    ASSERT_NE(figure, nullptr);
    VxBone* foreArm = figure->findBone(QStringLiteral("lForeArm"));

    auto* chains = qobject_cast<VxLegacyIKChains*>(figure->findDataItem(QStringLiteral("PoserIKChains")));
    ASSERT_NE(chains, nullptr);
    ASSERT_EQ(chains->getNumChains(), 3);
    const VxLegacyIKChain* first = chains->getChain(0);
    EXPECT_EQ(first->getName(), QStringLiteral("Left Arm"));
    EXPECT_EQ(first->getLabel(), QStringLiteral("Left Arm"));
    EXPECT_TRUE(first->getActive());
    ASSERT_EQ(first->getNumLinks(), 3);
    EXPECT_EQ(first->getLink(0), figure->findBone(QStringLiteral("lCollar")));
    EXPECT_EQ(first->getLinkWeight(1), 0.5f);
    EXPECT_EQ(first->getGoal(), foreArm);
    EXPECT_FALSE(chains->getChain(1)->getActive());
    EXPECT_EQ(chains->getChain(1)->getGoal(), foreArm);
    EXPECT_EQ(chains->getChain(2)->getGoal(), nullptr);
    EXPECT_EQ(chains->getChain(2)->getLabel(), QString());
    // Two chains end on the forearm; it carries one target flag.
    int flags = 0;
    for (int i = 0; i < foreArm->getNumDataItems(); ++i)
        flags += foreArm->getDataItem(i)->getName() == QLatin1String("PoserIKTarget");
    EXPECT_EQ(flags, 1);
    EXPECT_EQ(figure->findBone(QStringLiteral("lShldr"))->findDataItem(QStringLiteral("PoserIKTarget")), nullptr);

    ASSERT_EQ(figure->getNumWelds(), 2);
    EXPECT_EQ(figure->getWeld(0)->getWeldBone(), figure->findBone(QStringLiteral("lShldr")));
    EXPECT_EQ(figure->getWeld(0)->getTargetBone(), figure->findBone(QStringLiteral("lCollar")));
    EXPECT_EQ(figure->getWeld(1)->getWeldBone(), foreArm);

    ASSERT_EQ(figure->getNumAlternateGeometries(), 1);
    const VxLegacyAlternateGeometry* alternate = figure->findAlternateGeometry(foreArm);
    ASSERT_TRUE(alternate && alternate->getObject());
    ASSERT_EQ(alternate->getObject()->getNumShapes(), 2);
    for (int i = 0; i < 2; ++i) {
        const VxFacetShape* source = (i == 0 ? glove : gauntlet)->getShape();
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

TEST_F(ParametricFigureTest, AChainWhoseLastBoneIsMissingGetsNoGoal)
{
    VxFSHierarchyItem* lCollar = bone(nullptr, QStringLiteral("lCollar"), VxRotationOrder::XYZ);
    VxFSHierarchyItem* lShldr = bone(lCollar, QStringLiteral("lShldr"), VxRotationOrder::XYZ);
    VxFSHierarchyIKChain* arm = m_document.createIKChain(QStringLiteral("Arm"));
    arm->addLink(lShldr, 0.5f);
    arm->addLink(lCollar, 1.0f);
    VxFSHierarchyIKChain* other = m_document.createIKChain(QStringLiteral("Other"));
    other->addLink(lCollar, 0.5f);
    other->addLink(lShldr, 1.0f);

    // A figure that has the shoulder only (as an existing figure may).
    auto* figure = addSkinnedFigure<VxLegacyFigure>(nullptr);
    VxBone* shoulder = addPlacedBone(figure, QStringLiteral("lShldr"), {}, {});
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
    bone(nullptr, QStringLiteral("hip"), VxRotationOrder::YZX);
    // With the modify flag the document is applied to the selected figure it was copied
    // from; with nothing selected that is refused.
    {
        VxMessageBoxAnswerer answerer;
        m_document.createFigure(true);
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Selection Error"));
    }
    EXPECT_EQ(m_scene->getNumNodes(), 0);

    m_document.setFigureType(static_cast<VxFigureSetupFigureType>(7));
    m_document.createFigure(false);
    EXPECT_NE(qobject_cast<VxFigure*>(m_scene->findNode(m_document.getName())), nullptr);
}

TEST_F(ParametricFigureTest, AFailingStepIsCaught)
{
    VxFSHierarchyItem* hip = bone(nullptr, QStringLiteral("hip"), VxRotationOrder::YZX);
    bone(hip, QStringLiteral("abdomen"), VxRotationOrder::YZX);
    m_document.createIKChain(QStringLiteral("Legs"))->addLink(hip, 1.0f);
    QObject::connect(m_scene.get(), &VxScene::nodeAdded, [](VxNode* node) {
        if (node->getName() == QLatin1String("abdomen"))
            throw 42;
    });
    VxWarningCatcher catcher;
    m_document.createFigure(false);
    EXPECT_TRUE(catcher.warnings().contains(QStringLiteral("Unknown error occurred while creating figure.")));
    VxLegacyFigure* figure = builtFigure();
    ASSERT_NE(figure, nullptr);
    EXPECT_NE(figure->findBone(QStringLiteral("hip")), nullptr);
    EXPECT_EQ(figure->findDataItem(QStringLiteral("PoserIKChains")), nullptr);
}
