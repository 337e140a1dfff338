#include "vxfigurepluginexports.h"

#include "vxfigureplugindefinition.h"

VxVersion getSDKVersion()
{
    return VxVersion(4, 22, 0, 7);
}

VxPlugin* getPluginDefinition()
{
    return VxFigurePluginDefinition::get();
}
