#pragma once

#include <QByteArray>

class QDomDocument;

// The XML layer of figure templates: parsing with limits, and the file encoding.
class VxFSTemplateXml
{
public:
    // Elements may nest this deep, the document element counting as 1. Reading and writing
    // (the DOM's and the model's) and everything that walks the bone tree recurse once per
    // level: Qt's DOM writer alone overflows an 8 MiB stack between 5,000 and 10,000 levels.
    // A deeper file is refused before anything is built, and the writer refuses a document
    // that would make one. The Poser reader keeps bones to MaxBoneDepth levels (a root bone
    // is at level 1): below the document element and the Figure, the deepest bone still has
    // room for its own AssignedGeom, AltGeom and WeldTarget elements, so whatever it builds
    // can be saved and read again as a template.
    static constexpr int MaxElementDepth = 1000;
    static constexpr int MaxBoneDepth = MaxElementDepth - 3;

    enum class Result {
        Parsed,    // `document` holds the file
        NotXml,    // not well-formed XML, or a document type with an internal subset:
                   // `document` is left empty
        TooDeep,   // well-formed, but elements nest deeper than MaxElementDepth: `document`
                   // is left empty
    };

    // Parses `bytes` into `document`, measuring the nesting first without recursion (the
    // DOM frees its nodes recursively). Namespaces are not processed. A document type that
    // declares entities (or anything else) of its own is refused before parsing: entity
    // references could make the text many times the size of the file.
    static Result parse(const QByteArray& bytes, QDomDocument& document);

    // UTF-8, one element per line, one more space of indentation per level, empty elements
    // as empty-element tags, no XML declaration. Characters XML cannot hold at all (control
    // characters other than tab and line breaks, U+FFFE, U+FFFF, unpaired surrogates: a
    // name imported from a damaged PHI file may have them) become U+FFFD in the document's
    // attribute values, so that whatever is saved can be read again.
    static QByteArray serialize(const QDomDocument& document);

    // `text` with every character XML cannot hold replaced by U+FFFD.
    static QString xmlSafe(const QString& text);
};
