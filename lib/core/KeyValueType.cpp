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
    Store(value, TypeCasts);
}

void KeyValueType::SetValue(const wxString& value)
{
    Store(BKCasts(value), TypeString);
}

void KeyValueType::SetValue(bool value)
{
    Store(BKCasts(value), TypeBool);
}

void KeyValueType::SetValue(short value)
{
    Store(BKCasts(value), TypeShort);
}

void KeyValueType::SetValue(unsigned short value)
{
    Store(BKCasts(value), TypeUnsignedShort);
}

void KeyValueType::SetValue(int value)
{
    Store(BKCasts(value), TypeInt);
}

void KeyValueType::SetValue(unsigned int value)
{
    Store(BKCasts(value), TypeUnsignedInt);
}

void KeyValueType::SetValue(long value)
{
    Store(BKCasts(value), TypeLong);
}

void KeyValueType::SetValue(unsigned long value)
{
    Store(BKCasts(value), TypeUnsignedLong);
}

void KeyValueType::SetValue(float value)
{
    Store(BKCasts(value), TypeFloat);
}

void KeyValueType::SetValue(double value)
{
    Store(BKCasts(value), TypeDouble);
}

void KeyValueType::SetValue(const char* value)
{
    Store(BKCasts(value), TypeChar);
}

void KeyValueType::SetValue(BKCurrency value)
{
    Store(BKCasts(value), TypeCurrency);
}

void KeyValueType::SetValue(const BKDateTime& value)
{
    Store(BKCasts(value), TypeDateTime);
}

wxString KeyValueType::ToString() const
{
    return wxT("\"") + key + wxT("\" => \"") + value.ToString() + wxT("\"");
}

}  // namespace Brenik
