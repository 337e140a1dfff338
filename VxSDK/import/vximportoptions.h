#pragma once

#include "vxsdkglobal.h"

#include <QString>
#include <QStringList>

#include <vector>

class VxFileIOSettings;

// What the importer makes of its settings (VxFileIOSettings, from a script or an action's
// trigger settings):
//   "Scale" (number > 0, default 1): every position is multiplied by it, for files written
//           in other units;
//   "ZUp"   (bool, default false): the file's up axis is +Z; positions are turned a quarter
//           round X so that it becomes +Y, as the host expects.
// Keys are matched exactly; any other key is ignored and named, so a misspelt option does not
// pass unnoticed.
class VXSDK_EXPORT VxImportOptions
{
public:
    // False with the reason in *error when a known key holds a value it cannot mean (a scale
    // of "abc", 0 or infinity; a ZUp of "maybe"): importing with a guess would give a mesh
    // nobody asked for.
    static bool fromSettings(const VxFileIOSettings& settings, VxImportOptions* options, QString* error,
                             QStringList* ignoredKeys);

    double getScale() const { return m_scale; }
    bool isZUp() const { return m_zUp; }
    // True when the options leave positions as the file gives them.
    bool isIdentity() const { return m_scale == 1.0 && !m_zUp; }
    // Applies the options to xyz triples. False when a scaled position no longer fits a
    // float; the positions are then partly changed and must not be used.
    bool apply(std::vector<float>& positions) const;

private:
    double m_scale = 1.0;
    bool m_zUp = false;
};
