#pragma once

#include "vxsdkglobal.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class VxObjInput;

// One logical line of an OBJ or MTL file: continuation lines joined, line end and leading
// and trailing blanks removed. `begin`/`end` stay valid until the next call of next().
struct VxObjLine
{
    const char* begin = nullptr;
    const char* end = nullptr;
    qint64 number = 0;   // the physical line it starts on, counted from 1
};

// Splits a mesh or material file into logical lines, the one lexical layer both readers
// share: LF, CRLF and CR line ends, a leading UTF-8 byte-order mark, backslash line
// continuations, whole-line comments, and files that are not text at all (UTF-16, binary).
//
// Lines are handed out in place from a fixed read buffer. Only a continued line, or one
// longer than the buffer, is copied, with runs of blanks squeezed to one space; the copy
// holds at most `limit(keyword)` bytes, so a megabyte comment or unknown statement costs
// nothing and an endless one ends with an error instead of eating memory.
class VXSDK_EXPORT VxObjLineReader
{
public:
    // The most bytes a joined line with this keyword may keep: 0 to drop its words (the
    // caller ignores such lines), SIZE_MAX for no limit.
    using ContentLimit = size_t (*)(const char* keyword, const char* keywordEnd);

    // The read buffer holds `bufferSize` bytes, or less for a smaller file (as far as the
    // input's size hint tells).
    VxObjLineReader(VxObjInput& input, ContentLimit limit, size_t bufferSize = size_t(1) << 20);

    // The next non-blank, non-comment line; false at the end of the data or on failure.
    bool next(VxObjLine& line);

    bool hasFailed() const { return m_failed; }
    // True when the failure is that the file is not text at all (UTF-16, binary).
    bool isNotText() const { return m_notText; }
    qint64 errorLine() const { return m_errorLine; }
    QString errorReason() const { return m_errorReason; }
    // Physical lines read so far.
    qint64 lineCount() const { return m_lineNumber - 1; }

    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

private:
    enum class Piece { Complete, Partial, End, Failed };

    Piece nextPiece(const char*& begin, const char*& end);
    const char* findLineEnd();
    bool fill();
    bool checkTextStart();
    void feed(const char* begin, const char* end);
    void closeWord();
    bool endPhysicalLine();
    bool takeJoined(VxObjLine& line);
    void fail(qint64 line, const QString& reason, bool notText = false);

    VxObjInput& m_input;
    ContentLimit m_limit;
    // Left uninitialised: only the bytes read into it are ever looked at, and filling a
    // megabyte with zeros would be most of the cost of reading a small file.
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity;
    size_t m_pos = 0;
    size_t m_end = 0;
    size_t m_lfAt;   // offset of the next '\n' at or after m_pos (m_end: none), or kUnknown
    size_t m_crAt;
    bool m_atEnd = false;
    bool m_started = false;
    qint64 m_lineNumber = 1;
    qint64 m_pieceLine = 0;

    // The line being joined: continuation lines or a line longer than the buffer.
    bool m_joining = false;
    std::string m_joined;
    qint64 m_joinedLine = 0;
    bool m_keywordDone = false;
    bool m_comment = false;
    bool m_pendingSpace = false;
    size_t m_keep = 0;
    size_t m_wordLength = 0;
    char m_lastNonBlank = 0;

    bool m_failed = false;
    bool m_notText = false;
    qint64 m_errorLine = 0;
    QString m_errorReason;
};
