#include "lib/core/BKCasts.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

#include <wx/intl.h>

#include "lib/core/BKCurrency.h"
#include "lib/core/BKDateTime.h"

namespace Brenik {

namespace {

std::string Utf8(const wxString& text)
{
    return text.utf8_string();
}

// Every database cell shown on screen passes here: one pass that checks and decodes at once,
// where the toolkit's conversion makes two. A byte that is not UTF-8 shows as its Latin-1
// letter, where the toolkit would refuse the whole text.
wxString FromUtf8(std::string_view text)
{
    wchar_t small[256];
    std::unique_ptr<wchar_t[]> large;
    wchar_t* wide = small;
    if (text.size() > sizeof small / sizeof small[0]) {
        large.reset(new wchar_t[text.size()]);
        wide = large.get();
    }
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = p + text.size();
    size_t length = 0;
    while (p < end) {
        unsigned int c;
        BKCasts::ReadCodePoint(p, end, c);
        // Where a wchar_t is 16 bits wide, characters past U+FFFF need the toolkit's pairs.
        if (sizeof(wchar_t) < 4 && c > 0xFFFF)
            return wxString::FromUTF8(text.data(), text.size());
        wide[length++] = static_cast<wchar_t>(c);
    }
    return wxString(wide, length);
}

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char buffer[512];
    int length = std::snprintf(buffer, sizeof buffer, format, args...);
    if (length < 0)
        return std::string();
    if (static_cast<size_t>(length) < sizeof buffer)
        return std::string(buffer, length);
    std::string text(length, '\0');
    std::snprintf(text.data(), length + 1, format, args...);
    return text;
}

// A catalogue may supply another format for doubles; anything but one floating-point
// conversion would make snprintf read arguments that are not there, so it is refused.
bool IsSingleDoubleFormat(const std::string& format)
{
    size_t percent = format.find('%');
    if (percent == std::string::npos || format.find('%', percent + 1) != std::string::npos)
        return false;
    size_t i = percent + 1;
    while (i < format.size() && std::strchr("-+ #0", format[i]))
        ++i;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
        ++i;
    if (i < format.size() && format[i] == '.') {
        ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            ++i;
    }
    if (i < format.size() && format[i] == 'l')
        ++i;
    return i < format.size() && std::strchr("fFeEgG", format[i]);
}

std::string DoubleFormat()
{
    std::string format = Utf8(wxGetTranslation("%lf"));
    return IsSingleDoubleFormat(format) ? format : std::string("%lf");
}

std::string DoubleText(double value)
{
    return Format(DoubleFormat().c_str(), value);
}

long ParseLong(const char* text)
{
    return std::strtol(text, nullptr, 10);
}

unsigned long ParseUnsignedLong(const char* text)
{
    return std::strtoul(text, nullptr, 10);
}

// A floating-point value as an integer: limited to the target's range, NaN as 0. (The plain
// conversion of a value out of range is undefined.)
template <typename T, typename S>
T SaturatedFromFloating(S value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<S>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (value >= static_cast<S>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

double ParseDouble(const char* text)
{
    return std::strtod(text, nullptr);
}

void ReplaceAll(std::string& text, char from, char to)
{
    for (char& c : text)
        if (c == from)
            c = to;
}

double DoubleFromText(std::string text)
{
    ReplaceAll(text, '.', ',');
    double first = ParseDouble(text.c_str());
    std::string check = DoubleText(first);
    ReplaceAll(check, '.', ',');
    check.resize(std::min(check.size(), text.size()));
    if (check == text)
        return first;
    // The second reading uses the separator strtod expects here: with a point, as written,
    // a comma locale would read only the integral part of "0,1234567".
    const char* point = std::localeconv()->decimal_point;
    std::string localized;
    for (char c : text) {
        if (c == ',')
            localized += (point && *point) ? point : ".";
        else
            localized += c;
    }
    return ParseDouble(localized.c_str());
}

bool BoolFromText(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    static const char* const truths[] = {"t", "true", "yes", "y", "j", "ja", "on", "ok"};
    for (const char* truth : truths)
        if (text == truth)
            return true;
    return false;
}

char* NewCharArray(std::string_view text)
{
    char* array = new char[text.size() + 1];
    std::memcpy(array, text.data(), text.size());
    array[text.size()] = '\0';
    return array;
}

std::string CheckedUtf8(const char* text)
{
    if (!text)
        return std::string();
    size_t length = std::strlen(text);
    return BKCasts::IsValidUtf8(text, length) ? std::string(text, length)
                                              : BKCasts::RepairUtf8(text, length);
}

std::string CurrencyText(BKCurrency value)
{
    return Utf8(value.ToString());
}

}  // namespace

bool BKCasts::ReadCodePoint(const unsigned char*& p, const unsigned char* end, unsigned int& c)
{
    const unsigned char* start = p;
    c = *p++;
    if (c < 0x80)
        return true;
    const int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
    if (more >= 0 && c <= 0xF4 && end - p >= more) {
        c &= 0x3Fu >> more;
        int i = 0;
        for (; i < more && (p[i] & 0xC0) == 0x80; ++i)
            c = (c << 6) | (p[i] & 0x3Fu);
        static const unsigned int least[] = {0, 0x80, 0x800, 0x10000};
        if (i == more && c >= least[more] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) {
            p += more;
            return true;
        }
    }
    c = *start;
    return false;
}

std::string BKCasts::RepairUtf8(const char* text, size_t length)
{
    std::string repaired;
    repaired.reserve(length + length / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + length;
    while (p < end) {
        const unsigned char* start = p;
        unsigned int c;
        if (ReadCodePoint(p, end, c)) {
            repaired.append(reinterpret_cast<const char*>(start), static_cast<size_t>(p - start));
        } else {
            repaired += static_cast<char>(0xC0 | (c >> 6));
            repaired += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return repaired;
}

bool BKCasts::IsValidUtf8(const char* text, size_t length)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + length;
    unsigned int c;
    while (p < end)
        if (!ReadCodePoint(p, end, c))
            return false;
    return true;
}

BKCasts::BKCasts(const wxString& value)
{
    SetUtf8(Utf8(value));
}
BKCasts::BKCasts(bool value)
{
    SetUtf8(value ? "true" : "false");
}
BKCasts::BKCasts(short value)
{
    SetUtf8(Format("%hd", value));
}
BKCasts::BKCasts(unsigned short value)
{
    SetUtf8(Format("%hu", value));
}
BKCasts::BKCasts(int value)
{
    SetUtf8(Format("%i", value));
}
BKCasts::BKCasts(unsigned int value)
{
    SetUtf8(Format("%u", value));
}
BKCasts::BKCasts(long value)
{
    SetUtf8(Format("%ld", value));
}
BKCasts::BKCasts(unsigned long value)
{
    SetUtf8(Format("%lu", value));
}
BKCasts::BKCasts(float value)
{
    SetUtf8(Format("%f", static_cast<double>(value)));
}
BKCasts::BKCasts(double value)
{
    SetUtf8(DoubleText(value));
}
BKCasts::BKCasts(const char* value)
{
    SetUtf8(CheckedUtf8(value));
}
BKCasts::BKCasts(BKCurrency value)
{
    SetUtf8(CurrencyText(value));
}
BKCasts::BKCasts(const BKDateTime& value)
{
    SetUtf8(Utf8(value.ToDatabaseDateTime()));
}

BKCasts::BKCasts(const BKCasts& other) : BKLib(other)
{
    SetUtf8(other.GetUtf8());
}

BKCasts::BKCasts(BKCasts&& other) : BKLib(other)
{
    *this = std::move(other);
}

BKCasts& BKCasts::operator=(const BKCasts& other)
{
    if (this != &other) {
        BKLib::operator=(other);
        SetUtf8(other.GetUtf8());
    }
    return *this;
}

// Only an owned text can be taken over; a reference stays valid only where it was made.
BKCasts& BKCasts::operator=(BKCasts&& other)
{
    if (this == &other)
        return *this;
    BKLib::operator=(other);
    if (!other.extent.owned) {
        SetUtf8(other.GetUtf8());
        return *this;
    }
    Release();
    bytes = other.bytes;
    extent.count = other.extent.count;
    extent.owned = 1;
    other.bytes = "";
    other.extent.count = 0;
    other.extent.owned = 0;
    return *this;
}

BKCasts::~BKCasts()
{
    Release();
}

void BKCasts::Release()
{
    if (extent.owned)
        delete[] bytes;
    bytes = "";
    extent.count = 0;
    extent.owned = 0;
}

void BKCasts::SetUtf8(std::string_view utf8)
{
    if (utf8.size() > kMaxByteCount)
        throw std::length_error("BKCasts: text of 2 GiB or more");
    // The copy is made before the old text goes: utf8 may be a part of it.
    char* copy = nullptr;
    if (!utf8.empty()) {
        copy = new char[utf8.size() + 1];
        std::memcpy(copy, utf8.data(), utf8.size());
        copy[utf8.size()] = '\0';
    }
    Release();
    if (copy) {
        bytes = copy;
        extent.count = static_cast<std::uint32_t>(utf8.size()) & kMaxByteCount;
        extent.owned = 1;
    }
}

void BKCasts::ReferTo(const char* text, size_t size)
{
    if (size > kMaxByteCount)
        throw std::length_error("BKCasts: text of 2 GiB or more");
    Release();
    if (size > 0) {
        bytes = text;
        extent.count = static_cast<std::uint32_t>(size) & kMaxByteCount;
    }
}

BKClassInfo BKCasts::GetClassInfo() const
{
    return BKClassInfo::Make("BKCasts", "0.3.5");
}

BKCasts BKCasts::Convert(const wxString& value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(short value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(unsigned short value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(int value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(unsigned int value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(long value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(unsigned long value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(float value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(double value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(const char* value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(BKCurrency value)
{
    return BKCasts(value);
}
BKCasts BKCasts::Convert(const BKDateTime& value)
{
    return BKCasts(value);
}

wxString BKCasts::ToString() const
{
    return FromUtf8(GetUtf8());
}
char* BKCasts::ToChar() const
{
    return NewCharArray(GetUtf8());
}
// Text is read as strtol/strtoul read it, clamped to the long range, and a narrower target
// keeps the low bits, as every integer-to-integer conversion here does: 70000 as a short is
// 4464. Only floating-point sources saturate, since their plain conversion is undefined.
short BKCasts::ToShort() const
{
    return static_cast<short>(ParseLong(bytes));
}
unsigned short BKCasts::ToUnsignedShort() const
{
    return static_cast<unsigned short>(ParseUnsignedLong(bytes));
}
int BKCasts::ToInt() const
{
    return static_cast<int>(ParseLong(bytes));
}
unsigned int BKCasts::ToUnsignedInt() const
{
    return static_cast<unsigned int>(ParseUnsignedLong(bytes));
}
long BKCasts::ToLong() const
{
    return ParseLong(bytes);
}
unsigned long BKCasts::ToUnsignedLong() const
{
    return ParseUnsignedLong(bytes);
}
float BKCasts::ToFloat() const
{
    return static_cast<float>(ParseDouble(bytes));
}
double BKCasts::ToDouble() const
{
    return DoubleFromText(std::string(GetUtf8()));
}
bool BKCasts::ToBool() const
{
    return BoolFromText(std::string(GetUtf8()));
}
BKCurrency BKCasts::ToCurrency() const
{
    return BKCurrency(ToDouble());
}
BKDateTime BKCasts::ToDateTime(wchar_t separator) const
{
    return BKDateTime(ToString(), separator);
}

wxString BKCasts::ToString(short value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(unsigned short value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(int value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(unsigned int value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(long value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(unsigned long value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(float value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(double value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(const char* value)
{
    return FromUtf8(BKCasts(value).GetUtf8());
}
wxString BKCasts::ToString(BKCurrency value)
{
    return value.ToString();
}
wxString BKCasts::ToString(const BKDateTime& value)
{
    return value.ToDatabaseDateTime();
}

wxString BKCasts::ToString(bool value, bool upperCase, bool shortForm)
{
    wxString text = shortForm ? (value ? "t" : "f") : (value ? "true" : "false");
    return upperCase ? text.Upper() : text;
}

char* BKCasts::ToChar(const wxString& value)
{
    return NewCharArray(Utf8(value));
}
char* BKCasts::ToChar(unsigned short value)
{
    return BKCasts(value).ToChar();
}
char* BKCasts::ToChar(int value)
{
    return BKCasts(value).ToChar();
}
char* BKCasts::ToChar(unsigned int value)
{
    return BKCasts(value).ToChar();
}
char* BKCasts::ToChar(long value)
{
    return BKCasts(value).ToChar();
}
char* BKCasts::ToChar(unsigned long value)
{
    return BKCasts(value).ToChar();
}
char* BKCasts::ToChar(float value)
{
    return BKCasts(value).ToChar();
}
char* BKCasts::ToChar(double value)
{
    return BKCasts(value).ToChar();
}
char* BKCasts::ToChar(BKCurrency value)
{
    return BKCasts(value).ToChar();
}
char* BKCasts::ToChar(const BKDateTime& value)
{
    return BKCasts(value).ToChar();
}

// Text sources go through the held-text rules; number sources are the built-in conversion.
#define BK_CASTS_FROM_TEXT(T, NAME)        \
    T BKCasts::NAME(const wxString& value) \
    {                                      \
        return BKCasts(value).NAME();      \
    }                                      \
    T BKCasts::NAME(const char* value)     \
    {                                      \
        return BKCasts(value).NAME();      \
    }
#define BK_CASTS_FROM_NUMBER(T, NAME, S) \
    T BKCasts::NAME(S value)             \
    {                                    \
        return static_cast<T>(value);    \
    }
#define BK_CASTS_FROM_FLOATING(T, NAME, S)      \
    T BKCasts::NAME(S value)                    \
    {                                           \
        return SaturatedFromFloating<T>(value); \
    }

BK_CASTS_FROM_TEXT(short, ToShort)
BK_CASTS_FROM_TEXT(unsigned short, ToUnsignedShort)
BK_CASTS_FROM_TEXT(int, ToInt)
BK_CASTS_FROM_TEXT(unsigned int, ToUnsignedInt)
BK_CASTS_FROM_TEXT(long, ToLong)
BK_CASTS_FROM_TEXT(unsigned long, ToUnsignedLong)
BK_CASTS_FROM_TEXT(float, ToFloat)

short BKCasts::ToShort(BKCurrency value)
{
    return BKCasts(value).ToShort();
}
unsigned short BKCasts::ToUnsignedShort(BKCurrency value)
{
    return BKCasts(value).ToUnsignedShort();
}
int BKCasts::ToInt(BKCurrency value)
{
    return BKCasts(value).ToInt();
}
unsigned int BKCasts::ToUnsignedInt(BKCurrency value)
{
    return BKCasts(value).ToUnsignedInt();
}
long BKCasts::ToLong(BKCurrency value)
{
    return BKCasts(value).ToLong();
}
unsigned long BKCasts::ToUnsignedLong(BKCurrency value)
{
    return BKCasts(value).ToUnsignedLong();
}
float BKCasts::ToFloat(BKCurrency value)
{
    return BKCasts(value).ToFloat();
}
double BKCasts::ToDouble(BKCurrency value)
{
    return BKCasts(value).ToDouble();
}

double BKCasts::ToDouble(wxString value)
{
    return DoubleFromText(Utf8(value));
}
double BKCasts::ToDouble(const char* value)
{
    return DoubleFromText(CheckedUtf8(value));
}

bool BKCasts::ToBool(wxString value)
{
    return BoolFromText(Utf8(value));
}
bool BKCasts::ToBool(const char* value)
{
    return BoolFromText(CheckedUtf8(value));
}

BK_CASTS_FROM_NUMBER(short, ToShort, unsigned short)
BK_CASTS_FROM_NUMBER(short, ToShort, int)
BK_CASTS_FROM_NUMBER(short, ToShort, unsigned int)
BK_CASTS_FROM_NUMBER(short, ToShort, long)
BK_CASTS_FROM_NUMBER(short, ToShort, unsigned long)
BK_CASTS_FROM_FLOATING(short, ToShort, float)
BK_CASTS_FROM_FLOATING(short, ToShort, double)
BK_CASTS_FROM_NUMBER(unsigned short, ToUnsignedShort, short)
BK_CASTS_FROM_NUMBER(unsigned short, ToUnsignedShort, int)
BK_CASTS_FROM_NUMBER(unsigned short, ToUnsignedShort, unsigned int)
BK_CASTS_FROM_NUMBER(unsigned short, ToUnsignedShort, long)
BK_CASTS_FROM_NUMBER(unsigned short, ToUnsignedShort, unsigned long)
BK_CASTS_FROM_FLOATING(unsigned short, ToUnsignedShort, float)
BK_CASTS_FROM_FLOATING(unsigned short, ToUnsignedShort, double)
BK_CASTS_FROM_NUMBER(int, ToInt, short)
BK_CASTS_FROM_NUMBER(int, ToInt, unsigned short)
BK_CASTS_FROM_NUMBER(int, ToInt, unsigned int)
BK_CASTS_FROM_NUMBER(int, ToInt, long)
BK_CASTS_FROM_NUMBER(int, ToInt, unsigned long)
BK_CASTS_FROM_FLOATING(int, ToInt, float)
BK_CASTS_FROM_FLOATING(int, ToInt, double)
BK_CASTS_FROM_NUMBER(unsigned int, ToUnsignedInt, short)
BK_CASTS_FROM_NUMBER(unsigned int, ToUnsignedInt, unsigned short)
BK_CASTS_FROM_NUMBER(unsigned int, ToUnsignedInt, int)
BK_CASTS_FROM_NUMBER(unsigned int, ToUnsignedInt, long)
BK_CASTS_FROM_NUMBER(unsigned int, ToUnsignedInt, unsigned long)
BK_CASTS_FROM_FLOATING(unsigned int, ToUnsignedInt, float)
BK_CASTS_FROM_FLOATING(unsigned int, ToUnsignedInt, double)
BK_CASTS_FROM_NUMBER(long, ToLong, short)
BK_CASTS_FROM_NUMBER(long, ToLong, unsigned short)
BK_CASTS_FROM_NUMBER(long, ToLong, int)
BK_CASTS_FROM_NUMBER(long, ToLong, unsigned int)
BK_CASTS_FROM_NUMBER(long, ToLong, unsigned long)
BK_CASTS_FROM_FLOATING(long, ToLong, float)
BK_CASTS_FROM_FLOATING(long, ToLong, double)
BK_CASTS_FROM_NUMBER(unsigned long, ToUnsignedLong, short)
BK_CASTS_FROM_NUMBER(unsigned long, ToUnsignedLong, unsigned short)
BK_CASTS_FROM_NUMBER(unsigned long, ToUnsignedLong, int)
BK_CASTS_FROM_NUMBER(unsigned long, ToUnsignedLong, unsigned int)
BK_CASTS_FROM_NUMBER(unsigned long, ToUnsignedLong, long)
BK_CASTS_FROM_FLOATING(unsigned long, ToUnsignedLong, float)
BK_CASTS_FROM_FLOATING(unsigned long, ToUnsignedLong, double)
BK_CASTS_FROM_NUMBER(float, ToFloat, short)
BK_CASTS_FROM_NUMBER(float, ToFloat, unsigned short)
BK_CASTS_FROM_NUMBER(float, ToFloat, int)
BK_CASTS_FROM_NUMBER(float, ToFloat, unsigned int)
BK_CASTS_FROM_NUMBER(float, ToFloat, long)
BK_CASTS_FROM_NUMBER(float, ToFloat, unsigned long)
BK_CASTS_FROM_NUMBER(float, ToFloat, double)
BK_CASTS_FROM_NUMBER(double, ToDouble, short)
BK_CASTS_FROM_NUMBER(double, ToDouble, unsigned short)
BK_CASTS_FROM_NUMBER(double, ToDouble, int)
BK_CASTS_FROM_NUMBER(double, ToDouble, unsigned int)
BK_CASTS_FROM_NUMBER(double, ToDouble, long)
BK_CASTS_FROM_NUMBER(double, ToDouble, unsigned long)
BK_CASTS_FROM_NUMBER(double, ToDouble, float)

#undef BK_CASTS_FROM_TEXT
#undef BK_CASTS_FROM_NUMBER

}  // namespace Brenik
