// Turns an SQL template with named placeholders (":name:") into statement text. Plain text
// substitution: quoting and escaping are chosen per binding by the caller. Owns its template,
// its placeholder list and the bound values.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include "lib/core/BKCurrency.h"
#include "lib/core/BKLib.h"
#include "lib/core/BKStringHashMap.h"

namespace Brenik {

class BKQueryParser : public BKLib {
public:
    // Stores the template without scanning it: nothing can be bound before Prepare.
    explicit BKQueryParser(const wxString& query = wxString());

    BKClassInfo GetClassInfo() const override;

    // Replaces the template and rebuilds the placeholder list.
    void Prepare(const wxString& query);
    // Takes the template from the named resource text and rebuilds the placeholder list.
    void PrepareByResource(const wxString& resourceName);
    // Rebuilds the placeholder list from the template; each name found is reset to empty.
    void ExtractFields();
    // Empties the placeholder list; template and values stay.
    void RemoveFields();
    const wxString& GetQuery() const { return query; }

    // Each binding is false, storing nothing, when the name is not a placeholder of the
    // prepared template.
    bool Bind(const wxString& name, wxString value, bool delimiters, bool escape);
    // UTF-8; null is the empty text.
    bool Bind(const wxString& name, const char* value, bool delimiters, bool escape);
    // Numbers are stored unquoted; floating-point values always with a decimal point.
    bool Bind(const wxString& name, short value);
    bool Bind(const wxString& name, unsigned short value);
    bool Bind(const wxString& name, int value);
    bool Bind(const wxString& name, unsigned int value);
    bool Bind(const wxString& name, long value);
    bool Bind(const wxString& name, unsigned long value);
    bool Bind(const wxString& name, float value);
    bool Bind(const wxString& name, double value);
    bool Bind(const wxString& name, bool value);
    bool Bind(const wxString& name, BKCurrency value);

    // SQL NULL for "no value": the empty text or zero; other values bind as usual (text
    // quoted and escaped).
    bool BindNull(const wxString& name);
    bool BindNull(const wxString& name, wxString value);
    bool BindNull(const wxString& name, short value);
    bool BindNull(const wxString& name, unsigned short value);
    bool BindNull(const wxString& name, int value);
    bool BindNull(const wxString& name, unsigned int value);
    bool BindNull(const wxString& name, long value);
    bool BindNull(const wxString& name, unsigned long value);
    bool BindNull(const wxString& name, double value);
    bool BindNull(const wxString& name, BKCurrency value);

    // Removes every occurrence of the placeholder and its value; its text then stays in the
    // statement as written. False when it was not a placeholder.
    bool UnBind(const wxString& name);

    // Doubles every backslash, then every single quote.
    static wxString Escape(wxString text);
    static wxString& EscapeReference(wxString& text);
    bool FindInArrayString(const wxArrayString& list, const wxString& text) const;

    // The template with every placeholder replaced by its value (empty when unbound). A
    // value is never scanned for placeholders itself.
    wxString GetParsedQuery() const;

protected:
    // Replaces the template without touching the placeholder list (used by the queries,
    // which run text that was usually built by another parser).
    void SetQueryText(const wxString& text) { query = text; }

private:
    bool Store(const wxString& name, const wxString& text);
    bool BindDecimal(const wxString& name, wxString text);

    wxString query;
    wxArrayString fields;
    BKStringHashMap keyValues;
};

}  // namespace Brenik
