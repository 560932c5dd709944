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
        kTypeCasts = 0,
        kTypeString = 1,
        kTypeBool = 2,
        kTypeShort = 3,
        kTypeUnsignedShort = 4,
        kTypeInt = 5,
        kTypeUnsignedInt = 6,
        kTypeLong = 7,
        kTypeUnsignedLong = 8,
        kTypeFloat = 9,
        kTypeDouble = 10,
        kTypeChar = 11,
        kTypeCurrency = 12,
        kTypeDateTime = 13
    };

    KeyValueType() = default;
    // A new pair's data type is kTypeCasts whatever the value's type.
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
    DataType dataType = kTypeCasts;
};

}  // namespace Brenik
