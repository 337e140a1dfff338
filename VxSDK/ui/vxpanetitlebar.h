#pragma once

#include "vxsdkglobal.h"

#include <QPointer>
#include <QWidget>

class QDockWidget;
class QLabel;
class QToolButton;
class VxActionMenu;
class VxPane;

// The title bar of a pane's dock: the pane's title, the options button that opens the menu
// the pane fills each time it opens, and the float and close buttons the dock allows.
// Dragging and double-clicking the title work as on any dock.
class VXSDK_EXPORT VxPaneTitleBar : public QWidget
{
    Q_OBJECT
public:
    VxPaneTitleBar(VxPane* pane, QDockWidget* dock);
    ~VxPaneTitleBar() override;

    QToolButton* getOptionsButton() const { return m_optionsButton; }
    VxActionMenu* getOptionsMenu() const { return m_optionsMenu; }

private:
    void fillOptionsMenu();
    void followFeatures();
    QToolButton* makeButton(const QString& objectName, int standardIcon, const QString& toolTip);

    QPointer<VxPane> m_pane;
    QDockWidget* m_dock;
    QLabel* m_title;
    QToolButton* m_optionsButton;
    QToolButton* m_floatButton;
    QToolButton* m_closeButton;
    VxActionMenu* m_optionsMenu;
};
