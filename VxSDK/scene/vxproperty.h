#pragma once

#include "vxelement.h"

// One animatable channel of a node (a rotation or a translation control): a value, a label
// shown to the user and a hidden flag that keeps the channel out of the user's way.
class VXSDK_EXPORT VxProperty : public VxElement
{
    Q_OBJECT
public:
    VxProperty(const QString& name, const QString& label, QObject* parent = nullptr);
    ~VxProperty() override;

    float getValue() const { return m_value; }
    void setValue(float value);
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);

signals:
    void valueChanged(float value);
    void hiddenChanged(bool hidden);

private:
    float m_value = 0.0f;
    bool m_hidden = false;
};
