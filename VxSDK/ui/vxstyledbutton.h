#pragma once

#include "vxsdkglobal.h"

#include <QPushButton>

// A push button drawn by VxStyle in one of the host's custom looks: the frame as a custom
// primitive (QStyle::PE_CustomBase + n) and the label in a custom text style. Under another
// style it is an ordinary push button.
class VXSDK_EXPORT VxStyledButton : public QPushButton
{
    Q_OBJECT
public:
    explicit VxStyledButton(const QString& text = QString(), QWidget* parent = nullptr);
    ~VxStyledButton() override;

    // A QStyle::PrimitiveElement at or above PE_CustomBase; -1 for the usual frame.
    void setCustomPrimitive(int primitive);
    int getCustomPrimitive() const { return m_primitive; }
    // A VxStyle text style (VxStyle::TextStyleAccent); 0 for the usual label.
    void setCustomTextStyle(uint textStyle);
    uint getCustomTextStyle() const { return m_textStyle; }

private:
    int m_primitive = -1;
    uint m_textStyle = 0;
};
