#pragma once

#include "vxelement.h"

class VxObject;

// Something that deforms an object's geometry (a legacy binding, ...). An object owns its
// modifiers and applies them in list order.
class VXSDK_EXPORT VxModifier : public VxElement
{
    Q_OBJECT
public:
    explicit VxModifier(QObject* parent = nullptr);
    ~VxModifier() override;

    // The object the modifier was added to, or null.
    VxObject* getObject() const;
};
