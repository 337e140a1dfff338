#include "vxmtlreader.h"

#include "vxobjinput.h"
#include "vxobjlinereader.h"

#include "vxtextdecoder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t kMaxStatement = 64 * 1024;

bool keywordIs(const char* begin, const char* end, const char* keyword)
{
    const size_t length = std::strlen(keyword);
    return size_t(end - begin) == length && std::memcmp(begin, keyword, length) == 0;
}

size_t contentLimit(const char* keyword, const char* keywordEnd)
{
    return keywordIs(keyword, keywordEnd, "newmtl") || keywordIs(keyword, keywordEnd, "Kd")
                   || keywordIs(keyword, keywordEnd, "map_Kd")
               ? kMaxStatement
               : 0;
}

QList<QByteArray> wordsOf(const char* p, const char* end)
{
    QList<QByteArray> words;
    while (p < end) {
        while (p < end && VxObjLineReader::isBlank(*p))
            ++p;
        const char* start = p;
        while (p < end && !VxObjLineReader::isBlank(*p))
            ++p;
        if (p > start)
            words.append(QByteArray(start, int(p - start)));
    }
    return words;
}

} // namespace

bool VxMtlReader::read(const QString& path)
{
    m_error.clear();
    VxObjInput input;
    if (!input.open(path)) {
        m_error = input.errorString();
        return false;
    }
    VxObjLineReader reader(input, &contentLimit, 64 * 1024);
    const QDir folder = QFileInfo(path).dir();
    VxMtlMaterial* current = nullptr;
    VxMtlMaterial ignored;   // the body of a material defined before
    VxObjLine line;
    while (reader.next(line)) {
        const char* keywordEnd = line.begin;
        while (keywordEnd < line.end && !VxObjLineReader::isBlank(*keywordEnd))
            ++keywordEnd;
        const QString where = QStringLiteral("%1:%2: ").arg(path).arg(line.number);
        if (keywordIs(line.begin, keywordEnd, "newmtl")) {
            const QString name = VxTextDecoder::decode(wordsOf(keywordEnd, line.end).join(' '));
            current = m_materials.contains(name) ? &ignored : &m_materials[name];
        } else if (!current) {
            continue;
        } else if (keywordIs(line.begin, keywordEnd, "Kd")) {
            readColor(keywordEnd, line.end, *current, where);
        } else if (keywordIs(line.begin, keywordEnd, "map_Kd")) {
            // Options come first ("-s 1 1 1 skin.png"); the file name is the last word.
            const QList<QByteArray> words = wordsOf(keywordEnd, line.end);
            if (words.isEmpty()) {
                m_warnings.append(where + QStringLiteral("map_Kd without a file name"));
                continue;
            }
            QString texture = VxTextDecoder::decode(words.last());
            texture.replace(QLatin1Char('\\'), QLatin1Char('/'));
            current->diffuseTexture = QDir::cleanPath(folder.filePath(texture));
        }
    }
    if (reader.hasFailed()) {
        m_error = QStringLiteral("line %1: %2").arg(reader.errorLine()).arg(reader.errorReason());
        return false;
    }
    return true;
}

// "Kd r g b"; "Kd r" means grey. Spectral and CIE XYZ forms are not used by the host.
void VxMtlReader::readColor(const char* p, const char* end, VxMtlMaterial& material, const QString& where)
{
    const QList<QByteArray> words = wordsOf(p, end);
    if (!words.isEmpty() && (words.first() == "spectral" || words.first() == "xyz"))
        return;
    float rgb[3];
    const int count = std::min<int>(words.size(), 3);
    for (int i = 0; i < count; ++i) {
        const QByteArray& word = words[i];
        const char* start = word.constData();
        if (*start == '+')
            ++start;
        const auto result = std::from_chars(start, word.constData() + word.size(), rgb[i]);
        if (result.ec != std::errc() || result.ptr != word.constData() + word.size() || !std::isfinite(rgb[i])) {
            m_warnings.append(where + QStringLiteral("Kd colour '%1' is not a number").arg(VxTextDecoder::decode(word)));
            return;
        }
        rgb[i] = std::clamp(rgb[i], 0.0f, 1.0f);
    }
    if (count == 0 || count == 2) {
        m_warnings.append(where + QStringLiteral("Kd needs r g b (or one grey value)"));
        return;
    }
    if (count == 1)
        rgb[1] = rgb[2] = rgb[0];
    material.diffuseColor = QColor::fromRgbF(double(rgb[0]), double(rgb[1]), double(rgb[2]));
}
