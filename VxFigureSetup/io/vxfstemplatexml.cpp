#include "vxfstemplatexml.h"

#include <QDomDocument>
#include <QXmlStreamReader>

namespace {

// The deepest element nesting of the bytes, read as far as they are well-formed; stops
// counting once past `limit`.
int nestingDepth(const QByteArray& bytes, int limit)
{
    QXmlStreamReader reader(bytes);
    int depth = 0;
    int deepest = 0;
    while (!reader.atEnd() && deepest <= limit) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            deepest = qMax(deepest, ++depth);
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return deepest;
}

} // namespace

VxFSTemplateXml::Result VxFSTemplateXml::parse(const QByteArray& bytes, QDomDocument& document)
{
    document = QDomDocument();
    if (nestingDepth(bytes, MaxElementDepth) > MaxElementDepth)
        return Result::TooDeep;
    // The same streaming parser builds the DOM: the older QDomDocument::setContent overloads
    // use a recursive parser that a deep file overflows.
    QXmlStreamReader reader(bytes);
    if (!document.setContent(&reader, false)) {
        // A parse error leaves what was read so far; a broken file counts as empty.
        document = QDomDocument();
        return Result::NotXml;
    }
    return Result::Parsed;
}

QByteArray VxFSTemplateXml::serialize(const QDomDocument& document)
{
    return document.toByteArray(1);
}
