#pragma once

#include "vxsdkglobal.h"

#include <QValidator>

// Validates a file or folder path being typed into a field. A path to something that exists
// is Acceptable; anything else that could still become a path (empty, or a file not there
// yet) is Intermediate, so typing is never blocked; control characters, which no path holds
// and which a paste can bring in, are Invalid. A dropped or pasted file URL
// ("file:///home/me/body.obj") is turned into its local path as it arrives.
class VXSDK_EXPORT VxPathValidator : public QValidator
{
    Q_OBJECT
public:
    explicit VxPathValidator(QObject* parent = nullptr);
    ~VxPathValidator() override;

    State validate(QString& input, int& pos) const override;
    // Drops the blanks and quotes around a path copied from a shell or a file manager.
    void fixup(QString& input) const override;
};
