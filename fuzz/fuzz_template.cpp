// libFuzzer target: arbitrary bytes as a figure template, through VxFSTemplateFile::loadPreset;
// whatever was read must save and read back the same.
#include "vxfuzzenvironment.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    VxFuzzEnvironment::instance().checkRoundTrip(&VxFuzzReaders::readTemplate, "Template", data, size);
    return 0;
}
