#include "vxmaterial.h"

VxMaterial::VxMaterial(QObject* parent) : VxElement(parent) {}

VxMaterial::~VxMaterial() = default;
