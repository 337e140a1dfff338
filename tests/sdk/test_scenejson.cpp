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

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cstdlib>

using SceneJsonTest = VxSceneTest;

namespace {
VxBone* addBone(VxNode* parent, const QString& name)
{
    auto* bone = new VxBone();
    bone->setName(name);
    bone->setLabel(name.toUpper());
    parent->addNodeChild(bone, false);
    vxScene->addNode(bone);
    return bone;
}

QJsonObject parse(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString());
    return doc.object();
}

QJsonArray vec(float x, float y, float z)
{
    return QJsonArray{double(x), double(y), double(z)};
}

// Keys of the first object in `json` that starts with `"type": "<type>"`, in written order.
QStringList keysOfFirst(const QByteArray& json, const QString& type)
{
    const QString text = QString::fromUtf8(json);
    const int start = text.indexOf(QStringLiteral("\"type\": \"%1\"").arg(type));
    QStringList keys;
    const QString indent = text.mid(text.lastIndexOf('\n', start) + 1, start - text.lastIndexOf('\n', start) - 1);
    const QRegularExpression key(QStringLiteral("^%1\"(\\w+)\": ").arg(indent), QRegularExpression::MultilineOption);
    const int end = text.indexOf(QStringLiteral("\n%1").arg(indent.left(indent.size() - 2)) + '}', start);
    auto it = key.globalMatch(text.mid(start - indent.size(), end - start + indent.size()));
    while (it.hasNext())
        keys.append(it.next().captured(1));
    return keys;
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

    VxBone* upper = addBone(figure, QStringLiteral("upper"));
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

    const QByteArray json = m_scene->toJson();
    EXPECT_EQ(json, m_scene->toJson()); // byte-identical when nothing changed
    const QJsonObject doc = parse(json);
    EXPECT_EQ(doc.value("format").toString(), QStringLiteral("vxscene"));
    EXPECT_EQ(doc.value("primarySelection").toString(), QStringLiteral("upper"));
    ASSERT_EQ(doc.value("nodes").toArray().size(), 1);

    const QJsonObject fig = doc.value("nodes").toArray().at(0).toObject();
    EXPECT_EQ(fig.value("type").toString(), QStringLiteral("VxFigure"));
    EXPECT_EQ(fig.value("label").toString(), QStringLiteral("Arm Figure"));
    EXPECT_TRUE(fig.value("parent").isNull());
    EXPECT_EQ(fig.value("presentation").toObject().value("type").toString(), QStringLiteral("Actor/Character"));
    const QJsonObject source = fig.value("dataItems").toArray().at(0).toObject();
    EXPECT_EQ(source.value("name").toString(), QStringLiteral("GeomSourceFileData"));
    EXPECT_EQ(source.value("sourceFilePath").toString(), QStringLiteral("/content/arm.obj"));

    const QJsonObject shapeJson = fig.value("object").toObject().value("shapes").toArray().at(0).toObject();
    EXPECT_EQ(shapeJson.value("type").toString(), QStringLiteral("VxGraftingFigureShape"));
    EXPECT_EQ(shapeJson.value("geometry").toObject().value("vertices").toInt(), 16);
    EXPECT_EQ(shapeJson.value("geometry").toObject().value("facets").toInt(), 12);
    EXPECT_EQ(shapeJson.value("geometry").toObject().value("boundingBox").toObject().value("max").toArray(), vec(8, 1, 1));
    EXPECT_EQ(shapeJson.value("materials").toArray().at(0).toObject().value("label").toString(), QStringLiteral("Skin"));
    EXPECT_EQ(shapeJson.value("regions").toObject().value("children").toArray().at(0).toObject().value("name").toString(),
              QStringLiteral("Arm"));

    const QJsonObject pair = fig.value("selectionMap").toArray().at(0).toObject();
    EXPECT_EQ(pair.value("group").toString(), QStringLiteral("upper"));
    EXPECT_EQ(pair.value("node").toString(), QStringLiteral("upper"));

    const QJsonObject bone = fig.value("children").toArray().at(0).toObject();
    EXPECT_EQ(bone.value("parent").toString(), QStringLiteral("Arm"));
    EXPECT_EQ(bone.value("label").toString(), QStringLiteral("UPPER"));
    EXPECT_EQ(bone.value("origin").toArray(), vec(0, 0.5f, 0.5f));
    EXPECT_EQ(bone.value("endPoint").toArray(), vec(4, 0.5f, 0.5f));
    EXPECT_EQ(bone.value("rotationOrder").toString(), QStringLiteral("XZY"));
    EXPECT_TRUE(bone.value("inheritScale").toBool());
    const QJsonArray controls = bone.value("controls").toArray();
    ASSERT_EQ(controls.size(), 6);
    EXPECT_EQ(controls.at(0).toObject().value("label").toString(), QStringLiteral("Twist"));
    EXPECT_TRUE(controls.at(4).toObject().value("hidden").toBool());
    EXPECT_FALSE(controls.at(3).toObject().value("hidden").toBool());

    const QJsonObject bb = fig.value("skinBinding").toObject().value("boneBindings").toArray().at(0).toObject();
    EXPECT_EQ(bb.value("bone").toString(), QStringLiteral("upper"));
    const QJsonObject map = bb.value("localWeights").toArray().at(0).toObject();
    EXPECT_EQ(map.value("size").toInt(), 16);
    EXPECT_EQ(map.value("nonZero").toInt(), 2);
    EXPECT_TRUE(bb.value("localWeights").toArray().at(1).isNull());
    EXPECT_TRUE(bb.value("scaleWeights").isNull());
    const QJsonObject bulgeJson = bb.value("bulgeBindings").toArray().at(0).toObject();
    EXPECT_EQ(bulgeJson.value("right").toObject().value("nonZero").toInt(), 0);
    EXPECT_TRUE(bulgeJson.value("left").isNull());

    // Key order is fixed.
    EXPECT_EQ(keysOfFirst(json, QStringLiteral("VxBone")),
              (QStringList{"type", "name", "label", "parent", "origin", "endPoint", "defaultOrigin",
                           "defaultEndPoint", "rotationOrder", "controls", "inheritScale", "presentation",
                           "dataItems", "object", "children"}));
}

TEST_F(SceneJsonTest, LegacyFigureJointsWeldsAndChains)
{
    auto* figure = new VxLegacyFigure();
    figure->setName(QStringLiteral("Poser"));
    m_scene->addNode(figure);
    figure->setObject(new VxObject());
    auto* binding = new VxLegacyBinding();
    figure->getObject()->addModifier(binding);
    VxBone* arm = addBone(figure, QStringLiteral("arm"));
    VxBone* hand = addBone(arm, QStringLiteral("hand"));
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

    const QByteArray json = m_scene->toJson();
    const QJsonObject fig = parse(json).value("nodes").toArray().at(0).toObject();
    const QJsonObject jointJson = fig.value("object").toObject().value("modifiers").toArray().at(0)
                                      .toObject().value("joints").toArray().at(0).toObject();
    EXPECT_EQ(jointJson.value("bone").toString(), QStringLiteral("hand"));
    EXPECT_EQ(jointJson.value("groupName").toString(), QStringLiteral("rHand"));
    const QJsonArray params = jointJson.value("params").toArray();
    ASSERT_EQ(params.size(), 2);
    const QJsonObject b = params.at(0).toObject();
    EXPECT_EQ(b.value("class").toString(), QStringLiteral("VxLegacyBendParam"));
    EXPECT_EQ(b.value("type").toInt(), 2);
    EXPECT_EQ(b.value("name").toString(), QStringLiteral("jointz"));
    EXPECT_EQ(b.value("axis").toInt(), 2);
    EXPECT_EQ(b.value("driver").toString(), QStringLiteral("hand"));
    EXPECT_TRUE(b.value("applyAngles").toBool());
    EXPECT_TRUE(b.value("flipped").toBool());
    EXPECT_EQ(float(b.value("angles").toArray().at(0).toDouble()), 1.57079625f);
    EXPECT_EQ(float(b.value("angles").toArray().at(2).toDouble()), -0.785398126f);
    const QJsonArray m = b.value("outerMatrix").toArray();
    ASSERT_EQ(m.size(), 16);
    EXPECT_EQ(m.at(0).toDouble(), 0.75);
    EXPECT_EQ(m.at(3).toDouble(), 3.0);
    EXPECT_EQ(m.at(5).toDouble(), 1.5);
    EXPECT_EQ(m.at(15).toDouble(), 1.0);
    const QJsonObject t = params.at(1).toObject();
    EXPECT_EQ(t.value("values").toArray(), (QJsonArray{-20.0, -30.5}));
    EXPECT_TRUE(t.value("innerMatrix").isNull());
    EXPECT_FALSE(t.value("flipped").toBool());
    EXPECT_TRUE(json.contains("\"angles\": [1.5707963, 0.7853981, -0.7853981, -1.5707963]"));

    const QJsonObject weld = fig.value("welds").toArray().at(0).toObject();
    EXPECT_EQ(weld.value("weldBone").toString(), QStringLiteral("hand"));
    EXPECT_EQ(weld.value("targetBone").toString(), QStringLiteral("arm"));
    const QJsonObject chainJson = fig.value("dataItems").toArray().at(0).toObject().value("chains").toArray().at(0).toObject();
    EXPECT_EQ(chainJson.value("label").toString(), QStringLiteral("Right Arm"));
    EXPECT_TRUE(chainJson.value("active").toBool());
    EXPECT_EQ(chainJson.value("goal").toString(), QStringLiteral("hand"));
    EXPECT_EQ(chainJson.value("links").toArray().at(0).toObject().value("weight").toDouble(), 0.5);
    EXPECT_EQ(fig.value("ikSystem").toArray().at(0).toObject().value("links").toArray(), (QJsonArray{"arm", "hand"}));
    EXPECT_EQ(keysOfFirst(json, QStringLiteral("VxLegacyFigure")).mid(12),
              (QStringList{"object", "selectionMap", "welds", "alternateGeometries", "ikSystem", "children"}));
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
