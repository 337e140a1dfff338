#include "vxdialogmetrics.h"

#include <QStyle>
#include <QWidget>

int VxDialogMetrics::margin(const QWidget* dialog)
{
    const int metric = dialog ? dialog->style()->pixelMetric(QStyle::PM_CustomBase, nullptr, dialog) : 0;
    return qMax(5, metric);
}
