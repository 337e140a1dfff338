#pragma once

#include <QString>

class VxFSHierarchy;

// Figure templates (.vxt) as files: saving a hierarchy document and loading one. Failures
// are shown in a warning box and written to the host log; neither operation lets an
// exception through.
class VxFSTemplateFile
{
public:
    // Writes the document to `fileName`. An empty document (no bone) and one nested too deep
    // for the reader are refused with a message, and nothing is written. The file is written
    // beside the old one and put in its place when complete, so a failure (a full disk)
    // leaves an existing template as it was; only where that cannot be done (a folder that
    // may not be written to, a file with other hard links that a new file would cut off) is
    // the file written in place.
    static void savePreset(const VxFSHierarchy& hierarchy, const QString& fileName);

    // Replaces the document's bones, chains, regions and base geometry with the file's
    // (geometry already loaded is kept and reused). A file that cannot be opened, or one
    // nested too deep to read safely, is refused with a message and changes nothing; a file
    // that is not a template (not well-formed XML, a document type with declarations of its
    // own, another document element) leaves the document cleared, without a message.
    static void loadPreset(VxFSHierarchy& hierarchy, const QString& fileName);
};
