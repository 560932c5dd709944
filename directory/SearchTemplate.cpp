#include "directory/SearchTemplate.h"

#include "lib/db/BKQueryParser.h"

SearchTemplate& SearchTemplate::operator+=(const wxString& sql)
{
    text += sql;
    return *this;
}

void SearchTemplate::Bind(const wxString& name, const wxString& value)
{
    values.emplace_back(name, value);
}

wxString SearchTemplate::Value(const wxString& stem, const wxString& value)
{
    const wxString name = stem + wxString::Format("%zu", values.size());
    values.emplace_back(name, value);
    return ":" + name + ":";
}

wxString SearchTemplate::Parse() const
{
    Brenik::BKQueryParser parser;
    parser.Prepare(text);
    for (const auto& [name, value] : values) {
        // SQLite knows one escape inside a string literal, the doubled quote: a backslash is
        // an ordinary character and must not be doubled, or "Schräg\\Strich" finds nothing.
        wxString quoted = value;
        quoted.Replace("'", "''");
        parser.Bind(name, quoted, false, false);
    }
    return parser.GetParsedQuery();
}
