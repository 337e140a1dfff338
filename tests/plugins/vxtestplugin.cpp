// A minimal plug-in for the host tests, built in variants by compile definitions:
//   VX_TEST_SDK_MAJOR/MINOR  the SDK version it claims to be built against
//   VX_TEST_NO_DEFINITION    getPluginDefinition returns null
//   VX_TEST_NAME             the plug-in's name
#include "vxclassfactory.h"
#include "vxplugin.h"
#include "vxversion.h"

#include <QObject>

namespace {
// A class for the plug-in to register, so that the listing has a factory to show.
class VxTestGreeter : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestGreeter() = default;
};

VxTHostClassFactory<VxTestGreeter> g_factory(VxGuid(QStringLiteral("0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9")));

[[maybe_unused]] VxPlugin& definition()
{
    static VxPlugin plugin(QStringLiteral(VX_TEST_NAME), QStringLiteral("Host tests"),
                           QStringLiteral("A plug-in for the host tests."), VxVersion(0, 1, 0, 0));
    static bool filled = false;
    if (!filled) {
        plugin.addClassFactory(&g_factory);
        filled = true;
    }
    return plugin;
}
} // namespace

extern "C" {
Q_DECL_EXPORT VxVersion getSDKVersion()
{
    return VxVersion(VX_TEST_SDK_MAJOR, VX_TEST_SDK_MINOR, 0, 1);
}

Q_DECL_EXPORT VxPlugin* getPluginDefinition()
{
#ifdef VX_TEST_NO_DEFINITION
    return nullptr;
#else
    return &definition();
#endif
}
}

#include "vxtestplugin.moc"
