// One CSV field under settings of any delimiters and line-break replacement.
#include <fuzzer/FuzzedDataProvider.h>

#include "directory/CompanyEntity.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const wxString fieldDelimiter = FuzzText(input.ConsumeRandomLengthString(3));
    const wxString textDelimiter = FuzzText(input.ConsumeRandomLengthString(3));
    const wxString lineBreak = FuzzText(input.ConsumeRandomLengthString(3));
    const bool replaceLineBreak = input.ConsumeBool();
    const wxString replaceWith = FuzzText(input.ConsumeRandomLengthString(3));
    const bool appendFieldDelimiter = input.ConsumeBool();
    const bool enclose = input.ConsumeBool();
    const wxString value = FuzzText(input.ConsumeRemainingBytesAsString());

    const CsvConfigType config(wxString(), fieldDelimiter, textDelimiter, lineBreak,
                               replaceLineBreak, replaceWith);
    wxString line;
    CompanyEntity::GetCsvField(config, line, value, appendFieldDelimiter, enclose);
    // The value's own text delimiters are doubled, so there are others only where the value
    // had some (the replacement text and the field delimiter may bring their own).
    if (!textDelimiter.empty() && !replaceLineBreak && !appendFieldDelimiter) {
        wxString inner = line;
        if (enclose)
            inner = inner.Mid(textDelimiter.length(), inner.length() - 2 * textDelimiter.length());
        if (inner.find(textDelimiter) != wxString::npos &&
            value.find(textDelimiter) == wxString::npos)
            __builtin_trap();
    }
    return 0;
}
