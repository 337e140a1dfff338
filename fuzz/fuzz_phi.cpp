// libFuzzer target: arbitrary bytes as a Poser hierarchy file, through VxFSPhiFile::loadPHI;
// the document read must save as a template and read back the same.
#include "vxfuzzenvironment.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    VxFuzzEnvironment::instance().checkRoundTrip(&VxFuzzReaders::readPHI, "PHI", data, size);
    return 0;
}
