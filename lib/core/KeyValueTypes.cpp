#include "lib/core/KeyValueTypes.h"

#include <unordered_set>

namespace Brenik {

KeyValueTypes::KeyValueTypes(bool autoCleanUp)
    : BKTemplateContainer<KeyValueType*>(), BKTest(wxT("KeyValueTypes")), autoCleanUp(autoCleanUp)
{
}

KeyValueTypes::~KeyValueTypes()
{
    if (!autoCleanUp)
        return;
    // A pair appended twice through the plain list operations is deleted once.
    std::unordered_set<KeyValueType*> deleted;
    for (KeyValueType* pair : items) {
        if (pair && deleted.insert(pair).second)
            delete pair;
    }
}

BKClassInfo KeyValueTypes::GetClassInfo() const
{
    return BKTemplateContainer<KeyValueType*>::GetClassInfo();
}

template <typename T>
void KeyValueTypes::PushValue(const wxString& key, T value)
{
    KeyValueType* pair = PullKeyValueType(key);
    if (!pair) {
        pair = new KeyValueType(key, BKCasts());
        AppendItem(pair);
    }
    pair->SetValue(value);
}

void KeyValueTypes::Push(const wxString& key, const wxString& value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, bool value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, short value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, unsigned short value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, int value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, unsigned int value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, long value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, unsigned long value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, float value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, double value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, const char* value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, BKCurrency value)
{
    PushValue(key, value);
}

void KeyValueTypes::Push(const wxString& key, const BKDateTime& value)
{
    PushValue<const BKDateTime&>(key, value);
}

void KeyValueTypes::Push(const wxString& key, const BKCasts& value)
{
    PushValue<const BKCasts&>(key, value);
}

bool KeyValueTypes::PushKeyValueType(KeyValueType* pair, bool deleteIfExists)
{
    if (!pair)
        return false;
    KeyValueType* existing = PullKeyValueType(pair->GetKey());
    if (existing) {
        // Pushing a pair the list already holds must not delete it under the list.
        if (deleteIfExists && existing != pair && FindItem(pair) < 0)
            delete pair;
        return false;
    }
    AppendItem(pair);
    return true;
}

KeyValueType* KeyValueTypes::GetOrCreate(const wxString& key, const wxString& value)
{
    KeyValueType* pair = PullKeyValueType(key);
    if (!pair) {
        pair = new KeyValueType(key, value);
        AppendItem(pair);
    }
    return pair;
}

bool KeyValueTypes::Exists(const wxString& key) const
{
    return PullKeyValueType(key) != nullptr;
}

KeyValueType* KeyValueTypes::PullKeyValueType(unsigned int index) const
{
    return GetItem(index);
}

KeyValueType* KeyValueTypes::PullKeyValueType(const wxString& key) const
{
    for (KeyValueType* pair : items) {
        if (pair && pair->GetKey() == key)
            return pair;
    }
    return nullptr;
}

BKCasts KeyValueTypes::Pull(unsigned int index) const
{
    KeyValueType* pair = PullKeyValueType(index);
    return pair ? pair->GetValue() : BKCasts(wxString());
}

BKCasts KeyValueTypes::Pull(const wxString& key) const
{
    KeyValueType* pair = PullKeyValueType(key);
    return pair ? pair->GetValue() : BKCasts(wxString());
}

bool KeyValueTypes::DeletePair(KeyValueType* pair)
{
    if (!pair || !RemoveItem(pair))
        return false;
    if (autoCleanUp)
        delete pair;
    return true;
}

bool KeyValueTypes::Delete(unsigned int index)
{
    return DeletePair(PullKeyValueType(index));
}

bool KeyValueTypes::Delete(const wxString& key)
{
    return DeletePair(PullKeyValueType(key));
}

wxString KeyValueTypes::ToString(const wxString& separator) const
{
    wxString text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += separator;
        if (items[i])
            text += items[i]->ToString();
    }
    return text;
}

wxString KeyValueTypes::NonEmptyToString(const wxString& separator,
                                         const wxString& terminator) const
{
    wxString text;
    for (KeyValueType* pair : items) {
        if (!pair)
            continue;
        wxString value = pair->GetValue().ToString();
        if (!value.empty())
            text += pair->GetKey() + separator + value + terminator;
    }
    if (text.length() >= terminator.length())
        text.RemoveLast(terminator.length());
    return text;
}

void KeyValueTypes::AppendArrayStrings(wxArrayString& keys, wxArrayString* values)
{
    const wxArrayString& source = values ? *values : keys;
    if (source.size() != keys.size())
        return;
    for (size_t i = 0; i < keys.size(); ++i)
        Push(keys[i], source[i]);
}

}  // namespace Brenik
