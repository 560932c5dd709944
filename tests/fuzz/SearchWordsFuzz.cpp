// The search phrase split into words and operators. The count includes empty quoted
// words, which add nothing to the arrays.
#include <wx/arrstr.h>

#include "lib/core/BKLib.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wxArrayString operators;
    wxArrayString words;
    const int count = Brenik::BKLib::ParseSearchWords(FuzzText(data, size), &operators, &words);
    if (count < 0 || static_cast<size_t>(count) < words.size() || operators.size() != words.size())
        __builtin_trap();
    return 0;
}
