#pragma once

#include "vxtcustomclassfactory.h"

// Factory of a registered class built with its default constructor. A class that needs
// other construction arguments specialises createInstance() for its T.
template<typename T>
class VxTClassFactory : public VxTCustomClassFactory<T>
{
public:
    VxTClassFactory(const QMetaObject* metaObject, const VxGuid& classId)
        : VxTCustomClassFactory<T>(metaObject, classId)
    {
    }

    using VxClassFactory::createInstance;
    QObject* createInstance() override { return new T(); }
};
