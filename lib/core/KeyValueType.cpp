#include "lib/core/KeyValueType.h"

namespace Brenik {

KeyValueType::KeyValueType(const wxString& key, const BKCasts& value) : key(key), value(value) {}

#define BK_KEY_VALUE_CONSTRUCTOR(T) \
    KeyValueType::KeyValueType(const wxString& key, T value) : key(key), value(value) {}
BK_KEY_VALUE_CONSTRUCTOR(const wxString&)
BK_KEY_VALUE_CONSTRUCTOR(bool)
BK_KEY_VALUE_CONSTRUCTOR(short)
BK_KEY_VALUE_CONSTRUCTOR(unsigned short)
BK_KEY_VALUE_CONSTRUCTOR(int)
BK_KEY_VALUE_CONSTRUCTOR(unsigned int)
BK_KEY_VALUE_CONSTRUCTOR(long)
BK_KEY_VALUE_CONSTRUCTOR(unsigned long)
BK_KEY_VALUE_CONSTRUCTOR(float)
BK_KEY_VALUE_CONSTRUCTOR(double)
BK_KEY_VALUE_CONSTRUCTOR(const char*)
BK_KEY_VALUE_CONSTRUCTOR(BKCurrency)
BK_KEY_VALUE_CONSTRUCTOR(const BKDateTime&)
#undef BK_KEY_VALUE_CONSTRUCTOR

void KeyValueType::Store(const BKCasts& value, DataType dataType)
{
    this->value = value;
    this->dataType = dataType;
}

void KeyValueType::SetValue(const BKCasts& value)
{
    Store(value, kTypeCasts);
}

void KeyValueType::SetValue(const wxString& value)
{
    Store(BKCasts(value), kTypeString);
}

void KeyValueType::SetValue(bool value)
{
    Store(BKCasts(value), kTypeBool);
}

void KeyValueType::SetValue(short value)
{
    Store(BKCasts(value), kTypeShort);
}

void KeyValueType::SetValue(unsigned short value)
{
    Store(BKCasts(value), kTypeUnsignedShort);
}

void KeyValueType::SetValue(int value)
{
    Store(BKCasts(value), kTypeInt);
}

void KeyValueType::SetValue(unsigned int value)
{
    Store(BKCasts(value), kTypeUnsignedInt);
}

void KeyValueType::SetValue(long value)
{
    Store(BKCasts(value), kTypeLong);
}

void KeyValueType::SetValue(unsigned long value)
{
    Store(BKCasts(value), kTypeUnsignedLong);
}

void KeyValueType::SetValue(float value)
{
    Store(BKCasts(value), kTypeFloat);
}

void KeyValueType::SetValue(double value)
{
    Store(BKCasts(value), kTypeDouble);
}

void KeyValueType::SetValue(const char* value)
{
    Store(BKCasts(value), kTypeChar);
}

void KeyValueType::SetValue(BKCurrency value)
{
    Store(BKCasts(value), kTypeCurrency);
}

void KeyValueType::SetValue(const BKDateTime& value)
{
    Store(BKCasts(value), kTypeDateTime);
}

wxString KeyValueType::ToString() const
{
    return wxT("\"") + key + wxT("\" => \"") + value.ToString() + wxT("\"");
}

}  // namespace Brenik
