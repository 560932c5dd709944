#include "directory/RecentSearches.h"

#include <algorithm>
#include <cstring>

#include <wx/tokenzr.h>
#include <wx/wxcrt.h>

#include "lib/core/BKConfiguration.h"

namespace {

// The configuration file takes "#" for the start of a comment and a tab for the end of a
// field, so those (and line breaks and the escape itself) are written as "%" and two hex
// digits.
const char* const kEscaped = "%#\t\r\n";

wxString KeyOf(size_t index)
{
    return wxString::Format("RecentSearch%zu", index + 1);
}

wxString Encode(const wxString& text)
{
    wxString encoded;
    for (wxUniChar c : text) {
        if (c.IsAscii() && std::strchr(kEscaped, static_cast<char>(c)))
            encoded += wxString::Format("%%%02X", static_cast<unsigned int>(c));
        else
            encoded += c;
    }
    return encoded;
}

wxString Decode(const wxString& text)
{
    wxString decoded;
    for (size_t i = 0; i < text.length(); ++i) {
        unsigned long code = 0;
        if (text[i] == '%' && i + 2 < text.length() && wxIsxdigit(text[i + 1]) &&
            wxIsxdigit(text[i + 2]) && text.Mid(i + 1, 2).ToULong(&code, 16) && code != 0) {
            decoded += wxUniChar(static_cast<unsigned int>(code));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

}  // namespace

void RecentSearches::Add(const RecentSearch& search)
{
    if (search.text.empty() && search.place.empty())
        return;
    searches.erase(std::remove(searches.begin(), searches.end(), search), searches.end());
    searches.insert(searches.begin(), search);
    if (searches.size() > kMost)
        searches.resize(kMost);
}

void RecentSearches::Read(const Brenik::BKConfiguration& configuration)
{
    searches.clear();
    for (size_t i = 0; i < kMost; ++i) {
        const wxString value = configuration.Get(KeyOf(i), wxString()).ToString();
        const wxArrayString fields = wxStringTokenize(value, "\t", wxTOKEN_RET_EMPTY_ALL);
        // The file drops blanks and tabs at the end of a line, and so an empty place.
        if (fields.size() != 2 && fields.size() != 3)
            continue;
        const RecentSearch search{Decode(fields[1]), fields.size() == 3 ? Decode(fields[2]) : "",
                                  SearchKindNamed(fields[0])};
        if ((!search.text.empty() || !search.place.empty()) &&
            std::find(searches.begin(), searches.end(), search) == searches.end())
            searches.push_back(search);
    }
}

void RecentSearches::Write(Brenik::BKConfiguration& configuration) const
{
    for (size_t i = 0; i < searches.size(); ++i) {
        const RecentSearch& search = searches[i];
        // The file would drop a tab at the end of the line: an empty place is left off.
        wxString value = SearchKindName(search.kind) + "\t" + Encode(search.text);
        if (!search.place.empty())
            value += "\t" + Encode(search.place);
        configuration.Set(KeyOf(i), value);
    }
}
