#pragma once

#include "vxbasicdialog.h"

#include <QList>
#include <QPointer>

class QTreeWidget;
class VxFSHierarchy;
class VxFSHierarchyItem;

// "Weld Selection Dialog": the bones selected in the relationships view are welded to the
// bones chosen here (any number of them). The list offers every bone of the document
// except those being welded.
class VxWeldToNodeOptionsDialog : public VxBasicDialog
{
    Q_OBJECT
public:
    VxWeldToNodeOptionsDialog(QTreeWidget* view, VxFSHierarchy* document);

    QTreeWidget* getBoneList() const { return m_list; }

public slots:
    // Replaces the weld targets of every welded bone by the chosen bones.
    void accept() override;

private:
    QPointer<VxFSHierarchy> m_document;
    QList<QPointer<VxFSHierarchyItem>> m_welded;
    QTreeWidget* m_list;
};
