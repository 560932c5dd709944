#include "lib/db/BKQueryParser.h"

#include "lib/core/BKCasts.h"

namespace Brenik {

BKQueryParser::BKQueryParser(const wxString& query) : BKLib(nullptr), query(query) {}

BKClassInfo BKQueryParser::GetClassInfo() const
{
    return BKClassInfo::Make("BKQueryParser", "1.0.3");
}

void BKQueryParser::Prepare(const wxString& query)
{
    this->query = query;
    ExtractFields();
}

void BKQueryParser::PrepareByResource(const wxString& resourceName)
{
    Prepare(res(resourceName));
}

void BKQueryParser::ExtractFields()
{
    fields.Clear();
    if (query.empty())
        return;
    bool inside = false;
    wxString name;
    for (wxString::const_iterator it = query.begin(); it != query.end(); ++it) {
        wxUniChar c = *it;
        if (c == ':') {
            if (inside) {
                fields.Add(name);
                keyValues[name] = wxString();
                name.clear();
            }
            inside = !inside;
        } else if (inside) {
            name += c;
        }
    }
    // A placeholder still open at the end is dropped.
}

void BKQueryParser::RemoveFields()
{
    fields.Clear();
}

bool BKQueryParser::Store(const wxString& name, const wxString& text)
{
    if (!FindInArrayString(fields, name))
        return false;
    keyValues[name] = text;
    return true;
}

bool BKQueryParser::Bind(const wxString& name, wxString value, bool delimiters, bool escape)
{
    if (!FindInArrayString(fields, name))
        return false;
    if (escape)
        EscapeReference(value);
    if (delimiters)
        value = "'" + value + "'";
    keyValues[name] = value;
    return true;
}

bool BKQueryParser::Bind(const wxString& name, const char* value, bool delimiters, bool escape)
{
    return Bind(name, BKCasts::ToString(value), delimiters, escape);
}

// A decimal comma of the current locale must never reach SQL.
bool BKQueryParser::BindDecimal(const wxString& name, wxString text)
{
    text.Replace(",", ".");
    return Store(name, text);
}

bool BKQueryParser::Bind(const wxString& name, short value)
{
    return Store(name, BKCasts::ToString(value));
}

bool BKQueryParser::Bind(const wxString& name, unsigned short value)
{
    return Store(name, BKCasts::ToString(value));
}

bool BKQueryParser::Bind(const wxString& name, int value)
{
    return Store(name, BKCasts::ToString(value));
}

bool BKQueryParser::Bind(const wxString& name, unsigned int value)
{
    return Store(name, BKCasts::ToString(value));
}

bool BKQueryParser::Bind(const wxString& name, long value)
{
    return Store(name, BKCasts::ToString(value));
}

bool BKQueryParser::Bind(const wxString& name, unsigned long value)
{
    return Store(name, BKCasts::ToString(value));
}

bool BKQueryParser::Bind(const wxString& name, float value)
{
    return BindDecimal(name, BKCasts::ToString(value));
}

bool BKQueryParser::Bind(const wxString& name, double value)
{
    return BindDecimal(name, BKCasts::ToString(value));
}

bool BKQueryParser::Bind(const wxString& name, bool value)
{
    return Store(name, BKCasts::ToString(value, false, false));
}

bool BKQueryParser::Bind(const wxString& name, BKCurrency value)
{
    return Bind(name, value.ToDouble());
}

bool BKQueryParser::BindNull(const wxString& name)
{
    return Store(name, "NULL");
}

bool BKQueryParser::BindNull(const wxString& name, wxString value)
{
    if (value.empty())
        return BindNull(name);
    return Bind(name, value, true, true);
}

bool BKQueryParser::BindNull(const wxString& name, short value)
{
    return value == 0 ? BindNull(name) : Bind(name, value);
}

bool BKQueryParser::BindNull(const wxString& name, unsigned short value)
{
    return value == 0 ? BindNull(name) : Bind(name, value);
}

bool BKQueryParser::BindNull(const wxString& name, int value)
{
    return value == 0 ? BindNull(name) : Bind(name, value);
}

bool BKQueryParser::BindNull(const wxString& name, unsigned int value)
{
    return value == 0 ? BindNull(name) : Bind(name, value);
}

bool BKQueryParser::BindNull(const wxString& name, long value)
{
    return value == 0 ? BindNull(name) : Bind(name, value);
}

bool BKQueryParser::BindNull(const wxString& name, unsigned long value)
{
    return value == 0 ? BindNull(name) : Bind(name, value);
}

bool BKQueryParser::BindNull(const wxString& name, double value)
{
    return value == 0 ? BindNull(name) : Bind(name, value);
}

bool BKQueryParser::BindNull(const wxString& name, BKCurrency value)
{
    return value == 0.0L ? BindNull(name) : Bind(name, value);
}

bool BKQueryParser::UnBind(const wxString& name)
{
    bool removed = false;
    for (size_t i = fields.size(); i-- > 0;) {
        if (fields[i] == name) {
            fields.RemoveAt(i);
            removed = true;
        }
    }
    if (removed)
        keyValues.erase(name);
    return removed;
}

wxString BKQueryParser::Escape(wxString text)
{
    return EscapeReference(text);
}

wxString& BKQueryParser::EscapeReference(wxString& text)
{
    text.Replace("\\", "\\\\");
    text.Replace("'", "''");
    return text;
}

bool BKQueryParser::FindInArrayString(const wxArrayString& list, const wxString& text) const
{
    for (const wxString& entry : list) {
        if (entry == text)
            return true;
    }
    return false;
}

wxString BKQueryParser::GetParsedQuery() const
{
    if (fields.empty())
        return query;
    wxString result = query;
    size_t position = 0;
    for (const wxString& name : fields) {
        size_t found = result.find(":" + name + ":", position);
        if (found == wxString::npos)
            break;  // every later placeholder stays as written too
        BKStringHashMap::const_iterator entry = keyValues.find(name);
        wxString value = entry == keyValues.end() ? wxString() : entry->second;
        result.replace(found, name.length() + 2, value);
        // Continue right behind the value: it is never scanned itself, and a placeholder
        // written directly after this one is still found.
        position = found + value.length();
    }
    return result;
}

}  // namespace Brenik
