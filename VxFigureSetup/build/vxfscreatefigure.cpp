// VxFSHierarchy::createFigure lives with the builders it dispatches to; the document
// itself knows nothing of the scene.
#include "vxfshierarchy.h"

#include "vxfsfiguremodifier.h"
#include "vxfsparametricfigurebuilder.h"
#include "vxfsskinfigurebuilder.h"

void VxFSHierarchy::createFigure(bool modifySelected)
{
    if (getFigureType() != Poser) {
        VxFSSkinFigureBuilder(this).createSingleSkinFigure(modifySelected);
        return;
    }
    if (modifySelected)
        VxFSFigureModifier(this).modifySelectedFigure();
    else
        VxFSParametricFigureBuilder(this).createParametricFigure();
}
