// Text to numbers and truth values, and the repair of bytes that are not UTF-8.
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

    // Integers are read as strtol (signed targets) or strtoul (unsigned) read them; a
    // narrower target keeps the low bits.
    const BKCasts value(repaired.c_str());
    const long expected = std::strtol(repaired.c_str(), nullptr, 10);
    const unsigned long expectedUnsigned = std::strtoul(repaired.c_str(), nullptr, 10);
    const auto signedLowBits = [](long number, int bits) {
        const long low = number & ((1l << bits) - 1);
        return low >= (1l << (bits - 1)) ? low - (1l << bits) : low;
    };
    if (value.ToLong() != expected || value.ToUnsignedLong() != expectedUnsigned ||
        value.ToInt() != signedLowBits(expected, 32) ||
        value.ToShort() != signedLowBits(expected, 16) ||
        value.ToUnsignedInt() != (expectedUnsigned & 0xFFFFFFFFul) ||
        value.ToUnsignedShort() != (expectedUnsigned & 0xFFFFul))
        __builtin_trap();
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
