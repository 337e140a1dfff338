// Poser hierarchy import (.phi): VxFSHierarchy::loadPHI. The lines are read by VxFSPhiReader.
#include "vxfshierarchy.h"

#include "vxfsphireader.h"
#include "vxfstemplatexml.h"
#include "vxfswarningbox.h"

#include "vxapp.h"

#include <QFile>

namespace {

// QIODevice::readLine's limit: a longer line is cut and its rest read as the next line.
constexpr qint64 kMaxLineSize = 1024;

void refuse(const QString& title, const QString& text)
{
    VxFSWarningBox::show(title, text, vxApp ? vxApp->getDialogParent() : nullptr);
    if (vxApp)
        vxApp->log(QStringLiteral("Error reading PHI file: ") + text);
}

} // namespace

void VxFSHierarchy::loadPHI(const QString& fileName)
{
    VxFSPhiReader reader(*this);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(QStringLiteral("Error opening file"),
               QStringLiteral("Unable to open file \"%1\" for reading.").arg(fileName));
        return;
    }
    QList<QByteArray> lines;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(kMaxLineSize);
        if (line.isEmpty())
            break; // a read error: what was read is all there is
        lines.append(line);
    }
    file.close();

    // Bones nest no deeper than a template can hold, so that everything below stays within
    // the stack and the import can be saved as a template; a deeper file is refused before
    // the document changes.
    if (VxFSPhiReader::deepestBoneLevel(lines) > VxFSTemplateXml::MaxBoneDepth) {
        refuse(QStringLiteral("Can not import PHI file"),
               QStringLiteral("The PHI file \"%1\" nests its bones more than %2 levels deep and can not be imported.")
                   .arg(fileName)
                   .arg(VxFSTemplateXml::MaxBoneDepth));
        return;
    }

    clear(true);
    setFigureType(Poser);
    for (const QByteArray& line : qAsConst(lines))
        reader.readLine(line);
}
