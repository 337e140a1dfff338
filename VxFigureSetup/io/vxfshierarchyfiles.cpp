// The document's file entry points (VxFSHierarchy::savePreset, loadPreset, loadPHI), defined
// with the file formats they hand over to, so that the model itself includes none of them.
#include "vxfshierarchy.h"

#include "vxfsphifile.h"
#include "vxfstemplatefile.h"

void VxFSHierarchy::savePreset(const QString& fileName) const
{
    VxFSTemplateFile::savePreset(*this, fileName);
}

void VxFSHierarchy::loadPreset(const QString& fileName)
{
    VxFSTemplateFile::loadPreset(*this, fileName);
}

void VxFSHierarchy::loadPHI(const QString& fileName)
{
    VxFSPhiFile::loadPHI(*this, fileName);
}
