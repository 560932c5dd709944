// The CSV line of a CompanyEntity: 31 columns, the values written as UTF-8 bytes.
#include "directory/CompanyEntity.h"

#include <string>
#include <string_view>
#include <vector>

#include <wx/translation.h>

namespace {

// The exported columns: header label (a message id) and field key.
struct CsvColumn {
    const char* label;
    const char* key;
};
// clang-format off
const CsvColumn kCsvColumns[] = {
    {wxTRANSLATE("ID"), "id"}, {wxTRANSLATE("Name"), "name"}, {wxTRANSLATE("CEO"), "ceo"},
    {wxTRANSLATE("Address"), "address"}, {wxTRANSLATE("Housenumber"), "housenumber"},
    {wxTRANSLATE("Zipcode"), "zipcode"}, {wxTRANSLATE("City"), "city"},
    {wxTRANSLATE("State"), "state"}, {wxTRANSLATE("Phone"), "phone"}, {wxTRANSLATE("Fax"), "fax"},
    {wxTRANSLATE("Mobile"), "mobile"}, {wxTRANSLATE("Internet"), "internet"},
    {wxTRANSLATE("Email"), "email"}, {wxTRANSLATE("Tax id number"), "taxIdNumber"},
    {wxTRANSLATE("Tax number"), "taxNumber"}, {wxTRANSLATE("Notes"), "notes"},
    {wxTRANSLATE("Opening hours"), "openingHours"},
    {wxTRANSLATE("District court"), "districtCourt"},
    {wxTRANSLATE("Commercial register"), "commercialRegister"}, {wxTRANSLATE("Blog"), "blog"},
    {wxTRANSLATE("Twitter"), "twitter"}, {wxTRANSLATE("Facebook"), "facebook"},
    {wxTRANSLATE("Imprint url"), "imprintUrl"}, {wxTRANSLATE("Staff"), "staff"},
    {wxTRANSLATE("Start year"), "startyear"}, {wxTRANSLATE("Type of company"), "typeofcompany"},
    {wxTRANSLATE("Owner"), "owner"}, {wxTRANSLATE("Memberships"), "memberships"},
    {wxTRANSLATE("Parking"), "parking"}, {wxTRANSLATE("Created"), "created"},
    {wxTRANSLATE("Updated"), "updated"}};
// clang-format on
const size_t kCsvColumnCount = sizeof(kCsvColumns) / sizeof(kCsvColumns[0]);

// Where each column's field sits in a record as declared, and its shared attribute record
// (interned, so every declared record shares it): a record that kept the declared order is
// read by index and one pointer comparison, 31 times per line, instead of 31 searches by key.
struct CsvSlot {
    wxString key;
    unsigned int index = 0;
    const void* attributes = nullptr;
};

const std::vector<CsvSlot>& CsvSlots()
{
    static const std::vector<CsvSlot> slots = [] {
        const CompanyEntity prototype(nullptr, false);
        std::vector<CsvSlot> made(kCsvColumnCount);
        for (size_t column = 0; column < kCsvColumnCount; ++column) {
            made[column].key = wxString::FromUTF8(kCsvColumns[column].key);
            for (unsigned int index = 0; index < prototype.GetCount(); ++index) {
                if (prototype.Get(index)->GetKey() == made[column].key) {
                    made[column].index = index;
                    made[column].attributes = &prototype.Get(index)->GetAttributes();
                }
            }
        }
        return made;
    }();
    return slots;
}

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
        line.append(value);
        return;
    }
    std::string changed(value);
    if (config.replaceLineBreak) {
        ReplaceAll(changed, "\r\n", config.replaceLineBreakWith);
        ReplaceAll(changed, "\n", config.replaceLineBreakWith);
        ReplaceAll(changed, "\r", config.replaceLineBreakWith);
    }
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
    const std::vector<CsvSlot>& slots = CsvSlots();
    AppendCsvLine(config, bytes, [&](size_t column) {
        const CsvSlot& slot = slots[column];
        const BKEntityType* field = Get(slot.index);
        if (!field || &field->GetAttributes() != slot.attributes)
            field = Get(slot.key);
        return field ? std::string_view(field->GetUtf8()) : std::string_view();
    });
}
