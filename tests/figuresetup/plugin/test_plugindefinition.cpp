#include "vxfigureplugindefinition.h"
#include "vxfigurepluginexports.h"
#include "vxtclassfactory.h"

#include "vxapptest.h"
#include "vxmessageboxanswerer.h"

#include "vxaction.h"
#include "vxclassfactory.h"
#include "vxmeshsmoothmorphbakeraction.h"
#include "vxmeshsmoothresetbaseaction.h"
#include "vxplugin.h"

#include <QFileInfo>
#include <QPointer>
#include <QScriptEngine>

#include <memory>
#include <utility>

// The name, version and SDK version are what `vxhost --plugins` prints; the host tests read
// them there.
namespace {
// The classes the plug-in registers, in the order the host must list them.
const std::pair<const char*, const char*> kRegisteredClasses[] = {
    {"VxFigureSetupPane", "E7E24D58-D0B4-4899-BB3E-1327F258E63F"},
    {"VxFigureSetupPaneAction", "05CE2058-643B-46F3-9187-A70BDB05A3B8"},
    {"VxFSCopyFromFigureAction", "5E51A0EA-0D4B-4ECA-9F8C-876BA6C561C9"},
    {"VxFSLoadPresetAction", "35FBE0AA-334C-4E35-8D22-4D952EEAB4F5"},
    {"VxFSSavePresetAction", "46147D7E-3BAF-4446-9107-9743BA01C859"},
    {"VxFSLoadPHIAction", "F481D2F0-AFF8-4EDF-8AB0-3AAC279C4E50"},
    {"VxFSCreateFigureAction", "92658A3E-AD2C-4434-811D-0723709E7A12"},
    {"VxFSClearHierarchyAction", "AC18CFEB-4225-495B-B0F6-E07D7EE3BC64"},
    {"VxFSRegionEditorAction", "3F21248A-355E-4763-87F6-A7DA3AB909C6"},
    {"VxUpdateGeometryAction", "C9858769-B9B6-4124-9E63-61400E324CF4"},
    {"VxMeshSmoothResetBaseAction", "E9FB3C23-E363-4CB0-ABBD-FB538C1865C4"},
    {"VxMeshSmoothMorphBakerAction", "B2531B2C-916C-4EBA-83E5-B6464F538B76"},
};

QString expectedDescription(const QString& documentationPath)
{
    return QStringLiteral("<a href='https://docs.vexel.example/figure-setup/'>Product Documentation</a><br>"
                          "<a href='%1/Plugins/FigureSetup/FigureSetupREADME.htm'>Product ReadMe</a><br><br>"
                          "The Figure Setup plug-in. This plug-in provides the ability to create and modify "
                          "the skeleton of a figure. Including manipulation of geometry, alternate geometry, "
                          "joint rotation, welding, and IK.")
        .arg(documentationPath);
}

std::unique_ptr<QScriptEngine> engineWithRegisteredClasses()
{
    auto engine = std::make_unique<QScriptEngine>();
    for (VxClassFactory* factory : getPluginDefinition()->getClassFactories())
        factory->registerClass(engine.get());
    return engine;
}
} // namespace

using PluginDefinitionTest = VxAppTest;

TEST_F(PluginDefinitionTest, OneDefinitionListsItsClassesInOrderAndLinksTheReadMeBelowTheDocumentation)
{
    VxPlugin* definition = getPluginDefinition();
    ASSERT_NE(definition, nullptr);
    const QList<VxClassFactory*> factories = definition->getClassFactories();
    EXPECT_EQ(getPluginDefinition()->getClassFactories(), factories);
    ASSERT_EQ(factories.size(), int(std::size(kRegisteredClasses)));
    for (int i = 0; i < factories.size(); ++i) {
        SCOPED_TRACE(kRegisteredClasses[i].first);
        EXPECT_EQ(factories[i]->className(), QLatin1String(kRegisteredClasses[i].first));
        EXPECT_EQ(factories[i]->getClassId().toString(), QLatin1String(kRegisteredClasses[i].second));
    }
    EXPECT_EQ(definition->getDescription(), expectedDescription(m_app->getDocumentationPath()));

    // Another session with another documentation folder: same object, new link.
    VxAppPaths paths{m_app->getDataPath(), m_app->getDocumentsPath(), tempPath(QStringLiteral("other docs"))};
    m_app.reset();
    m_app = std::make_unique<VxApp>(paths);
    EXPECT_EQ(getPluginDefinition(), definition);
    EXPECT_EQ(definition->getDescription(), expectedDescription(tempPath(QStringLiteral("other docs"))));

    // The link target ships with the plug-in and is copied below the host's default
    // documentation folder ("docs" next to the executable).
    const QString readme = VxFigurePluginDefinition::readmeRelativePath();
    EXPECT_TRUE(QFileInfo::exists(vxSourcePath(QStringLiteral("docs/") + readme)));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(VX_BIN_DIR "/docs/") + readme));
}

TEST_F(PluginDefinitionTest, ScriptsConstructRegisteredClassesWhosePointerTypesKeepTheirIds)
{
    // Loading the library registered "T*" for every class; registering again keeps the id.
    const int resetId = QMetaType::type("VxMeshSmoothResetBaseAction*");
    ASSERT_NE(resetId, int(QMetaType::UnknownType));
    EXPECT_NE(QMetaType::type("VxMeshSmoothMorphBakerAction*"), resetId);
    auto engine = engineWithRegisteredClasses();
    engineWithRegisteredClasses();
    EXPECT_EQ(VxTClassFactory<VxMeshSmoothResetBaseAction>::ensurePointerTypeRegistered(), resetId);
    EXPECT_EQ(qMetaTypeId<VxMeshSmoothResetBaseAction*>(), resetId);

    const QScriptValue value = engine->evaluate(QStringLiteral("var action = new VxMeshSmoothResetBaseAction(); action"));
    ASSERT_FALSE(engine->hasUncaughtException()) << qPrintable(value.toString());
    QPointer<VxMeshSmoothResetBaseAction> action = qobject_cast<VxMeshSmoothResetBaseAction*>(value.toQObject());
    ASSERT_FALSE(action.isNull());
    EXPECT_EQ(engine->evaluate(QStringLiteral("VxMeshSmoothResetBaseAction.LowPriority")).toInt32(),
              int(QAction::LowPriority));

    // T* converts both ways, and only to its own class.
    EXPECT_EQ(qscriptvalue_cast<VxMeshSmoothResetBaseAction*>(value), action.data());
    EXPECT_EQ(qscriptvalue_cast<VxMeshSmoothMorphBakerAction*>(value), nullptr);
    VxMeshSmoothMorphBakerAction baker;
    const QScriptValue bakerValue = engine->toScriptValue(&baker);
    EXPECT_EQ(bakerValue.toQObject(), &baker);
    EXPECT_EQ(bakerValue.property(QStringLiteral("NormalPriority")).toInt32(), int(QAction::NormalPriority));

    // Qt ownership: the script engine going away leaves the instance to its C++ owner.
    engine.reset();
    ASSERT_FALSE(action.isNull());
    delete action.data();
}

TEST_F(PluginDefinitionTest, HostMeshSmoothingActionsSayThatTheSelectionHasNothingToDo)
{
    struct Expected
    {
        QString text;
        QString title;
        QString message;
    };
    const Expected expected[] = {
        {QStringLiteral("Reset Smoothing Base"), QStringLiteral("Nothing to Reset"),
         QStringLiteral("The selection has no mesh-smoothing modifier, so there is no smoothing base to reset.")},
        {QStringLiteral("Bake Smoothing to Morph"), QStringLiteral("Nothing to Bake"),
         QStringLiteral("The selection has no mesh-smoothing modifier, so there is no smoothed shape to bake into a morph.")},
    };
    // The two host actions are the last classes the plug-in registers.
    const QList<VxClassFactory*> factories = getPluginDefinition()->getClassFactories();
    ASSERT_GE(factories.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(expected[i].text.toStdString());
        std::unique_ptr<QObject> instance(factories[factories.size() - 2 + i]->createInstance());
        auto* action = qobject_cast<VxAction*>(instance.get());
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), expected[i].text);
        EXPECT_FALSE(action->getDescription().isEmpty());
        EXPECT_EQ(action->getDefaultMenuPath(), QStringLiteral("&Edit/Mesh &Smoothing"));
        EXPECT_EQ(action->getActionGroup(), QStringLiteral("Mesh Smoothing"));

        const int loggedBefore = loggedLines().size();
        VxMessageBoxAnswerer answerer;
        action->trigger();
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, expected[i].title);
        EXPECT_EQ(answerer.seen()[0].text, expected[i].message);
        ASSERT_EQ(loggedLines().size(), loggedBefore + 1);
        EXPECT_TRUE(loggedLines().last().startsWith(expected[i].text + QLatin1Char(':')));
    }
}
