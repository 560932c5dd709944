// A saved setting must load back as it was, whatever its text: line breaks, blanks inside,
// any letters. Only what the file form cannot hold is left out: blanks at either end (trimmed
// when read), the two separators that stand for line breaks, and the comment marker (a value
// is cut at it when read back, as the settings file has always been read).
#include <fuzzer/FuzzedDataProvider.h>

#include <wx/crt.h>

#include "lib/core/BKConfiguration.h"
#include "tests/fuzz/FuzzSupport.h"

using Brenik::BKConfiguration;

namespace {

bool Representable(const wxString& value, const wxString& commentChars)
{
    if (!commentChars.empty() && (wxT("key ") + value).find(commentChars) != wxString::npos)
        return false;
    if (value.empty() || wxIsspace(value[0]) || wxIsspace(value.Last()))
        return false;
    return value.find(wxUniChar(0x2028)) == wxString::npos &&
           value.find(wxUniChar(0x2029)) == wxString::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFile file;
    FuzzedDataProvider input(data, size);
    const wxString commentChars = FuzzText(input.ConsumeRandomLengthString(3));
    const wxString value = FuzzText(input.ConsumeRemainingBytesAsString());
    if (!Representable(value, commentChars))
        return 0;

    BKConfiguration saved(commentChars, false);
    saved.Set(wxT("key"), value);
    if (!saved.Save(file.Name(), wxT("\n")))
        __builtin_trap();
    BKConfiguration loaded(commentChars, false);
    if (!loaded.Load(file.Name()) || loaded.Get(wxT("key"), wxString()).ToString() != value)
        __builtin_trap();
    return 0;
}
