#include "vxpluginlistwriter.h"

#include "vxclassfactory.h"
#include "vxplugin.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
const int kLineWidth = 100;

// Breaks a line at blanks so that it fits `width` characters; a longer word stays whole,
// and so does a link line ("Text (target)"), so that its target can be copied in one piece.
QStringList wrap(const QString& line, int width)
{
    static const QRegularExpression link(QStringLiteral(" \\([^()]+\\)$"));
    if (line.size() <= width || link.match(line).hasMatch())
        return {line};
    QStringList lines;
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!current.isEmpty() && current.size() + 1 + word.size() > width) {
            lines.append(current);
            current.clear();
        }
        current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    lines.append(current);
    return lines;
}

// Adds `label` and the value's lines, wrapped, later lines aligned under the first.
void appendField(QString& out, const QString& label, const QString& value)
{
    const QString prefix = QStringLiteral("  %1").arg(label + QLatin1Char(':'), -15);
    QStringList lines;
    for (const QString& line : value.split(QLatin1Char('\n')))
        lines += wrap(line, kLineWidth - prefix.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QString lead = i == 0 ? prefix : QString(prefix.size(), QLatin1Char(' '));
        out += lines[i].isEmpty() ? QString() : lead + lines[i];
        out += QLatin1Char('\n');
    }
}
} // namespace

QString VxPluginListWriter::write(const QList<VxLoadedPlugin>& plugins, const QString& searchedFolder)
{
    if (plugins.isEmpty())
        return QStringLiteral("No plug-ins loaded (plug-in folder: %1).\n").arg(searchedFolder);

    QString out;
    for (const VxLoadedPlugin& plugin : plugins) {
        const VxPlugin* definition = plugin.definition;
        if (!out.isEmpty())
            out += QLatin1Char('\n');
        out += QStringLiteral("%1 %2\n").arg(definition->getName(), definition->getVersion().toString());
        appendField(out, QStringLiteral("Author"), definition->getAuthor());
        appendField(out, QStringLiteral("File"), plugin.filePath);
        appendField(out, QStringLiteral("Built for SDK"), plugin.sdkVersion.toString());
        appendField(out, QStringLiteral("Description"), htmlToPlainText(definition->getDescription()));

        const QList<VxClassFactory*>& factories = definition->getClassFactories();
        out += QStringLiteral("  Classes (%1):\n").arg(factories.size());
        int width = 0;
        for (const VxClassFactory* factory : factories)
            width = qMax(width, factory->className().size());
        for (const VxClassFactory* factory : factories) {
            out += QStringLiteral("    %1  %2\n")
                       .arg(factory->className(), -width)
                       .arg(factory->getClassId().toString());
        }
    }
    return out;
}

QString VxPluginListWriter::htmlToPlainText(const QString& html)
{
    static const QRegularExpression anchor(
        QStringLiteral("<a\\s[^>]*href\\s*=\\s*(['\"])(.*?)\\1[^>]*>(.*?)</a\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression lineBreak(QStringLiteral("<br\\s*/?>"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression paragraph(QStringLiteral("</?p\\s*>"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression anyTag(QStringLiteral("<[^>]*>"));

    QString text = html;
    text.replace(anchor, QStringLiteral("\\3 (\\2)"));
    text.replace(lineBreak, QStringLiteral("\n"));
    text.replace(paragraph, QStringLiteral("\n"));
    text.remove(anyTag);
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.trimmed();
}
