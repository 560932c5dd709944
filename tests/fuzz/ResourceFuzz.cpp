// Resource texts: named, indented blocks read from a file.
#include "lib/core/BKLib.h"
#include "lib/core/BKStringHashMap.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFile file;
    Brenik::BKStringHashMap table;
    Brenik::BKLib::LoadResourceFile(file.Write(data, size), &table);
    return 0;
}
