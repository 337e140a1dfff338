#pragma once

#include "vxelement.h"
#include "vxnode.h"

#include <QPointer>

#include <memory>

class VxObject;

// Alternate geometry of one bone of a legacy figure: an object whose shapes the user can
// show in place of the bone's part of the skin.
class VXSDK_EXPORT VxLegacyAlternateGeometry : public VxElement
{
    Q_OBJECT
public:
    explicit VxLegacyAlternateGeometry(VxNode* bone, QObject* parent = nullptr);
    ~VxLegacyAlternateGeometry() override;

    VxNode* getBone() const { return m_bone; }
    VxObject* getObject() const { return m_object.get(); }
    // Takes ownership; the previous object is deleted.
    void setObject(VxObject* object);

private:
    QPointer<VxNode> m_bone;
    std::unique_ptr<VxObject> m_object;
};
