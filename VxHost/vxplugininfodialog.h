#pragma once

#include "vxpluginloader.h"

#include <QDialog>

class QTextBrowser;

// "About Plug-ins": every loaded plug-in with its version, author, file, description (its
// links open through vxApp->showURL) and registered classes.
class VxPluginInfoDialog : public QDialog
{
    Q_OBJECT
public:
    VxPluginInfoDialog(const QList<VxLoadedPlugin>& plugins, QWidget* parent = nullptr);

    static QString toHtml(const QList<VxLoadedPlugin>& plugins);

private:
    QTextBrowser* m_browser;
};
