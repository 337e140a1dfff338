// libFuzzer target: arbitrary bytes as a Poser hierarchy file, through VxFSHierarchy::loadPHI;
// the document read must save as a template and read back the same.
#include "vxfuzzenvironment.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    VxFuzzEnvironment::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    VxFuzzEnvironment& environment = VxFuzzEnvironment::instance();
    QString mismatch;
    if (!environment.readers().readPHI(QByteArray(reinterpret_cast<const char*>(data), int(size)), &mismatch)) {
        std::fprintf(stderr, "PHI round trip: %s\n", qPrintable(mismatch));
        std::abort();
    }
    environment.trimLog();
    return 0;
}
