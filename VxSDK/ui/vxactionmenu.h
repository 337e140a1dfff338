#pragma once

#include "vxsdkglobal.h"

#include <QMenu>

// A menu of host actions named by their registered class (a pane's options menu). The
// actions are the host's shared instances (VxActionRegistry of the main window), so they
// show the same enabled and checked state as in the menu bar.
class VXSDK_EXPORT VxActionMenu : public QMenu
{
    Q_OBJECT
public:
    explicit VxActionMenu(QWidget* parent = nullptr);
    ~VxActionMenu() override;

    // Inserts the action of the class registered as `className` before the entry at
    // `index` (-1, or an index past the end, appends). Null, with a line in the host log,
    // when there is no main window or no such action class.
    QAction* insertAction(const QString& className, int index);
    // Inserts a separator the same way.
    QAction* insertSeparator(int index);

private:
    QAction* entryAt(int index) const;
};
