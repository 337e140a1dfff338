#include "vxfstemplatexml.h"

#include <QDomDocument>
#include <QXmlStreamReader>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Whether the streaming parser reads the bytes to their end without an error. It builds
// nothing and keeps its open elements in a list, so any depth is safe.
bool isWellFormed(const QByteArray& bytes)
{
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

const char* skipPast(const char* from, const char* end, const QByteArray& terminator)
{
    const char* found = std::search(from, end, terminator.constBegin(), terminator.constEnd());
    return found == end ? end : found + terminator.size();
}

bool isNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
}

// Past the '>' that ends a document type declaration starting at `from`, or null when the
// declaration has an internal subset: only there can entities be declared, and templates
// never need any (a few hundred bytes of nested entity references expand to gigabytes).
const char* skipDocumentType(const char* from, const char* end)
{
    char quote = 0;
    for (const char* p = from; p < end; ++p) {
        if (quote) {
            if (*p == quote)
                quote = 0;
        } else if (*p == '"' || *p == '\'') {
            quote = *p;
        } else if (*p == '[') {
            return nullptr;
        } else if (*p == '>') {
            return p + 1;
        }
    }
    return end;
}

// The deepest element nesting of the bytes, found from the markup alone, several times
// faster than parsing: comments, CDATA sections, processing instructions and a document
// type are skipped, quoted attribute values may hold '>'. On well-formed text it counts
// what the parser counts, so up to the first error it is exact, and the parser builds
// nothing after an error. Stops counting once past `limit`. -1 for markup that no template
// holds: a document type declaring anything of its own, or another "<!" construct.
int scannedDepth(const QByteArray& bytes, int limit)
{
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    int depth = 0;
    int deepest = 0;
    while (deepest <= limit) {
        p = static_cast<const char*>(std::memchr(p, '<', size_t(end - p)));
        if (!p || ++p == end)
            break;
        if (*p == '?') {
            p = skipPast(p, end, QByteArrayLiteral("?>"));
        } else if (*p == '!') {
            const QByteArray start = QByteArray::fromRawData(p, int(qMin<qint64>(end - p, 9)));
            if (start.startsWith("!--"))
                p = skipPast(p + 3, end, QByteArrayLiteral("-->"));
            else if (start.startsWith("![CDATA["))
                p = skipPast(p, end, QByteArrayLiteral("]]>"));
            else if (start == "!DOCTYPE " || start == "!DOCTYPE\t" || start == "!DOCTYPE\n" || start == "!DOCTYPE\r")
                p = skipDocumentType(p + 8, end);
            else
                return -1;
            if (!p)
                return -1;
        } else if (*p == '/') {
            --depth;
        } else if (isNameStart(*p)) {
            char quote = 0;
            const char* tagEnd = p;
            for (; tagEnd < end; ++tagEnd) {
                if (quote) {
                    if (*tagEnd == quote)
                        quote = 0;
                } else if (*tagEnd == '"' || *tagEnd == '\'') {
                    quote = *tagEnd;
                } else if (*tagEnd == '>') {
                    break;
                }
            }
            deepest = qMax(deepest, depth + 1);
            if (tagEnd == end || tagEnd[-1] != '/')
                ++depth;
            p = tagEnd;
        }
    }
    return deepest;
}

// Markup characters and the blanks that attribute-value normalisation would turn into
// spaces, as character references; '>' as well in text, where "]]>" may not stand.
void appendEscaped(QString& text, const QString& value, bool inAttribute)
{
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '<': text += QLatin1String("&lt;"); break;
        case '>': text += inAttribute ? QLatin1String(">") : QLatin1String("&gt;"); break;
        case '&': text += QLatin1String("&amp;"); break;
        case '"': text += QLatin1String("&quot;"); break;
        case '\t': text += QLatin1String("&#x9;"); break;
        case '\n': text += QLatin1String("&#xa;"); break;
        case '\r': text += QLatin1String("&#xd;"); break;
        default: text += c; break;
        }
    }
}

} // namespace

VxFSTemplateXml::Result VxFSTemplateXml::parse(const QByteArray& bytes, QDomDocument& document)
{
    document = QDomDocument();
    const int depth = scannedDepth(bytes, MaxElementDepth);
    if (depth < 0)
        return Result::NotXml;
    // A malformed file is no template, however deep it looks; only a well-formed one is too
    // deep to read.
    if (depth > MaxElementDepth)
        return isWellFormed(bytes) ? Result::TooDeep : Result::NotXml;
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

QByteArray VxFSTemplateXml::serialize(const QDomDocument& document)
{
    // The text QDomDocument::toByteArray(1) gives (attributes aside, whose order means
    // nothing there either), written directly: Qt's writers check every character against
    // a text codec, which made saving a large figure several times slower than reading it.
    QString text;
    text.reserve(1 << 16);
    const QDomElement root = document.documentElement();
    QDomNode node = root;
    int depth = 0;
    // Depth first without recursion: the nesting is bounded only by what the model holds.
    while (!node.isNull()) {
        if (node.isElement()) {
            text += QString(depth, QLatin1Char(' '));
            text += QLatin1Char('<');
            text += node.nodeName();
            const QDomNamedNodeMap attributes = node.attributes();
            for (int i = 0; i < attributes.count(); ++i) {
                const QDomAttr attribute = attributes.item(i).toAttr();
                text += QLatin1Char(' ');
                text += attribute.name();
                text += QLatin1String("=\"");
                appendEscaped(text, xmlSafe(attribute.value()), true);
                text += QLatin1Char('"');
            }
            if (node.hasChildNodes()) {
                text += QLatin1String(">\n");
                node = node.firstChild();
                ++depth;
                continue;
            }
            text += QLatin1String("/>\n");
        } else if (node.isText()) {
            appendEscaped(text, xmlSafe(node.nodeValue()), false);
        }
        // The node is done: go on with its next sibling, closing every element it ends.
        for (;;) {
            if (node == root) {
                node = QDomNode();
                break;
            }
            if (!node.nextSibling().isNull()) {
                node = node.nextSibling();
                break;
            }
            node = node.parentNode();
            --depth;
            text += QString(depth, QLatin1Char(' '));
            text += QLatin1String("</");
            text += node.nodeName();
            text += QLatin1String(">\n");
        }
    }
    return text.toUtf8();
}
