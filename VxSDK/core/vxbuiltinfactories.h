#pragma once

#include <QList>

class VxClassFactory;

// Factories for the host classes that plug-ins and scripts may create by class name.
// The application object owns the list it gets.
QList<VxClassFactory*> vxCreateBuiltinFactories();
