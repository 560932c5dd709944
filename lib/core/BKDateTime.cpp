#include "lib/core/BKDateTime.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

// The parsers below read the characters of a wxString in place through wc_str(), which
// is a pointer into the string itself only where the toolkit stores wide characters.
#if wxUSE_UNICODE_UTF8
#error "BKDateTime reads wxString characters in place and needs the wide-character build"
#endif

namespace Brenik {

namespace {

// A piece of a text between two separators, as a pair of pointers into the text's own
// characters: the result list converts two timestamps per row, so nothing is copied.
struct Piece {
    const wchar_t* begin = nullptr;
    const wchar_t* end = nullptr;
};

// Splits [begin, end) at the separator into at most maxPieces pieces and returns how many
// pieces there are in all (an empty text has none; a separator at the end adds an empty one).
size_t SplitPieces(const wchar_t* begin, const wchar_t* end, wchar_t separator, Piece* pieces,
                   size_t maxPieces)
{
    if (begin == end)
        return 0;
    size_t count = 0;
    const wchar_t* start = begin;
    for (const wchar_t* p = begin;; ++p) {
        if (p == end || *p == separator) {
            if (count < maxPieces) {
                pieces[count].begin = start;
                pieces[count].end = p;
            }
            ++count;
            if (p == end)
                break;
            start = p + 1;
        }
    }
    return count;
}

// The piece as plain bytes for the C library's number readers. Characters outside ASCII can
// be neither blanks, signs nor digits for strtoul, so they become a byte that stops it too.
std::string ToAscii(const Piece& piece)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(piece.end - piece.begin));
    for (const wchar_t* p = piece.begin; p != piece.end; ++p)
        bytes.push_back(*p < 0x80 ? static_cast<char>(*p) : '\x7f');
    return bytes;
}

// The leading number of the piece by the library's integer rule: strtoul/strtol on the
// longest leading part, then narrowed to the target width by keeping the low bits.
unsigned long ReadUnsignedLong(const Piece& piece)
{
    return std::strtoul(ToAscii(piece).c_str(), nullptr, 10);
}

unsigned int ReadUnsignedInt(const Piece& piece)
{
    return static_cast<unsigned int>(ReadUnsignedLong(piece));
}

unsigned short ReadUnsignedShort(const Piece& piece)
{
    return static_cast<unsigned short>(ReadUnsignedLong(piece));
}

int ReadInt(const Piece& piece)
{
    return static_cast<int>(std::strtol(ToAscii(piece).c_str(), nullptr, 10));
}

Piece WholeText(const wxString& text)
{
    Piece piece;
    piece.begin = text.wc_str();
    piece.end = piece.begin + text.length();
    return piece;
}

// Up to count characters of the text from position start; the empty piece where the
// position lies outside the text.
Piece SubPiece(const Piece& text, long start, long count)
{
    long length = text.end - text.begin;
    Piece piece;
    if (start < 0 || start >= length) {
        piece.begin = piece.end = text.end;
        return piece;
    }
    piece.begin = text.begin + start;
    piece.end = piece.begin + std::min(count, length - start);
    return piece;
}

// Years the four-digit text forms can hold. Outside them the toolkit's own ranges begin to
// assert, and no value of the database lies there.
const int kMinimumYear = 1;
const int kMaximumYear = 9999;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned int DaysInMonth(unsigned int month, int year)
{
    static const unsigned int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year))
        return 29;
    return days[month - 1];
}

// A local date and time taken apart; months 1 to 12. Components are checked before they
// reach the toolkit, which asserts (a dialog in the program) on a month, day or hour out of
// range instead of reporting it.
struct Parts {
    long year = 0;
    unsigned long month = 0;
    unsigned long day = 0;
    unsigned long hour = 0;
    unsigned long minute = 0;
    unsigned long second = 0;
    unsigned long millisecond = 0;

    bool IsValid() const
    {
        return year >= kMinimumYear && year <= kMaximumYear && month >= 1 && month <= 12 &&
               day >= 1 &&
               day <= DaysInMonth(static_cast<unsigned int>(month), static_cast<int>(year)) &&
               hour <= 23 && minute <= 59 && second <= 59 && millisecond <= 999;
    }
};

Parts PartsOf(const wxDateTime& dateTime)
{
    wxDateTime::Tm tm = dateTime.GetTm();
    Parts parts;
    parts.year = tm.year;
    parts.month = static_cast<unsigned long>(tm.mon) + 1;
    parts.day = tm.mday;
    parts.hour = tm.hour;
    parts.minute = tm.min;
    parts.second = tm.sec;
    parts.millisecond = tm.msec;
    return parts;
}

// The current local date and time to the second.
Parts NowParts()
{
    return PartsOf(wxDateTime(wxLongLong(static_cast<wxLongLong_t>(time(nullptr))) * 1000));
}

// Days from 1 January 1970 to the date (proleptic Gregorian calendar).
long long DaysFromCivil(long long year, unsigned int month, unsigned int day)
{
    year -= month <= 2;
    long long era = (year >= 0 ? year : year - 399) / 400;
    unsigned int yearOfEra = static_cast<unsigned int>(year - era * 400);
    unsigned int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    unsigned int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

// The instant of valid local parts without mktime, which in the C library reads the zone
// file again on every call when TZ is not set and so cost most of a conversion. The offset
// of the previous conversion is tried and checked with localtime_r. Within three hours of a
// change of the offset (where a local time may be missing or occur twice), and outside the
// years in which the toolkit itself works through the C library, false: the toolkit decides.
bool FastLocalSeconds(const Parts& parts, time_t& seconds)
{
    if (parts.year < 1971 || parts.year > 2037)
        return false;
    static thread_local long lastOffset = 0;
    const long long local =
        DaysFromCivil(parts.year, static_cast<unsigned int>(parts.month),
                      static_cast<unsigned int>(parts.day)) *
            86400LL +
        static_cast<long long>(parts.hour * 3600 + parts.minute * 60 + parts.second);
    for (int attempt = 0; attempt < 2; ++attempt) {
        time_t candidate = static_cast<time_t>(local - lastOffset);
        struct tm tm;
        if (!localtime_r(&candidate, &tm))
            return false;
        if (tm.tm_gmtoff != lastOffset) {
            lastOffset = tm.tm_gmtoff;
            continue;
        }
        for (time_t nearby : {candidate - 3 * 3600, candidate + 3 * 3600}) {
            if (!localtime_r(&nearby, &tm) || tm.tm_gmtoff != lastOffset)
                return false;
        }
        seconds = candidate;
        return true;
    }
    return false;
}

// One setting of the whole value. Equal to setting the day to 1, then year, month and
// day, then the time, whenever the parts are valid; invalid parts leave the value unset.
void Apply(wxDateTime& dateTime, const Parts& parts)
{
    if (!parts.IsValid()) {
        dateTime = wxDateTime();
        return;
    }
    time_t seconds;
    if (FastLocalSeconds(parts, seconds)) {
        dateTime = wxDateTime(wxLongLong(static_cast<wxLongLong_t>(seconds)) * 1000 +
                              static_cast<long>(parts.millisecond));
        return;
    }
    dateTime.Set(static_cast<wxDateTime::wxDateTime_t>(parts.day),
                 static_cast<wxDateTime::Month>(parts.month - 1), static_cast<int>(parts.year),
                 static_cast<wxDateTime::wxDateTime_t>(parts.hour),
                 static_cast<wxDateTime::wxDateTime_t>(parts.minute),
                 static_cast<wxDateTime::wxDateTime_t>(parts.second),
                 static_cast<wxDateTime::wxDateTime_t>(parts.millisecond));
}

// The date parts in the order year, month, day from three pieces.
void ReadDate(const Piece* pieces, Parts& parts)
{
    parts.year = ReadUnsignedInt(pieces[0]);
    parts.month = ReadUnsignedInt(pieces[1]);
    parts.day = ReadUnsignedShort(pieces[2]);
}

void ReadTime(const Piece* pieces, Parts& parts)
{
    parts.hour = ReadUnsignedShort(pieces[0]);
    parts.minute = ReadUnsignedShort(pieces[1]);
    parts.second = ReadUnsignedShort(pieces[2]);
}

// The text up to its first ".": fractions of a second are dropped.
Piece CutAtPoint(const Piece& text)
{
    Piece cut = text;
    for (const wchar_t* p = text.begin; p != text.end; ++p) {
        if (*p == L'.') {
            cut.end = p;
            break;
        }
    }
    return cut;
}

wxString DatabaseDateText(const wxDateTime::Tm& tm)
{
    char buffer[32];
    int length = std::snprintf(buffer, sizeof buffer, "%d-%02u-%02u", tm.year,
                               static_cast<unsigned>(tm.mon) + 1, tm.mday);
    return wxString::FromAscii(buffer, static_cast<size_t>(length));
}

wxString DatabaseTimeText(const wxDateTime::Tm& tm)
{
    char buffer[32];
    int length = std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u", tm.hour, tm.min, tm.sec);
    return wxString::FromAscii(buffer, static_cast<size_t>(length));
}

}  // namespace

BKDateTime::BKDateTime() : wxDateTime() {}

BKDateTime::BKDateTime(long seconds)
    : wxDateTime(wxLongLong(static_cast<wxLongLong_t>(seconds)) * 1000)
{
}

BKDateTime::BKDateTime(const tm& time) : wxDateTime()
{
    Parts parts;
    parts.year = static_cast<long>(time.tm_year) + 1900;
    parts.month = static_cast<unsigned long>(time.tm_mon) + 1;
    parts.day = static_cast<unsigned long>(time.tm_mday);
    parts.hour = static_cast<unsigned long>(time.tm_hour);
    parts.minute = static_cast<unsigned long>(time.tm_min);
    // The C library allows a leap second; the toolkit's mktime folds it into the next minute.
    parts.second = time.tm_sec == 60 ? 59 : static_cast<unsigned long>(time.tm_sec);
    if (time.tm_mon < 0 || time.tm_mday < 0 || time.tm_hour < 0 || time.tm_min < 0 ||
        time.tm_sec < 0 || !parts.IsValid())
        return;
    wxDateTime::Set(time);
}

BKDateTime::BKDateTime(double julianDayNumber) : wxDateTime(julianDayNumber) {}

BKDateTime::BKDateTime(unsigned short hour, unsigned short minute, unsigned short second,
                       unsigned short millisecond)
    : wxDateTime()
{
    Parts parts = NowParts();
    parts.hour = hour;
    parts.minute = minute;
    parts.second = second;
    parts.millisecond = millisecond;
    Apply(*this, parts);
}

BKDateTime::BKDateTime(unsigned short day, wxDateTime::Month month, int year, unsigned short hour,
                       unsigned short minute, unsigned short second, unsigned short millisecond)
    : wxDateTime()
{
    Parts parts;
    parts.year = year;
    // The invalid month (and anything beyond it) stays out of the range 1 to 12.
    parts.month = month >= wxDateTime::Jan && month <= wxDateTime::Dec
                      ? static_cast<unsigned long>(month) + 1
                      : 0;
    parts.day = day;
    parts.hour = hour;
    parts.minute = minute;
    parts.second = second;
    parts.millisecond = millisecond;
    Apply(*this, parts);
}

BKDateTime::BKDateTime(const wxString& germanDate, const wxString& germanTime) : wxDateTime()
{
    SetGermanDate(germanDate, germanTime);
}

BKDateTime::BKDateTime(wxString text, wchar_t separator) : wxDateTime()
{
    SetBySQLTimestamp(text, separator);
}

wxString BKDateTime::ToDatabaseDate() const
{
    if (!IsValid())
        return wxString();
    return DatabaseDateText(GetTm());
}

wxString BKDateTime::ToDatabaseTime() const
{
    if (!IsValid())
        return wxString();
    return DatabaseTimeText(GetTm());
}

wxString BKDateTime::ToDatabaseDateTime() const
{
    if (!IsValid())
        return wxString();
    wxDateTime::Tm tm = GetTm();
    char buffer[48];
    int length = std::snprintf(buffer, sizeof buffer, "%d-%02u-%02u %02u:%02u:%02u", tm.year,
                               static_cast<unsigned>(tm.mon) + 1, tm.mday, tm.hour, tm.min, tm.sec);
    return wxString::FromAscii(buffer, static_cast<size_t>(length));
}

wxString BKDateTime::ToGermanDate() const
{
    if (!IsValid())
        return wxString();
    wxDateTime::Tm tm = GetTm();
    char buffer[32];
    int length = std::snprintf(buffer, sizeof buffer, "%02u.%02u.%d", tm.mday,
                               static_cast<unsigned>(tm.mon) + 1, tm.year);
    return wxString::FromAscii(buffer, static_cast<size_t>(length));
}

wxString BKDateTime::ToCookieDateTime() const
{
    if (!IsValid())
        return wxString();
    return Format(wxT("%a, %d %b %Y %X %Z"));
}

bool BKDateTime::SetBySQLTimestamp(wxString text, wchar_t separator)
{
    if (text.empty())
        return false;

    Piece whole = CutAtPoint(WholeText(text));
    Piece blankPieces[2];
    size_t blankCount = SplitPieces(whole.begin, whole.end, L' ', blankPieces, 2);

    // The current date and time fill what the text does not set; they are taken only when
    // needed, because reading the clock costs more than the rest of a conversion.
    Parts parts;
    bool haveDate = false;
    bool haveTime = false;
    if (blankCount == 2) {
        Piece dateParts[3];
        if (SplitPieces(blankPieces[0].begin, blankPieces[0].end, separator, dateParts, 3) == 3) {
            ReadDate(dateParts, parts);
            haveDate = true;
        }
        Piece timeParts[3];
        if (SplitPieces(blankPieces[1].begin, blankPieces[1].end, L':', timeParts, 3) == 3) {
            ReadTime(timeParts, parts);
            haveTime = true;
        }
    } else {
        Piece dateParts[3];
        if (SplitPieces(whole.begin, whole.end, separator, dateParts, 3) == 3) {
            ReadDate(dateParts, parts);
            haveDate = true;
        }
    }

    if (!haveDate || !haveTime) {
        Parts now = NowParts();
        if (!haveDate) {
            parts.year = now.year;
            parts.month = now.month;
            parts.day = now.day;
        }
        if (!haveTime) {
            parts.hour = now.hour;
            parts.minute = now.minute;
            parts.second = now.second;
        }
    }
    parts.millisecond = 0;
    Apply(*this, parts);

    bool complete = blankCount == 2 ? haveDate && haveTime : haveDate;
    // A text whose numbers are out of range leaves the value unset: that is no success.
    return complete && IsValid();
}

bool BKDateTime::SetBySQLDate(const wxString& text, wchar_t separator)
{
    if (text.empty())
        return false;
    Piece whole = WholeText(text);
    Piece dateParts[3];
    if (SplitPieces(whole.begin, whole.end, separator, dateParts, 3) != 3)
        return false;
    // An unset value has no time of day to keep: the date starts at midnight.
    Parts parts = IsValid() ? PartsOf(*this) : Parts();
    ReadDate(dateParts, parts);
    Apply(*this, parts);
    return IsValid();
}

bool BKDateTime::SetBySQLTime(wxString text)
{
    if (text.empty())
        return false;
    Piece whole = CutAtPoint(WholeText(text));
    Piece timeParts[3];
    if (SplitPieces(whole.begin, whole.end, L':', timeParts, 3) != 3)
        return false;
    // An unset value has no date to keep: the time is set on today.
    Parts parts = IsValid() ? PartsOf(*this) : NowParts();
    ReadTime(timeParts, parts);
    Apply(*this, parts);
    return IsValid();
}

void BKDateTime::SetAmericanDate(const wxString& text)
{
    SetBySQLTimestamp(text, L'-');
}

void BKDateTime::SetGermanDate(const wxString& date, const wxString& time)
{
    if (date.empty() && time.empty())
        return;

    Parts parts;
    if (IsValid())
        parts = PartsOf(*this);
    else if (date.empty())
        parts = NowParts();  // a time alone is set on today
    // else: a date alone on an unset value starts at midnight

    if (!date.empty()) {
        Piece text = WholeText(date);
        size_t point = date.rfind(L'.');
        long k = point == wxString::npos ? -1 : static_cast<long>(point);
        Piece yearPiece;
        yearPiece.begin = k >= 0 ? text.begin + k + 1 : text.begin;
        yearPiece.end = text.end;
        parts.year = ReadInt(yearPiece);
        parts.month = ReadUnsignedShort(SubPiece(text, k - 2, 2));
        parts.day = ReadUnsignedShort(SubPiece(text, k - 5, 2));
        if (!parts.IsValid()) {
            *this = BKDateTime();
            return;
        }
    }
    if (!time.empty()) {
        Piece text = WholeText(time);
        parts.hour = ReadUnsignedShort(SubPiece(text, 0, 2));
        parts.minute = ReadUnsignedShort(SubPiece(text, 3, 2));
        parts.second = time.length() >= 6 ? ReadUnsignedShort(SubPiece(text, 6, 2)) : 0;
    }
    Apply(*this, parts);
}

BKDateTime BKDateTime::FromSQLTimestamp(wxString text, wchar_t separator)
{
    BKDateTime dateTime;
    dateTime.SetBySQLTimestamp(text, separator);
    return dateTime;
}

bool BKDateTime::IsGermanDate(wxString text)
{
    Piece whole = WholeText(text);
    Piece pieces[3];
    if (SplitPieces(whole.begin, whole.end, L'.', pieces, 3) != 3)
        return false;
    unsigned long day = ReadUnsignedLong(pieces[0]);
    unsigned long month = ReadUnsignedLong(pieces[1]);
    unsigned long year = ReadUnsignedLong(pieces[2]);
    if (day == 0 || month == 0 || year == 0)
        return false;
    if (pieces[0].end - pieces[0].begin != 2 || pieces[1].end - pieces[1].begin != 2 ||
        pieces[2].end - pieces[2].begin < 4)
        return false;
    return day <= 31 && month <= 12;
}

bool BKDateTime::IsGermanTime(wxString text)
{
    Piece whole = WholeText(text);
    Piece pieces[3];
    size_t count = SplitPieces(whole.begin, whole.end, L':', pieces, 3);
    if (count != 2 && count != 3)
        return false;
    for (size_t i = 0; i < count; ++i) {
        unsigned long number = 0;
        wxString piece(pieces[i].begin, pieces[i].end);
        if (!piece.ToULong(&number, 10))
            return false;
        if (number > (i == 0 ? 24ul : 59ul))
            return false;
    }
    return true;
}

BKDateTime BKDateTime::Now()
{
    return BKDateTime(static_cast<long>(time(nullptr)));
}

wxDateTime::Month BKDateTime::GetRealMonth(unsigned short month)
{
    if (month < 1 || month > 12)
        return wxDateTime::Inv_Month;
    return static_cast<wxDateTime::Month>(month - 1);
}

void BKDateTime::SetWxDateTime(const wxDateTime& dateTime)
{
    if (!dateTime.IsValid()) {
        *this = BKDateTime();
        return;
    }
    Apply(*this, PartsOf(dateTime));
}

wxDateTime BKDateTime::GetWxDateTime() const
{
    wxDateTime dateTime;
    if (IsValid())
        Apply(dateTime, PartsOf(*this));
    return dateTime;
}

}  // namespace Brenik
