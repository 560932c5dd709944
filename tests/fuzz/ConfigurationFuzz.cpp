// The configuration file as read from disk, and its line functions on their own.
#include <fuzzer/FuzzedDataProvider.h>

#include "lib/core/BKConfiguration.h"
#include "tests/fuzz/FuzzSupport.h"

using Brenik::BKConfiguration;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFile file;
    FuzzedDataProvider input(data, size);
    const bool fromLineStart = input.ConsumeBool();
    const wxString commentChars = FuzzText(input.ConsumeRandomLengthString(4));
    const std::string content = input.ConsumeRemainingBytesAsString();

    BKConfiguration configuration(commentChars, fromLineStart);
    configuration.Load(
        file.Write(reinterpret_cast<const uint8_t*>(content.data()), content.size()));
    configuration.Get(wxT("key"), wxT("default")).ToString();

    wxString key;
    wxString value;
    configuration.SplitLine(configuration.RemoveComment(FuzzText(content)), &key, &value);
    return 0;
}
