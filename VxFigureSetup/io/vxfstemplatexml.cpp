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

QString VxFSTemplateXml::xmlSafe(const QString& text)
{
    QString safe = text;
    const int size = safe.size();
    for (int i = 0; i < size; ++i) {
        const ushort c = safe.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(safe.at(i + 1).unicode())) {
            ++i; // a pair: a character beyond the basic plane
            continue;
        }
        const bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0xD800) || (c >= 0xE000 && c <= 0xFFFD);
        if (!allowed)
            safe[i] = QChar::ReplacementCharacter;
    }
    return safe;
}

QByteArray VxFSTemplateXml::serialize(QDomDocument& document)
{
    // Depth first without recursion: the nesting is bounded only by what the model holds.
    QDomNode node = document.documentElement();
    while (!node.isNull()) {
        if (node.isElement()) {
            const QDomNamedNodeMap attributes = node.attributes();
            for (int i = 0; i < attributes.count(); ++i) {
                QDomAttr attribute = attributes.item(i).toAttr();
                const QString safe = xmlSafe(attribute.value());
                if (safe != attribute.value())
                    attribute.setValue(safe);
            }
        }
        if (!node.firstChild().isNull()) {
            node = node.firstChild();
            continue;
        }
        while (!node.isNull() && node.nextSibling().isNull())
            node = node.parentNode();
        if (!node.isNull())
            node = node.nextSibling();
    }
    return document.toByteArray(1);
}
