#include "vxtextdecoder.h"

#include <QTextCodec>

QString VxTextDecoder::decode(const char* data, int size)
{
    // Decoded with the size: the overloads without it stop at the first NUL byte.
    QTextCodec::ConverterState state;
    const QString utf8 = QTextCodec::codecForMib(106)->toUnicode(data, size, &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return utf8;
    return QString::fromLatin1(data, size);
}
