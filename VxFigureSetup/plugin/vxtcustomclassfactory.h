#pragma once

#include "vxclassfactory.h"

#include <QByteArray>
#include <QMetaType>
#include <QScriptContext>
#include <QScriptEngine>
#include <QScriptValue>

// Factory of one registered class T that also makes T known to a script engine: scripts see
// a global T with T's enums that constructs instances through the factory, and T* values
// cross between C++ and script as wrapped QObjects. What createInstance() builds is left to
// the subclass (VxTClassFactory uses the default constructor).
template<typename T>
class VxTCustomClassFactory : public VxClassFactory
{
public:
    VxTCustomClassFactory(const QMetaObject* metaObject, const VxGuid& classId)
        : VxClassFactory(metaObject, classId)
    {
        s_factory = this;
    }

    ~VxTCustomClassFactory() override
    {
        if (s_factory == this)
            s_factory = nullptr;
    }

    // Who owns the instances handed to scripts; Qt ownership (0) leaves them to the host.
    void setScriptOwnership(QScriptEngine::ValueOwnership ownership) { m_scriptOwnership = ownership; }
    QScriptEngine::ValueOwnership getScriptOwnership() const { return m_scriptOwnership; }

    void registerClass(QScriptEngine* engine) override
    {
        if (!engine)
            return;
        VxClassFactory::registerClass(engine);
        ensurePointerTypeRegistered();
        qScriptRegisterMetaType<T*>(engine, &toScriptValue, &fromScriptValue, QScriptValue());
        const QScriptValue constructor = engine->newFunction(&construct, 0);
        const QScriptValue classObject = engine->newQMetaObject(getMetaObject(), constructor);
        engine->globalObject().setProperty(className(), classObject);
    }

    // "T*", the name the pointer type is known by to Qt's meta-type system.
    static QByteArray pointerTypeName()
    {
        return QByteArray(T::staticMetaObject.className()) + '*';
    }

    // Registers T* under pointerTypeName() unless it already is; keeps an existing type id.
    static int ensurePointerTypeRegistered()
    {
        const QByteArray name = pointerTypeName();
        const int existing = QMetaType::type(name.constData());
        if (existing != QMetaType::UnknownType)
            return existing;
        return qRegisterMetaType<T*>(name.constData());
    }

private:
    static QScriptValue toScriptValue(QScriptEngine* engine, T* const& object)
    {
        QScriptValue value = engine->newQObject(object, QScriptEngine::QtOwnership,
                                                QScriptEngine::QObjectWrapOptions());
        registerEnumsOnClass(engine, &T::staticMetaObject, value);
        return value;
    }

    static void fromScriptValue(const QScriptValue& value, T*& object)
    {
        object = static_cast<T*>(T::staticMetaObject.cast(value.toQObject()));
    }

    static QScriptValue construct(QScriptContext* context, QScriptEngine* engine)
    {
        VxTCustomClassFactory<T>* factory = s_factory;
        if (!factory)
            return QScriptValue();
        QScriptValue value = engine->newQObject(factory->createInstance(context),
                                                factory->m_scriptOwnership,
                                                QScriptEngine::QObjectWrapOptions());
        registerEnumsOnClass(engine, &T::staticMetaObject, value);
        return value;
    }

    // The one factory of T; the script constructor, a plain function, reaches it here.
    static inline VxTCustomClassFactory<T>* s_factory = nullptr;

    QScriptEngine::ValueOwnership m_scriptOwnership = QScriptEngine::QtOwnership;
};
