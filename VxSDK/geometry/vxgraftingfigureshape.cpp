#include "vxgraftingfigureshape.h"

VxGraftingFigureShape::VxGraftingFigureShape(QObject* parent) : VxFacetShape(parent) {}

VxGraftingFigureShape::~VxGraftingFigureShape() = default;
