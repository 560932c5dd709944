// A telephone number reduced to what dialling it takes, so that numbers compare however they
// are written: "+49 (0)351 / 4711-0", "(0351) 47110" and "0351-4711 0" are all "035147110".
// The same reduction serves the search text and, as an SQL function, the directory's values.
#pragma once

#include <string>

#include <wx/string.h>

namespace Brenik {
class BKSQLiteDatabase;
}  // namespace Brenik

class PhoneDigits {
public:
    // The name of the SQL function: phonedigits(text) gives the reduced text, NULL for NULL.
    static const char* const kFunction;

    // Only the digits count; a leading "+" dials as "00", and Germany's own "0049" (with or
    // without the "(0)" often written after it) as the trunk "0". Empty when there is no digit.
    static std::string Of(const char* utf8, size_t length);
    static wxString Of(const wxString& text);
    // Whether the text holds nothing but what a telephone number is written with: digits,
    // blanks and + / ( ) - . (and at least one digit).
    static bool LooksLikeNumber(const wxString& text);
    // Makes the SQL function known on the connection; false when it is not connected.
    static bool Register(Brenik::BKSQLiteDatabase* database);
};
