#include "vxgeometry.h"

VxGeometry::VxGeometry(QObject* parent) : VxElement(parent) {}

VxGeometry::~VxGeometry() = default;
