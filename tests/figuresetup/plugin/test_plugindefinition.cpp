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

// The name, version, SDK version and the classes in order are what `vxhost --plugins`
// prints; the host tests read them there.
namespace {
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

TEST_F(PluginDefinitionTest, OneDefinitionLinksTheReadMeBelowTheCurrentDocumentationPath)
{
    VxPlugin* definition = getPluginDefinition();
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(getPluginDefinition()->getClassFactories(), definition->getClassFactories());
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
