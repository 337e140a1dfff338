#include "vxjsonwriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

VxJsonWriter::VxJsonWriter() = default;

QByteArray VxJsonWriter::formatFloat(float number)
{
    if (!std::isfinite(number))
        return QByteArrayLiteral("null"); // JSON has no infinities or NaN
    char buffer[32];
    // Shortest digits that read back as exactly this float.
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), number);
    return QByteArray(buffer, int(result.ptr - buffer));
}

QByteArray VxJsonWriter::quote(const QString& text)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    out.append('"');
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof(escaped), "\\u%04x", unsigned(static_cast<unsigned char>(c)));
                out.append(escaped);
            } else {
                out.append(c);
            }
        }
    }
    out.append('"');
    return out;
}

void VxJsonWriter::newline()
{
    m_out.append('\n');
    m_out.append(QByteArray(int(m_levels.size()) * 2, ' '));
}

void VxJsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    if (level.count++ > 0)
        m_out.append(',');
    newline();
}

void VxJsonWriter::key(const char* name)
{
    Level& level = m_levels.back();
    if (level.count++ > 0)
        m_out.append(',');
    newline();
    m_out.append(quote(QString::fromUtf8(name)));
    m_out.append(": ");
    m_afterKey = true;
}

void VxJsonWriter::beginObject()
{
    beforeValue();
    m_out.append('{');
    m_levels.push_back({true, 0});
}

void VxJsonWriter::endObject()
{
    const bool empty = m_levels.back().count == 0;
    m_levels.pop_back();
    if (!empty)
        newline();
    m_out.append('}');
    if (m_levels.empty())
        m_out.append('\n');
}

void VxJsonWriter::beginArray()
{
    beforeValue();
    m_out.append('[');
    m_levels.push_back({false, 0});
}

void VxJsonWriter::endArray()
{
    const bool empty = m_levels.back().count == 0;
    m_levels.pop_back();
    if (!empty)
        newline();
    m_out.append(']');
    if (m_levels.empty())
        m_out.append('\n');
}

void VxJsonWriter::value(const QString& text)
{
    beforeValue();
    m_out.append(quote(text));
}

void VxJsonWriter::value(float number)
{
    beforeValue();
    m_out.append(formatFloat(number));
}

void VxJsonWriter::value(int number)
{
    beforeValue();
    m_out.append(QByteArray::number(number));
}

void VxJsonWriter::value(qint64 number)
{
    beforeValue();
    m_out.append(QByteArray::number(number));
}

void VxJsonWriter::value(bool flag)
{
    beforeValue();
    m_out.append(flag ? "true" : "false");
}

void VxJsonWriter::nullValue()
{
    beforeValue();
    m_out.append("null");
}

void VxJsonWriter::floatArray(const float* numbers, int count)
{
    beforeValue();
    m_out.append('[');
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            m_out.append(", ");
        m_out.append(formatFloat(numbers[i]));
    }
    m_out.append(']');
}
