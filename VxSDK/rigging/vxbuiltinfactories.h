#pragma once

#include <QList>

class VxClassFactory;

// Factories for the host classes that plug-ins and scripts may create by class name. Every
// application object adopts a set when it is made (a VxApp extension registered with the
// library).
QList<VxClassFactory*> vxCreateBuiltinFactories();
