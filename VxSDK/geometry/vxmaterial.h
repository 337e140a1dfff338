#pragma once

#include "vxelement.h"
#include "vxrefcounted.h"

// Base of the host's surface materials. Materials are shared by reference between shapes.
class VXSDK_EXPORT VxMaterial : public VxElement, public VxRefCounted
{
    Q_OBJECT
public:
    explicit VxMaterial(QObject* parent = nullptr);
    ~VxMaterial() override;
};
