#include "vxfacegroup.h"

VxFaceGroup::VxFaceGroup(const QString& name, int index, QObject* parent)
    : VxBase(parent), m_index(index)
{
    setObjectName(name);
}

VxFaceGroup::~VxFaceGroup() = default;
