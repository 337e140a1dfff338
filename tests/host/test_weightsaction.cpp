// Edit > Weights from Face Groups as a user runs it from the menu, with its question about
// painted weights, and as a script runs it with the "Replace" setting.
#include "vxhostguitest.h"
#include "vxscriptrunner.h"

#include "vxmessageboxanswerer.h"
#include "vxweightablefigure.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfigure.h"
#include "vxmainwindow.h"
#include "vxscene.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QAction>
#include <QMenuBar>

#include <memory>

namespace {

constexpr uint16_t kFull = VxWeightMap::kMaxWeight;
constexpr int kDeepUpper = 24; // a vertex of ring 2, far from the joint
const QString kTitle = "Weights from Face Groups";
const QString kQuestion = QStringLiteral("Some bones of figure \"Figure\" already have painted weights.\n"
                                         "Keep them and fill only the other bones, or replace them all?");

class WeightsActionTest : public VxHostGuiTest
{
protected:
    void SetUp() override
    {
        VxHostGuiTest::SetUp();
        m_rig = std::make_unique<VxWeightableFigure>(vxCylinderMesh(41, 12, 20),
                                                     QList<VxWeightableFigure::BoneSpec>{{"upper", ""}, {"lower", "upper"}});
    }
    // Paints "lower" at a vertex deep in "upper", as a user's brush would.
    void paintLower(uint16_t weight)
    {
        VxBoneBinding* binding = m_rig->figure()->getSkinBinding()->findBoneBinding(m_rig->figure()->findBone("lower"));
        binding->getLocalWeights(0)->setWeight(kDeepUpper, weight);
    }
    // Every map back to zero, as the figure was built.
    void clearWeights()
    {
        VxSkinBinding* skin = m_rig->figure()->getSkinBinding();
        for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
            for (int axis = 0; axis < 3; ++axis)
                skin->getBoneBinding(b)->getLocalWeights(axis)->fill(0);
            skin->getBoneBinding(b)->getScaleWeights()->fill(0);
        }
    }

    std::unique_ptr<VxWeightableFigure> m_rig;
};

} // namespace

TEST_F(WeightsActionTest, TheEditMenuEntryFollowsTheSelectionAndAsksBeforeReplacingPaintedWeights)
{
    openWindow();
    QAction* entry = vxFindMenuAction(m_gui->window()->menuBar(), "Edit", kTitle);
    ASSERT_NE(entry, nullptr) << qPrintable(vxMenuEntries(vxFindMenu(m_gui->window()->menuBar(), "Edit")).join(", "));
    EXPECT_FALSE(entry->isEnabled()) << "nothing selected";
    m_scene->selectNode(m_rig->figure()->findBone("lower"), true);
    ASSERT_TRUE(entry->isEnabled()) << "a bone stands for its figure";

    entry->trigger(); // nothing painted yet: no question
    EXPECT_EQ(m_rig->weight("upper", kDeepUpper), kFull);
    EXPECT_EQ(m_rig->weight("lower", 38 * 12, 2), kFull);
    EXPECT_TRUE(loggedLines().last().startsWith(
        "Weights from Face Groups: figure \"Figure\": 2 bones weighted from 2 face groups, 1 joints blended"))
        << qPrintable(loggedLines().last());

    // Weights the action wrote count as painted too: a second run asks.
    struct Step
    {
        const char* answer;
        uint16_t lower, upper; // at the painted vertex afterwards
    };
    for (const Step& step : {Step{"Cancel", 1000, 0}, Step{"Keep Painted", 1000, kFull - 1000}, Step{"Replace All", 0, kFull}}) {
        SCOPED_TRACE(step.answer);
        clearWeights();
        paintLower(1000);
        VxMessageBoxAnswerer answerer;
        answerer.queueAnswer(QString::fromLatin1(step.answer));
        entry->trigger();
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, kTitle);
        EXPECT_EQ(answerer.seen()[0].text, kQuestion);
        EXPECT_EQ(answerer.seen()[0].defaultButton, "&Keep Painted");
        EXPECT_EQ(m_rig->weight("lower", kDeepUpper), step.lower);
        EXPECT_EQ(m_rig->weight("upper", kDeepUpper), step.upper);
    }
}

TEST_F(WeightsActionTest, ScriptsChooseWithReplaceAndRefusalsNameTheReason)
{
    VxScriptRunner runner;
    QString error;
    const QString program = "vxApp.runAction('VxWeightsFromFaceGroupsAction', {Replace: %1});";
    m_scene->selectNode(m_rig->figure(), true);
    paintLower(1000);
    const std::vector<uint16_t> painted = m_rig->mapCopy("lower", 0);
    {
        VxMessageBoxAnswerer answerer; // a question would be a fault: the setting answers it
        ASSERT_TRUE(runner.runProgram(program.arg("false"), "weights.js", &error)) << qPrintable(error);
        EXPECT_EQ(answerer.count(), 0);
    }
    // Kept: the painted map as it was, and the bone's other maps too; the other bone takes
    // what is left where it was painted.
    EXPECT_EQ(m_rig->mapCopy("lower", 0), painted);
    EXPECT_EQ(m_rig->mapCopy("lower", 1), std::vector<uint16_t>(painted.size(), 0));
    EXPECT_EQ(m_rig->weight("upper", kDeepUpper), kFull - 1000);
    EXPECT_EQ(m_rig->weight("upper", kDeepUpper, 1), kFull);
    for (int v = 0; v < int(painted.size()); ++v)
        ASSERT_EQ(m_rig->sum(v, 0), painted[size_t(v)] > 0 ? kFull : m_rig->weight("upper", v)) << v;
    ASSERT_TRUE(runner.runProgram(program.arg("true"), "weights.js", &error)) << qPrintable(error);
    EXPECT_EQ(m_rig->weight("lower", kDeepUpper), 0);
    EXPECT_EQ(m_rig->weight("upper", kDeepUpper), kFull);
    EXPECT_EQ(m_rig->mapCopy("lower", 0), m_rig->mapCopy("lower", 1)) << "replaced: like every other map";

    // Nothing selected, then a figure whose maps hold another mesh's weights: each is
    // refused with its reason, in a warning and in the log, and no weight changes.
    m_scene->selectAllNodes(false);
    const std::vector<uint16_t> before = m_rig->mapCopy("lower", 0);
    VxMessageBoxAnswerer answerer;
    ASSERT_TRUE(runner.runProgram(program.arg("true"), "weights.js", &error)) << qPrintable(error);
    m_scene->selectNode(m_rig->figure(), true);
    m_rig->figure()->getSkinBinding()->findBoneBinding(m_rig->figure()->findBone("upper"))->getLocalWeights(1)->setNumWeights(12, false);
    ASSERT_TRUE(runner.runProgram(program.arg("true"), "weights.js", &error)) << qPrintable(error);
    const QStringList reasons{"Select a single-skin figure, or one of its bones, first.",
                              "The weight maps of bone \"upper\" hold 12 weights, but the skin of figure \"Figure\" has "
                              "492 vertices."};
    ASSERT_EQ(answerer.count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(answerer.seen()[i].title, kTitle);
        EXPECT_EQ(answerer.seen()[i].text, reasons[i]);
        EXPECT_TRUE(loggedLines().contains("Weights from Face Groups: " + reasons[i]));
    }
    EXPECT_EQ(m_rig->mapCopy("lower", 0), before);
}
