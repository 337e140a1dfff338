#include "vxbasicdialogvalidator.h"

VxBasicDialogValidator::~VxBasicDialogValidator() = default;
