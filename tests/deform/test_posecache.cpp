// The evaluated shape as objects hand it out: kept until something it depends on changes,
// announced when it goes stale, and the pose written with the scene.
#include "skinfiguretest.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxproperty.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include <cmath>
#include <vector>

namespace {
using PoseCacheTest = SkinFigureTest;

// The "value" of control `control` of the first node named `name` in the scene's JSON.
QJsonValue controlValue(const QByteArray& json, const QString& name, int control)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString());
    std::vector<QJsonObject> open;
    for (const QJsonValue& node : document.object().value(QStringLiteral("nodes")).toArray())
        open.push_back(node.toObject());
    while (!open.empty()) {
        const QJsonObject node = open.back();
        open.pop_back();
        if (node.value(QStringLiteral("name")).toString() == name)
            return node.value(QStringLiteral("controls")).toArray().at(control).toObject().value(QStringLiteral("value"));
        for (const QJsonValue& child : node.value(QStringLiteral("children")).toArray())
            open.push_back(child.toObject());
    }
    return QJsonValue(QJsonValue::Undefined);
}
} // namespace

TEST_F(PoseCacheTest, EvaluatesOncePerChangeAndSaysWhenStale)
{
    for (int v = 8; v < 16; ++v)
        paint(m_lower, -1, v, 1.0f);
    VxObject* object = m_figure->getObject();
    QSignalSpy stale(object, &VxObject::cachedGeomChanged);
    const VxFacetMesh* first = evaluated();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, m_mesh); // the skin keeps its rest shape
    EXPECT_EQ(first->getNumFacets(), m_mesh->getNumFacets());
    EXPECT_EQ(first->findFaceGroup(QStringLiteral("lower")), 1);
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 1);
    evaluated();
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 1);

    const std::vector<float> rest(m_mesh->getVertexData(), m_mesh->getVertexData() + 48);
    pose(m_lower, {0.0f, 0.0f, 90.0f});
    pose(m_lower, {0.0f, 0.0f, 90.0f}); // no change, no signal
    EXPECT_EQ(stale.count(), 1);
    EXPECT_EQ(evaluated(), first);
    evaluated();
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 2);
    EXPECT_EQ(std::vector<float>(m_mesh->getVertexData(), m_mesh->getVertexData() + 48), rest);

    // The figure's own controls place it in the scene; its shape stays.
    m_figure->getZRotControl()->setValue(45.0f);
    m_figure->getXPosControl()->setValue(3.0f);
    evaluated();
    EXPECT_EQ(stale.count(), 1);
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 2);

    // A new rest shape is posed again: (4, 1, 0) moved to (4, 1, 1) turns about (2, .5).
    std::vector<float> moved = rest;
    moved[14 * 3 + 2] = 1.0f;
    ASSERT_TRUE(m_mesh->setVertexPositions(moved));
    EXPECT_EQ(stale.count(), 2);
    EXPECT_VEC3_NEAR(posed(14), VxVec3(1.5f, 2.5f, 1.0f));
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 3);

    // Bones added later are watched too.
    VxBone* hand = vxAddBone(m_lower, QStringLiteral("hand"));
    EXPECT_EQ(stale.count(), 3);
    evaluated();
    hand->getXRotControl()->setValue(10.0f);
    EXPECT_EQ(stale.count(), 4);
    evaluated();
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 5);
}

TEST_F(PoseCacheTest, NodesOtherThanFiguresShowTheirShapesGeometry)
{
    VxNode* prop = vxAddBone(m_scene->findNode(QStringLiteral("Arm")), QStringLiteral("prop"));
    prop->setObject(new VxObject());
    EXPECT_EQ(prop->getObject()->getCachedGeom(), nullptr);
    auto* shape = new VxFacetShape();
    VxFacetMesh* mesh = vxMakeBoxMesh({{QStringLiteral("box"), {0, 0, 0}, {1, 1, 1}}});
    shape->setFacetMesh(mesh);
    prop->getObject()->addShape(shape);
    EXPECT_EQ(prop->getObject()->getCachedGeom(), mesh);
}

TEST_F(PoseCacheTest, ThePoseIsWrittenWithTheScene)
{
    pose(m_lower, {-12.5f, 0.0f, 1e6f});
    const QByteArray json = m_scene->toJson();
    EXPECT_EQ(controlValue(json, QStringLiteral("lower"), 0).toDouble(), -12.5);
    EXPECT_EQ(controlValue(json, QStringLiteral("lower"), 2).toDouble(), 1e6);
    EXPECT_EQ(controlValue(json, QStringLiteral("upper"), 2).toDouble(), 0.0);
    // A value no pose call accepts still gives valid JSON.
    m_lower->getYRotControl()->setValue(NAN);
    EXPECT_TRUE(controlValue(m_scene->toJson(), QStringLiteral("lower"), 1).isNull());
}
