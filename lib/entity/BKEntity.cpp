#include "lib/entity/BKEntity.h"

#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>
#include <unordered_set>

#include <wx/hashmap.h>

namespace Brenik {

namespace {

using Attributes = BKEntity::BKEntityType::Attributes;

struct AttributesHash {
    size_t operator()(const Attributes* a) const
    {
        size_t hash = wxStringHash()(a->key);
        hash = hash * 31 + wxStringHash()(a->field);
        hash = hash * 31 + a->length;
        hash = hash * 31 + a->type;
        hash = hash * 8 + (a->delimiters ? 4 : 0) + (a->escape ? 2 : 0) + (a->null ? 1 : 0);
        return hash;
    }
};

struct AttributesEqual {
    bool operator()(const Attributes* a, const Attributes* b) const
    {
        return a->key == b->key && a->field == b->field && a->length == b->length &&
               a->type == b->type && a->delimiters == b->delimiters && a->escape == b->escape &&
               a->null == b->null;
    }
};

// The process-wide set of shared names; like the attribute records, only ever added to.
class NamePool {
public:
    const wxString* Intern(const wxString& text)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return &*names.insert(text).first;
    }

private:
    std::mutex mutex;
    std::unordered_set<wxString, wxStringHash, wxStringEqual> names;
};

}  // namespace

// --- BKEntityType ---------------------------------------------------------------------------

BKEntity::BKEntityType::Attributes* BKEntity::BKEntityType::chunks[chunkCount];

// Records are only ever added; a program has a few dozen field declarations, so the set
// stays tiny. A number is handed out once its record is in place.
std::uint32_t BKEntity::BKEntityType::Intern(const Attributes& attributes)
{
    static std::mutex mutex;
    static std::unordered_map<const Attributes*, std::uint32_t, AttributesHash, AttributesEqual>
        numbers;
    std::lock_guard<std::mutex> lock(mutex);
    auto found = numbers.find(&attributes);
    if (found != numbers.end())
        return found->second;
    // More records than numbers would take more memory than any machine has.
    const std::uint32_t number = static_cast<std::uint32_t>(numbers.size());
    if (number == chunkSize * chunkCount)
        throw std::bad_alloc();
    Attributes*& chunk = chunks[number / chunkSize];
    if (!chunk)
        chunk = new Attributes[chunkSize];
    Attributes& record = chunk[number % chunkSize];
    record = attributes;
    numbers.emplace(&record, number);
    return number;
}

void BKEntity::BKEntityType::Init(const wxString& key, bool delimiters, bool escape,
                                  const wxString& field, unsigned int length, bool null,
                                  unsigned int type)
{
    Attributes wanted;
    wanted.key = key;
    wanted.field = field;
    wanted.length = length;
    wanted.type = type;
    wanted.delimiters = delimiters;
    wanted.escape = escape;
    wanted.null = null;
    attributes = Intern(wanted);
}

void BKEntity::BKEntityType::Replace(const Attributes& changed)
{
    attributes = Intern(changed);
}

#define BK_ENTITY_TYPE_CONSTRUCTOR(ValueType, code)                                               \
    BKEntity::BKEntityType::BKEntityType(const wxString& key, ValueType value, bool delimiters,   \
                                         bool escape, const wxString& field, unsigned int length, \
                                         bool null)                                               \
        : BKCasts(value)                                                                          \
    {                                                                                             \
        Init(key, delimiters, escape, field, length, null, code);                                 \
    }

BK_ENTITY_TYPE_CONSTRUCTOR(const wxString&, 0)
BK_ENTITY_TYPE_CONSTRUCTOR(short, 1)
BK_ENTITY_TYPE_CONSTRUCTOR(unsigned short, 2)
BK_ENTITY_TYPE_CONSTRUCTOR(int, 3)
BK_ENTITY_TYPE_CONSTRUCTOR(unsigned int, 4)
BK_ENTITY_TYPE_CONSTRUCTOR(long, 5)
BK_ENTITY_TYPE_CONSTRUCTOR(unsigned long, 6)
BK_ENTITY_TYPE_CONSTRUCTOR(float, 7)
BK_ENTITY_TYPE_CONSTRUCTOR(double, 8)
BK_ENTITY_TYPE_CONSTRUCTOR(const char*, 9)
BK_ENTITY_TYPE_CONSTRUCTOR(const BKCurrency&, 10)
BK_ENTITY_TYPE_CONSTRUCTOR(bool, 11)

#undef BK_ENTITY_TYPE_CONSTRUCTOR

void BKEntity::BKEntityType::SetKey(const wxString& key)
{
    Attributes changed = GetAttributes();
    changed.key = key;
    Replace(changed);
}

void BKEntity::BKEntityType::SetDelimiters(bool delimiters)
{
    Attributes changed = GetAttributes();
    changed.delimiters = delimiters;
    Replace(changed);
}

void BKEntity::BKEntityType::SetEscape(bool escape)
{
    Attributes changed = GetAttributes();
    changed.escape = escape;
    Replace(changed);
}

void BKEntity::BKEntityType::SetField(const wxString& field)
{
    Attributes changed = GetAttributes();
    changed.field = field;
    Replace(changed);
}

void BKEntity::BKEntityType::SetLength(unsigned int length)
{
    Attributes changed = GetAttributes();
    changed.length = length;
    Replace(changed);
}

void BKEntity::BKEntityType::SetNull(bool null)
{
    Attributes changed = GetAttributes();
    changed.null = null;
    Replace(changed);
}

void BKEntity::BKEntityType::SetType(unsigned int type)
{
    Attributes changed = GetAttributes();
    changed.type = type;
    Replace(changed);
}

void BKEntity::BKEntityType::SetParameters(const wxString& key, bool delimiters, bool escape,
                                           const wxString& field, unsigned int length, bool null,
                                           unsigned int type)
{
    Init(key, delimiters, escape, field, length, null, type);
}

// --- BKEntity -------------------------------------------------------------------------------

const wxString* BKEntity::Shared(const wxString& text)
{
    static NamePool pool;
    return pool.Intern(text);
}

BKEntity::BKEntity() : BKEntity(wxString(), wxString(), wxString()) {}

BKEntity::BKEntity(const wxString& name, const wxString& primaryKey, const wxString& foreignKey)
    : BKLib(nullptr),
      name(Shared(name)),
      primaryKey(Shared(primaryKey)),
      foreignKey(Shared(foreignKey))
{
}

BKEntity::~BKEntity()
{
    DeleteFields();
}

BKClassInfo BKEntity::GetClassInfo() const
{
    return BKClassInfo::Make("BKEntity", "0.0.8");
}

void BKEntity::Destroy(BKEntityType* field)
{
    std::less<const BKEntityType*> before;
    BKEntityType* blockBegin = BlockBegin();
    if (blockBegin && !before(field, blockBegin) && before(field, blockBegin + blockSize))
        field->~BKEntityType();
    else
        delete field;
}

void BKEntity::DeleteFields()
{
    for (unsigned int index = 0; index < GetCount(); ++index)
        Destroy(Get(index));
    fields.ClearItems();
    inBlockOrder = false;
    block.reset();
    blockSize = 0;
    textBlock.reset();
}

int BKEntity::IndexOf(const wxString& key) const
{
    unsigned int count = GetCount();
    for (unsigned int index = 0; index < count; ++index) {
        if (Get(index)->GetKey() == key)
            return static_cast<int>(index);
    }
    return -1;
}

void BKEntity::ListBlock()
{
    if (!inBlockOrder)
        return;
    fields.ReserveItems(blockSize);
    for (unsigned int index = 0; index < blockSize; ++index)
        fields.AppendItem(BlockBegin() + index);
    inBlockOrder = false;
}

void BKEntity::Declare(BKEntityType* field)
{
    ListBlock();
    int old = IndexOf(field->GetKey());
    if (old >= 0)
        Destroy(fields.RemoveItemAt(static_cast<unsigned int>(old)));
    fields.AppendItem(field);
}

#define BK_ENTITY_SET(ValueType)                                                           \
    void BKEntity::Set(const wxString& key, ValueType value, bool delimiters, bool escape, \
                       const wxString& field, unsigned int length, bool null)              \
    {                                                                                      \
        Declare(new BKEntityType(key, value, delimiters, escape, field, length, null));    \
    }                                                                                      \
    bool BKEntity::SetValue(const wxString& key, ValueType value)                          \
    {                                                                                      \
        return Assign(key, value);                                                         \
    }

template <typename T>
bool BKEntity::Assign(const wxString& key, const T& value)
{
    int index = IndexOf(key);
    if (index < 0)
        return false;
    // The record keeps its attributes (and so its type code); only the text changes.
    Get(static_cast<unsigned int>(index))->SetUtf8(BKCasts(value).GetUtf8());
    if (static_cast<unsigned int>(index) + 1 < GetCount()) {
        ListBlock();
        fields.MoveItemToEnd(static_cast<unsigned int>(index));
    }
    return true;
}

BK_ENTITY_SET(const wxString&)
BK_ENTITY_SET(const char*)
BK_ENTITY_SET(bool)
BK_ENTITY_SET(short)
BK_ENTITY_SET(unsigned short)
BK_ENTITY_SET(int)
BK_ENTITY_SET(unsigned int)
BK_ENTITY_SET(long)
BK_ENTITY_SET(unsigned long)
BK_ENTITY_SET(float)
BK_ENTITY_SET(double)
BK_ENTITY_SET(const BKCurrency&)

#undef BK_ENTITY_SET

BKEntity::BKEntityType* BKEntity::Get(const wxString& key) const
{
    int index = IndexOf(key);
    return index < 0 ? nullptr : Get(static_cast<unsigned int>(index));
}

bool BKEntity::Remove(const wxString& key)
{
    int index = IndexOf(key);
    if (index < 0)
        return false;
    ListBlock();
    Destroy(fields.RemoveItemAt(static_cast<unsigned int>(index)));
    return true;
}

bool BKEntity::Equals(BKEntity* other)
{
    if (!other || other->GetCount() != GetCount())
        return false;
    unsigned int matches = 0;
    for (unsigned int i = 0; i < GetCount(); ++i) {
        const BKEntityType* mine = Get(i);
        for (unsigned int j = 0; j < other->GetCount(); ++j) {
            const BKEntityType* theirs = other->Get(j);
            if (mine->GetType() == theirs->GetType() && mine->GetKey() == theirs->GetKey() &&
                mine->GetUtf8() == theirs->GetUtf8())
                ++matches;
        }
    }
    return matches == GetCount();
}

wxString BKEntity::ToString()
{
    wxString text;
    for (unsigned int index = 0; index < GetCount(); ++index) {
        const BKEntityType* field = Get(index);
        if (index > 0)
            text += "\n";
        text += field->GetKey() + " => { " + field->ToString() + " }";
    }
    return text;
}

wxString BKEntity::ToCsv(bool header, wxString separator, const wxString& delimiter,
                         const wxString& lineBreakReplacement, bool replaceLineBreaks)
{
    if (separator == "{tab}")
        separator = "\t";
    wxString line;
    for (unsigned int index = 0; index < GetCount(); ++index) {
        const BKEntityType* field = Get(index);
        wxString cell = header ? field->GetKey() : field->ToString();
        // An empty pattern would match everywhere; there is nothing to escape then.
        if (!separator.empty())
            cell.Replace(separator, "\\" + separator);
        if (!delimiter.empty())
            cell.Replace(delimiter, "\\" + delimiter);
        if (replaceLineBreaks) {
            cell.Replace("\r\n", lineBreakReplacement);
            cell.Replace("\n", lineBreakReplacement);
            cell.Replace("\r", lineBreakReplacement);
        }
        line += delimiter + cell + delimiter;
        if (index + 1 < GetCount())
            line += separator;
    }
    return line;
}

void BKEntity::MoveToEnd(const std::vector<bool>& selected)
{
    unsigned int count = GetCount();
    // Nothing moves unless a selected field stands before an unselected one; a fully
    // loaded record is the common case.
    bool seenSelected = false;
    bool changes = false;
    for (unsigned int index = 0; index < count && !changes; ++index) {
        bool isSelected = index < selected.size() && selected[index];
        changes = seenSelected && !isSelected;
        seenSelected = seenSelected || isSelected;
    }
    if (!changes)
        return;
    ListBlock();
    std::vector<BKEntityType*> kept;
    std::vector<BKEntityType*> moved;
    kept.reserve(count);
    for (unsigned int index = 0; index < count; ++index) {
        BKEntityType* field = fields.GetItem(index);
        if (index < selected.size() && selected[index])
            moved.push_back(field);
        else
            kept.push_back(field);
    }
    fields.ClearItems();
    for (BKEntityType* field : kept)
        fields.AppendItem(field);
    for (BKEntityType* field : moved)
        fields.AppendItem(field);
}

void BKEntity::SetTexts(const std::vector<LoadedText>& texts)
{
    size_t total = 0;
    for (const LoadedText& text : texts)
        total += text.size + 1;
    std::unique_ptr<char[]> made(new char[total]);
    char* at = made.get();
    for (const LoadedText& text : texts) {
        std::memcpy(at, text.text, text.size);
        at[text.size] = '\0';
        Get(text.index)->ReferTo(at, text.size);
        at += text.size + 1;
    }
    // Every other reference is into the block that goes now: those fields keep their texts
    // as copies of their own.
    std::less<const char*> before;
    const char* end = made.get() + total;
    for (unsigned int index = 0; index < GetCount(); ++index) {
        BKEntityType* field = Get(index);
        const char* bytes = field->GetUtf8().data();
        if (field->IsReference() && (before(bytes, made.get()) || !before(bytes, end)))
            field->SetUtf8(field->GetUtf8());
    }
    textBlock = std::move(made);
}

void BKEntity::CopyFields(const BKEntity& prototype)
{
    DeleteFields();
    unsigned int count = prototype.GetCount();
    if (count == 0)
        return;
    block.reset(::operator new(sizeof(BKEntityType) * count));
    BKEntityType* blockBegin = BlockBegin();
    inBlockOrder = true;
    for (unsigned int index = 0; index < count; ++index) {
        const BKEntityType* model = prototype.Get(index);
        auto* field = new (blockBegin + index) BKEntityType(model->attributes);
        ++blockSize;
        if (!model->IsEmpty())
            field->SetUtf8(model->GetUtf8());
    }
}

}  // namespace Brenik
