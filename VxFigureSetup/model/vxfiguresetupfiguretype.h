#pragma once

#include <QMetaType>
#include <QString>

// The kind of figure a hierarchy document builds. Signals carry it as an argument and
// templates store the enumerator names as text ("SingleSkin", "Poser").
enum VxFigureSetupFigureType {
    SingleSkin = 0, // one skin mesh bound to a skeleton through weight maps
    Poser = 1,      // legacy parametric figure: joint parameters, welds, alternates, IK
};

Q_DECLARE_METATYPE(VxFigureSetupFigureType)

// Makes the type known to queued connections and signal spies; safe to call repeatedly.
void vxRegisterFigureSetupFigureType();

// "SingleSkin" or "Poser".
QString vxFigureTypeName(VxFigureSetupFigureType type);
// Exactly "Poser" selects Poser; every other text is SingleSkin.
VxFigureSetupFigureType vxFigureTypeFromName(const QString& name);
