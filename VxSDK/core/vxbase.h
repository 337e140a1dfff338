#pragma once

#include "vxsdkglobal.h"

#include <QObject>

// Root of every named host object. The name is the QObject object name, so scripts and
// Qt's own lookups see the same name the host shows.
class VXSDK_EXPORT VxBase : public QObject
{
    Q_OBJECT
public:
    explicit VxBase(QObject* parent = nullptr);
    ~VxBase() override;

    QString getName() const { return objectName(); }
};
