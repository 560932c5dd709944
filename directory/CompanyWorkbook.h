// A list of companies as an Excel workbook (.xlsx): one sheet with a bold header row that stays
// in view and filters, every value a text cell, so that a postcode keeps its leading zero and
// no value is ever run as a formula or opened as a link. Made by libxlsxwriter in a temporary
// file, which the workbook owns until Finish hands over its bytes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <wx/string.h>

class CompanyEntity;
struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

class CompanyWorkbook {
public:
    // The most a cell holds, in UTF-16 units, as Excel counts its characters.
    static constexpr size_t kMaxCellLength = 32767;
    // The most rows a sheet has, the header's included.
    static constexpr size_t kMaxRows = 1048576;

    // The workbook with its header row; IsOk says whether the library could start one.
    CompanyWorkbook();
    ~CompanyWorkbook();
    CompanyWorkbook(const CompanyWorkbook&) = delete;
    CompanyWorkbook& operator=(const CompanyWorkbook&) = delete;

    bool IsOk() const { return workbook != nullptr && !failed; }
    // Adds the company's row. False, and Finish fails, when the sheet is full or the library
    // refuses a value.
    bool AppendCompany(const CompanyEntity& company);
    // The number of companies added.
    size_t GetCount() const { return rows; }
    // Writes the workbook out and appends the file's bytes; false when it could not be made.
    // The workbook takes no more rows afterwards.
    bool Finish(std::string& bytes);

    // A value as the workbook's file holds it: well-formed UTF-8, every line break a line
    // feed, no other control character but the tab, "_xHHHH_" kept from being read as a
    // character's number, and a text of more than kMaxCellLength cut at a character with a
    // mark at the end that says so. HTML comes as the text a reader sees.
    static std::string CellText(std::string_view value, bool html);
    // How many UTF-16 units the UTF-8 text takes.
    static size_t Utf16Length(std::string_view utf8);

private:
    // Writes one row of texts, the header's with the header format; false when refused.
    bool WriteRow(const std::vector<std::string>& texts, lxw_format* format);

    std::string fileName;
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format* headerFormat = nullptr;
    lxw_format* textFormat = nullptr;
    lxw_format* wrappedFormat = nullptr;
    // Per column the longest line seen, in characters, for the column's width.
    std::vector<size_t> longestLine;
    size_t rows = 0;
    bool failed = false;
};
