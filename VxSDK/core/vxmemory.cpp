#include "vxmemory.h"

#include <cstdlib>

void* vxMalloc(std::size_t size)
{
    return size == 0 ? nullptr : std::malloc(size);
}

void vxFree(void* pointer)
{
    std::free(pointer);
}
