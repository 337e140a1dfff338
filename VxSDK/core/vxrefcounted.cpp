#include "vxrefcounted.h"

#include <QtGlobal>

VxRefCounted::~VxRefCounted() = default;

void VxRefCounted::unref() const
{
    Q_ASSERT(m_refCount > 0);
    if (--m_refCount <= 0)
        delete this;
}
