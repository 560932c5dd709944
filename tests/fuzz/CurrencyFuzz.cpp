// Money amounts read from text and written out again.
#include "lib/core/BKCurrency.h"
#include "tests/fuzz/FuzzSupport.h"

using Brenik::BKCurrency;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BKCurrency amount(FuzzText(data, size));
    amount.ToString();
    amount.ToAmericanString();
    amount.ToGermanString();
    amount.ToDouble();
    return 0;
}
