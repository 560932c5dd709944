#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "directory/CompanyEntity.h"
#include "directory/CompanyWorkbook.h"

namespace {

// The columns of the sheet, counted from 0.
constexpr size_t kId = 0, kName = 1, kSectors = 2, kCeo = 3, kZipcode = 6, kCity = 7, kPhone = 9,
                 kInternet = 12, kNotes = 16, kOpeningHours = 17, kImprint = 24, kLast = 32;

// A value as the directory holds it and as the cell in its column shows it.
struct Value {
    const char* key;
    std::string stored;
    size_t column;
    std::string shown;
};
const Value kValues[] = {
    {"id", "7", kId, "7"},
    {"name", "=HYPERLINK(\"http://x.example\",\"klick\")", kName,
     "=HYPERLINK(\"http://x.example\",\"klick\")"},
    {"sectors", "Bäckereien, Steuerberater", kSectors, "Bäckereien, Steuerberater"},
    {"ceo", "Anna\r\nBerta\rCarl\x01", kCeo, "Anna\nBerta\nCarl"},
    {"zipcode", "01067", kZipcode, "01067"},
    {"city", "N\xFCrnberg _x0041_\xEF\xBF\xBE", kCity, "Nürnberg _x0041_"},
    {"phone", "+49 351 4711-0", kPhone, "+49 351 4711-0"},
    {"internet", "http://www.example.org", kInternet, "http://www.example.org"},
    {"notes", "<p>Brot &amp; Brötchen</p><p>seit 1901</p>", kNotes, "Brot & Brötchen\n\nseit 1901"},
    {"openingHours", "Mo&ndash;Fr<br>8&ndash;18 Uhr", kOpeningHours, "Mo–Fr\n8–18 Uhr"},
    {"imprint", "<b>Inhaber</b>: <script>x</script>Jan", kImprint, "Inhaber: xJan"},
    {"updated", "2023-11-28 08:00:00", kLast, "2023-11-28 08:00:00"},
};

// A note of 43,958 characters with a two-unit character in it, as a directory had one.
std::string LongNote()
{
    std::string note = "\xF0\x9F\x93\x9E ";
    while (note.size() < 43958)
        note += "Satz mit Umlauten: äöü. ";
    return note;
}

// The workbook of a company with the values above and one with the long note, in the folder.
std::string SampleWorkbook(const TempDir& dir)
{
    CompanyWorkbook workbook;
    CompanyEntity company(nullptr, true), longNote(nullptr, true);
    for (const Value& value : kValues)
        company.Get(value.key)->SetUtf8(value.stored);
    longNote.Get("notes")->SetUtf8(LongNote());
    EXPECT_TRUE(workbook.AppendCompany(company) && workbook.AppendCompany(longNote));
    std::string bytes;
    EXPECT_TRUE(workbook.Finish(bytes));
    EXPECT_TRUE(WriteTextFile(dir.Path("list.xlsx"), bytes));
    return dir.Path("list.xlsx").utf8_string();
}

}  // namespace

// Every value arrives as the text the directory holds: nothing a spreadsheet would run, open or
// convert, HTML as the text a reader sees, and a value longer than a cell takes cut with a mark.
TEST(CompanyWorkbook, EveryValueIsTheTextItHoldsInAFrozenFilteredSheet)
{
    TempDir dir;
    const WorkbookContent sheet = ReadWorkbook(SampleWorkbook(dir));
    ASSERT_FALSE(sheet.cells.empty());
    EXPECT_EQ(sheet.Text(0, kSectors), "Sectors");
    EXPECT_EQ(sheet.Text(0, kImprint), "Imprint");
    EXPECT_EQ(sheet.Text(0, kLast), "Updated");
    for (const Value& value : kValues)
        EXPECT_EQ(sheet.Text(1, value.column), value.shown) << value.key;
    for (const WorkbookCell& cell : sheet.cells) {
        EXPECT_EQ(cell.kind, "s") << cell.row << "/" << cell.column;
        const bool wrapped =
            cell.column == kNotes || cell.column == kOpeningHours || cell.column == kImprint;
        EXPECT_EQ(cell.style, cell.row == 0 ? "BT"
                              : wrapped     ? "TW"
                                            : "T")
            << cell.row << "/" << cell.column;
    }
    EXPECT_EQ(sheet.frozenAt, "A2");
    EXPECT_EQ(sheet.filter, "A1:AG3");
    EXPECT_EQ(sheet.links, 0u);
    // Wide enough for the header with its filter button, narrow enough for a screen.
    ASSERT_EQ(sheet.widths.size(), kLast + 1u);
    for (size_t column = 0; column <= kLast; ++column) {
        EXPECT_GE(sheet.widths[column], sheet.Text(0, column).size() + 2.0) << column;
        EXPECT_LE(sheet.widths[column], 62.0) << column;
    }
    EXPECT_GE(sheet.widths[kName], 39.0);

    // The whole cell taken, the two-unit character counted twice, and the cut said.
    const std::string cut = sheet.Text(2, kNotes);
    EXPECT_EQ(CompanyWorkbook::Utf16Length(cut), CompanyWorkbook::kMaxCellLength);
    EXPECT_EQ(cut.rfind(LongNote().substr(0, 1000), 0), 0u);
    EXPECT_EQ(cut.substr(cut.size() - 15), "… [shortened]");
}

// Calc, as the user opens the workbook: postcodes with their zero, no apostrophe, no formula.
TEST(CompanyWorkbook, CalcShowsTheTextsAsTheyAre)
{
    if (CommandOutput("which soffice").empty())
        GTEST_SKIP() << "LibreOffice Calc (soffice) is not installed";
    TempDir dir;
    const std::string file = SampleWorkbook(dir);
    // Comma-separated, every text quoted, UTF-8 (76).
    CommandOutput("soffice -env:UserInstallation=file://" + dir.Path("profile").utf8_string() +
                  " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true' "
                  "--outdir '" +
                  dir.Path().utf8_string() + "' '" + file + "'");
    const std::string csv = ReadTextFile(dir.Path("list.csv"));
    ASSERT_FALSE(csv.empty()) << "Calc converted nothing";
    for (const char* shown : {"\"7\",\"=HYPERLINK(", "\"01067\",\"Nürnberg _x0041_\",,\"+49 351",
                              "\"Brot & Brötchen\n\nseit 1901\",\"Mo–Fr\n8–18 Uhr\""})
        EXPECT_NE(csv.find(shown), std::string::npos) << shown << "\n" << csv.substr(0, 2000);
    EXPECT_EQ(csv.find('\''), std::string::npos);
}
