#include "vxfsloadphiaction.h"

#include "vxfiguresetuppane.h"

#include "vxfshierarchy.h"

#include "vxapp.h"
#include "vxfilefilter.h"
#include "vxmainwindow.h"

VxFSLoadPHIAction::VxFSLoadPHIAction()
    : VxFSAction(tr("Import Poser Hierarchy..."),
                 tr("Loads a Poser PHI file and applies it to the figure in the Figure Setup pane."))
{
}

void VxFSLoadPHIAction::init()
{
    VxFSAction::init();
    VxFigureSetupPane* pane = getPane();
    if (!pane || !pane->getHierarchy()) {
        setEnabled(false);
        return;
    }
    connect(pane, &VxFigureSetupPane::figureTypeChanged, this, &VxFSLoadPHIAction::figureTypeChanged,
            Qt::UniqueConnection);
    figureTypeChanged(pane->getHierarchy()->getFigureType());
}

void VxFSLoadPHIAction::figureTypeChanged(VxFigureSetupFigureType type)
{
    setEnabled(type == Poser);
}

void VxFSLoadPHIAction::executeAction()
{
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    VxFigureSetupPane* pane = getPane();
    if (!window || !pane)
        return;
    VxFileFilter filter;
    filter.newFilter(tr("Poser PHI"));
    filter.addExtension(QStringLiteral("phi"));
    QString fileName;
    if (!window->doFileDialog(true, tr("Load Poser PHI"), QString(), filter, fileName))
        return;
    // The reader clears the document itself.
    VxFSHierarchy* document = pane->getHierarchy();
    document->loadPHI(fileName);
    pane->setHierarchy(document);
}
