// The query parser: a statement template with placeholders, each bound to a value.
#include <fuzzer/FuzzedDataProvider.h>

#include "lib/db/BKQueryParser.h"
#include "tests/fuzz/FuzzSupport.h"

using Brenik::BKQueryParser;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const wxString value = FuzzText(input.ConsumeRandomLengthString(32));
    const bool delimiters = input.ConsumeBool();
    const bool escape = input.ConsumeBool();
    BKQueryParser parser;
    parser.Prepare(FuzzText(input.ConsumeRemainingBytesAsString()));
    // Every word between colons may be a placeholder; binding a name that is none must
    // be refused harmlessly, so every candidate is tried.
    const wxString query = parser.GetQuery();
    size_t start = query.find(':');
    while (start != wxString::npos) {
        const size_t end = query.find(':', start + 1);
        if (end == wxString::npos)
            break;
        parser.Bind(query.substr(start + 1, end - start - 1), value, delimiters, escape);
        start = end;
    }
    parser.GetParsedQuery();
    return 0;
}
