#pragma once

#include "vxsdkglobal.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Streams JSON with keys in the order they are written (so output is stable and byte-
// identical for equal input), two-space indentation, and floats in the shortest form that
// reads back as the same 32-bit float. Numeric arrays (vectors, matrices) stay on one line.
class VXSDK_EXPORT VxJsonWriter
{
public:
    VxJsonWriter();

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // Names the next value inside an object.
    void key(const char* name);

    void value(const QString& text);
    void value(const char* text) { value(QString::fromUtf8(text)); }
    void value(float number);
    void value(int number);
    void value(qint64 number);
    void value(bool flag);
    void nullValue();
    void floatArray(const float* numbers, int count);

    // Shorthands for key(name) followed by the value.
    template<typename T>
    void field(const char* name, const T& v) { key(name); value(v); }
    void nullField(const char* name) { key(name); nullValue(); }

    // The text so far, ending in a newline once the top-level value is closed.
    QByteArray result() const { return m_out; }

    static QByteArray formatFloat(float number);
    static QByteArray quote(const QString& text);

private:
    struct Level
    {
        bool isObject;
        int count;
    };
    void beforeValue();
    void newline();

    QByteArray m_out;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};
