#pragma once

#include "vxsdkglobal.h"

#include <QPointer>
#include <QWidget>

class VxActionMenu;
class VxAppSettings;

// A dockable pane of the host: a widget the pane manager shows in a QDockWidget, with the
// pane's title in the dock's title bar and an options button there that opens the menu the
// pane fills (fillOptionsMenu). The pane manager finds panes by class name.
//
// Subclasses override the virtual operations below; the pane manager calls readSettings at
// start-up and writeSettings at exit, each with the pane's own settings group.
class VXSDK_EXPORT VxPane : public QWidget
{
    Q_OBJECT
public:
    // What the pane's dock allows (getPaneFlags); 7 allows everything.
    enum PaneFlag {
        Closable = 0x1,
        Movable = 0x2,
        Floatable = 0x4,
    };

    explicit VxPane(const QString& title, QWidget* parent = nullptr);
    ~VxPane() override;

    QString getTitle() const { return windowTitle(); }

    // Widgets at the top and bottom of the pane whose bands get the header and footer
    // background, full width, so that the pane's controls read as a frame around its views.
    void setBackgroundHeaderGuide(QWidget* widget);
    void setBackgroundFooterGuide(QWidget* widget);
    QWidget* getBackgroundHeaderGuide() const { return m_headerGuide; }
    QWidget* getBackgroundFooterGuide() const { return m_footerGuide; }

    // Brings the pane up to date with the scene; the default does nothing.
    virtual void refresh();
    // Reads the pane's own settings; the default reads nothing.
    virtual void readSettings(VxAppSettings& settings);
    // Adds the pane's entries to its options menu (VxActionMenu::insertAction by class
    // name). The menu is empty when this is called; the default adds nothing.
    virtual void fillOptionsMenu(VxActionMenu* menu);
    // PaneFlag values; the default allows everything.
    virtual int getPaneFlags() const;
    // Writes the pane's own settings; the default writes nothing.
    virtual void writeSettings(VxAppSettings& settings);

signals:
    // The pane came on screen or left it (its dock was closed, or another tab covers it).
    void visibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setShown(bool shown);

    QPointer<QWidget> m_headerGuide;
    QPointer<QWidget> m_footerGuide;
    bool m_shown = false;
};
