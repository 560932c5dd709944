// The template engine: a template and values of the three kinds of placeholders.
#include <fuzzer/FuzzedDataProvider.h>

#include "lib/template/BKTemplate.h"
#include "tests/fuzz/FuzzSupport.h"

using Brenik::BKTemplate;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    BKTemplate engine;
    for (int i = 0; i < 3 && input.remaining_bytes() > 0; ++i) {
        const wxString name = FuzzText(input.ConsumeRandomLengthString(16));
        const wxString value = FuzzText(input.ConsumeRandomLengthString(64));
        switch (input.ConsumeIntegralInRange(0, 2)) {
            case 0:
                engine.SetVariable(name, value);
                break;
            case 1:
                engine.SetInternVariable(name, value);
                break;
            default:
                engine.SetDynamicVariable(name, value);
                break;
        }
    }
    engine.SetContent(FuzzText(input.ConsumeRemainingBytesAsString()));
    engine.Parse();
    return 0;
}
