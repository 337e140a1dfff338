#include "vxproperty.h"

VxProperty::VxProperty(const QString& name, const QString& label, QObject* parent)
    : VxElement(parent)
{
    setName(name);
    setLabel(label);
}

VxProperty::~VxProperty() = default;

void VxProperty::setValue(float value)
{
    if (m_value == value)
        return;
    m_value = value;
    emit valueChanged(value);
}

void VxProperty::setHidden(bool hidden)
{
    if (m_hidden == hidden)
        return;
    m_hidden = hidden;
    emit hiddenChanged(hidden);
}
