// The CSV line of a CompanyEntity: 31 columns, the values written as UTF-8 bytes.
#include "directory/CompanyEntity.h"

#include <string>
#include <string_view>

#include <wx/translation.h>

#include "lib/core/BKSpreadsheetText.h"

namespace {

// The exported columns: header label (a message id) and field.
struct CsvColumn {
    const char* label;
    CompanyField field;
};
const CsvColumn kCsvColumns[] = {
    {wxTRANSLATE("ID"), CompanyField::kId},
    {wxTRANSLATE("Name"), CompanyField::kName},
    {wxTRANSLATE("CEO"), CompanyField::kCeo},
    {wxTRANSLATE("Address"), CompanyField::kAddress},
    {wxTRANSLATE("Housenumber"), CompanyField::kHousenumber},
    {wxTRANSLATE("Zipcode"), CompanyField::kZipcode},
    {wxTRANSLATE("City"), CompanyField::kCity},
    {wxTRANSLATE("State"), CompanyField::kState},
    {wxTRANSLATE("Phone"), CompanyField::kPhone},
    {wxTRANSLATE("Fax"), CompanyField::kFax},
    {wxTRANSLATE("Mobile"), CompanyField::kMobile},
    {wxTRANSLATE("Internet"), CompanyField::kInternet},
    {wxTRANSLATE("Email"), CompanyField::kEmail},
    {wxTRANSLATE("Tax id number"), CompanyField::kTaxIdNumber},
    {wxTRANSLATE("Tax number"), CompanyField::kTaxNumber},
    {wxTRANSLATE("Notes"), CompanyField::kNotes},
    {wxTRANSLATE("Opening hours"), CompanyField::kOpeningHours},
    {wxTRANSLATE("District court"), CompanyField::kDistrictCourt},
    {wxTRANSLATE("Commercial register"), CompanyField::kCommercialRegister},
    {wxTRANSLATE("Blog"), CompanyField::kBlog},
    {wxTRANSLATE("Twitter"), CompanyField::kTwitter},
    {wxTRANSLATE("Facebook"), CompanyField::kFacebook},
    {wxTRANSLATE("Imprint url"), CompanyField::kImprintUrl},
    {wxTRANSLATE("Staff"), CompanyField::kStaff},
    {wxTRANSLATE("Start year"), CompanyField::kStartyear},
    {wxTRANSLATE("Type of company"), CompanyField::kTypeofcompany},
    {wxTRANSLATE("Owner"), CompanyField::kOwner},
    {wxTRANSLATE("Memberships"), CompanyField::kMemberships},
    {wxTRANSLATE("Parking"), CompanyField::kParking},
    {wxTRANSLATE("Created"), CompanyField::kCreated},
    {wxTRANSLATE("Updated"), CompanyField::kUpdated}};
const size_t kCsvColumnCount = sizeof(kCsvColumns) / sizeof(kCsvColumns[0]);

void ReplaceAll(std::string& text, std::string_view from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

bool NeedsChange(const CsvConfigType::Utf8& config, std::string_view value)
{
    // One pass with a table: most values are short, and calls that scan for each byte of
    // interest in turn cost more than the scanning.
    for (size_t at = 0; at < value.size(); ++at) {
        const char byte = value[at];
        if (!config.mayChange[static_cast<unsigned char>(byte)])
            continue;
        if (config.replaceLineBreak && (byte == '\n' || byte == '\r'))
            return true;
        if (!config.textDelimiter.empty() &&
            value.compare(at, config.textDelimiter.size(), config.textDelimiter) == 0)
            return true;
    }
    return false;
}

// The one rule for a value, on UTF-8 bytes: line breaks and delimiters are whole characters
// there, so no match can start inside a character.
void AppendCsvText(const CsvConfigType::Utf8& config, std::string& line, std::string_view value)
{
    if (!NeedsChange(config, value)) {
        if (config.markFormulas)
            line.append(Brenik::BKSpreadsheetText::TextMarkFor(value));
        line.append(value);
        return;
    }
    std::string changed(value);
    if (config.replaceLineBreak) {
        ReplaceAll(changed, "\r\n", config.replaceLineBreakWith);
        ReplaceAll(changed, "\n", config.replaceLineBreakWith);
        ReplaceAll(changed, "\r", config.replaceLineBreakWith);
    }
    // Marked as the value is written: "\n=1+1" with its line break replaced by nothing
    // starts like a formula only now. The mark is itself a delimiter to double when it is one.
    if (config.markFormulas)
        changed.insert(0, Brenik::BKSpreadsheetText::TextMarkFor(changed));
    // Doubled, not dropped: every CSV reader takes a doubled delimiter inside an enclosed
    // value for one, and so gets the value back as it is.
    if (!config.textDelimiter.empty())
        ReplaceAll(changed, config.textDelimiter, config.textDelimiter + config.textDelimiter);
    line += changed;
}

void AppendCsvValue(const CsvConfigType::Utf8& config, std::string& line, std::string_view value,
                    bool appendFieldDelimiter, bool enclose)
{
    if (enclose)
        line += config.textDelimiter;
    AppendCsvText(config, line, value);
    if (enclose)
        line += config.textDelimiter;
    if (appendFieldDelimiter)
        line += config.fieldDelimiter;
}

// A line of every column's value, enclosed, with the line break: what AppendCsvValue makes
// of them one by one, with the text between two values appended at once.
template <typename ValueOfColumn>
void AppendCsvLine(const CsvConfigType::Utf8& config, std::string& line,
                   ValueOfColumn valueOfColumn)
{
    line += config.textDelimiter;
    for (size_t column = 0; column < kCsvColumnCount; ++column) {
        if (column > 0)
            line += config.betweenValues;
        AppendCsvText(config, line, valueOfColumn(column));
    }
    line += config.textDelimiter;
    line += config.lineBreak;
}

}  // namespace

void CompanyEntity::GetCsvField(const CsvConfigType& config, wxString& line, wxString value,
                                bool appendFieldDelimiter, bool enclose)
{
    std::string bytes;
    AppendCsvValue(config.ToUtf8(), bytes, value.utf8_string(), appendFieldDelimiter, enclose);
    line += wxString::FromUTF8(bytes);
}

wxString CompanyEntity::GetCsvHeader(CsvConfigType config)
{
    std::string bytes;
    AppendCsvHeader(config.ToUtf8(), bytes);
    return wxString::FromUTF8(bytes);
}

wxString CompanyEntity::GetCsvContent(CsvConfigType config)
{
    std::string bytes;
    AppendCsvContent(config.ToUtf8(), bytes);
    return wxString::FromUTF8(bytes);
}

void CompanyEntity::AppendCsvHeader(const CsvConfigType::Utf8& config, std::string& bytes)
{
    AppendCsvLine(config, bytes, [](size_t column) {
        return wxGetTranslation(kCsvColumns[column].label).utf8_string();
    });
}

void CompanyEntity::AppendCsvContent(const CsvConfigType::Utf8& config, std::string& bytes) const
{
    AppendCsvLine(config, bytes, [this](size_t column) { return Utf8(kCsvColumns[column].field); });
}
