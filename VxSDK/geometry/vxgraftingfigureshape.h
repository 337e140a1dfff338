#pragma once

#include "vxfacetshape.h"

// The skin shape of a figure: a facet shape that other geometry (clothing, props) can later
// be grafted onto. Until something is grafted it shows its facet mesh as it is.
class VXSDK_EXPORT VxGraftingFigureShape : public VxFacetShape
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxGraftingFigureShape(QObject* parent = nullptr);
    ~VxGraftingFigureShape() override;
};
