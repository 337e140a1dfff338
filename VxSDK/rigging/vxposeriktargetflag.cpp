#include "vxposeriktargetflag.h"

VxPoserIKTargetFlag::VxPoserIKTargetFlag(QObject* parent) : VxDataItem(itemName(), parent) {}

VxPoserIKTargetFlag::~VxPoserIKTargetFlag() = default;
