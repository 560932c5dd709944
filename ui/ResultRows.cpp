#include "ui/ResultRows.h"

#include <string>
#include <string_view>

#include <wx/translation.h>

#include "directory/CompanyEntity.h"
#include "lib/core/BKDateTime.h"
#include "lib/core/BKShownText.h"

using Brenik::BKEntity;
using Brenik::BKListCtrl;

namespace {

// The result columns: heading (a message id) and width in pixels. The columns up to the city
// are narrow enough for company, postcode and city to show in the window at its first size.
struct ResultColumn {
    const char* heading;
    int width;
};
const ResultColumn kResultColumns[] = {
    {wxTRANSLATE("Sectors"), 110},  {wxTRANSLATE("Company"), 190}, {wxTRANSLATE("CEO"), 110},
    {wxTRANSLATE("Address"), 130},  {wxTRANSLATE("Zipcode"), 60},  {wxTRANSLATE("City"), 120},
    {wxTRANSLATE("Phone"), 250},    {wxTRANSLATE("Fax"), 250},     {wxTRANSLATE("Mobile"), 250},
    {wxTRANSLATE("Internet"), 250}, {wxTRANSLATE("E-Mail"), 250},  {wxTRANSLATE("Created"), 100},
    {wxTRANSLATE("Updated"), 100},
};
const int kResultColumnCount = sizeof(kResultColumns) / sizeof(kResultColumns[0]);

}  // namespace

void ResultRows::InsertColumns(wxListCtrl& list)
{
    for (int column = 0; column < kResultColumnCount; ++column)
        list.InsertColumn(column, wxGetTranslation(kResultColumns[column].heading),
                          wxLIST_FORMAT_LEFT, kResultColumns[column].width);
}

namespace {

// Whether the stamp is in the directory's own form, "2021-07-04 10:00:00", with a real day
// (years 1900 to 2199) and time.
bool IsPlainStamp(std::string_view stamp)
{
    if (stamp.size() != 19 || stamp[4] != '-' || stamp[7] != '-' || stamp[10] != ' ' ||
        stamp[13] != ':' || stamp[16] != ':')
        return false;
    const auto number = [stamp](size_t at, size_t digits) {
        int value = 0;
        for (size_t i = at; i < at + digits; ++i) {
            if (stamp[i] < '0' || stamp[i] > '9')
                return -1;
            value = value * 10 + (stamp[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (year < 1900 || year > 2199 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

// A time stamp shown as a German date (day.month.year), written into `scratch`; empty when it
// does not read. A stamp in the directory's own form is rearranged as it stands: reading and
// writing a date for every row took a tenth of the row's time. Any other goes through the
// date conversion, which the rearranged ones agree with.
std::string_view GermanDate(const CompanyEntity& company, CompanyField field, std::string& scratch)
{
    const std::string_view stamp = company.Utf8(field);
    if (IsPlainStamp(stamp)) {
        scratch.assign(stamp.substr(8, 2)).append(1, '.');
        scratch.append(stamp.substr(5, 2)).append(1, '.').append(stamp.substr(0, 4));
        return scratch;
    }
    const BKEntity::BKEntityType* found = company.Field(field);
    scratch = found ? found->ToDateTime('-').ToGermanDate().utf8_string() : std::string();
    return scratch;
}

}  // namespace

// The row goes from the record's UTF-8 straight into the list's storage: a value shows as it
// is stored unless the rule of every window changes it (on one line, as a line break or other
// control character would draw over the neighbouring rows; cut, as a value of megabytes would
// take the list seconds and hundreds of megabytes to lay out), and only then is it copied.
// The record keeps the whole value for the windows and exports.
bool ResultRows::Append(BKListCtrl& list, CompanyEntity* company)
{
    using Brenik::BKShownText;
    // Kept for the thread: a search appends a hundred thousand rows.
    thread_local std::string scratch[kResultColumnCount];
    thread_local std::string address;
    std::string_view texts[kResultColumnCount];
    const auto cell = [&texts](int column, std::string_view utf8) {
        texts[column] = BKShownText::Utf8(utf8, BKShownText::Lines::kOne, BKShownText::kLineLength,
                                          scratch[column]);
    };
    cell(0, company->Utf8(CompanyField::kSectors));
    cell(1, company->Utf8(CompanyField::kName));
    cell(2, company->Utf8(CompanyField::kCeo));
    const std::string_view street = company->Utf8(CompanyField::kAddress);
    const std::string_view number = company->Utf8(CompanyField::kHousenumber);
    if (number.empty()) {
        cell(3, street);
    } else {
        address.assign(street).append(1, ' ').append(number);
        cell(3, address);
    }
    cell(4, company->Utf8(CompanyField::kZipcode));
    cell(5, company->Utf8(CompanyField::kCity));
    cell(6, company->Utf8(CompanyField::kPhone));
    cell(7, company->Utf8(CompanyField::kFax));
    cell(8, company->Utf8(CompanyField::kMobile));
    cell(9, company->Utf8(CompanyField::kInternet));
    cell(10, company->Utf8(CompanyField::kEmail));
    texts[11] = GermanDate(*company, CompanyField::kCreated, scratch[11]);
    texts[12] = GermanDate(*company, CompanyField::kUpdated, scratch[12]);
    return list.AppendUtf8(company, texts, kResultColumnCount);
}
