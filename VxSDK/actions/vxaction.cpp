#include "vxaction.h"

VxAction::VxAction(const QString& text, const QString& description, QObject* parent)
    : QAction(text, parent), m_description(description)
{
    setStatusTip(description);
    setToolTip(description);
    connect(this, &QAction::triggered, this, &VxAction::onTriggered);
}

VxAction::~VxAction() = default;

void VxAction::init()
{
    m_initialized = true;
}

QString VxAction::getActionGroup() const
{
    return QStringLiteral("General");
}

QString VxAction::getDefaultMenuPath() const
{
    return QStringLiteral("&Tools");
}

void VxAction::triggerWithSettings(const QVariantMap& settings)
{
    m_triggerSettings = settings;
    executeAction();
    m_triggerSettings.clear();
}

void VxAction::onTriggered()
{
    m_triggerSettings.clear();
    executeAction();
}
