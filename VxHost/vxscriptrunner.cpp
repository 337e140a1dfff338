#include "vxscriptrunner.h"

#include "vxscriptappinterface.h"
#include "vxscriptnodeprototype.h"
#include "vxscriptsceneinterface.h"

#include "vxapp.h"
#include "vxclassfactory.h"
#include "vxnode.h"

#include <QFile>
#include <QScriptContext>
#include <QStringList>

#include <cstdio>

namespace {
QScriptValue print(QScriptContext* context, QScriptEngine*)
{
    QStringList parts;
    for (int i = 0; i < context->argumentCount(); ++i)
        parts.append(context->argument(i).toString());
    const QByteArray line = parts.join(QLatin1Char(' ')).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
    return QScriptValue();
}
} // namespace

VxScriptRunner::VxScriptRunner()
    : m_appInterface(new VxScriptAppInterface()),
      m_sceneInterface(new VxScriptSceneInterface()),
      m_nodePrototype(new VxScriptNodePrototype())
{
    // Every node wrapped for a script (any class below VxNode) finds the pose calls here.
    m_engine.setDefaultPrototype(qMetaTypeId<VxNode*>(), m_engine.newQObject(m_nodePrototype));
    QScriptValue global = m_engine.globalObject();
    global.setProperty(QStringLiteral("print"), m_engine.newFunction(&print));
    global.setProperty(QStringLiteral("vxApp"),
                       m_engine.newQObject(m_appInterface, QScriptEngine::QtOwnership));
    global.setProperty(QStringLiteral("vxScene"),
                       m_engine.newQObject(m_sceneInterface, QScriptEngine::QtOwnership));
    if (vxApp) {
        for (VxClassFactory* factory : vxApp->getClassFactories())
            factory->registerClass(&m_engine);
    }
}

VxScriptRunner::~VxScriptRunner()
{
    delete m_appInterface;
    delete m_sceneInterface;
    delete m_nodePrototype;
}

bool VxScriptRunner::runFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: cannot read the script: %2").arg(path, file.errorString());
        return false;
    }
    return runProgram(QString::fromUtf8(file.readAll()), path, error);
}

bool VxScriptRunner::runProgram(const QString& program, const QString& fileName, QString* error)
{
    const QScriptSyntaxCheckResult syntax = QScriptEngine::checkSyntax(program);
    if (syntax.state() != QScriptSyntaxCheckResult::Valid) {
        if (error) {
            const QString message = syntax.state() == QScriptSyntaxCheckResult::Intermediate
                ? QStringLiteral("the script ends in the middle of a statement")
                : syntax.errorMessage();
            *error = QStringLiteral("%1:%2: syntax error: %3")
                         .arg(fileName).arg(qMax(1, syntax.errorLineNumber())).arg(message);
        }
        return false;
    }

    const QScriptValue result = m_engine.evaluate(program, fileName, 1);
    if (!m_engine.hasUncaughtException())
        return true;
    if (error) {
        *error = QStringLiteral("%1:%2: %3")
                     .arg(fileName)
                     .arg(m_engine.uncaughtExceptionLineNumber())
                     .arg(result.toString());
        const QStringList trace = m_engine.uncaughtExceptionBacktrace();
        if (trace.size() > 1)
            *error += QStringLiteral("\n  called from ") + trace.mid(1).join(QStringLiteral("\n  called from "));
    }
    m_engine.clearExceptions();
    return false;
}
