// Dates and times read from text: database forms and the German forms.
#include <fuzzer/FuzzedDataProvider.h>

#include "lib/core/BKDateTime.h"
#include "tests/fuzz/FuzzSupport.h"

using Brenik::BKDateTime;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const wchar_t separator = input.ConsumeBool() ? L'-' : L'.';
    const wxString first = FuzzText(input.ConsumeRandomLengthString(32));
    const wxString second = FuzzText(input.ConsumeRemainingBytesAsString());

    // Whatever was read, its database text must read back as the same moment.
    BKDateTime timestamp(first, separator);
    const wxString stored = timestamp.ToDatabaseDateTime();
    if (!stored.empty() && BKDateTime(stored, L'-').ToDatabaseDateTime() != stored)
        __builtin_trap();
    timestamp.ToGermanDate();
    timestamp.ToCookieDateTime();

    BKDateTime german(first, second);
    german.ToDatabaseDate();
    german.ToDatabaseTime();

    BKDateTime parts;
    parts.SetBySQLTimestamp(second, separator);
    parts.SetBySQLDate(first, separator);
    parts.SetBySQLTime(second);
    parts.SetAmericanDate(first);
    parts.SetGermanDate(first, second);
    parts.ToDatabaseDateTime();
    BKDateTime::IsGermanDate(first);
    BKDateTime::IsGermanTime(second);
    return 0;
}
