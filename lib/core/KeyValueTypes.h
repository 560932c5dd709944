// An ordered list of named values with unique keys, filled by Push and read by key or
// position. With auto clean-up set it owns its pairs and deletes them when they are
// removed and when the list goes; otherwise it only holds them.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include "lib/core/BKTemplateContainer.h"
#include "lib/core/BKTest.h"
#include "lib/core/KeyValueType.h"

namespace Brenik {

class KeyValueTypes : public BKTemplateContainer<KeyValueType*>, public BKTest {
public:
    explicit KeyValueTypes(bool autoCleanUp);
    ~KeyValueTypes() override;
    KeyValueTypes(const KeyValueTypes&) = delete;
    KeyValueTypes& operator=(const KeyValueTypes&) = delete;

    // Both library roots answer with the list's record.
    BKClassInfo GetClassInfo() const override;

    void SetAutoCleanUp(bool autoCleanUp) { this->autoCleanUp = autoCleanUp; }
    bool IsAutoCleanUp() const { return autoCleanUp; }
    unsigned int Count() const { return GetItemCount(); }

    // Sets the value of the pair with the key, appending a new pair when there is none; an
    // existing pair keeps its position and takes the new value and data type.
    void Push(const wxString& key, const wxString& value);
    void Push(const wxString& key, bool value);
    void Push(const wxString& key, short value);
    void Push(const wxString& key, unsigned short value);
    void Push(const wxString& key, int value);
    void Push(const wxString& key, unsigned int value);
    void Push(const wxString& key, long value);
    void Push(const wxString& key, unsigned long value);
    void Push(const wxString& key, float value);
    void Push(const wxString& key, double value);
    void Push(const wxString& key, const char* value);
    void Push(const wxString& key, BKCurrency value);
    void Push(const wxString& key, const BKDateTime& value);
    void Push(const wxString& key, const BKCasts& value);

    // Appends the pair; false for null or when its key is taken, and then the pair is
    // deleted if deleteIfExists is set (never the pair the list itself holds).
    bool PushKeyValueType(KeyValueType* pair, bool deleteIfExists);
    // The pair with the key; a new pair with the value is appended when there is none.
    KeyValueType* GetOrCreate(const wxString& key, const wxString& value);
    bool Exists(const wxString& key) const;

    // The pair, or null.
    KeyValueType* PullKeyValueType(unsigned int index) const;
    KeyValueType* PullKeyValueType(const wxString& key) const;
    // A copy of the pair's value, or the empty text when there is no such pair.
    BKCasts Pull(unsigned int index) const;
    BKCasts Pull(const wxString& key) const;

    // Removes the pair (deleting it with auto clean-up); false when there is none.
    bool Delete(unsigned int index);
    bool Delete(const wxString& key);

    // Every pair's ToString(), the separator between two of them.
    wxString ToString(const wxString& separator) const;
    // key + separator + value + terminator for each pair with a value, without the last
    // terminator.
    wxString NonEmptyToString(const wxString& separator, const wxString& terminator) const;
    // Pushes keys[i] with values[i] (the keys themselves when values is null); nothing when
    // the two arrays differ in length.
    void AppendArrayStrings(wxArrayString& keys, wxArrayString* values);

    void __Test() override {}

private:
    template <typename T>
    void PushValue(const wxString& key, T value);
    bool DeletePair(KeyValueType* pair);

    bool autoCleanUp;
};

}  // namespace Brenik
