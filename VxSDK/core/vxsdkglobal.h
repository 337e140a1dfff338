#pragma once

#include <QtGlobal>

#if defined(VXSDK_LIBRARY)
#define VXSDK_EXPORT Q_DECL_EXPORT
#else
#define VXSDK_EXPORT Q_DECL_IMPORT
#endif
