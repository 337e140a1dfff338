// libFuzzer target: arbitrary bytes as a mesh file, through the host importer's readGeometry.
#include "vxfuzzenvironment.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    VxFuzzEnvironment& environment = VxFuzzEnvironment::instance();
    environment.readers().readMesh(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    environment.trimLog();
    return 0;
}
