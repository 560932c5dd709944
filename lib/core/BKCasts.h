// Holds one value as text and converts it to and from numbers, booleans, money and dates.
// A plain value: copy it freely. The text is kept as UTF-8, so the millions of database
// cells that pass through here cost one byte per character, not four.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <wx/string.h>

#include "lib/core/BKLib.h"

namespace Brenik {

class BKCurrency;
class BKDateTime;

class BKCasts : public BKLib {
public:
    BKCasts() = default;
    BKCasts(const wxString& value);
    BKCasts(bool value);
    BKCasts(short value);
    BKCasts(unsigned short value);
    BKCasts(int value);
    BKCasts(unsigned int value);
    BKCasts(long value);
    BKCasts(unsigned long value);
    BKCasts(float value);
    BKCasts(double value);
    // UTF-8; null is the empty text, and bytes that are not UTF-8 are read as Latin-1.
    BKCasts(const char* value);
    BKCasts(BKCurrency value);
    BKCasts(const BKDateTime& value);
    // A copy always owns its text, even when the original refers to someone else's bytes.
    BKCasts(const BKCasts& other);
    BKCasts(BKCasts&& other);
    BKCasts& operator=(const BKCasts& other);
    BKCasts& operator=(BKCasts&& other);
    ~BKCasts() override;

    BKClassInfo GetClassInfo() const override;

    static BKCasts Convert(const wxString& value);
    static BKCasts Convert(short value);
    static BKCasts Convert(unsigned short value);
    static BKCasts Convert(int value);
    static BKCasts Convert(unsigned int value);
    static BKCasts Convert(long value);
    static BKCasts Convert(unsigned long value);
    static BKCasts Convert(float value);
    static BKCasts Convert(double value);
    static BKCasts Convert(const char* value);
    static BKCasts Convert(BKCurrency value);
    static BKCasts Convert(const BKDateTime& value);

    // Reading the held text.
    wxString ToString() const;
    // A new array (delete[] it) holding the UTF-8 bytes and a terminating zero.
    char* ToChar() const;
    short ToShort() const;
    unsigned short ToUnsignedShort() const;
    int ToInt() const;
    unsigned int ToUnsignedInt() const;
    long ToLong() const;
    unsigned long ToUnsignedLong() const;
    float ToFloat() const;
    double ToDouble() const;
    bool ToBool() const;
    BKCurrency ToCurrency() const;
    // The held text read as an SQL timestamp whose date fields are joined by the separator.
    BKDateTime ToDateTime(wchar_t separator) const;

    // The held text itself, without conversion: the cheap path for bulk loading. A zero byte
    // follows it. Valid until the value changes or goes.
    std::string_view GetUtf8() const { return std::string_view(bytes, extent.count); }
    // Copies the text; texts of 2 GiB and more are refused with std::length_error.
    void SetUtf8(std::string_view utf8);
    bool IsEmpty() const { return extent.count == 0; }
    // Whether the bytes are well-formed UTF-8 (what the toolkit's strict decoder accepts).
    static bool IsValidUtf8(const char* text, size_t length);
    // Reads one well-formed UTF-8 sequence at p into c and moves p past it; false (p moved by
    // one byte) for anything else: overlong forms, surrogates, cut sequences.
    static bool ReadCodePoint(const unsigned char*& p, const unsigned char* end, unsigned int& c);
    // The bytes as well-formed UTF-8: well-formed sequences are kept, and every other byte is
    // read as the Latin-1 letter it would be (a hand-edited or older file's "ü").
    static std::string RepairUtf8(const char* text, size_t length);

    // Value to text.
    static wxString ToString(short value);
    static wxString ToString(unsigned short value);
    static wxString ToString(int value);
    static wxString ToString(unsigned int value);
    static wxString ToString(long value);
    static wxString ToString(unsigned long value);
    static wxString ToString(float value);
    static wxString ToString(double value);
    static wxString ToString(const char* value);
    static wxString ToString(BKCurrency value);
    static wxString ToString(const BKDateTime& value);
    // "true"/"false", or "t"/"f" in the short form; upper-cased on request.
    static wxString ToString(bool value, bool upperCase, bool shortForm);

    static char* ToChar(const wxString& value);
    static char* ToChar(unsigned short value);
    static char* ToChar(int value);
    static char* ToChar(unsigned int value);
    static char* ToChar(long value);
    static char* ToChar(unsigned long value);
    static char* ToChar(float value);
    static char* ToChar(double value);
    static char* ToChar(BKCurrency value);
    static char* ToChar(const BKDateTime& value);

    // Text and other numbers to a number.
    static short ToShort(const wxString& value);
    static short ToShort(const char* value);
    static short ToShort(BKCurrency value);
    static short ToShort(unsigned short value);
    static short ToShort(int value);
    static short ToShort(unsigned int value);
    static short ToShort(long value);
    static short ToShort(unsigned long value);
    static short ToShort(float value);
    static short ToShort(double value);

    static unsigned short ToUnsignedShort(const wxString& value);
    static unsigned short ToUnsignedShort(const char* value);
    static unsigned short ToUnsignedShort(BKCurrency value);
    static unsigned short ToUnsignedShort(short value);
    static unsigned short ToUnsignedShort(int value);
    static unsigned short ToUnsignedShort(unsigned int value);
    static unsigned short ToUnsignedShort(long value);
    static unsigned short ToUnsignedShort(unsigned long value);
    static unsigned short ToUnsignedShort(float value);
    static unsigned short ToUnsignedShort(double value);

    static int ToInt(const wxString& value);
    static int ToInt(const char* value);
    static int ToInt(BKCurrency value);
    static int ToInt(short value);
    static int ToInt(unsigned short value);
    static int ToInt(unsigned int value);
    static int ToInt(long value);
    static int ToInt(unsigned long value);
    static int ToInt(float value);
    static int ToInt(double value);

    static unsigned int ToUnsignedInt(const wxString& value);
    static unsigned int ToUnsignedInt(const char* value);
    static unsigned int ToUnsignedInt(BKCurrency value);
    static unsigned int ToUnsignedInt(short value);
    static unsigned int ToUnsignedInt(unsigned short value);
    static unsigned int ToUnsignedInt(int value);
    static unsigned int ToUnsignedInt(long value);
    static unsigned int ToUnsignedInt(unsigned long value);
    static unsigned int ToUnsignedInt(float value);
    static unsigned int ToUnsignedInt(double value);

    static long ToLong(const wxString& value);
    static long ToLong(const char* value);
    static long ToLong(BKCurrency value);
    static long ToLong(short value);
    static long ToLong(unsigned short value);
    static long ToLong(int value);
    static long ToLong(unsigned int value);
    static long ToLong(unsigned long value);
    static long ToLong(float value);
    static long ToLong(double value);

    static unsigned long ToUnsignedLong(const wxString& value);
    static unsigned long ToUnsignedLong(const char* value);
    static unsigned long ToUnsignedLong(BKCurrency value);
    static unsigned long ToUnsignedLong(short value);
    static unsigned long ToUnsignedLong(unsigned short value);
    static unsigned long ToUnsignedLong(int value);
    static unsigned long ToUnsignedLong(unsigned int value);
    static unsigned long ToUnsignedLong(long value);
    static unsigned long ToUnsignedLong(float value);
    static unsigned long ToUnsignedLong(double value);

    static float ToFloat(const wxString& value);
    static float ToFloat(const char* value);
    static float ToFloat(BKCurrency value);
    static float ToFloat(short value);
    static float ToFloat(unsigned short value);
    static float ToFloat(int value);
    static float ToFloat(unsigned int value);
    static float ToFloat(long value);
    static float ToFloat(unsigned long value);
    static float ToFloat(double value);

    // Accepts "," and "." as the decimal separator whatever the locale.
    static double ToDouble(wxString value);
    static double ToDouble(const char* value);
    static double ToDouble(BKCurrency value);
    static double ToDouble(short value);
    static double ToDouble(unsigned short value);
    static double ToDouble(int value);
    static double ToDouble(unsigned int value);
    static double ToDouble(long value);
    static double ToDouble(unsigned long value);
    static double ToDouble(float value);

    // True for "t", "true", "yes", "y", "j", "ja", "on", "ok" in any case; false otherwise.
    static bool ToBool(wxString value);
    static bool ToBool(const char* value);

protected:
    // Makes the value the bytes at text without copying them: the caller keeps them alive,
    // unchanged and followed by a zero byte for as long as this value refers to them (until
    // it is set again or goes). Lets a record keep all its texts in one block.
    void ReferTo(const char* text, size_t size);
    // Whether the value refers to bytes it does not own.
    bool IsReference() const { return !extent.owned && extent.count > 0; }

private:
    void Release();

    // The byte count and whether the bytes are owned, in four bytes: that leaves a derived
    // field record room for four bytes of its own without growing.
    struct Extent {
        std::uint32_t count : 31;
        std::uint32_t owned : 1;
        Extent() : count(0), owned(0) {}
    };
    static constexpr std::uint32_t kMaxByteCount = 0x7fffffff;

    // Never null: the empty text is a static "".
    const char* bytes = "";
    Extent extent;
};

}  // namespace Brenik
