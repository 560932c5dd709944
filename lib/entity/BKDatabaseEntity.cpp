#include "lib/entity/BKDatabaseEntity.h"

#include <wx/intl.h>

#include "lib/db/BKQueryParser.h"

namespace Brenik {

namespace {

// Drops the trailing ", " of a list built by appending.
void CutSeparator(wxString* text)
{
    if (text && text->length() > 2)
        text->RemoveLast(2);
}

}  // namespace

BKDatabaseEntity::BKDatabaseEntity(bool autoSequence)
    : foreignTable(Shared(wxString())), autoSequence(autoSequence)
{
}

BKDatabaseEntity::BKDatabaseEntity(const wxString& table, const wxString& primaryKey,
                                   bool autoSequence, const wxString& foreignKey,
                                   const wxString& foreignTable, unsigned int reference)
    : BKEntity(table, primaryKey, foreignKey),
      foreignTable(Shared(foreignTable)),
      reference(reference),
      autoSequence(autoSequence)
{
}

BKDatabaseEntity::~BKDatabaseEntity()
{
    for (unsigned int index = 0; index < references.GetItemCount(); ++index)
        delete references.GetItem(index);
}

BKClassInfo BKDatabaseEntity::GetClassInfo() const
{
    return BKClassInfo::Make("BKDatabaseEntity", "0.0.4");
}

bool BKDatabaseEntity::IsSelected(const BKEntityType* field, bool skipPrimaryKey,
                                  const wxArrayString* exclude) const
{
    if (skipPrimaryKey && field->GetKey() == GetPrimaryKey())
        return false;
    if (exclude) {
        for (const wxString& key : *exclude) {
            if (key == field->GetKey())
                return false;
        }
    }
    return true;
}

unsigned int BKDatabaseEntity::BuildKeysValues(wxString* keys, wxString* values,
                                               const wxString& prefix, const wxString& suffix,
                                               bool skipPrimaryKey, wxArrayString* exclude)
{
    for (unsigned int index = 0; index < GetCount(); ++index) {
        const BKEntityType* field = Get(index);
        if (!IsSelected(field, skipPrimaryKey, exclude))
            continue;
        if (keys)
            *keys += prefix + field->GetKey() + suffix + ", ";
        if (values)
            *values += ":" + field->GetKey() + ":, ";
    }
    CutSeparator(keys);
    CutSeparator(values);
    return GetCount();
}

unsigned int BKDatabaseEntity::BuildKeysValuesPairs(wxString* pairs, const wxString& prefix,
                                                    const wxString& suffix, bool skipPrimaryKey,
                                                    wxArrayString* exclude)
{
    if (!pairs)
        return 0;
    // The closing text goes through the catalogue; without a translation it is ":, ".
    const wxString closing = wxGetTranslation(":, ");
    for (unsigned int index = 0; index < GetCount(); ++index) {
        const BKEntityType* field = Get(index);
        if (!IsSelected(field, skipPrimaryKey, exclude))
            continue;
        *pairs += prefix + field->GetKey() + suffix + " = :" + field->GetKey() + closing;
    }
    CutSeparator(pairs);
    return GetCount();
}

wxString BKDatabaseEntity::BuildInsertQuery(bool skipPrimaryKey, const wxString& prefix,
                                            const wxString& suffix, wxArrayString* exclude)
{
    wxString keys;
    wxString values;
    BuildKeysValues(&keys, &values, prefix, suffix, skipPrimaryKey, exclude);
    return "INSERT INTO " + prefix + GetTable() + suffix + " (" + keys + ") VALUES (" + values +
           ")";
}

wxString BKDatabaseEntity::BuildUpdateQuery(wxString whereField, bool skipPrimaryKey,
                                            const wxString& prefix, const wxString& suffix,
                                            wxArrayString* exclude)
{
    wxString pairs;
    BuildKeysValuesPairs(&pairs, prefix, suffix, skipPrimaryKey, exclude);
    if (whereField.empty())
        whereField = GetPrimaryKey();
    wxString condition;
    if (!whereField.empty())
        condition = " WHERE " + prefix + whereField + suffix + " = :" + whereField + ":";
    return "UPDATE " + prefix + GetTable() + suffix + " SET " + pairs + condition;
}

wxString BKDatabaseEntity::BuildDeleteQuery(wxString whereField, const wxString& prefix,
                                            const wxString& suffix)
{
    if (whereField.empty())
        whereField = GetPrimaryKey();
    return "DELETE FROM " + prefix + GetTable() + suffix + " WHERE " + prefix + whereField +
           suffix + " = :" + whereField + ":";
}

wxString BKDatabaseEntity::BindValues(const wxString& queryTemplate, unsigned int* bound)
{
    BKQueryParser parser;
    parser.Prepare(queryTemplate);
    if (bound)
        *bound = 0;
    for (unsigned int index = 0; index < GetCount(); ++index) {
        const BKEntityType* field = Get(index);
        wxString value = field->ToString();
        bool isNull = false;
        if (field->GetNull()) {
            isNull = value.empty() || (field->GetType() != 0 && value == "0");
        }
        if (isNull)
            value = "NULL";
        else if (field->GetType() == 10)
            value.Replace(",", ".");
        bool delimiters = isNull ? false : field->GetDelimiters();
        if (parser.Bind(field->GetKey(), value, delimiters, field->GetEscape()) && bound)
            ++*bound;
    }
    return parser.GetParsedQuery();
}

}  // namespace Brenik
