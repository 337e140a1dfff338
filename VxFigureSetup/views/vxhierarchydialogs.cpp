#include "vxhierarchydialogs.h"

#include "vxhierarchyeditorview.h"
// Completes the view header's inline getRootItem().
#include "vxhierarchyitem.h"
#include "vxnewbonesequencedlg.h"
#include "vxselectposerjointparamsdlg.h"
#include "vxselectvxfigureweightmaps.h"
#include "vxweldtonodeoptionsdialog.h"

namespace {
// Runs a dialog made on the heap modally; it goes once control is back in the event loop,
// after whatever the accept set off has finished with it.
void runAndDispose(QDialog* dialog)
{
    dialog->exec();
    dialog->deleteLater();
}
} // namespace

VxHierarchyDialogs VxHierarchyDialogs::standard()
{
    VxHierarchyDialogs dialogs;
    dialogs.boneSequence = [](VxHierarchyEditorView* view, QTreeWidgetItem* item, VxFSHierarchy* document) {
        runAndDispose(new VxNewBoneSequenceDlg(view, item, document));
    };
    dialogs.weldToBone = [](VxHierarchyEditorView* view, VxFSHierarchy* document) {
        VxWeldToNodeOptionsDialog dialog(view, document);
        dialog.exec();
    };
    dialogs.jointParameters = [](VxHierarchyEditorView* view) {
        runAndDispose(new VxSelectPoserJointParamsDlg(view));
    };
    dialogs.weightMaps = [](VxHierarchyEditorView* view) { runAndDispose(new VxSelectVxFigureWeightMaps(view)); };
    return dialogs;
}
