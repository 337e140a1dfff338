#include "vxfiguresetupfiguretype.h"

void vxRegisterFigureSetupFigureType()
{
    static const int id = qRegisterMetaType<VxFigureSetupFigureType>("VxFigureSetupFigureType");
    Q_UNUSED(id);
}

QString vxFigureTypeName(VxFigureSetupFigureType type)
{
    return type == Poser ? QStringLiteral("Poser") : QStringLiteral("SingleSkin");
}

VxFigureSetupFigureType vxFigureTypeFromName(const QString& name)
{
    return name == QLatin1String("Poser") ? Poser : SingleSkin;
}
