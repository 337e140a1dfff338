#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxgeomsourcefiledata.h"
#include "vxgraftingfigureshape.h"
#include "vxjsonwriter.h"
#include "vxlegacybendparam.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxlegacyjoint.h"
#include "vxlegacytwistparam.h"
#include "vxobject.h"
#include "vxpresentation.h"
#include "vxproperty.h"
#include "vxscenetest.h"
#include "vxselectionmap.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"
#include "vxweld.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

using SceneJsonTest = VxSceneTest;

namespace {
// The scene's JSON against the expected text in tests/data/scenejson/<name>. On a difference
// the written text is left in the temporary folder, to compare and, when the change is
// meant, to copy over the expected file.
void expectSameAsFile(const QByteArray& json, const QString& name)
{
    QFile expected(vxTestDataPath(QStringLiteral("scenejson/") + name));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << qPrintable(expected.fileName());
    if (expected.readAll() == json)
        return;
    QFile actual(QDir::temp().filePath(name));
    if (actual.open(QIODevice::WriteOnly))
        actual.write(json);
    ADD_FAILURE() << "the scene JSON differs from " << qPrintable(expected.fileName()) << "; it wrote "
                  << qPrintable(actual.fileName());
}
} // namespace

TEST(JsonWriter, FloatsAreShortestAndReadBackExactly)
{
    EXPECT_EQ(VxJsonWriter::formatFloat(0.1f), QByteArray("0.1"));
    EXPECT_EQ(VxJsonWriter::formatFloat(1.57079625f), QByteArray("1.5707963"));
    EXPECT_EQ(VxJsonWriter::formatFloat(-24140.16f), QByteArray("-24140.16"));
    EXPECT_EQ(VxJsonWriter::formatFloat(3.0f), QByteArray("3"));
    EXPECT_EQ(VxJsonWriter::formatFloat(1.0f / 0.0f), QByteArray("null"));
    for (float f : {0.785398126f, 3.14159274f, 1e-7f, 123456.789f, -0.3333333f}) {
        const QByteArray text = VxJsonWriter::formatFloat(f);
        EXPECT_EQ(std::strtof(text.constData(), nullptr), f) << text.constData();
    }
    EXPECT_EQ(VxJsonWriter::quote(QStringLiteral("a\"b\\c\n\x01")), QByteArray("\"a\\\"b\\\\c\\n\\u0001\""));
}

TEST_F(SceneJsonTest, SingleSkinFigureIsWrittenKeyByKey)
{
    auto* figure = new VxFigure();
    figure->setName(QStringLiteral("Arm"));
    figure->setLabel(QStringLiteral("Arm Figure"));
    m_scene->addNode(figure);
    figure->addDataItem(new VxGeomSourceFileData(QStringLiteral("/content/arm.obj")));
    figure->getPresentation()->setType(QStringLiteral("Actor/Character"));
    figure->setObject(new VxObject());
    auto* shape = new VxGraftingFigureShape();
    shape->setName(QStringLiteral("arm"));
    shape->setFacetMesh(vxMakeBoxMesh({{"upper", {0, 0, 0}, {4, 1, 1}}, {"lower", {4.5f, 0, 0}, {8, 1, 1}}}));
    VxRefGuard<VxDefaultMaterial> skin(new VxDefaultMaterial());
    skin->setName(QStringLiteral("skin"));
    skin->setLabel(QStringLiteral("Skin"));
    shape->addMaterial(skin.get());
    auto* root = new VxGeometryRegion(QStringLiteral("Actor"));
    root->addChildRegion(new VxGeometryRegion(QStringLiteral("Arm")));
    shape->setGeometryRegion(root);
    figure->getObject()->addShape(shape);
    figure->setSelectionMap(new VxSelectionMap());

    VxBone* upper = vxAddBone(figure, QStringLiteral("upper"));
    upper->setLabel(QStringLiteral("UPPER"));
    upper->setRotationOrder(VxRotationOrder(VxRotationOrder::XZY));
    upper->setInheritScale(true);
    upper->setOrigin(VxVec3(0, 0.5f, 0.5f), true);
    upper->setEndPoint(VxVec3(4, 0.5f, 0.5f), true);
    upper->getXRotControl()->setLabel(QStringLiteral("Twist"));
    upper->getYPosControl()->setHidden(true);
    figure->getSelectionMap()->addPair(QStringLiteral("upper"), upper, true);
    auto* binding = new VxBoneBinding();
    binding->setBone(upper);
    figure->getSkinBinding()->addBoneBinding(binding);
    VxRefGuard<VxWeightMap> twist(new VxWeightMap());
    twist->setNumWeights(16, false);
    twist->setWeight(3, 100);
    twist->setWeight(4, 200);
    binding->setLocalWeights(0, twist.get());
    auto* bulge = new VxBulgeBinding();
    bulge->setAxis(0);
    VxRefGuard<VxWeightMap> right(new VxWeightMap());
    right->setNumWeights(16, false);
    bulge->setRightWeights(right.get());
    binding->setBulgeBinding(0, bulge);
    upper->select(true);

    // Byte-identical when nothing changed; every key in its place.
    const QByteArray json = m_scene->toJson();
    EXPECT_EQ(json, m_scene->toJson());
    expectSameAsFile(json, QStringLiteral("skin_figure.json"));
}

TEST_F(SceneJsonTest, LegacyFigureJointsWeldsAndChains)
{
    auto* figure = new VxLegacyFigure();
    figure->setName(QStringLiteral("Poser"));
    m_scene->addNode(figure);
    figure->setObject(new VxObject());
    auto* binding = new VxLegacyBinding();
    figure->getObject()->addModifier(binding);
    VxBone* arm = vxAddBone(figure, QStringLiteral("arm"));
    VxBone* hand = vxAddBone(arm, QStringLiteral("hand"));
    auto* joint = new VxLegacyJoint();
    joint->setName(QStringLiteral("hand"));
    joint->setBone(hand, true);
    joint->setGroupName(QStringLiteral("rHand"));
    binding->addJoint(joint);
    auto* bend = new VxLegacyBendParam(hand, 2);
    bend->setName(QStringLiteral("jointz"));
    bend->setApplyAngles(true);
    bend->setAngles(1.57079625f, 0.785398126f, -0.785398126f, -1.57079625f, false);
    VxMatrix4 inner, outer;
    inner.scale(VxVec3(0.5f, 1, 1));
    inner.translate(VxVec3(3, 0, 0));
    outer.scale(VxVec3(0.75f, 1.5f, 1.5f));
    outer.translate(VxVec3(3, 0, 0));
    bend->setMatrices(inner, outer, false);
    bend->setFlipped(true);
    joint->addJointParam(bend);
    auto* twist = new VxLegacyTwistParam(hand, 0, -20.0f, -30.5f);
    twist->setName(QStringLiteral("twistx"));
    joint->addJointParam(twist);
    figure->addWeld(new VxWeld(hand, arm));
    auto* chains = new VxLegacyIKChains();
    auto* chain = new VxLegacyIKChain(QStringLiteral("RightArm"));
    chain->setLabel(QStringLiteral("Right Arm"));
    chain->addLink(arm, 0.5f);
    chain->addLink(hand, 1.0f);
    chain->setGoal(hand);
    chains->addChain(chain);
    figure->addDataItem(chains);
    figure->createIKChains();

    expectSameAsFile(m_scene->toJson(), QStringLiteral("legacy_figure.json"));
}

TEST_F(SceneJsonTest, SavingWritesWholeFilesOrNothing)
{
    m_scene->addNode(new VxFigure());
    const QString path = tempPath(QStringLiteral("scene.json"));
    QString error;
    ASSERT_TRUE(m_scene->saveJson(path, &error)) << qPrintable(error);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), m_scene->toJson());

    const QString bad = tempPath(QStringLiteral("missing/folder/scene.json"));
    EXPECT_FALSE(m_scene->saveJson(bad, &error));
    EXPECT_TRUE(error.contains(bad));
    EXPECT_FALSE(QFile::exists(bad));
}
