#include "directory/CompanyWorkbook.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/translation.h>

#include <xlsxwriter.h>

#include "directory/CompanyEntity.h"
#include "directory/CompanyVCard.h"
#include "lib/core/BKCasts.h"

using Brenik::BKCasts;

namespace {

// The workbook's columns: header label (a message id), field, and whether the field holds HTML.
struct WorkbookColumn {
    const char* label;
    CompanyField field;
    bool html;
};
const WorkbookColumn kColumns[] = {
    {wxTRANSLATE("ID"), CompanyField::kId, false},
    {wxTRANSLATE("Name"), CompanyField::kName, false},
    {wxTRANSLATE("Sectors"), CompanyField::kSectors, false},
    {wxTRANSLATE("CEO"), CompanyField::kCeo, false},
    {wxTRANSLATE("Address"), CompanyField::kAddress, false},
    {wxTRANSLATE("Housenumber"), CompanyField::kHousenumber, false},
    {wxTRANSLATE("Zipcode"), CompanyField::kZipcode, false},
    {wxTRANSLATE("City"), CompanyField::kCity, false},
    {wxTRANSLATE("State"), CompanyField::kState, false},
    {wxTRANSLATE("Phone"), CompanyField::kPhone, false},
    {wxTRANSLATE("Fax"), CompanyField::kFax, false},
    {wxTRANSLATE("Mobile"), CompanyField::kMobile, false},
    {wxTRANSLATE("Internet"), CompanyField::kInternet, false},
    {wxTRANSLATE("Email"), CompanyField::kEmail, false},
    {wxTRANSLATE("Tax id number"), CompanyField::kTaxIdNumber, false},
    {wxTRANSLATE("Tax number"), CompanyField::kTaxNumber, false},
    {wxTRANSLATE("Notes"), CompanyField::kNotes, true},
    {wxTRANSLATE("Opening hours"), CompanyField::kOpeningHours, true},
    {wxTRANSLATE("District court"), CompanyField::kDistrictCourt, false},
    {wxTRANSLATE("Commercial register"), CompanyField::kCommercialRegister, false},
    {wxTRANSLATE("Blog"), CompanyField::kBlog, false},
    {wxTRANSLATE("Twitter"), CompanyField::kTwitter, false},
    {wxTRANSLATE("Facebook"), CompanyField::kFacebook, false},
    {wxTRANSLATE("Imprint url"), CompanyField::kImprintUrl, false},
    {wxTRANSLATE("Imprint"), CompanyField::kImprint, true},
    {wxTRANSLATE("Staff"), CompanyField::kStaff, false},
    {wxTRANSLATE("Start year"), CompanyField::kStartyear, false},
    {wxTRANSLATE("Type of company"), CompanyField::kTypeofcompany, false},
    {wxTRANSLATE("Owner"), CompanyField::kOwner, false},
    {wxTRANSLATE("Memberships"), CompanyField::kMemberships, false},
    {wxTRANSLATE("Parking"), CompanyField::kParking, false},
    {wxTRANSLATE("Created"), CompanyField::kCreated, false},
    {wxTRANSLATE("Updated"), CompanyField::kUpdated, false}};
constexpr size_t kColumnCount = sizeof(kColumns) / sizeof(kColumns[0]);

// The number of the spreadsheet's built-in text format, "@".
constexpr uint8_t kTextFormat = 49;

// Column widths in characters: wide enough for the header and its filter button, and for the
// longest line up to a width that still leaves other columns on the screen. Text of HTML
// fields wraps inside its cell instead.
constexpr size_t kFilterButton = 3;
constexpr size_t kWidestColumn = 40;
constexpr size_t kWidestWrappedColumn = 60;

// The number of characters in the UTF-8 text.
size_t CharacterCount(std::string_view utf8)
{
    return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
}

// The characters of the longest line.
size_t LongestLine(std::string_view text)
{
    size_t longest = 0;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        longest = std::max(longest, CharacterCount(text.substr(start, end - start)));
        start = end + 1;
    }
    return longest;
}

// The text with line feeds for its line breaks, without the control characters and the two
// non-characters that an XML file cannot hold.
std::string CleanText(std::string_view text)
{
    std::string clean;
    clean.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        if (byte == '\r') {
            clean += '\n';
            if (at + 1 < text.size() && text[at + 1] == '\n')
                ++at;
        } else if (byte == 0xEF && text.compare(at, 2, "\xEF\xBF") == 0 && at + 2 < text.size() &&
                   (text[at + 2] == '\xBE' || text[at + 2] == '\xBF')) {
            at += 2;  // U+FFFE, U+FFFF
        } else if (byte >= 0x20 || byte == '\n' || byte == '\t') {
            clean += static_cast<char>(byte);
        }
    }
    return clean;
}

// The text with the underscore of every "_xHHHH_" written as "_x005F_": a spreadsheet reads
// such a sequence in a cell's text as the character of that number, so the text "_x0041_"
// would show as "A", and "_x000D_" would break the line.
std::string EscapeCharacterNumbers(std::string text)
{
    for (size_t at = text.find("_x"); at != std::string::npos; at = text.find("_x", at + 1)) {
        if (at + 7 <= text.size() && text[at + 6] == '_' &&
            std::all_of(text.begin() + at + 2, text.begin() + at + 6,
                        [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
            text.replace(at, 1, "_x005F_");
            at += 6;
        }
    }
    return text;
}

// The UTF-16 units of the UTF-8 sequence that starts with this byte.
size_t Utf16Units(unsigned char lead)
{
    return lead >= 0xF0 ? 2 : 1;
}

}  // namespace

CompanyWorkbook::CompanyWorkbook() : longestLine(kColumnCount, 0)
{
    // The library writes the finished file by name; it goes to a file of our own first, which
    // only Finish reads, so that the user's file is replaced as every other export replaces it.
    const wxString temporary = wxFileName::CreateTempFileName("norvel-workbook");
    if (temporary.empty())
        return;
    fileName = temporary.utf8_string();
    workbook = workbook_new(fileName.c_str());
    if (!workbook)
        return;
    sheet = workbook_add_worksheet(workbook, wxGetTranslation("Companies").utf8_str());
    // The built-in text format ("@"): a value the user types in again stays text, too.
    textFormat = workbook_add_format(workbook);
    headerFormat = workbook_add_format(workbook);
    wrappedFormat = workbook_add_format(workbook);
    if (!sheet || !textFormat || !headerFormat || !wrappedFormat) {
        failed = true;
        return;
    }
    for (lxw_format* format : {textFormat, headerFormat, wrappedFormat}) {
        format_set_num_format_index(format, kTextFormat);
        format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
    }
    format_set_bold(headerFormat);
    format_set_text_wrap(wrappedFormat);

    std::vector<std::string> header;
    for (const WorkbookColumn& column : kColumns)
        header.push_back(wxGetTranslation(column.label).utf8_string());
    worksheet_freeze_panes(sheet, 1, 0);
    if (!WriteRow(header, headerFormat))
        failed = true;
}

CompanyWorkbook::~CompanyWorkbook()
{
    // An unfinished workbook is still the library's to free, and its file ours to remove.
    if (workbook)
        workbook_close(workbook);
    if (!fileName.empty())
        wxRemoveFile(wxString::FromUTF8(fileName));
}

bool CompanyWorkbook::AppendCompany(const CompanyEntity& company)
{
    if (!IsOk() || rows + 1 >= kMaxRows) {
        failed = true;
        return false;
    }
    std::vector<std::string> texts;
    texts.reserve(kColumnCount);
    for (const WorkbookColumn& column : kColumns)
        texts.push_back(CellText(company.Utf8(column.field), column.html));
    if (!WriteRow(texts, nullptr)) {
        failed = true;
        return false;
    }
    return true;
}

bool CompanyWorkbook::WriteRow(const std::vector<std::string>& texts, lxw_format* format)
{
    const auto row = static_cast<lxw_row_t>(format ? 0 : rows + 1);
    for (size_t column = 0; column < texts.size(); ++column) {
        const std::string& text = texts[column];
        if (text.empty())
            continue;  // the column's format makes the empty cell a text cell
        lxw_format* cellFormat = format                  ? format
                                 : kColumns[column].html ? wrappedFormat
                                                         : textFormat;
        if (worksheet_write_string(sheet, row, static_cast<lxw_col_t>(column), text.c_str(),
                                   cellFormat) != LXW_NO_ERROR)
            return false;
        longestLine[column] = std::max(longestLine[column], LongestLine(text));
    }
    if (!format)
        ++rows;
    return true;
}

bool CompanyWorkbook::Finish(std::string& bytes)
{
    if (!IsOk())
        return false;
    for (size_t column = 0; column < kColumnCount; ++column) {
        const size_t header =
            CharacterCount(wxGetTranslation(kColumns[column].label).utf8_string());
        const size_t widest = kColumns[column].html ? kWidestWrappedColumn : kWidestColumn;
        const size_t width =
            std::max(header + kFilterButton, std::min(longestLine[column] + 1, widest));
        lxw_format* format = kColumns[column].html ? wrappedFormat : textFormat;
        const auto col = static_cast<lxw_col_t>(column);
        if (worksheet_set_column(sheet, col, col, static_cast<double>(width), format) !=
            LXW_NO_ERROR)
            failed = true;
    }
    if (worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows),
                             static_cast<lxw_col_t>(kColumnCount - 1)) != LXW_NO_ERROR)
        failed = true;
    const lxw_error closed = workbook_close(workbook);
    workbook = nullptr;
    if (failed || closed != LXW_NO_ERROR)
        return false;

    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file)
        return false;
    char buffer[1 << 16];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, read);
    const bool complete = !std::ferror(file);
    std::fclose(file);
    return complete;
}

std::string CompanyWorkbook::CellText(std::string_view value, bool html)
{
    std::string text = BKCasts::IsValidUtf8(value.data(), value.size())
                           ? std::string(value)
                           : BKCasts::RepairUtf8(value.data(), value.size());
    if (html)
        text = CompanyVCard::PlainText(text);
    // The limit holds for the text as the file has it, which is never shorter than the text
    // shown and so fits the cell, too.
    text = EscapeCharacterNumbers(CleanText(text));
    if (Utf16Length(text) <= kMaxCellLength)
        return text;

    // The reader must see that the cell does not hold everything the directory does.
    const std::string mark = "\xE2\x80\xA6 " + wxGetTranslation("[shortened]").utf8_string();
    const size_t room = kMaxCellLength - Utf16Length(mark);
    size_t units = 0;
    size_t cut = 0;
    while (cut < text.size()) {
        const auto lead = static_cast<unsigned char>(text[cut]);
        if (units + Utf16Units(lead) > room)
            break;
        units += Utf16Units(lead);
        // Past the lead byte and its continuation bytes: the text is well-formed.
        for (++cut; cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80;)
            ++cut;
    }
    text.resize(cut);
    return text + mark;
}

size_t CompanyWorkbook::Utf16Length(std::string_view utf8)
{
    size_t units = 0;
    for (const char byte : utf8) {
        const auto value = static_cast<unsigned char>(byte);
        if ((value & 0xC0) != 0x80)
            units += Utf16Units(value);
    }
    return units;
}
