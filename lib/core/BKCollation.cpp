#include "lib/core/BKCollation.h"

namespace Brenik {

namespace {

// Each kind of cell sorts as a block, in this order.
const char kNumberKind = '\x01';
const char kDateKind = '\x02';
const char kTextKind = '\x03';

// The base letter of a letter with an accent (lower-case in Latin-1, either case in Latin
// Extended-A: "Łukasz" files under L, "Ayşe" under s), 0 for any other character.
char BaseLetter(wxUniChar c)
{
    // U+00E0 to U+00FF, then U+0100 to U+017F; '-' where there is no base letter to file under.
    static const char latin1[] = "aaaaaa-ceeeeiiii-nooooo-ouuuuy-y";
    static const char extendedA[] =
        "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii--jjkkklllllll"
        "lllnnnnnnnnnoooooo--rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
    const unsigned long value = c.GetValue();
    char base = '-';
    if (value >= 0xE0 && value <= 0xFF)
        base = latin1[value - 0xE0];
    else if (value >= 0x100 && value <= 0x17F)
        base = extendedA[value - 0x100];
    return base == '-' ? 0 : base;
}

bool IsDigit(wxUniChar c)
{
    return c >= '0' && c <= '9';
}

// The digits of a whole number without leading zeros; false when the text is not one.
bool ReadNumber(const wxString& text, std::string& digits)
{
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    if (trimmed.empty())
        return false;
    for (wxUniChar c : trimmed) {
        if (!IsDigit(c))
            return false;
        if (!digits.empty() || c != '0')
            digits += static_cast<char>(c.GetValue());
    }
    return true;
}

// "d.m.yyyy" (one or two digits for day and month) as yyyymmdd; false for anything else.
bool ReadGermanDate(const wxString& text, std::string& date)
{
    const size_t firstDot = text.find('.');
    const size_t secondDot = text.find('.', firstDot == wxString::npos ? 0 : firstDot + 1);
    if (firstDot == wxString::npos || secondDot == wxString::npos)
        return false;
    const wxString day = text.substr(0, firstDot);
    const wxString month = text.substr(firstDot + 1, secondDot - firstDot - 1);
    const wxString year = text.substr(secondDot + 1);
    auto allDigits = [](const wxString& part, size_t least, size_t most) {
        if (part.length() < least || part.length() > most)
            return false;
        for (wxUniChar c : part)
            if (!IsDigit(c))
                return false;
        return true;
    };
    if (!allDigits(day, 1, 2) || !allDigits(month, 1, 2) || !allDigits(year, 4, 4))
        return false;
    auto twoDigits = [](const wxString& part) {
        return part.length() == 1 ? "0" + part.utf8_string() : part.utf8_string();
    };
    date = year.utf8_string() + twoDigits(month) + twoDigits(day);
    return true;
}

}  // namespace

std::string BKCollation::TextKey(const wxString& text)
{
    std::string key;
    key.reserve(text.length() + 1);
    for (wxUniChar c : text) {
        unsigned long value = c.GetValue();
        // Upper-case Latin-1 letters are folded here, whatever the process's C locale says.
        if (value >= 'A' && value <= 'Z')
            value += 'a' - 'A';
        else if (value >= 0xC0 && value <= 0xDE && value != 0xD7)
            value += 0x20;
        if (value < 0x80) {
            key += static_cast<char>(value);
        } else if (value == 0xDF) {
            key += "ss";
        } else if (const char base = BaseLetter(wxUniChar(value))) {
            key += base;
        } else {
            key += wxString(wxUniChar(value)).Lower().utf8_string();
        }
    }
    // Texts equal apart from case and accents: the original decides, so that the order does
    // not depend on the order the texts came in.
    key += '\0';
    key += text.utf8_string();
    return key;
}

std::string BKCollation::CellKey(const wxString& text)
{
    if (text.empty())
        return std::string();
    std::string digits;
    if (ReadNumber(text, digits)) {
        // A longer number is a larger one: its length goes first, led in turn by the length
        // of that, so that lengths of any size order (a postcode of 100 digits after "5").
        const std::string length = std::to_string(digits.size());
        std::string key(1, kNumberKind);
        key += static_cast<char>('0' + length.size());
        return key + length + digits;
    }
    std::string date;
    if (ReadGermanDate(text, date))
        return kDateKind + date;
    return kTextKind + TextKey(text);
}

}  // namespace Brenik
