#pragma once

#include "vxversion.h"

#include <QtGlobal>

class VxPlugin;

// The library's only exports, by their plain names: the host finds the plug-in through them.
extern "C" {
// The host core library version this plug-in was built against.
Q_DECL_EXPORT VxVersion getSDKVersion();
// The plug-in's definition; valid until the library is unloaded.
Q_DECL_EXPORT VxPlugin* getPluginDefinition();
}
