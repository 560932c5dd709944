#include "lib/entity/BKEntityData.h"

#include <cstdint>
#include <cstring>
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

// Offset of the first byte with its high bit set in the eight bytes at the pointer, given
// those bits of the word the bytes were loaded into.
size_t FirstHighByte(const unsigned char* bytes, std::uint64_t highBits)
{
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    (void)bytes;
    return static_cast<size_t>(__builtin_ctzll(highBits)) / 8;
#else
    (void)highBits;
    size_t offset = 0;
    while (bytes[offset] < 0x80)
        ++offset;
    return offset;
#endif
}

// The length of a cell when it is well-formed UTF-8 (what a field may hold), false when it
// is not. Most of the text is ASCII, and long cells (logos in Base64, HTML) are ASCII for
// long stretches, so ASCII is skipped eight bytes at a time. A byte below 0x80 never
// belongs to a multi-byte sequence, so every run of other bytes must be well-formed on its
// own; those runs are left to the value conversion's own check.
bool MeasureUtf8(const char* text, size_t* length)
{
    const size_t size = std::strlen(text);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    while (i < size) {
        if (size - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i, sizeof word);
            const std::uint64_t high = word & 0x8080808080808080ull;
            if (high == 0) {
                i += 8;
                continue;
            }
            i += FirstHighByte(bytes + i, high);
        } else if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        size_t run = i + 1;
        while (run < size && bytes[run] >= 0x80)
            ++run;
        if (!BKCasts::IsValidUtf8(text + i, run - i))
            return false;
        i = run;
    }
    *length = size;
    return true;
}

// Whether a field of the type code, loaded with the well-formed text, holds that very text
// after its conversion: text fields (codes 0, 8 and 9 keep their text as it is) and number
// fields whose text is a number in the form the conversion writes, plain digits without a
// leading zero, short enough for the type (9999 fits a short, 999999999 an int). Database
// integers are written so; other texts take the general conversion.
bool KeepsText(unsigned int type, const char* text, size_t length)
{
    if (type == 0 || type == 8 || type == 9)
        return true;
    if (type < 1 || type > 6)
        return false;
    const size_t widest = type <= 2 ? 4 : 9;
    if (length == 0 || length > widest || (text[0] == '0' && length > 1))
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
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
    plan.loaded.clear();
    bool seenLoaded = false;
    plan.reorders = false;
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
        plan.loaded.push_back(position >= 0);
        // Loading moves the loaded fields behind the others; the order changes only when
        // a loaded field stands before one that is not.
        plan.reorders = plan.reorders || (seenLoaded && position < 0);
        seenLoaded = seenLoaded || position >= 0;
    }
}

// The same result as LoadByName, with the column positions known in advance and cells
// taken as they are where the conversion would give the same text: the database's UTF-8
// is the field's own form.
void BKEntityData::LoadByPlan(BKEntity* entity, BKQuery* query)
{
    unsigned int count = entity->GetCount();
    plan.texts.clear();
    for (unsigned int index = 0; index < count; ++index) {
        int column = plan.columns[index];
        if (column < 0)
            continue;
        BKEntity::BKEntityType* field = entity->Get(index);
        unsigned int type = field->GetType();
        const char* cell = query->GetFieldUtf8(column);
        size_t length = 0;
        // SQL NULL reads as the empty text; text that is not UTF-8 takes the conversion,
        // which reads its stray bytes as Latin-1.
        if (!cell) {
            cell = "";
        } else if (!MeasureUtf8(cell, &length)) {
            field->SetUtf8(Converted(type, BKCasts(cell)).GetUtf8());
            continue;
        }
        if (KeepsText(type, cell, length))
            plan.texts.push_back({index, cell, length});
        else
            field->SetUtf8(Converted(type, BKCasts(cell)).GetUtf8());
    }
    entity->SetTexts(plan.texts);
    // Each loaded field moves to the end, as SetValue would have moved it.
    if (plan.reorders)
        entity->MoveToEnd(plan.loaded);
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
