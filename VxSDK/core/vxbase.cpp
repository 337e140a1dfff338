#include "vxbase.h"

VxBase::VxBase(QObject* parent) : QObject(parent) {}

VxBase::~VxBase() = default;
