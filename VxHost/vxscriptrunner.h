#pragma once

#include <QScriptEngine>
#include <QString>

class VxScriptAppInterface;
class VxScriptNodePrototype;
class VxScriptSceneInterface;

// Runs QtScript files in an engine where every class factory registered with vxApp has
// made its class known (registerClass), with two host globals: print(...) writes its
// arguments, separated by blanks, as one line to stdout, vxApp (VxScriptAppInterface) and
// vxScene (VxScriptSceneInterface). Nodes answer the pose calls of VxScriptNodePrototype.
class VxScriptRunner
{
public:
    VxScriptRunner();
    ~VxScriptRunner();

    // Runs the file. False with "FILE:LINE: message" (and the script's back-trace) in
    // `error` when the file cannot be read, does not parse or throws.
    bool runFile(const QString& path, QString* error);
    bool runProgram(const QString& program, const QString& fileName, QString* error);

    QScriptEngine* engine() { return &m_engine; }

private:
    QScriptEngine m_engine;
    VxScriptAppInterface* m_appInterface;
    VxScriptSceneInterface* m_sceneInterface;
    VxScriptNodePrototype* m_nodePrototype;
};
