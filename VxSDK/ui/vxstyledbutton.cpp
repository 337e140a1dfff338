#include "vxstyledbutton.h"

#include <QStyle>

VxStyledButton::VxStyledButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

VxStyledButton::~VxStyledButton() = default;

void VxStyledButton::setCustomPrimitive(int primitive)
{
    m_primitive = primitive >= int(QStyle::PE_CustomBase) ? primitive : -1;
    update();
}

void VxStyledButton::setCustomTextStyle(uint textStyle)
{
    m_textStyle = textStyle;
    // The text style may change the label's width (bold text), and with it the size hint.
    updateGeometry();
    update();
}
