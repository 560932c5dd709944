#include "lib/entity/BKEntityData.h"

#include <memory>

#include "lib/db/BKQuery.h"
#include "lib/entity/BKDatabaseEntity.h"

namespace Brenik {

namespace {

// The value a field of the type code holds after SetValue with the cell read by that code.
BKCasts Converted(unsigned int type, const BKCasts& cell)
{
    switch (type) {
        case 1:
            return BKCasts(cell.ToShort());
        case 2:
            return BKCasts(cell.ToUnsignedShort());
        case 3:
            return BKCasts(cell.ToInt());
        case 4:
            return BKCasts(cell.ToUnsignedInt());
        case 5:
            return BKCasts(cell.ToLong());
        case 6:
            return BKCasts(cell.ToUnsignedLong());
        case 7:
            return BKCasts(cell.ToFloat());
        case 9: {
            std::unique_ptr<char[]> text(cell.ToChar());
            return BKCasts(static_cast<const char*>(text.get()));
        }
        case 10:
            return BKCasts(cell.ToDouble());
        case 11:
            return BKCasts(cell.ToBool());
        default:
            return BKCasts(cell.ToString());
    }
}

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF): exactly the
// texts that decode and encode back unchanged.
bool IsValidUtf8(const char* text)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 2;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        ++p;
        if (*p < low || *p > high)
            return false;
        ++p;
        for (int i = 1; i < length; ++i, ++p) {
            if (*p < 0x80 || *p > 0xBF)
                return false;
        }
    }
    return true;
}

}  // namespace

BKEntityData::BKEntityData(BKQuery* query, const wxString& table, const wxString& primaryKey,
                           const wxString& orderByField, unsigned int direction, bool cleanUp)
    : BKData(query, cleanUp), table(table), primaryKey(primaryKey)
{
    SetOrderBy(orderByField, direction);
}

BKClassInfo BKEntityData::GetClassInfo() const
{
    return BKClassInfo::Make("BKEntityData", "0.0.10");
}

void BKEntityData::SetOrderBy(const wxString& field, unsigned int direction)
{
    orderByField = field;
    order = direction == 0 ? "DESC" : "ASC";
}

void BKEntityData::GetOrderBy(wxString* field, unsigned int* direction) const
{
    if (field)
        *field = orderByField;
    if (direction)
        *direction = order == "DESC" ? 0 : 1;
}

void BKEntityData::Get(BKEntity* entity, const wxString&, const wxString&)
{
    BKQuery* query = GetQuery();
    if (!entity || !query)
        return;
    unsigned long long generation = query->GetResultGeneration();
    if (generation == 0) {
        LoadByName(entity);
        return;
    }
    if (!IsPlanFor(entity, generation))
        MakePlan(entity, query, generation);
    LoadByPlan(entity, query);
}

// The general rule, for queries that cannot hand out raw cells: every key looked up by name.
void BKEntityData::LoadByName(BKEntity* entity)
{
    BKQuery* query = GetQuery();
    wxArrayString keys;
    for (unsigned int index = 0; index < entity->GetCount(); ++index)
        keys.Add(entity->Get(index)->GetKey());
    for (const wxString& key : keys) {
        BKEntity::BKEntityType* field = entity->Get(key);
        if (!field || !query->ExistsColumn(key))
            continue;
        entity->SetValue(key, Converted(field->GetType(), query->GetField(key, true)).ToString());
    }
}

bool BKEntityData::IsPlanFor(const BKEntity* entity, unsigned long long generation) const
{
    if (plan.generation != generation || plan.layout.size() != entity->GetCount())
        return false;
    for (unsigned int index = 0; index < entity->GetCount(); ++index) {
        if (&entity->Get(index)->GetAttributes() != plan.layout[index])
            return false;
    }
    return true;
}

void BKEntityData::MakePlan(const BKEntity* entity, BKQuery* query, unsigned long long generation)
{
    std::vector<wxString> names;
    unsigned int columnCount = query->GetColumnCount();
    names.reserve(columnCount);
    for (unsigned int column = 0; column < columnCount; ++column)
        names.push_back(query->GetColumn(static_cast<int>(column)).ToString());

    plan.generation = generation;
    plan.layout.clear();
    plan.columns.clear();
    for (unsigned int index = 0; index < entity->GetCount(); ++index) {
        const BKEntity::BKEntityType* field = entity->Get(index);
        plan.layout.push_back(&field->GetAttributes());
        // The first column of that name, as a lookup by name finds it.
        int position = -1;
        for (size_t column = 0; column < names.size(); ++column) {
            if (names[column] == field->GetKey()) {
                position = static_cast<int>(column);
                break;
            }
        }
        plan.columns.push_back(position);
    }
}

// The same result as LoadByName, with the column positions known in advance and text cells
// copied as they are: the database's UTF-8 is the field's own form.
void BKEntityData::LoadByPlan(BKEntity* entity, BKQuery* query)
{
    unsigned int count = entity->GetCount();
    loaded.assign(count, false);
    for (unsigned int index = 0; index < count; ++index) {
        int column = plan.columns[index];
        if (column < 0)
            continue;
        BKEntity::BKEntityType* field = entity->Get(index);
        unsigned int type = field->GetType();
        const char* cell = nullptr;
        if ((type == 0 || type == 8) &&
            (!(cell = query->GetFieldUtf8(column)) || IsValidUtf8(cell)))
            field->SetUtf8(cell ? std::string(cell) : std::string());
        else
            field->SetUtf8(Converted(type, query->GetField(column)).GetUtf8());
        loaded[index] = true;
    }
    // Each loaded field moves to the end, as SetValue would have moved it.
    entity->MoveToEnd(loaded);
}

bool BKEntityData::Insert(BKDatabaseEntity* entity, bool skipPrimaryKey, wxArrayString* exclude,
                          BKQuery* query)
{
    if (!entity)
        return false;
    lastParsedQuery = entity->CreateInsertQuery(skipPrimaryKey, exclude);
    return entity->ExecQuery(lastParsedQuery, query, 0);
}

bool BKEntityData::Update(BKDatabaseEntity* entity, const wxString& whereField, bool skipPrimaryKey,
                          wxArrayString* exclude, BKQuery* query)
{
    if (!entity)
        return false;
    lastParsedQuery = entity->CreateUpdateQuery(whereField, skipPrimaryKey, exclude);
    return entity->ExecQuery(lastParsedQuery, query, 1);
}

bool BKEntityData::InsertOrUpdate(BKDatabaseEntity* entity, wxArrayString* exclude, BKQuery* query)
{
    if (!entity)
        return false;
    wxString key = entity->GetPrimaryKey();
    BKEntity::BKEntityType* field = entity->Get(key);
    wxString value = field ? field->ToString() : wxString();
    bool autoSequence = entity->GetGetAutoSequence();
    if (Exists(key, value, wxString(), true, true)) {
        lastParsedQuery = entity->CreateUpdateQuery(wxString(), autoSequence, exclude);
        return entity->ExecQuery(lastParsedQuery, query, 1);
    }
    lastParsedQuery = entity->CreateInsertQuery(autoSequence, exclude);
    return entity->ExecQuery(lastParsedQuery, query, 0);
}

bool BKEntityData::Delete(BKDatabaseEntity* entity, const wxString& whereField, BKQuery* query)
{
    if (!entity)
        return false;
    lastParsedQuery = entity->CreateDeleteQuery(whereField);
    return entity->ExecQuery(lastParsedQuery, query, 2);
}

bool BKEntityData::Persist(BKDatabaseEntity* entity, BKQuery* query)
{
    if (!InsertOrUpdate(entity, nullptr, query))
        return false;
    BKEntity::BKEntityType* key = entity->Get(entity->GetPrimaryKey());
    BKTemplateContainer<BKDatabaseEntity*>* references = entity->GetReferences();
    for (unsigned int index = 0; index < references->GetItemCount(); ++index) {
        BKDatabaseEntity* dependent = references->GetItem(index);
        if (!dependent)
            continue;
        if (key) {
            dependent->SetValue(dependent->GetForeignKey(),
                                Converted(key->GetType(), *key).ToString());
        }
        if (!Persist(dependent, query))
            return false;
    }
    return true;
}

}  // namespace Brenik
