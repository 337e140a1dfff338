#pragma once

#include "vxelement.h"

// How a node presents itself in content libraries: a content type ("Actor/Character", ...)
// and the label shown there.
class VXSDK_EXPORT VxPresentation : public VxElement
{
    Q_OBJECT
public:
    explicit VxPresentation(QObject* parent = nullptr);
    ~VxPresentation() override;

    QString getType() const { return m_type; }
    void setType(const QString& type);

signals:
    void typeChanged();

private:
    QString m_type;
};
