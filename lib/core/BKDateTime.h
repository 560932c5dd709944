// A date and time in local time: the toolkit's date extended by the SQL forms
// (YYYY-MM-DD, HH:MM:SS, "YYYY-MM-DD HH:MM:SS"), the German form DD.MM.YYYY and validators
// for German input. A plain value. Default-constructed it is unset (invalid); formatting
// an unset date gives the empty text.
#pragma once

#include <ctime>

#include <wx/datetime.h>
#include <wx/string.h>

#include "lib/core/BKClassInfo.h"

namespace Brenik {

class BKDateTime : public wxDateTime {
public:
    BKDateTime();
    explicit BKDateTime(long seconds);
    explicit BKDateTime(const tm& time);
    explicit BKDateTime(double julianDayNumber);
    // Today at the given time.
    BKDateTime(unsigned short hour, unsigned short minute, unsigned short second,
               unsigned short millisecond);
    BKDateTime(unsigned short day, wxDateTime::Month month, int year, unsigned short hour,
               unsigned short minute, unsigned short second, unsigned short millisecond);
    BKDateTime(const wxString& germanDate, const wxString& germanTime);
    BKDateTime(wxString text, wchar_t separator);

    // Not polymorphic: answers its class record like BKClassInfo does.
    BKClassInfo GetClassInfo() const { return BKClassInfo::Make("BKDateTime", "0.6.9"); }

    wxString ToDatabaseDate() const;
    wxString ToDatabaseTime() const;
    wxString ToDatabaseDateTime() const;
    wxString ToGermanDate() const;
    wxString ToCookieDateTime() const;

    bool SetBySQLTimestamp(wxString text, wchar_t separator);
    bool SetBySQLDate(const wxString& text, wchar_t separator);
    bool SetBySQLTime(wxString text);
    void SetAmericanDate(const wxString& text);
    void SetGermanDate(const wxString& date, const wxString& time);

    static BKDateTime FromSQLTimestamp(wxString text, wchar_t separator);
    static bool IsGermanDate(wxString text);
    static bool IsGermanTime(wxString text);
    // The current local date and time to the second.
    static BKDateTime Now();
    // Month 1 to 12 to the toolkit's month; anything else gives the invalid month.
    static wxDateTime::Month GetRealMonth(unsigned short month);

    void SetWxDateTime(const wxDateTime& dateTime);
    wxDateTime GetWxDateTime() const;
};

}  // namespace Brenik
