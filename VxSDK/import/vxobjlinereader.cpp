#include "vxobjlinereader.h"

#include "vxobjinput.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kUnknown = size_t(-1);
// Text files show what they are in their first bytes; binary formats with a text header
// (PLY, STL) show their binary part well within this.
constexpr size_t kSniffSize = 64 * 1024;
constexpr size_t kMaxWord = 1024 * 1024;

bool isControlByte(unsigned char c)
{
    // Tab, line ends, vertical tab, form feed and the DOS end-of-file mark occur in text.
    return c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1a;
}

// Line number of the byte at `offset` of the file's first block.
qint64 lineAt(const char* data, size_t offset)
{
    qint64 line = 1;
    for (size_t i = 0; i < offset; ++i) {
        if (data[i] == '\n' || (data[i] == '\r' && (i + 1 >= offset || data[i + 1] != '\n')))
            ++line;
    }
    return line;
}

QString binaryMessage(unsigned char byte)
{
    return QStringLiteral("the file is binary, not text (byte 0x%1)").arg(uint(byte), 2, 16, QLatin1Char('0'));
}

// A small file gets a buffer of its size and a byte more (a full buffer means a line longer
// than the buffer), but never less than this: a compressed file's size hint may be wrong.
constexpr size_t kSmallestFittedBuffer = 64 * 1024;

size_t bufferCapacity(size_t requested, qint64 sizeHint)
{
    size_t capacity = std::max<size_t>(requested, 16);
    if (sizeHint > 0 && size_t(sizeHint) < capacity)
        capacity = std::min(capacity, std::max(size_t(sizeHint) + 1, kSmallestFittedBuffer));
    return capacity;
}
} // namespace

VxObjLineReader::VxObjLineReader(VxObjInput& input, ContentLimit limit, size_t bufferSize)
    : m_input(input),
      m_limit(limit),
      m_capacity(bufferCapacity(bufferSize, input.sizeHint())),
      m_lfAt(kUnknown),
      m_crAt(kUnknown)
{
    m_buffer.reset(new char[m_capacity]);
}

bool VxObjLineReader::next(VxObjLine& line)
{
    while (!m_failed) {
        const char* begin = nullptr;
        const char* end = nullptr;
        const Piece piece = nextPiece(begin, end);
        if (piece == Piece::Failed)
            return false;
        if (piece == Piece::End)
            return m_joining && takeJoined(line);

        if (!m_joining && piece == Piece::Complete) {
            // The common case: a whole line in the buffer, used in place.
            while (begin < end && isBlank(*begin))
                ++begin;
            if (begin == end || *begin == '#')
                continue;
            const char* last = end - 1;
            while (isBlank(*last))
                --last;
            if (*last != '\\') {
                line = {begin, last + 1, m_pieceLine};
                return true;
            }
        }
        if (!m_joining) {
            m_joining = true;
            m_joined.clear();
            m_joinedLine = m_pieceLine;
            m_keywordDone = false;
            m_comment = false;
            m_pendingSpace = false;
            m_keep = size_t(-1);
            m_wordLength = 0;
            m_lastNonBlank = 0;
        }
        feed(begin, end);
        if (m_failed)
            return false;
        if (piece == Piece::Complete && endPhysicalLine() && takeJoined(line))
            return true;
    }
    return false;
}

// A physical line (Complete) or, when a line does not fit in the buffer, the buffer's worth
// of it (Partial; the rest follows in later pieces).
VxObjLineReader::Piece VxObjLineReader::nextPiece(const char*& begin, const char*& end)
{
    for (;;) {
        char* data = m_buffer.get();
        if (const char* eol = findLineEnd()) {
            size_t next = size_t(eol - data) + 1;
            if (*eol == '\r' && next == m_end && !m_atEnd) {
                // A CR at the end of the buffer may be the first half of a CRLF: read on.
                if (m_pos > 0 || m_end < m_capacity) {
                    if (!fill())
                        return Piece::Failed;
                    continue;
                }
                begin = data;
                end = eol;
                m_pos = size_t(eol - data);
                m_pieceLine = m_lineNumber;
                return Piece::Partial;
            }
            if (*eol == '\r' && next < m_end && data[next] == '\n')
                ++next;
            begin = data + m_pos;
            end = eol;
            m_pos = next;
            m_pieceLine = m_lineNumber++;
            return Piece::Complete;
        }
        if (m_atEnd) {
            if (m_pos == m_end)
                return Piece::End;
            begin = data + m_pos;   // the last line, without a line end
            end = data + m_end;
            m_pos = m_end;
            m_pieceLine = m_lineNumber++;
            return Piece::Complete;
        }
        if (m_pos == 0 && m_end == m_capacity) {
            begin = data;
            end = data + m_end;
            m_pos = m_end;
            m_pieceLine = m_lineNumber;
            return Piece::Partial;
        }
        if (!fill())
            return Piece::Failed;
    }
}

// The next LF and the next CR are searched separately and remembered, so each byte is
// looked at about twice whatever the line ends (a lone-CR file never rescans for an LF).
const char* VxObjLineReader::findLineEnd()
{
    const char* data = m_buffer.get();
    if (m_lfAt == kUnknown || m_lfAt < m_pos) {
        const void* at = std::memchr(data + m_pos, '\n', m_end - m_pos);
        m_lfAt = at ? size_t(static_cast<const char*>(at) - data) : m_end;
    }
    if (m_crAt == kUnknown || m_crAt < m_pos) {
        const void* at = std::memchr(data + m_pos, '\r', m_end - m_pos);
        m_crAt = at ? size_t(static_cast<const char*>(at) - data) : m_end;
    }
    const size_t at = std::min(m_lfAt, m_crAt);
    return at < m_end ? data + at : nullptr;
}

bool VxObjLineReader::fill()
{
    char* data = m_buffer.get();
    if (m_pos > 0) {
        std::memmove(data, data + m_pos, m_end - m_pos);
        m_end -= m_pos;
        m_pos = 0;
    }
    m_lfAt = m_crAt = kUnknown;
    const qint64 got = m_input.read(data + m_end, qint64(m_capacity - m_end));
    if (got < 0) {
        fail(m_lineNumber, m_input.errorString());
        return false;
    }
    if (got == 0)
        m_atEnd = true;
    const size_t readFrom = m_end;
    m_end += size_t(got);
    if (!m_started) {
        m_started = true;
        if (!checkTextStart())
            return false;
    }
    // Text never holds a NUL byte. Past the first block one means binary data; a long run of
    // zeros would otherwise be read as one endless line or, in a comment, skipped unnoticed.
    if (const void* nul = std::memchr(data + readFrom, '\0', m_end - readFrom)) {
        const size_t at = size_t(static_cast<const char*>(nul) - data);
        fail(m_lineNumber + lineAt(data + m_pos, at - m_pos) - 1, binaryMessage(0), true);
        return false;
    }
    return true;
}

bool VxObjLineReader::checkTextStart()
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_buffer.get());
    if (m_end >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf)
        m_pos = 3;
    const bool utf16Mark = m_end >= 2 && ((bytes[0] == 0xfe && bytes[1] == 0xff) || (bytes[0] == 0xff && bytes[1] == 0xfe));
    // Without a byte-order mark, UTF-16 text of ASCII characters has a NUL in every other byte.
    const size_t sample = std::min(m_end, size_t(512)) & ~size_t(1);
    size_t nulls[2] = {0, 0};
    for (size_t i = 0; i < sample; ++i)
        nulls[i & 1] += bytes[i] == 0;
    const size_t half = sample / 2;
    const bool utf16Pattern = half >= 2 && ((nulls[0] * 5 >= half * 2 && nulls[1] * 10 <= half)
                                            || (nulls[1] * 5 >= half * 2 && nulls[0] * 10 <= half));
    if (utf16Mark || utf16Pattern) {
        fail(1, QStringLiteral("the file is UTF-16 text; only ASCII and UTF-8 can be read"), true);
        return false;
    }
    const size_t sniff = std::min(m_end, kSniffSize);
    for (size_t i = m_pos; i < sniff; ++i) {
        if (isControlByte(bytes[i])) {
            fail(lineAt(m_buffer.get(), i), binaryMessage(bytes[i]), true);
            return false;
        }
    }
    return true;
}

// Appends a piece of a joined line, squeezing runs of blanks to one space and dropping the
// words of lines whose keyword is not kept.
void VxObjLineReader::feed(const char* begin, const char* end)
{
    for (const char* p = begin; p < end; ++p) {
        const char c = *p;
        if (isBlank(c)) {
            closeWord();
            continue;
        }
        m_lastNonBlank = c;
        if (m_joined.empty() && !m_keywordDone && c == '#') {
            m_comment = true;   // the rest of a comment line is never kept
            m_keywordDone = true;
            m_keep = 0;
        }
        if (m_keywordDone && m_keep == 0)
            continue;
        if (m_pendingSpace) {
            m_joined += ' ';
            m_pendingSpace = false;
        }
        m_joined += c;
        if (++m_wordLength > kMaxWord) {
            fail(m_joinedLine, QStringLiteral("a word longer than %1 bytes").arg(kMaxWord));
            return;
        }
        if (m_joined.size() > m_keep) {
            fail(m_joinedLine, QStringLiteral("the line is longer than %1 bytes").arg(m_keep));
            return;
        }
    }
}

void VxObjLineReader::closeWord()
{
    m_wordLength = 0;
    if (m_joined.empty())
        return;
    if (!m_keywordDone) {
        m_keywordDone = true;
        m_keep = m_limit ? m_limit(m_joined.data(), m_joined.data() + m_joined.size()) : size_t(-1);
    }
    if (m_keep > 0)
        m_pendingSpace = true;
}

// True when the logical line ends here; false when a backslash continues it. Comments
// end with their physical line whatever they end with.
bool VxObjLineReader::endPhysicalLine()
{
    const bool continues = !m_comment && m_lastNonBlank == '\\';
    m_lastNonBlank = 0;
    if (continues && !m_joined.empty() && m_joined.back() == '\\' && !(m_keywordDone && m_keep == 0)) {
        m_joined.pop_back();
        if (!m_joined.empty() && m_joined.back() == ' ')
            m_joined.pop_back();
    }
    m_pendingSpace = false;
    closeWord();   // a line end, joined or not, ends a word
    return !continues;
}

bool VxObjLineReader::takeJoined(VxObjLine& line)
{
    m_joining = false;
    if (m_comment || m_joined.empty())
        return false;
    line = {m_joined.data(), m_joined.data() + m_joined.size(), m_joinedLine};
    return true;
}

void VxObjLineReader::fail(qint64 line, const QString& reason, bool notText)
{
    if (m_failed)
        return;
    m_failed = true;
    m_notText = notText;
    m_errorLine = line;
    m_errorReason = reason;
}
