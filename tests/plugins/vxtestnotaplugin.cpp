// A shared library that is not a plug-in: it exports functions, but not the two the host
// looks for.
#include <QtGlobal>

extern "C" {
Q_DECL_EXPORT int vxTestAnswer()
{
    return 42;
}

// Almost the right name: the host must not take it for getPluginDefinition.
Q_DECL_EXPORT void* getPluginDefinitions()
{
    return nullptr;
}
}
