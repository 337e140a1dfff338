#include "buildtestsupport.h"

#include "vxfsboneplacer.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxproperty.h"
#include "vxrefcounted.h"
#include "vxselectionmap.h"

#include <memory>

class BonePlacerTest : public BuildTest
{
protected:
    void SetUp() override
    {
        BuildTest::SetUp();
        m_document.setFigureType(Poser); // bones may take groups of any geometry
        VxFacetMesh* mesh = vxMakeBoxMesh({{QStringLiteral("upper"), {0, 0, 0}, {1, 2, 1}},
                                           {QStringLiteral("lower"), {0, -2, 0}, {1, 0, 1}}});
        m_base = setBaseMesh(m_document, mesh, QStringLiteral("body"));
        m_figure = addSkinnedFigure<VxFigure>(mesh);
    }

    VxFSHierarchyItem* item(VxFSHierarchyItem* parent, const QString& name, int order, const QString& group)
    {
        auto* bone = parent ? new VxFSHierarchyItem(parent, name) : new VxFSHierarchyItem(&m_document, name);
        bone->setRotationOrder(order);
        if (!group.isEmpty())
            bone->setGeomGroup(m_base->findGroup(group));
        return bone;
    }

    VxBone* place(VxFSHierarchyItem* bone, VxNode* parent)
    {
        VxBone* node = VxFSBonePlacer::createBone(bone, parent);
        VxFSBonePlacer::placeBone(bone, node, parent, m_figure);
        return node;
    }

    VxFSHierarchy m_document;
    VxFSGeomItem* m_base = nullptr;
    VxFigure* m_figure = nullptr;
};

TEST_F(BonePlacerTest, BonesWithoutGroupsStartOrEndAtTheParentsEndPoint)
{
    // The lower bone points down Y (its group's centre lies below the upper bone's origin).
    VxFSHierarchyItem* upperItem = item(nullptr, QStringLiteral("upper"), VxRotationOrder::YZX, QStringLiteral("upper"));
    VxBone* upper = place(upperItem, m_figure);
    VxBone* lower = place(item(upperItem, QStringLiteral("lower"), VxRotationOrder::YZX, QStringLiteral("lower")), upper);
    EXPECT_VEC3_EQ(lower->getOrigin(false), VxVec3(0.5f, 0, 0.5f));
    EXPECT_VEC3_EQ(lower->getEndPoint(false), VxVec3(0.5f, -2, 0.5f));

    // Length 1 along the twist axis from the parent's end point, or ending there when the
    // parent points down that axis.
    VxBone* tip = place(item(upperItem, QStringLiteral("tip"), VxRotationOrder::XYZ, QString()), upper);
    EXPECT_VEC3_EQ(tip->getOrigin(false), VxVec3(0.5f, 2, 0.5f));
    EXPECT_VEC3_EQ(tip->getEndPoint(false), VxVec3(1.5f, 2, 0.5f));
    VxBone* foot = place(item(upperItem, QStringLiteral("foot"), VxRotationOrder::YXZ, QString()), lower);
    EXPECT_VEC3_EQ(foot->getOrigin(false), VxVec3(0.5f, -1, 0.5f));
    EXPECT_VEC3_EQ(foot->getEndPoint(false), VxVec3(0.5f, -2, 0.5f));
    EXPECT_EQ(m_figure->getSelectionMap()->findPair(tip), -1);
}

TEST_F(BonePlacerTest, AGroupTheSkinCannotMeasurePlacesLikeNoGroup)
{
    // A group of another geometry: paired, but placed as a bone without a group.
    VxRefGuard<VxFacetShape> hatShape(new VxFacetShape());
    hatShape->setFacetMesh(vxMakeBoxMesh({{QStringLiteral("hat"), {5, 5, 5}, {6, 6, 6}}}));
    auto other = std::make_unique<VxFSGeomItem>(hatShape.get(), QStringLiteral("hat"));
    auto* hat = new VxFSHierarchyItem(&m_document, QStringLiteral("hat"));
    hat->setGeomGroup(other->getGroup(0));
    ASSERT_NE(hat->getGeomGroup(), nullptr);
    m_figure->setEndPoint({0, 1, 0}, true);
    VxBone* bone = place(hat, m_figure);
    EXPECT_NE(m_figure->getSelectionMap()->findPair(bone), -1);
    EXPECT_VEC3_EQ(bone->getOrigin(false), VxVec3(0, 1, 0));
    EXPECT_VEC3_EQ(bone->getEndPoint(false), VxVec3(1, 1, 0));

    // A figure without a skin or a selection map: the map is made for the pair.
    auto* bare = new VxFigure();
    m_scene->addNode(bare);
    auto* lowerItem = new VxFSHierarchyItem(&m_document, QStringLiteral("lower"));
    lowerItem->setGeomGroup(m_base->findGroup(QStringLiteral("lower")));
    VxBone* lower = VxFSBonePlacer::createBone(lowerItem, bare);
    VxFSBonePlacer::placeBone(lowerItem, lower, bare, bare);
    ASSERT_NE(bare->getSelectionMap(), nullptr);
    EXPECT_EQ(bare->getSelectionMap()->getPairNode(0), lower);
    EXPECT_VEC3_EQ(lower->getEndPoint(false), VxVec3(1, 0, 0));
}

TEST_F(BonePlacerTest, ChannelLabelsFollowTheRotationOrder)
{
    VxFSHierarchyItem* bone = item(nullptr, QStringLiteral("upper"), VxRotationOrder::XZY, QStringLiteral("upper"));
    bone->setAxis1Label(QStringLiteral("Turn"));
    bone->setAxis2Label(QStringLiteral("Swing"));
    bone->setAxis3Label(QStringLiteral("Fold"));
    VxBone* node = place(bone, m_figure);
    EXPECT_EQ(node->getXRotControl()->getLabel(), QStringLiteral("Turn"));
    EXPECT_EQ(node->getZRotControl()->getLabel(), QStringLiteral("Swing"));
    EXPECT_EQ(node->getYRotControl()->getLabel(), QStringLiteral("Fold"));

    // Defaults on ZYX; an invalid order leaves the labels alone.
    VxFSHierarchyItem* other = item(nullptr, QStringLiteral("other"), VxRotationOrder::ZYX, QString());
    VxBone* otherNode = place(other, m_figure);
    EXPECT_EQ(otherNode->getZRotControl()->getLabel(), QStringLiteral("Twist"));
    EXPECT_EQ(otherNode->getYRotControl()->getLabel(), QStringLiteral("Side-Side"));
    EXPECT_EQ(otherNode->getXRotControl()->getLabel(), QStringLiteral("Bend"));
    other->setRotationOrder(VxRotationOrder(7));
    VxFSBonePlacer::setChannelLabels(bone, otherNode);
    VxFSBonePlacer::setChannelLabels(other, otherNode);
    EXPECT_EQ(otherNode->getXRotControl()->getLabel(), QStringLiteral("Turn"));
}
