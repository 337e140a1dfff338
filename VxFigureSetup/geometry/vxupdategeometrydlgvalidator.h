#pragma once

#include "vxbasicdialogvalidator.h"

#include <QCoreApplication>

// Lets the Update Base Geometry dialog accept only when an operation that reads a file names
// one that exists; otherwise it says why and the dialog stays open.
class VxUpdateGeometryDlgValidator : public VxBasicDialogValidator
{
    Q_DECLARE_TR_FUNCTIONS(VxUpdateGeometryDlgValidator)
public:
    bool validate(VxBasicDialog* dialog) override;
};
