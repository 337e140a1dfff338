#pragma once

#include "vxbox3.h"
#include "vxelement.h"
#include "vxrefcounted.h"

#include <QUrl>

// Base of the host's geometry kinds. Geometry is shared by reference between shapes.
class VXSDK_EXPORT VxGeometry : public VxElement, public VxRefCounted
{
    Q_OBJECT
public:
    explicit VxGeometry(QObject* parent = nullptr);
    ~VxGeometry() override;

    virtual int getNumVertices() const = 0;
    virtual VxBox3 getBoundingBox() const = 0;

    // The asset address the geometry was read from (a file URL), empty for built geometry.
    QUrl getAssetUrl() const { return m_assetUrl; }
    void setAssetUrl(const QUrl& url) { m_assetUrl = url; }

private:
    QUrl m_assetUrl;
};
