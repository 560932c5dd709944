// One named value: a key, the value held as text (BKCasts) and the type it was last set
// from. A plain value; the list that holds it (KeyValueTypes) may own it.
#pragma once

#include <wx/string.h>

#include "lib/core/BKCasts.h"
#include "lib/core/BKCurrency.h"
#include "lib/core/BKDateTime.h"

namespace Brenik {

class KeyValueType {
public:
    // The type a value was set from; the numbers are part of the contract.
    enum DataType {
        TypeCasts = 0,
        TypeString = 1,
        TypeBool = 2,
        TypeShort = 3,
        TypeUnsignedShort = 4,
        TypeInt = 5,
        TypeUnsignedInt = 6,
        TypeLong = 7,
        TypeUnsignedLong = 8,
        TypeFloat = 9,
        TypeDouble = 10,
        TypeChar = 11,
        TypeCurrency = 12,
        TypeDateTime = 13
    };

    KeyValueType() = default;
    // A new pair's data type is TypeCasts whatever the value's type.
    KeyValueType(const wxString& key, const BKCasts& value);
    KeyValueType(const wxString& key, const wxString& value);
    KeyValueType(const wxString& key, bool value);
    KeyValueType(const wxString& key, short value);
    KeyValueType(const wxString& key, unsigned short value);
    KeyValueType(const wxString& key, int value);
    KeyValueType(const wxString& key, unsigned int value);
    KeyValueType(const wxString& key, long value);
    KeyValueType(const wxString& key, unsigned long value);
    KeyValueType(const wxString& key, float value);
    KeyValueType(const wxString& key, double value);
    KeyValueType(const wxString& key, const char* value);
    KeyValueType(const wxString& key, BKCurrency value);
    KeyValueType(const wxString& key, const BKDateTime& value);

    // Store the value as text and remember its type.
    void SetValue(const BKCasts& value);
    void SetValue(const wxString& value);
    void SetValue(bool value);
    void SetValue(short value);
    void SetValue(unsigned short value);
    void SetValue(int value);
    void SetValue(unsigned int value);
    void SetValue(long value);
    void SetValue(unsigned long value);
    void SetValue(float value);
    void SetValue(double value);
    void SetValue(const char* value);
    void SetValue(BKCurrency value);
    void SetValue(const BKDateTime& value);

    void SetKey(const wxString& key) { this->key = key; }
    wxString GetKey() const { return key; }
    BKCasts GetValue() const { return value; }
    void SetDataType(DataType dataType) { this->dataType = dataType; }
    DataType GetDataType() const { return dataType; }

    // "key" => "value", each in double quotes.
    wxString ToString() const;

private:
    void Store(const BKCasts& value, DataType dataType);

    wxString key;
    BKCasts value;
    DataType dataType = TypeCasts;
};

}  // namespace Brenik
