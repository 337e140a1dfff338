#pragma once

#include "vxsdkglobal.h"

class VxBasicDialog;

// Decides whether a VxBasicDialog may close as accepted. A validator that refuses tells the
// user why (a message box parented to the dialog); the dialog then stays open with the
// input as it was.
class VXSDK_EXPORT VxBasicDialogValidator
{
public:
    virtual ~VxBasicDialogValidator();
    virtual bool validate(VxBasicDialog* dialog) = 0;
};
