#include "buildtestsupport.h"
#include "documentsnapshot.h"

namespace {
const QStringList kGroups = {"hip", "chest", "head"};

class CopyParametricTest : public BuildTest
{
protected:
    void SetUp() override
    {
        BuildTest::SetUp();
        bodyPath = writeFile(QStringLiteral("body.obj"), testObj(kGroups));
    }

    QString bodyPath;
};
} // namespace

// Which of a built figure's parameters are a bone's own comes back in the round trip; here
// what only a figure from elsewhere holds.
TEST_F(CopyParametricTest, ChoicesEndAtTheCurveAndOnlyBonesAreCopied)
{
    TestLegacyFigure scene(QStringLiteral("Fig"), QStringLiteral("Figure One"));
    VxLegacyFigure* fig = scene.figure;
    VxBone* hip = scene.addBone(nullptr, QStringLiteral("hip"), VxRotationOrder::YZX, QStringLiteral("hip"));
    VxBone* head = scene.addBone(hip, QStringLiteral("head"), VxRotationOrder::ZXY, QStringLiteral("missing"));
    scene.addBone(hip, QStringLiteral("lArm"), VxRotationOrder::XZY, QString(), false);

    VxLegacyJoint* hipJoint = scene.joint(hip);
    hipJoint->addJointParam(new VxLegacySmoothScale(fig, 1, 0, 0, 0, 0)); // driven by the parent, the figure
    hipJoint->addJointParam(new VxLegacyCurve(hip, VxLegacyCurve::CurveY));
    hipJoint->addJointParam(new VxLegacyTwistParam(hip, 1, 0, 1)); // after the curve: not read
    VxLegacyJoint* headJoint = scene.joint(head);
    headJoint->addJointParam(new VxLegacyCurve(hip, VxLegacyCurve::CurveZ)); // not the bone's curve
    headJoint->addJointParam(new VxLegacyBendParam(head, 1));  // ZXY: Y is the bend axis
    headJoint->addJointParam(new VxLegacyBendParam(head, 2));  // the twist axis: neither

    // A node that is not a bone is not copied, nor what hangs below it.
    auto* prop = new VxNode();
    fig->addNodeChild(prop, false);
    vxScene->addNode(prop);
    scene.addBone(prop, QStringLiteral("underProp"));
    fig->addDataItem(new VxGeomSourceFileData(bodyPath));

    VxFSHierarchy document;
    VxFSFigureCopier::copyFromParametricFigure(&document, fig);
    // Face groups from the joints' group names.
    QStringList rows;
    for (const VxFSHierarchyItem* item : document.getAllBones()) {
        const VxFSGeomGroup* group = item->getGeomGroup();
        rows << item->getName() + QStringLiteral(": ") + choicesOf(item) + QStringLiteral(" | ")
                + (group && group->getGeomItem() == document.getBaseGeometry() ? group->getName() : QString());
    }
    EXPECT_EQ(rows, (QStringList{"hip: curve scale | hip", "head: bend | ", "lArm:  | "}));
    EXPECT_EQ(document.findBone(QStringLiteral("head"))->getMappedBone(), head);
    EXPECT_EQ(document.findBone(QStringLiteral("head"))->getParentNode(), hip);
}

TEST_F(CopyParametricTest, GeometryLoadedInThePaneIsReusedAndAlternatesAreRead)
{
    const QString alt1 = writeFile(QStringLiteral("alt/hat.obj"), testObj({"hat"}));
    const QString alt2 = writeFile(QStringLiteral("alt/hair.obj"), testObj({"hair"}));
    const QString extra = writeFile(QStringLiteral("extra.obj"), testObj({"hip", "chest"}));

    TestLegacyFigure scene(QStringLiteral("Fig"), QStringLiteral("Fig"));
    VxBone* hip = scene.addBone(nullptr, QStringLiteral("hip"), VxRotationOrder(), QStringLiteral("hip"));
    VxBone* chest = scene.addBone(hip, QStringLiteral("chest"), VxRotationOrder(), QStringLiteral("chest"));
    scene.figure->addDataItem(new VxGeomSourceFileData(bodyPath));

    // A shape of the figure's own object that records another file: that file becomes the
    // base geometry, its materials taken from the shape.
    VxRefGuard<VxFacetShape> skin(importedShape(extra, extra));
    ASSERT_NE(skin.get(), nullptr);
    auto* paint = new VxDefaultMaterial();
    paint->setName(QStringLiteral("paint"));
    skin->addMaterial(paint);
    scene.figure->getObject()->addShape(skin.get());

    // hip: a recorded alternate, one known only by its mesh's file, one without either, and
    // the base geometry's file again (seen already: skipped).
    VxLegacyAlternateGeometry* alternates = scene.figure->addAlternateGeometry(hip, true);
    VxRefGuard<VxFacetShape> hat(importedShape(alt1, alt1));
    VxRefGuard<VxFacetShape> hair(importedShape(alt2));
    VxRefGuard<VxFacetShape> built(new VxFacetShape());
    VxRefGuard<VxFacetShape> again(importedShape(bodyPath, bodyPath));
    for (VxFacetShape* shape : {hat.get(), hair.get(), built.get(), again.get()})
        alternates->getObject()->addShape(shape);
    // chest: the hat again, already met during this copy.
    scene.figure->addAlternateGeometry(chest, true)->getObject()->addShape(hat.get());

    // The pane's geometry moves into the new document before the copy.
    VxFSHierarchy document;
    VxFSGeomItem* loadedBody = document.addGeometry(bodyPath);
    VxFSGeomItem* loadedHair = document.addGeometry(alt2);
    ASSERT_NE(loadedBody, nullptr);
    ASSERT_NE(loadedHair, nullptr);

    VxFSFigureCopier::copyFromParametricFigure(&document, scene.figure);

    ASSERT_EQ(document.getNumGeometries(), 4);
    EXPECT_EQ(document.getGeometry(0), loadedBody);
    EXPECT_EQ(document.getGeometry(2)->getPath(), extra);
    EXPECT_EQ(document.getBaseGeometry(), document.getGeometry(2));
    EXPECT_EQ(document.getGeometry(3)->getPath(), alt1);
    EXPECT_EQ(document.getBaseGeometry()->getShape()->findMaterialIndex(QStringLiteral("paint")), 1);

    const VxFSHierarchyItem* hipItem = document.findBone(QStringLiteral("hip"));
    ASSERT_EQ(hipItem->getNumAltGeometries(), 2);
    EXPECT_EQ(hipItem->getAltGeometry(0), document.getGeometry(3));
    EXPECT_EQ(hipItem->getAltGeometry(1), loadedHair);
    EXPECT_EQ(document.findBone(QStringLiteral("chest"))->getNumAltGeometries(), 0);
    // The base geometry changed after the first group lookup would have used body.obj; the
    // groups are found in the final base geometry.
    EXPECT_EQ(hipItem->getGeomGroup()->getGeomItem(), document.getBaseGeometry());
    EXPECT_TRUE(document.sourceGeometryPaths().isEmpty());
}

// A built figure's welds and chains come back in the round trip; here what builders never
// make: several welds of one bone, and welds and links to bones of another figure.
TEST_F(CopyParametricTest, WeldsKeepTheLastTargetAndBonesOfOtherFiguresAreLeftOut)
{
    TestLegacyFigure scene(QStringLiteral("Fig"), QStringLiteral("Fig"));
    VxBone* hip = scene.addBone(nullptr, QStringLiteral("hip"));
    VxBone* chest = scene.addBone(hip, QStringLiteral("chest"));
    VxBone* head = scene.addBone(chest, QStringLiteral("head"));
    VxBone* arm = scene.addBone(chest, QStringLiteral("arm"));
    TestLegacyFigure other(QStringLiteral("Other"), QStringLiteral("Other"));
    VxBone* stranger = other.addBone(nullptr, QStringLiteral("stranger"));

    VxLegacyFigure* fig = scene.figure;
    fig->addWeld(new VxWeld(arm, chest));
    fig->addWeld(new VxWeld(arm, head));       // arm keeps head
    fig->addWeld(new VxWeld(head, stranger));  // a target the document lacks: none
    fig->addWeld(new VxWeld(stranger, hip));   // a welded bone the document lacks: ignored
    auto* chains = new VxLegacyIKChains();
    auto* armChain = new VxLegacyIKChain(QStringLiteral("chainObject"));
    armChain->setLabel(QStringLiteral("Left Arm"));
    armChain->addLink(chest, 0.25f);
    armChain->addLink(stranger, 0.5f); // no such bone in the document: skipped
    armChain->addLink(arm, 0.75f);
    chains->addChain(armChain);
    fig->addDataItem(chains);

    // What the document held before goes, but its loaded geometry stays; the figure records
    // no source file, so there is no base geometry.
    VxFSHierarchy document(QStringLiteral("Old"));
    document.setBaseGeometry(document.addGeometry(bodyPath));
    new VxFSHierarchyItem(&document, QStringLiteral("oldBone"));
    document.createIKChain(QStringLiteral("oldChain"));
    new VxFSRegionItem(&document, QStringLiteral("oldRegion"));
    VxFSFigureCopier::copyFromParametricFigure(&document, fig);

    EXPECT_EQ(document.getNumBones(true), 4);
    EXPECT_EQ(document.getFirstRegion(), nullptr);
    EXPECT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
    auto targetOf = [&document](const char* name) {
        const VxFSHierarchyItem* item = document.findBone(QLatin1String(name));
        return item->getNumWeldTargets() == 1 ? item->getWeldTarget(0)->getName() : QString::number(item->getNumWeldTargets());
    };
    EXPECT_EQ(targetOf("arm"), QStringLiteral("head"));
    EXPECT_EQ(targetOf("head"), QStringLiteral("0"));
    EXPECT_EQ(targetOf("hip"), QStringLiteral("0"));
    EXPECT_EQ(documentSnapshot(document).split(QLatin1Char('\n')).filter(QStringLiteral("chain ")),
              QStringList{"chain Left Arm | active 1 | chest:0.25 arm:0.75"});
}
