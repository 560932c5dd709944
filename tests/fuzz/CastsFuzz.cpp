// Text to numbers and truth values, and the repair of bytes that are not UTF-8.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "lib/core/BKCasts.h"
#include "lib/core/BKCurrency.h"
#include "lib/core/BKDateTime.h"
#include "tests/fuzz/FuzzSupport.h"

using Brenik::BKCasts;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const std::string repaired = BKCasts::RepairUtf8(bytes, size);
    if (!BKCasts::IsValidUtf8(repaired.data(), repaired.size()))
        __builtin_trap();
    if (BKCasts::IsValidUtf8(bytes, size) && repaired != std::string(bytes, size))
        __builtin_trap();

    const unsigned char* p = data;
    const unsigned char* end = data + size;
    unsigned int codePoint = 0;
    while (p < end) {
        const unsigned char* before = p;
        BKCasts::ReadCodePoint(p, end, codePoint);
        if (p <= before || p > end)
            __builtin_trap();
    }

    // Integers are read as strtol reads them and saturate at the target's bounds.
    const BKCasts value(repaired.c_str());
    const long expected = std::strtol(repaired.c_str(), nullptr, 10);
    if (value.ToLong() != expected ||
        value.ToInt() != std::clamp<long>(expected, INT_MIN, INT_MAX) ||
        value.ToShort() != std::clamp<long>(expected, SHRT_MIN, SHRT_MAX))
        __builtin_trap();
    value.ToUnsignedShort();
    value.ToUnsignedInt();
    value.ToLong();
    value.ToUnsignedLong();
    value.ToFloat();
    value.ToDouble();
    value.ToBool();
    value.ToCurrency();
    value.ToDateTime(L'-');
    delete[] value.ToChar();
    const wxString text = FuzzText(data, size);
    BKCasts::ToInt(text);
    BKCasts::ToDouble(text);
    BKCasts::ToBool(text);
    return 0;
}
