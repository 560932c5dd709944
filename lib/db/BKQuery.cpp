#include "lib/db/BKQuery.h"

#include "lib/db/BKDatabase.h"

namespace Brenik {

namespace {

struct DateParts {
    int year = 0;
    unsigned short month = 0;
    unsigned short day = 0;
};

struct TimeParts {
    unsigned short hour = 0;
    unsigned short minute = 0;
    unsigned short second = 0;
};

// Mid() that tolerates a start before the text (the position of a missing separator).
wxString Part(const wxString& text, long start, size_t count)
{
    if (start < 0 || static_cast<size_t>(start) >= text.length())
        return wxString();
    return text.Mid(static_cast<size_t>(start), count);
}

bool ReadDate(const wxString& text, DateParts& parts)
{
    if (text.length() < 10)
        return false;
    int dash = text.Find('-');
    long p = dash == wxNOT_FOUND ? -1 : dash;
    parts.year = p < 0 ? 0 : BKCasts::ToInt(text.Left(static_cast<size_t>(p)));
    parts.month = BKCasts::ToUnsignedShort(Part(text, p + 1, 2));
    parts.day = BKCasts::ToUnsignedShort(Part(text, p + 4, 2));
    return true;
}

TimeParts ReadTime(const wxString& text)
{
    int blank = text.Find(' ');
    long p = blank == wxNOT_FOUND ? -1 : blank;
    TimeParts parts;
    parts.hour = BKCasts::ToUnsignedShort(Part(text, p + 1, 2));
    parts.minute = BKCasts::ToUnsignedShort(Part(text, p + 4, 2));
    parts.second = BKCasts::ToUnsignedShort(Part(text, p + 7, 2));
    return parts;
}

}  // namespace

BKQuery::BKQuery(BKDatabase* database) : BKQueryParser(wxString())
{
    SetDatabase(database);
}

BKClassInfo BKQuery::GetClassInfo() const
{
    return BKClassInfo::Make("BKQuery", "0.4.5");
}

bool BKQuery::Query(const wxString& statement, bool withResult)
{
    SetQueryText(statement);
    return Exec(withResult);
}

bool BKQuery::QueryByResource(const wxString& resourceName, bool withResult)
{
    return Query(res(resourceName), withResult);
}

const char* BKQuery::GetFieldUtf8(int) const
{
    return nullptr;
}

unsigned long long BKQuery::GetResultGeneration() const
{
    return 0;
}

bool BKQuery::ExistsColumn(const wxString& name)
{
    unsigned int count = GetColumnCount();
    for (unsigned int index = 0; index < count; ++index) {
        if (GetColumn(static_cast<int>(index)).ToString() == name)
            return true;
    }
    return false;
}

BKDateTime BKQuery::GetDate(const wxString& text)
{
    DateParts date;
    if (!ReadDate(text, date))
        return BKDateTime();
    return BKDateTime(date.day, BKDateTime::GetRealMonth(date.month), date.year, 0, 0, 0, 0);
}

BKDateTime BKQuery::GetTime(const wxString& text)
{
    TimeParts time = ReadTime(text);
    return BKDateTime(time.hour, time.minute, time.second, 0);
}

BKDateTime BKQuery::GetDateTime(const wxString& text)
{
    DateParts date;
    if (!ReadDate(text, date))
        return BKDateTime();
    TimeParts time = ReadTime(text);
    return BKDateTime(date.day, BKDateTime::GetRealMonth(date.month), date.year, time.hour,
                      time.minute, time.second, 0);
}

}  // namespace Brenik
