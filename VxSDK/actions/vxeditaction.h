#pragma once

#include "vxaction.h"

// An action that changes the selected scene content; listed in the Edit menu.
class VXSDK_EXPORT VxEditAction : public VxAction
{
    Q_OBJECT
public:
    VxEditAction(const QString& text, const QString& description, QObject* parent = nullptr);
    ~VxEditAction() override;

    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;
};
