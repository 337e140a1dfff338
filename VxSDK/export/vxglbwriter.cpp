#include "vxglbwriter.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QtEndian>

namespace {
constexpr quint32 kMagic = 0x46546C67;     // "glTF"
constexpr quint32 kVersion = 2;
constexpr quint32 kJsonChunk = 0x4E4F534A; // "JSON"
constexpr quint32 kBinChunk = 0x004E4942;  // "BIN\0"

void appendWord(QByteArray& out, quint32 word)
{
    char bytes[4];
    qToLittleEndian(word, bytes);
    out.append(bytes, 4);
}

void appendChunk(QByteArray& out, quint32 type, const QByteArray& data, char padding)
{
    const int padded = (data.size() + 3) & ~3;
    appendWord(out, quint32(padded));
    appendWord(out, type);
    out.append(data);
    out.append(padded - data.size(), padding);
}
} // namespace

QByteArray VxGlbWriter::pack(const QJsonObject& json, const QByteArray& binary)
{
    const QByteArray text = QJsonDocument(json).toJson(QJsonDocument::Compact);
    QByteArray out;
    out.reserve(12 + 8 + text.size() + 3 + 8 + binary.size() + 3);
    appendWord(out, kMagic);
    appendWord(out, kVersion);
    appendWord(out, 0); // total length, filled in below
    appendChunk(out, kJsonChunk, text, ' ');
    if (!binary.isEmpty())
        appendChunk(out, kBinChunk, binary, '\0');
    qToLittleEndian(quint32(out.size()), out.data() + 8);
    return out;
}

bool VxGlbWriter::save(const QString& path, const QByteArray& glb, QString* error)
{
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Cannot write the glTF file %1: %2").arg(path, reason);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file name was given"));
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("it is a folder"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(glb) != glb.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
