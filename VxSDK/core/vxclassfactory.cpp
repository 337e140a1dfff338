#include "vxclassfactory.h"

#include <QMetaEnum>
#include <QMetaObject>
#include <QScriptEngine>
#include <QScriptValue>

VxClassFactory::VxClassFactory(const QMetaObject* metaObject, const VxGuid& classId)
    : m_metaObject(metaObject), m_classId(classId)
{
}

VxClassFactory::~VxClassFactory() = default;

QObject* VxClassFactory::createInstance(QScriptContext*)
{
    return createInstance();
}

QObject* VxClassFactory::createObject()
{
    return createInstance();
}

void VxClassFactory::registerClass(QScriptEngine* engine)
{
    if (!engine || !m_metaObject)
        return;
    QScriptValue classObject = engine->newQMetaObject(m_metaObject);
    registerEnumsOnClass(engine, m_metaObject, classObject);
    engine->globalObject().setProperty(className(), classObject);
}

void VxClassFactory::registerEnumsOnClass(QScriptEngine* engine, const QMetaObject* metaObject,
                                          QScriptValue& value)
{
    if (!engine || !metaObject || !value.isObject())
        return;
    for (int e = 0; e < metaObject->enumeratorCount(); ++e) {
        const QMetaEnum metaEnum = metaObject->enumerator(e);
        for (int k = 0; k < metaEnum.keyCount(); ++k) {
            value.setProperty(QString::fromLatin1(metaEnum.key(k)), QScriptValue(metaEnum.value(k)),
                              QScriptValue::ReadOnly | QScriptValue::Undeletable);
        }
    }
}

QString VxClassFactory::className() const
{
    return m_metaObject ? QString::fromLatin1(m_metaObject->className()) : QString();
}
