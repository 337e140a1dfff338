#pragma once

#include <QString>

class VxPlugin;

// The plug-in's one definition: name, author, version, description and the factories of
// every class it registers with the host. Built by static initialisation when the library
// is loaded and kept until it is unloaded.
class VxFigurePluginDefinition
{
public:
    // The definition, always the same object. Its description links the read-me below the
    // host's documentation folder; that folder is only known once the host's application
    // object exists (after static initialisation), so every call brings the link up to date.
    static VxPlugin* get();

    // The HTML description with the read-me link below `documentationPath`.
    static QString makeDescription(const QString& documentationPath);

    // Where the read-me lives, relative to the documentation folder.
    static QString readmeRelativePath();
    static QString documentationUrl();
};
