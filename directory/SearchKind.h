// What the search text is looked for in. The names are the words the configuration file keeps
// the choice under, so they stay as they are when the choices are reordered.
#pragma once

#include <wx/string.h>

enum class SearchKind {
    kNameOrCeo,
    kPhoneOrFax,
    kStreet,
    kSector,
    kKeywords,
    kAllFields,
};

// Every kind in the order the choice lists them.
constexpr SearchKind kSearchKinds[] = {SearchKind::kNameOrCeo, SearchKind::kPhoneOrFax,
                                       SearchKind::kStreet,    SearchKind::kSector,
                                       SearchKind::kKeywords,  SearchKind::kAllFields};

// The kind's word in the configuration file.
wxString SearchKindName(SearchKind kind);
// The kind a word names; the name search for any other word, as for a file written before
// there was a choice.
SearchKind SearchKindNamed(const wxString& name);
