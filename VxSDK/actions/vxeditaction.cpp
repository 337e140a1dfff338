#include "vxeditaction.h"

VxEditAction::VxEditAction(const QString& text, const QString& description, QObject* parent)
    : VxAction(text, description, parent)
{
}

VxEditAction::~VxEditAction() = default;

QString VxEditAction::getActionGroup() const
{
    return QStringLiteral("Edit");
}

QString VxEditAction::getDefaultMenuPath() const
{
    return QStringLiteral("&Edit");
}
