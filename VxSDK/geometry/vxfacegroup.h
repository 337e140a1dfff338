#pragma once

#include "vxbase.h"

// A named face group of a facet mesh; its object name is the group name.
class VXSDK_EXPORT VxFaceGroup : public VxBase
{
    Q_OBJECT
public:
    VxFaceGroup(const QString& name, int index, QObject* parent);
    ~VxFaceGroup() override;

    int getIndex() const { return m_index; }

private:
    int m_index;
};
