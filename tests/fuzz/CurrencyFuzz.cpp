// Money amounts read from text and written out again.
#include "lib/core/BKCurrency.h"
#include "tests/fuzz/FuzzSupport.h"

using Brenik::BKCurrency;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BKCurrency amount(FuzzText(data, size));
    // An amount written out must read back as the same amount.
    const wxString written = amount.ToString();
    if (BKCurrency(written).ToString() != written)
        __builtin_trap();
    amount.ToAmericanString();
    amount.ToGermanString();
    amount.ToDouble();
    return 0;
}
