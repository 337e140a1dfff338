#include "vxobjparser.h"

#include "vxobjlinereader.h"

#include "vxtextdecoder.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr size_t kMaxStatement = 1024 * 1024;
// Indices are stored as 32-bit ints and corner offsets as 32-bit unsigned ints.
constexpr long long kMaxElements = std::numeric_limits<int32_t>::max();

inline bool isBlank(char c)
{
    return VxObjLineReader::isBlank(c);
}

inline const char* skipBlanks(const char* p, const char* end)
{
    while (p < end && isBlank(*p))
        ++p;
    return p;
}

inline const char* wordEnd(const char* p, const char* end)
{
    while (p < end && !isBlank(*p))
        ++p;
    return p;
}

inline bool keywordIs(const char* begin, const char* end, const char* keyword)
{
    const size_t length = std::strlen(keyword);
    return size_t(end - begin) == length && std::memcmp(begin, keyword, length) == 0;
}

enum class Number { Read, Missing, Bad, TooLarge };

// The next word as a float. A leading '+' is accepted (from_chars does not take it); a
// word with anything after the number ("3.1+e2") is bad.
inline Number readFloat(const char*& p, const char* end, float& value)
{
    p = skipBlanks(p, end);
    if (p == end || *p == '#')
        return Number::Missing;
    const char* start = p;
    if (*start == '+' && start + 1 < end && start[1] != '-')
        ++start;
    std::from_chars_result result = std::from_chars(start, end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small for a float reads as the nearest float (0 or a subnormal); too large is
        // refused like infinity.
        double wide = 0.0;
        result = std::from_chars(start, end, wide);
        if (result.ec == std::errc() && std::fabs(wide) > double(std::numeric_limits<float>::max()))
            return (result.ptr < end && !isBlank(*result.ptr)) ? Number::Bad : Number::TooLarge;
        value = float(wide);
    }
    if (result.ec != std::errc() || (result.ptr < end && !isBlank(*result.ptr)))
        return Number::Bad;
    p = result.ptr;
    return Number::Read;
}

// A signed decimal integer; large values saturate (they are out of range anyway).
inline bool readIndex(const char*& p, const char* end, long long& value)
{
    bool negative = false;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
    }
    const char* digits = p;
    long long result = 0;
    while (p < end && unsigned(*p - '0') < 10u) {
        if (result < (1LL << 40))
            result = result * 10 + (*p - '0');
        ++p;
    }
    value = negative ? -result : result;
    return p != digits;
}

// OBJ indices count from 1; negative ones count back from the last element read so far.
inline bool resolveIndex(long long index, long long count, int32_t& resolved)
{
    if (index > 0 && index <= count) {
        resolved = int32_t(index - 1);
        return true;
    }
    if (index < 0 && -index <= count) {
        resolved = int32_t(count + index);
        return true;
    }
    return false;
}

QString quoted(const char* begin, const char* end)
{
    constexpr ptrdiff_t kShown = 40;
    const QString text = VxTextDecoder::decode(begin, int(std::min(end - begin, kShown)));
    return QLatin1Char('\'') + text + (end - begin > kShown ? QStringLiteral("...'") : QStringLiteral("'"));
}

// The rest of a line as one name: words joined by single spaces, up to a comment.
QByteArray nameFrom(const char* p, const char* end)
{
    QByteArray name;
    for (;;) {
        p = skipBlanks(p, end);
        if (p == end || *p == '#')
            return name;
        const char* wordStop = wordEnd(p, end);
        if (!name.isEmpty())
            name += ' ';
        name.append(p, int(wordStop - p));
        p = wordStop;
    }
}

} // namespace

void VxObjNameTable::select(const QByteArray& name, qint64 line)
{
    if (name.isEmpty()) {
        m_current = -1;
        m_pending = false;
        return;
    }
    const auto found = m_indexByName.constFind(name);
    if (found != m_indexByName.constEnd()) {
        m_current = found.value();
        m_pending = false;
        return;
    }
    m_pending = true;
    m_pendingName = name;
    m_pendingLine = line;
}

int VxObjNameTable::enterPending()
{
    m_pending = false;
    m_current = m_names.size();
    m_names.append(VxTextDecoder::decode(m_pendingName));
    m_firstLines.push_back(m_pendingLine);
    m_indexByName.insert(m_pendingName, m_current);
    return m_current;
}

VxObjParser::VxObjParser(VxFacetMeshData& mesh) : m_mesh(mesh)
{
    if (m_mesh.facetStart.empty())
        m_mesh.facetStart.push_back(0);
}

// Each array gets room for the most elements a file of this size made only of that kind of
// statement is likely to hold (short but realistic lines). Room never used stays virtual:
// those pages are never touched, so they cost no memory, while growth by doubling would copy
// every array several times and fault in all the copies. Without room, arrays simply grow.
void VxObjParser::reserveFor(qint64 bytes)
{
    if (bytes <= 0)
        return;
    auto cap = [](qint64 count) { return size_t(std::min<qint64>(count, kMaxElements)); };
    try {
        m_mesh.positions.reserve(3 * cap(bytes / 20));   // "v 0.1234 0.1234 0.1234"
        m_mesh.uvs.reserve(2 * cap(bytes / 14));         // "vt 0.1234 0.1234"
        m_cornerReserve = cap(bytes / 4);                 // " 123/45" per corner
        m_mesh.cornerVertex.reserve(m_cornerReserve);
        m_mesh.facetStart.reserve(cap(bytes / 12) + 1);   // "f 1 2 3" and a few digits
        m_mesh.facetGroup.reserve(cap(bytes / 12));
        m_mesh.facetMaterial.reserve(cap(bytes / 12));
    } catch (const std::bad_alloc&) {
        m_cornerReserve = 0;   // no room to spare: grow as needed
    }
}

bool VxObjParser::parseLine(const char* begin, const char* end, qint64 lineNumber)
{
    const char* keywordEnd = wordEnd(begin, end);
    const char* rest = keywordEnd;
    switch (keywordEnd - begin) {
    case 1:
        switch (*begin) {
        case 'v':
            return parseVertex(rest, end);
        case 'f':
            return parseFace(rest, end);
        case 'g': {
            // "g a b" puts the following faces in group a.
            const char* name = skipBlanks(rest, end);
            const char* nameEnd = (name < end && *name == '#') ? name : wordEnd(name, end);
            m_groups.select(QByteArray(name, int(nameEnd - name)), lineNumber);
            return true;
        }
        default:
            break;
        }
        break;
    case 2:
        if (begin[0] == 'v' && begin[1] == 't')
            return parseUV(rest, end);
        break;
    case 6:
        if (keywordIs(begin, keywordEnd, "usemtl")) {
            m_materials.select(nameFrom(rest, end), lineNumber);
            return true;
        }
        if (keywordIs(begin, keywordEnd, "mtllib")) {
            parseLibraries(rest, end, lineNumber);
            return true;
        }
        break;
    default:
        break;
    }
    return checkUnknownKeyword(begin, keywordEnd);
}

size_t VxObjParser::contentLimit(const char* keyword, const char* keywordEnd)
{
    if (keywordIs(keyword, keywordEnd, "f"))
        return size_t(-1);   // a face of many corners is as long as it is
    if (keywordIs(keyword, keywordEnd, "v") || keywordIs(keyword, keywordEnd, "vt") || keywordIs(keyword, keywordEnd, "g")
        || keywordIs(keyword, keywordEnd, "usemtl") || keywordIs(keyword, keywordEnd, "mtllib"))
        return kMaxStatement;
    return 0;
}

bool VxObjParser::parseVertex(const char* p, const char* end)
{
    if (m_mesh.positions.size() / 3 >= size_t(kMaxElements))
        return fail(QStringLiteral("more vertices than the importer can hold"));
    float xyz[3];
    for (float& coordinate : xyz) {
        const char* token = skipBlanks(p, end);
        switch (readFloat(p, end, coordinate)) {
        case Number::Missing:
            return fail(QStringLiteral("a vertex needs x, y and z coordinates"));
        case Number::Bad:
            return failNumber(token, end, "coordinate");
        case Number::TooLarge:
            return fail(QStringLiteral("coordinate %1 is too large").arg(quoted(token, wordEnd(token, end))));
        case Number::Read:
            if (!std::isfinite(coordinate))
                return fail(QStringLiteral("coordinate %1 is not a finite number").arg(quoted(token, wordEnd(token, end))));
            break;
        }
    }
    m_mesh.positions.push_back(xyz[0]);
    m_mesh.positions.push_back(xyz[1]);
    m_mesh.positions.push_back(xyz[2]);
    return true;
}

bool VxObjParser::parseUV(const char* p, const char* end)
{
    if (m_mesh.uvs.size() / 2 >= size_t(kMaxElements))
        return fail(QStringLiteral("more texture coordinates than the importer can hold"));
    float uv[2] = {0.0f, 0.0f};
    for (int i = 0; i < 2; ++i) {
        const char* token = skipBlanks(p, end);
        const Number read = readFloat(p, end, uv[i]);
        if (read == Number::Missing && i == 0)
            return fail(QStringLiteral("a texture coordinate needs at least u"));
        if (read == Number::Missing)
            break;
        if (read == Number::Bad)
            return failNumber(token, end, "texture coordinate");
        if (read == Number::TooLarge)
            return fail(QStringLiteral("texture coordinate %1 is too large").arg(quoted(token, wordEnd(token, end))));
        if (!std::isfinite(uv[i]))
            return fail(QStringLiteral("texture coordinate %1 is not a finite number").arg(quoted(token, wordEnd(token, end))));
    }
    m_mesh.uvs.push_back(uv[0]);
    m_mesh.uvs.push_back(uv[1]);
    return true;
}

bool VxObjParser::parseFace(const char* p, const char* end)
{
    const auto vertexCount = static_cast<long long>(m_mesh.positions.size() / 3);
    const auto uvCount = static_cast<long long>(m_mesh.uvs.size() / 2);
    const size_t firstCorner = m_mesh.cornerVertex.size();
    for (;;) {
        p = skipBlanks(p, end);
        if (p == end || *p == '#')
            break;
        const char* token = p;
        long long vertex = 0;
        long long uv = 0;
        long long normal = 0;
        bool hasUV = false;
        bool hasNormal = false;
        if (!readIndex(p, end, vertex))
            return failCorner(token, end);
        if (p < end && *p == '/') {
            ++p;
            if (p < end && *p != '/' && !isBlank(*p)) {
                if (!readIndex(p, end, uv))
                    return failCorner(token, end);
                hasUV = true;
            }
            if (p < end && *p == '/') {
                ++p;
                if (p < end && !isBlank(*p)) {
                    if (!readIndex(p, end, normal))
                        return failCorner(token, end);
                    hasNormal = true;
                }
            }
        }
        if (p < end && !isBlank(*p))
            return failCorner(token, end);

        int32_t resolved = 0;
        if (!resolveIndex(vertex, vertexCount, resolved))
            return failIndex("vertex", vertex, vertexCount);
        m_mesh.cornerVertex.push_back(resolved);
        if (hasUV) {
            if (!resolveIndex(uv, uvCount, resolved))
                return failIndex("texture coordinate", uv, uvCount);
            if (!m_anyUV) {
                // The first corner with a UV: every corner before it has none.
                m_anyUV = true;
                if (m_cornerReserve > 0) {
                    try {
                        m_mesh.cornerUV.reserve(m_cornerReserve);
                    } catch (const std::bad_alloc&) {
                    }
                }
                m_mesh.cornerUV.assign(m_mesh.cornerVertex.size() - 1, -1);
            }
            m_mesh.cornerUV.push_back(resolved);
        } else if (m_anyUV) {
            m_mesh.cornerUV.push_back(-1);
        }
        // Normals are not kept, so their range is not checked; a 0 is malformed all the same.
        if (hasNormal && normal == 0)
            return fail(QStringLiteral("normal index 0 (indices count from 1)"));
    }
    const size_t corners = m_mesh.cornerVertex.size() - firstCorner;
    if (corners < 3)
        return fail(QStringLiteral("a face needs at least 3 vertices, this one has %1").arg(corners));
    if (m_mesh.cornerVertex.size() > size_t(kMaxElements))
        return fail(QStringLiteral("more face corners than the importer can hold"));
    m_mesh.facetStart.push_back(uint32_t(m_mesh.cornerVertex.size()));
    m_mesh.facetGroup.push_back(m_groups.current());
    m_mesh.facetMaterial.push_back(m_materials.current());
    return true;
}

bool VxObjParser::failCorner(const char* token, const char* end)
{
    return fail(QStringLiteral("face corner %1 is not an index or v/vt/vn indices").arg(quoted(token, wordEnd(token, end))));
}

bool VxObjParser::failIndex(const char* kind, long long index, long long count)
{
    if (index == 0)
        return fail(QStringLiteral("%1 index 0 (indices count from 1)").arg(QLatin1String(kind)));
    return fail(QStringLiteral("%1 index %2 is out of range (%3 defined so far)").arg(QLatin1String(kind)).arg(index).arg(count));
}

bool VxObjParser::failNumber(const char* token, const char* end, const char* what)
{
    return fail(QStringLiteral("%1 %2 is not a number").arg(QLatin1String(what), quoted(token, wordEnd(token, end))));
}

// Unknown statements are skipped, but one with control bytes in its keyword means the file
// is not text after all (binary data past the part checked up front).
bool VxObjParser::checkUnknownKeyword(const char* begin, const char* end)
{
    for (const char* p = begin; p < end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c < 0x20 || c == 0x7f)
            return fail(QStringLiteral("binary data, not text (byte 0x%1)").arg(uint(c), 2, 16, QLatin1Char('0')));
    }
    return true;
}

void VxObjParser::parseLibraries(const char* p, const char* end, qint64 line)
{
    for (;;) {
        p = skipBlanks(p, end);
        if (p == end || *p == '#')
            return;
        const char* stop = wordEnd(p, end);
        m_libraries.push_back({VxTextDecoder::decode(p, int(stop - p)), line});
        p = stop;
    }
}

bool VxObjParser::fail(const QString& reason)
{
    m_error = reason;
    return false;
}
