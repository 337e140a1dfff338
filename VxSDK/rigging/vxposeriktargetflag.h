#pragma once

#include "vxelement.h"

// Marks a bone as the goal of at least one IK chain (data item "PoserIKTarget").
class VXSDK_EXPORT VxPoserIKTargetFlag : public VxDataItem
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxPoserIKTargetFlag(QObject* parent = nullptr);
    ~VxPoserIKTargetFlag() override;

    static QString itemName() { return QStringLiteral("PoserIKTarget"); }
};
