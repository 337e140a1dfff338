#include "vxupdategeometrydlgvalidator.h"

#include "vxupdategeometrydlg.h"
#include "vxupdategeometryrequest.h"

#include "vxapp.h"

#include <QFileInfo>
#include <QMessageBox>

namespace {
QWidget* boxParent()
{
    return vxApp ? vxApp->getDialogParent() : nullptr;
}
} // namespace

bool VxUpdateGeometryDlgValidator::validate(VxBasicDialog* dialog)
{
    const auto* updateDialog = qobject_cast<const VxUpdateGeometryDlg*>(dialog);
    if (!updateDialog) {
        QMessageBox::warning(boxParent(), tr("Unexpected Error"), tr("An unexpected error has occurred."),
                             QMessageBox::Ok);
        return false;
    }
    if (!VxUpdateGeometryRequest::readsFile(updateDialog->getOperation()))
        return true;
    const QString path = updateDialog->getFileName().trimmed();
    if (path.isEmpty()) {
        QMessageBox::warning(boxParent(), tr("File Error"), tr("A valid path must be entered to continue."),
                             QMessageBox::Ok);
        return false;
    }
    if (!QFileInfo::exists(path)) {
        QMessageBox::warning(boxParent(), tr("File Error"),
                             tr("The path entered must reference a file that exists to continue."), QMessageBox::Ok);
        return false;
    }
    return true;
}
