#include "buildtestsupport.h"
#include "documentsnapshot.h"

namespace {
const QStringList kGroups = {"hip", "chest", "head", "lArm", "rArm"};

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

TEST_F(CopyParametricTest, ChoicesAreReadFromParametersByClassDriverAndAxis)
{
    TestLegacyFigure scene(QStringLiteral("Fig"), QStringLiteral("Figure One"));
    VxLegacyFigure* fig = scene.figure;
    // hip: YZX, so twist Y, side-side Z, bend X.
    VxBone* hip = scene.addBone(nullptr, QStringLiteral("hip"), VxRotationOrder::YZX, QStringLiteral("hip"));
    VxBone* chest = scene.addBone(hip, QStringLiteral("chest"), VxRotationOrder::XYZ, QStringLiteral("chest"));
    VxBone* head = scene.addBone(chest, QStringLiteral("head"), VxRotationOrder::ZXY, QStringLiteral("missing"));
    scene.addBone(chest, QStringLiteral("lArm"), VxRotationOrder::XZY, QString(), false);
    VxBone* rArm = scene.addBone(chest, QStringLiteral("rArm"), VxRotationOrder::XYZ);

    VxLegacyJoint* hipJoint = scene.joint(hip);
    hipJoint->addJointParam(new VxLegacyTwistParam(hip, 1, 0, 1));
    hipJoint->addJointParam(new VxLegacyBendParam(hip, 2));          // second axis: side-side
    hipJoint->addJointParam(new VxLegacySmoothScale(fig, 1, 0, 0, 0, 0)); // driven by the parent
    hipJoint->addJointParam(new VxLegacyCurve(hip, VxLegacyCurve::CurveY));
    hipJoint->addJointParam(new VxLegacyBendParam(hip, 0));          // after the curve: not read
    hipJoint->addJointParam(new VxLegacyTwistParam(chest, 1, 0, 1)); // a child's partner

    VxLegacyJoint* chestJoint = scene.joint(chest);
    chestJoint->addJointParam(new VxLegacySmoothScale(chest, 0, 0, 0, 0, 0)); // not the parent
    chestJoint->addJointParam(new VxLegacyTwistParam(hip, 0, 0, 1));         // not the bone
    chestJoint->addJointParam(new VxLegacyBendParam(chest, 2));              // third axis: bend
    chestJoint->addJointParam(new VxLegacyBendParam(hip, 1));                // not the bone
    chestJoint->addJointParam(new VxLegacySmoothScale(hip, 0, 0, 0, 0, 0));   // parent: scale

    VxLegacyJoint* headJoint = scene.joint(head);
    headJoint->addJointParam(new VxLegacyCurve(chest, VxLegacyCurve::CurveZ)); // not the bone's curve
    headJoint->addJointParam(new VxLegacyTwistParam(head, 2, 0, 1));
    headJoint->addJointParam(new VxLegacyBendParam(head, 1));  // ZXY: Y is the bend axis
    headJoint->addJointParam(new VxLegacyBendParam(head, 0));  // X the side-side axis
    headJoint->addJointParam(new VxLegacyBendParam(head, 2));  // the twist axis: neither

    // A node that is not a bone is not copied, nor what hangs below it.
    auto* prop = new VxNode();
    fig->addNodeChild(prop, false);
    vxScene->addNode(prop);
    scene.addBone(prop, QStringLiteral("underProp"));
    scene.joint(rArm)->addJointParam(new VxLegacyCurve(rArm, VxLegacyCurve::CurveX));
    scene.joint(rArm)->addJointParam(new VxLegacyTwistParam(rArm, 0, 0, 1)); // behind the curve

    fig->addDataItem(new VxGeomSourceFileData(bodyPath));

    VxFSHierarchy document;
    VxFSFigureCopier::copyFromParametricFigure(&document, fig);

    // The bones in the scene's order (none from below a node that is not a bone), with
    // records of where each came from; face groups from the joints' group names.
    QStringList rows;
    for (const VxFSHierarchyItem* item : document.getAllBones()) {
        const VxFSGeomGroup* group = item->getGeomGroup();
        rows << item->getName() + QStringLiteral(": ") + choicesOf(item) + QStringLiteral(" | ")
                + (group && group->getGeomItem() == document.getBaseGeometry() ? group->getName() : QString());
    }
    EXPECT_EQ(rows, (QStringList{"hip: curve twist sideSide scale | hip", "chest: bend scale | chest",
                                 "head: twist sideSide bend | ", "lArm:  | ", "rArm: curve | "}));
    VxFSHierarchyItem* headItem = document.findBone(QStringLiteral("head"));
    EXPECT_EQ(document.findBone(QStringLiteral("hip"))->getMappedBone(), hip);
    EXPECT_EQ(document.findBone(QStringLiteral("hip"))->getParentNode(), fig);
    EXPECT_EQ(headItem->getMappedBone(), head);
    EXPECT_EQ(headItem->getParentNode(), chest);
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
