// An SQL statement put together in pieces: template text with named placeholders, and the
// values bound to them, which go between the quotes of a string literal written in the
// template. The text is parsed by the query parser, so no value is ever read as SQL.
#pragma once

#include <utility>
#include <vector>

#include <wx/string.h>

class SearchTemplate {
public:
    SearchTemplate& operator+=(const wxString& sql);
    // Binds a placeholder written in the appended text (every occurrence of the name).
    void Bind(const wxString& name, const wxString& value);
    // A placeholder of its own for the value, ":stem<n>:", to write into the text.
    wxString Value(const wxString& stem, const wxString& value);
    // The statement with every placeholder replaced by its value.
    wxString Parse() const;

private:
    wxString text;
    std::vector<std::pair<wxString, wxString>> values;
};
