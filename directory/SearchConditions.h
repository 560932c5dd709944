// The conditions of the directory search as template text: the search text looked for in
// the chosen kind of field, and the place field. What people type is turned into what the
// directory holds here: telephone numbers to their digits, "Str." to every spelling of
// "Straße", a house number after the street, "a.M." to "am Main".
#pragma once

#include <wx/string.h>

#include "directory/SearchKind.h"

class SearchTemplate;

class SearchConditions {
public:
    // Appends the condition on the search text, in parentheses. An empty text is the name
    // search's, whatever the kind: it lists every company, as it always has.
    static void AppendText(SearchTemplate& statement, SearchKind kind, const wxString& text);
    // Appends the condition on the place followed by " AND ", or nothing for an empty place.
    // Places are separated by "," or ";" and any of them matches; in each, a number is the
    // beginning of the postcode and the words are part of the city.
    static void AppendPlace(SearchTemplate& statement, const wxString& place);

    // Whether the text is one or more of the digits 0 to 9 and nothing else.
    static bool IsDigits(const wxString& text);
    // The street as a LIKE pattern, without the % around it: "Str.", "Strasse" and "Straße"
    // at the end of a word match any of them.
    static wxString StreetPattern(const wxString& street);
    // The city with the abbreviations of place names written out ("Frankfurt a.M." is
    // "Frankfurt am Main"); the text as it is when it holds none.
    static wxString WrittenOut(const wxString& city);
};
