#include "directory/PhoneDigits.h"

#include <sqlite3.h>

#include <cstring>

#include "lib/db/BKSQLiteDatabase.h"

namespace {

void PhoneDigitsFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const unsigned char* text = sqlite3_value_text(arguments[0]);
    if (!text)
        return;  // NULL stays NULL
    const std::string digits = PhoneDigits::Of(reinterpret_cast<const char*>(text),
                                               size_t(sqlite3_value_bytes(arguments[0])));
    sqlite3_result_text(context, digits.data(), int(digits.size()), SQLITE_TRANSIENT);
}

}  // namespace

const char* const PhoneDigits::kFunction = "phonedigits";

std::string PhoneDigits::Of(const char* utf8, size_t length)
{
    std::string digits;
    bool plus = false;
    bool started = false;
    for (size_t i = 0; i < length; ++i) {
        const char c = utf8[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            started = true;
        } else if (c == '+' && !started) {
            plus = true;
        }
    }
    if (digits.empty())
        return digits;
    if (plus)
        digits.insert(0, "00");
    if (digits.compare(0, 4, "0049") == 0) {
        // The "(0)" of "+49 (0)351" is the trunk prefix that the country code replaces.
        const size_t national = digits.find_first_not_of('0', 4);
        digits = "0" + (national == std::string::npos ? std::string() : digits.substr(national));
    }
    return digits;
}

wxString PhoneDigits::Of(const wxString& text)
{
    const std::string utf8 = text.utf8_string();
    return wxString::FromUTF8(Of(utf8.data(), utf8.size()));
}

bool PhoneDigits::LooksLikeNumber(const wxString& text)
{
    bool digit = false;
    for (wxUniChar c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (!wxString(" +/()-.").Contains(wxString(c)))
            return false;
    }
    return digit;
}

bool PhoneDigits::Register(Brenik::BKSQLiteDatabase* database)
{
    sqlite3* connection = database ? database->GetConnection() : nullptr;
    return connection &&
           sqlite3_create_function(connection, kFunction, 1,
                                   SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                   PhoneDigitsFunction, nullptr, nullptr) == SQLITE_OK;
}
