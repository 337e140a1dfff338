// VxFSHierarchy::createFigure lives with the builders it dispatches to; the document
// itself knows nothing of the scene.
#include "vxfshierarchy.h"

#include "vxfsparametricfigurebuilder.h"
#include "vxfsskinfigurebuilder.h"

namespace {
// TODO(modify-selected): applying the document to the selected parametric figure it was
// copied from is built separately; until then the request is refused with a warning.
void modifySelectedFigure(VxFSHierarchy* /*document*/)
{
    qWarning("Applying the hierarchy to the selected figure is not available yet.");
}
} // namespace

void VxFSHierarchy::createFigure(bool modifySelected)
{
    if (getFigureType() != Poser) {
        VxFSSkinFigureBuilder(this).createSingleSkinFigure(modifySelected);
        return;
    }
    if (modifySelected)
        modifySelectedFigure(this);
    else
        VxFSParametricFigureBuilder(this).createParametricFigure();
}
