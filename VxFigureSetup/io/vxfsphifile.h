#pragma once

#include <QString>

class QFile;
class VxFSHierarchy;

// Poser hierarchy files (.phi) as files: imports one into a hierarchy document, replacing
// its bones, chains, regions and base geometry and making it a Poser figure (geometry
// already loaded is kept and reused).
//
// The file is read line by line, twice: once to see how deep its bones nest, so that a file
// deeper than a template can hold is refused before the document changes, and once to
// build. Memory stays within a small multiple of the longest line, whatever the size of the
// file. A file that cannot be opened, or one nested too deep, is refused with a message;
// no exception leaves the import.
class VxFSPhiFile
{
public:
    static void loadPHI(VxFSHierarchy& hierarchy, const QString& fileName);

private:
    // Hands every line of the file, from its start, to `take`, as QIODevice::readLine cuts
    // them with a maximum size of 1024 (a longer line goes on as the next one).
    template <class Take>
    static void forEachLine(QFile& file, Take take);
};
