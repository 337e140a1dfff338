#pragma once

#include "vxnode.h"

// A bone of a figure. Its skeleton is the first skeleton above it.
class VXSDK_EXPORT VxBone : public VxNode
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxBone(QObject* parent = nullptr);
    ~VxBone() override;

    VxSkeleton* getSkeleton() const override;

    // Whether the bone takes on its parent's scaling.
    bool getInheritScale() const { return m_inheritScale; }
    void setInheritScale(bool onOff);

    // The box of the skin facets that the skeleton's selection map pairs with this bone,
    // from the mesh's cached face-group boxes; a bone without facets gets the box spanning
    // its origin and end point. The transform is the identity.
    VxOrientedBox3 getWSOrientedBox() const override;

signals:
    void inheritScaleChanged();

private:
    bool m_inheritScale = false;
};
