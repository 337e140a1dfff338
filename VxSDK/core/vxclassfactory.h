#pragma once

#include "vxguid.h"
#include "vxsdkglobal.h"

#include <QString>

class QMetaObject;
class QObject;
class QScriptContext;
class QScriptEngine;
class QScriptValue;

// Creates instances of one registered class and makes the class known to a script engine.
// The virtual slots are in this order: destructor, createInstance(context), createInstance(),
// createObject() (forwards to createInstance()), registerClass(engine).
class VXSDK_EXPORT VxClassFactory
{
public:
    VxClassFactory(const QMetaObject* metaObject, const VxGuid& classId);
    virtual ~VxClassFactory();

    // Script construction; the host's default ignores the script arguments.
    virtual QObject* createInstance(QScriptContext* context);
    virtual QObject* createInstance() = 0;
    virtual QObject* createObject();
    // Publishes the class object (meta-object and enums) as a global named className().
    virtual void registerClass(QScriptEngine* engine);

    // Sets every enumerator of the meta-object's enums as a read-only property of value.
    static void registerEnumsOnClass(QScriptEngine* engine, const QMetaObject* metaObject,
                                     QScriptValue& value);

    QString className() const;
    const QMetaObject* getMetaObject() const { return m_metaObject; }
    const VxGuid& getClassId() const { return m_classId; }

private:
    const QMetaObject* m_metaObject;
    VxGuid m_classId;
};

// Factory of a host class that has a default constructor.
template<typename T>
class VxTHostClassFactory : public VxClassFactory
{
public:
    explicit VxTHostClassFactory(const VxGuid& classId)
        : VxClassFactory(&T::staticMetaObject, classId) {}
    QObject* createInstance() override { return new T(); }
};
