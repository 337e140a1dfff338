#include "vxpresentation.h"

VxPresentation::VxPresentation(QObject* parent) : VxElement(parent) {}

VxPresentation::~VxPresentation() = default;

void VxPresentation::setType(const QString& type)
{
    if (m_type == type)
        return;
    m_type = type;
    emit typeChanged();
}
