#include "vxfsphifile.h"

#include "vxfsphireader.h"
#include "vxfsreaderguard.h"
#include "vxfstemplatexml.h"

#include "vxfshierarchy.h"
#include "vxfswarningbox.h"

#include "vxapp.h"
#include "vxcontentmgr.h"
#include "vxfileio.h"

#include <QFile>

namespace {

// QIODevice::readLine's limit: a longer line is cut and its rest read as the next line.
constexpr int kMaxLineSize = 1024;

void refuse(const QString& title, const QString& text)
{
    VxFSWarningBox::show(title, text, vxApp ? vxApp->getDialogParent() : nullptr);
    if (vxApp)
        vxApp->log(QStringLiteral("Error reading PHI file: ") + text);
}

} // namespace

template <class Take>
void VxFSPhiFile::forEachLine(QFile& file, Take take)
{
    if (!file.seek(0))
        return;
    char line[kMaxLineSize];
    // A read error ends the file: what was read is all there is.
    for (qint64 size; (size = file.readLine(line, kMaxLineSize)) > 0;)
        take(QByteArray::fromRawData(line, int(size)));
}

void VxFSPhiFile::loadPHI(VxFSHierarchy& hierarchy, const QString& fileName)
{
    QFile file(fileName);
    if (!VxFileIO::openRegularFile(file, QIODevice::ReadOnly)) {
        refuse(QStringLiteral("Error opening file"), QStringLiteral("Unable to open file \"%1\" for reading.").arg(fileName));
        return;
    }
    // Every geometry path of the file is resolved against one listing of the content folders.
    const VxContentSearchSession session(vxApp ? vxApp->getContentMgr() : nullptr);
    bool tooDeep = false;
    bool cleared = false;
    const QString failure = VxFSReaderGuard::run([&] {
        // Bones nest no deeper than a template can hold, so that everything below stays
        // within the stack and the import can be saved as a template.
        VxFSPhiNesting nesting;
        forEachLine(file, [&nesting](const QByteArray& line) { nesting.addLine(line); });
        if (nesting.deepestLevel() > VxFSTemplateXml::MaxBoneDepth) {
            tooDeep = true;
            return;
        }
        VxFSPhiReader reader(hierarchy);
        hierarchy.clear(true);
        cleared = true;
        hierarchy.setFigureType(Poser);
        forEachLine(file, [&reader](const QByteArray& line) { reader.readLine(line); });
    });
    if (tooDeep) {
        refuse(QStringLiteral("Can not import PHI file"),
               QStringLiteral("The PHI file \"%1\" nests its bones more than %2 levels deep and can not be imported.")
                   .arg(fileName)
                   .arg(VxFSTemplateXml::MaxBoneDepth));
    } else if (!failure.isEmpty()) {
        const QString outcome = cleared ? QStringLiteral("The figure holds what was read before that.")
                                        : QStringLiteral("The figure was left as it was.");
        refuse(QStringLiteral("Can not import PHI file"),
               QStringLiteral("The PHI file \"%1\" could not be read: %2. %3").arg(fileName, failure, outcome));
    }
}
