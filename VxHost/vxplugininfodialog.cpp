#include "vxplugininfodialog.h"

#include "vxapp.h"
#include "vxclassfactory.h"
#include "vxplugin.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

VxPluginInfoDialog::VxPluginInfoDialog(const QList<VxLoadedPlugin>& plugins, QWidget* parent)
    : QDialog(parent), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("VxPluginInfoDialog"));
    setWindowTitle(tr("About Plug-ins"));
    m_browser->setObjectName(QStringLiteral("VxPluginInfoBrowser"));
    m_browser->setOpenLinks(false);
    m_browser->setHtml(toHtml(plugins));
    connect(m_browser, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
        if (vxApp && !vxApp->showURL(url.toString()))
            vxApp->log(QStringLiteral("Nothing could open %1.").arg(url.toString()));
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(640, 480);
}

QString VxPluginInfoDialog::toHtml(const QList<VxLoadedPlugin>& plugins)
{
    if (plugins.isEmpty())
        return tr("<p>No plug-ins are loaded.</p>");
    QString html;
    for (const VxLoadedPlugin& plugin : plugins) {
        const VxPlugin* definition = plugin.definition;
        html += QStringLiteral("<h3>%1 %2</h3>")
                    .arg(definition->getName().toHtmlEscaped(), definition->getVersion().toString());
        html += QStringLiteral("<p>%1: %2<br>%3: %4</p>")
                    .arg(tr("Author"), definition->getAuthor().toHtmlEscaped(), tr("File"),
                         plugin.filePath.toHtmlEscaped());
        // The description is the plug-in's own HTML fragment.
        html += QStringLiteral("<p>%1</p>").arg(definition->getDescription());
        html += QStringLiteral("<p>%1</p><ul>").arg(tr("Classes:"));
        for (const VxClassFactory* factory : definition->getClassFactories())
            html += QStringLiteral("<li>%1 <tt>%2</tt></li>").arg(factory->className(), factory->getClassId().toString());
        html += QStringLiteral("</ul>");
    }
    return html;
}
