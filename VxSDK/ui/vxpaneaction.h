#pragma once

#include "vxaction.h"

#include <QPointer>

class QDockWidget;
class VxPane;

// Shows and hides the pane registered under a class name. Checkable: checked while the
// pane's dock is open (even when another tab hides it), and it follows the dock when the
// user closes it. Listed under Window, with the pane's title as its text once init() has
// found the pane.
class VXSDK_EXPORT VxPaneAction : public VxAction
{
    Q_OBJECT
public:
    explicit VxPaneAction(const QString& paneClassName, QObject* parent = nullptr);
    ~VxPaneAction() override;

    QString getPaneClassName() const { return m_paneClassName; }
    // The pane, through the main window's pane manager; null while there is none.
    VxPane* getPane() const;

    void init() override;
    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;

public slots:
    // Opens the pane when the action is checked, closes it otherwise.
    void executeAction() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followDock();

    QString m_paneClassName;
    QPointer<QDockWidget> m_dock;
};
