// Posing from the host: the pose calls scripts have on nodes, the "Pose" pane used as a
// user uses it, and what the viewport's draw list takes from a posed figure.
#include "vxposepane.h"
#include "vxscriptrunner.h"
#include "vxviewportdrawlist.h"
#include "vxviewportscenewatcher.h"

#include "vxskinarmtest.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxobject.h"
#include "vxproperty.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace {
class PoseTest : public VxSkinArmTest
{
protected:
    void SetUp() override
    {
        VxSkinArmTest::SetUp();
        paintBoxes();
    }
    const VxFacetMesh* posed() const { return evaluated(); }
    bool atRest() const { return std::memcmp(posed()->getVertexData(), m_mesh->getVertexData(), sizeof(float) * 48) == 0; }
};

void expectNear(const VxVec3& actual, const VxVec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}
} // namespace

TEST_F(PoseTest, ScriptsPoseNodesInDegreesAndResetThem)
{
    VxScriptRunner runner;
    const auto run = [&runner](const QString& program) {
        QString error;
        return runner.runProgram(program, "pose.js", &error) ? QString() : error;
    };
    const auto evaluate = [&runner](const char* expression) {
        return runner.engine()->evaluate(QLatin1String(expression)).toString();
    };
    ASSERT_EQ(run("var lower = vxScene.findNode('lower'); lower.setRotation(0, 0, 90);"), QString());
    expectNear(posed()->getVertex(14), {1.5f, 2.5f, 0.0f}); // (4, 1, 0) about x = 2, y = .5
    ASSERT_EQ(run("lower.setRotation(-10, 20.5, 1e6);"), QString());
    EXPECT_EQ(evaluate("lower.getRotation().join(',')"), "-10,20.5,1000000");
    m_lower->setRotationOrder(VxRotationOrder::ZYX);
    EXPECT_EQ(evaluate("lower.getRotationOrder()"), "ZYX");

    const struct
    {
        const char* program;
        const char* error;
    } refusals[] = {
        {"lower.setRotation(0, 0/0, 0);", "setRotation: Rotation angles must be finite numbers of degrees."},
        {"lower.setRotation(1e39, 0, 0);", "setRotation: Rotation angles must be finite numbers of degrees."},
        {"lower.setRotation(5);", "SyntaxError: too few arguments in call to setRotation()"},
        {"lower.getRotation.call(vxApp);", "getRotation: called on something that is not a node"},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.program);
        const QString error = run(QLatin1String(r.program));
        EXPECT_TRUE(error.startsWith("pose.js:1: ")) << qPrintable(error);
        EXPECT_TRUE(error.contains(QLatin1String(r.error))) << qPrintable(error);
    }
    EXPECT_EQ(m_lower->getZRotControl()->getValue(), 1e6f);

    EXPECT_EQ(evaluate("vxScene.findNode('Arm').resetPose()"), "3");
    EXPECT_EQ(evaluate("lower.getRotation().join(',')"), "0,0,0");
    EXPECT_TRUE(atRest());
}

TEST_F(PoseTest, ThePaneShowsTheSelectedBonesChannelsInItsOrderAndResetsTheFigure)
{
    VxPosePane pane(m_scene.get());
    pane.show();
    m_lower->setRotationOrder(VxRotationOrder::YZX);
    m_lower->getYRotControl()->setLabel("Twist");
    m_lower->getZRotControl()->setLabel("Side-Side");
    m_lower->getXRotControl()->setLabel("Bend");
    m_lower->getYRotControl()->setValue(30.0f);
    const auto label = [&pane](int position) {
        return qobject_cast<QLabel*>(pane.findChildren<QLabel*>().value(position + 1))->text();
    };
    EXPECT_FALSE(pane.getChannelBox(0)->isEnabled());
    EXPECT_FALSE(pane.getResetButton()->isEnabled());

    m_lower->select(true);
    EXPECT_EQ(pane.getBone(), m_lower);
    EXPECT_EQ(pane.findChild<QLabel*>("VxPosePaneTitle")->text(), "lower");
    EXPECT_EQ(QStringList({label(0), label(1), label(2)}), QStringList({"Twist (Y):", "Side-Side (Z):", "Bend (X):"}));
    EXPECT_EQ(pane.getChannelBox(0)->value(), 30.0);

    // Typing a bend and pressing Enter turns the bone about X.
    QDoubleSpinBox* bend = pane.getChannelBox(2);
    bend->setFocus();
    QTest::keyClick(bend, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(bend, "45");
    QTest::keyClick(bend, Qt::Key_Return);
    EXPECT_EQ(m_lower->getXRotControl()->getValue(), 45.0f);
    EXPECT_FALSE(atRest());
    // A change made elsewhere shows at once.
    m_lower->getZRotControl()->setValue(-12.5f);
    EXPECT_EQ(pane.getChannelBox(1)->value(), -12.5);

    m_figure->select(true);
    m_lower->select(false);
    EXPECT_EQ(pane.getBone(), nullptr);
    EXPECT_EQ(pane.findChild<QLabel*>("VxPosePaneTitle")->text(), "Select a bone of Arm to pose it.");
    EXPECT_FALSE(pane.getChannelBox(2)->isEnabled());
    QTest::mouseClick(pane.getResetButton(), Qt::LeftButton);
    EXPECT_EQ(m_lower->getYRotControl()->getValue(), 0.0f);
    EXPECT_TRUE(atRest());
}

TEST_F(PoseTest, TheViewportDrawsThePosedSkinAndBones)
{
    VxViewportSceneWatcher watcher(m_scene.get());
    watcher.rewire();
    QSignalSpy redraws(&watcher, &VxViewportSceneWatcher::redrawNeeded);
    m_figure->getYPosControl()->setValue(1.0f);
    m_lower->getZRotControl()->setValue(90.0f);
    EXPECT_GE(redraws.count(), 2);

    const VxViewportDrawList list = VxViewportDrawList::collect(*m_scene);
    ASSERT_EQ(list.meshes().size(), 1u);
    EXPECT_EQ(list.meshes()[0].mesh, posed());
    EXPECT_EQ(list.meshes()[0].offset, QVector3D(0, 1, 0));
    expectNear(list.meshes()[0].mesh->getVertex(14), {1.5f, 2.5f, 0.0f});
    ASSERT_EQ(list.bones().size(), 2u);
    const VxViewportBoneItem& lower = list.bones()[1];
    EXPECT_EQ(lower.node, m_lower);
    EXPECT_EQ(lower.origin, QVector3D(2.0f, 1.5f, 0.5f));
    EXPECT_NEAR(lower.end.x(), 2.0f, 1e-5f);
    EXPECT_NEAR(lower.end.y(), 3.5f, 1e-5f);
    EXPECT_NEAR(lower.end.z(), 0.5f, 1e-5f);
}
