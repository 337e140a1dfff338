#include "vxfuzzreaders.h"

#include "vxfshierarchy.h"
#include "vxfsphifile.h"
#include "vxfsregionitem.h"
#include "vxfstemplatefile.h"

#include "vxapp.h"
#include "vximportmgr.h"
#include "vxrefcounted.h"
#include "vxshape.h"

#include <QDomDocument>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>
#include <functional>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int countRegions(const VxFSHierarchy& document)
{
    int count = 0;
    for (const VxFSRegionItem* region = document.getFirstRegion(); region; region = region->getNextSibling())
        count += 1 + region->getNumChildren(true);
    return count;
}

} // namespace

VxFuzzReaders::VxFuzzReaders(const QString& workFolder) : m_folder(workFolder) {}

QString VxFuzzReaders::path(const QString& fileName) const
{
    return m_folder + QLatin1Char('/') + fileName;
}

QString VxFuzzReaders::writeInput(const QString& fileName, const QByteArray& bytes) const
{
    const QString target = path(fileName);
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("Cannot write the input file %s", qPrintable(target));
    return target;
}

bool VxFuzzReaders::readMesh(const QByteArray& bytes)
{
    const QString input = writeInput(QStringLiteral("input.obj"), bytes);
    VxShape* shape = nullptr;
    const int result = vxApp->getImportMgr()->readGeometry(input, &shape, -1);
    VxRefGuard<VxShape> owner(shape);
    return result == VxImportMgr::Success && shape;
}

bool VxFuzzReaders::readTemplate(const QByteArray& bytes, QString* mismatch)
{
    const QString input = writeInput(QStringLiteral("input.vxt"), bytes);
    VxFSHierarchy document;
    VxFSTemplateFile::loadPreset(document, input);
    return roundTrips(document, mismatch);
}

bool VxFuzzReaders::readPHI(const QByteArray& bytes, QString* mismatch)
{
    const QString input = writeInput(QStringLiteral("input.phi"), bytes);
    VxFSHierarchy document;
    VxFSPhiFile::loadPHI(document, input);
    return roundTrips(document, mismatch);
}

bool VxFuzzReaders::roundTrips(const VxFSHierarchy& document, QString* mismatch)
{
    if (!document.getFirstBone() || document.getNumBones(true) > 1000 || countRegions(document) > 1000)
        return true;
    const QString first = path(QStringLiteral("first.vxt"));
    const QString second = path(QStringLiteral("second.vxt"));
    QFile::remove(first);
    QFile::remove(second);
    VxFSTemplateFile::savePreset(document, first);
    VxFSHierarchy reread;
    VxFSTemplateFile::loadPreset(reread, first);
    VxFSTemplateFile::savePreset(reread, second);
    const QStringList expected = elementTree(readFile(first));
    const QStringList actual = elementTree(readFile(second));
    if (expected == QStringList(QStringLiteral("not XML"))) {
        if (mismatch)
            *mismatch = QStringLiteral("the saved template is not XML:\n") + QString::fromUtf8(readFile(first));
        return false;
    }
    if (expected == actual)
        return true;
    if (mismatch) {
        int line = 0;
        while (line < expected.size() && line < actual.size() && expected[line] == actual[line])
            ++line;
        *mismatch = QStringLiteral("saved and read again, element %1 differs:\n  first:  %2\n  second: %3")
                        .arg(line + 1)
                        .arg(expected.value(line, QStringLiteral("(none)")), actual.value(line, QStringLiteral("(none)")));
    }
    return false;
}

QStringList VxFuzzReaders::elementTree(const QByteArray& xml)
{
    QDomDocument document;
    QXmlStreamReader reader(xml);
    if (!document.setContent(&reader, false))
        return {QStringLiteral("not XML")};
    QStringList lines;
    QSet<QString> bonesSoFar;
    std::function<void(const QDomElement&, int)> walk = [&](const QDomElement& element, int depth) {
        if (element.tagName() == QLatin1String("Bone"))
            bonesSoFar.insert(element.attribute(QStringLiteral("Name"), QStringLiteral("Bone")));
        // The reader finds weld targets only among the bones read before them.
        if (element.tagName() == QLatin1String("WeldTarget")
            && !bonesSoFar.contains(element.attribute(QStringLiteral("WeldTargetName"))))
            return;
        QStringList attributes;
        const QDomNamedNodeMap map = element.attributes();
        for (int i = 0; i < map.count(); ++i)
            attributes.append(map.item(i).nodeName() + QLatin1Char('=') + map.item(i).nodeValue());
        attributes.sort();
        lines.append(QString(depth, QLatin1Char(' ')) + element.tagName() + QLatin1Char(' ')
                     + attributes.join(QLatin1Char(' ')));
        const int firstChild = lines.size();
        for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
            walk(child, depth + 1);
        // GeomItem elements are the last children of a Figure: sort that tail.
        auto geomItems = std::find_if(lines.begin() + firstChild, lines.end(), [depth](const QString& line) {
            return line.startsWith(QString(depth + 1, QLatin1Char(' ')) + QStringLiteral("GeomItem "));
        });
        std::sort(geomItems, lines.end());
    };
    walk(document.documentElement(), 0);
    return lines;
}
