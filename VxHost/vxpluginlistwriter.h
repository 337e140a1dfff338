#pragma once

#include "vxpluginloader.h"

#include <QList>
#include <QString>

// Writes the loaded plug-ins as text for a terminal: per plug-in its name, version, author,
// file, SDK version, description (HTML turned into plain lines, links shown with their
// targets) and its class factories in order, each with its identifier.
class VxPluginListWriter
{
public:
    static QString write(const QList<VxLoadedPlugin>& plugins, const QString& searchedFolder);

    // "<a href='x'>Text</a><br>More" -> "Text (x)\nMore".
    static QString htmlToPlainText(const QString& html);
};
