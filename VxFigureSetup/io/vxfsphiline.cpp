#include "vxfsphiline.h"

#include "vxfstemplatexml.h"

#include "vxtextdecoder.h"

QStringList VxFSPhiLine::tokenize(const QByteArray& bytes)
{
    const QByteArray simplified = bytes.simplified();
    QStringList tokens;
    if (simplified.isEmpty())
        return tokens;
    // Characters a template cannot hold are replaced as the line is read, so that the
    // document's name rules see the names it will save: two bones whose names differ only
    // in such characters would otherwise collapse into one name in the template.
    for (const QByteArray& token : simplified.split(' '))
        tokens.append(VxFSTemplateXml::xmlSafe(VxTextDecoder::decode(token)));
    return tokens;
}

int VxFSPhiLine::rotationOrderFromCode(const QString& code)
{
    static const char* const codes[] = {"xyz", "xzy", "yxz", "yzx", "zxy", "zyx"};
    const QString lower = code.toLower();
    for (int order = 0; order < 6; ++order) {
        if (lower == QLatin1String(codes[order]))
            return order;
    }
    return -1;
}

VxFSPhiLine::VxFSPhiLine(const QByteArray& bytes, bool geometrySeen) : m_tokens(tokenize(bytes))
{
    if (m_tokens.isEmpty())
        return;
    const QString& first = m_tokens.first();
    if (!geometrySeen) {
        if (first.startsWith(QLatin1String("objFile"), Qt::CaseInsensitive))
            m_kind = Geometry;
        return;
    }
    bool isNumber = false;
    const int depth = first.toInt(&isNumber, 10);
    if (isNumber) {
        m_kind = Bone;
        m_depth = depth;
    } else if (first == QLatin1String("ikChain")) {
        m_kind = IKChain;
    }
}
