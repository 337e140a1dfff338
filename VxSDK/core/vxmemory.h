#pragma once

#include "vxsdkglobal.h"

#include <cstddef>

// The host's raw allocator. vxMalloc returns null when the memory is not available, so
// callers can report the failure instead of crashing.
VXSDK_EXPORT void* vxMalloc(std::size_t size);
VXSDK_EXPORT void vxFree(void* pointer);
