#include <map>

#include "PrintTestSupport.h"
#include "print/ResultListPrintout.h"
#include "ui/ResultListPrinting.h"

namespace {

const char* const kHeadings[] = {
    "Branchen", "Firma", "Geschäftsführer", "Anschrift", "PLZ",      "Ort",     "Telefon",
    "Fax",      "Mobil", "Internet",        "E-Mail",    "Angelegt", "Geändert"};

// Row i of a list: its postcode 50000 + i names it on paper; the name holds markup, and the
// web address is longer than any column.
std::vector<wxArrayString> ListRows(int count)
{
    std::vector<wxArrayString> rows;
    for (int i = 1; i <= count; ++i) {
        wxArrayString row;
        for (const char* text :
             {"Bäckereien", "Müller & Söhne <b>GmbH</b>", "Jörg Müller", "Große Straße 12", "",
              "Köln", "0221 123456", "0221 123457", "0171 1234567",
              "https://www.baeckerei-mueller-und-soehne-koeln.example.de/filialen/innenstadt",
              "info@mueller.example.de", "02.01.2020", "03.02.2021"})
            row.Add(wxString::FromUTF8(text));
        row[4] = wxString::Format("%d", 50000 + i);
        rows.push_back(row);
    }
    return rows;
}

struct ListCase {
    PaperSetup setup;
    int rows;
};

}  // namespace

// On every paper the list is printed from its preview with the headings atop every page and
// the search and page number at its foot, each row once and in order, inside the margins;
// a page range prints just its pages.
TEST_F(PdfPrinting, ResultListKeepsHeadingsAndFooterOnEveryPage)
{
    Deadline limit(std::chrono::seconds(240));
    wxArrayString headings;
    for (const char* heading : kHeadings)
        headings.Add(wxString::FromUTF8(heading));
    const wxString search = ResultListPrinting::DescribeSearch(
        "Bau", "Bonn", wxArrayString(1, wxString::FromUTF8("Bäckereien")));
    const ListCase cases[] = {
        {{wxPAPER_A4, wxLANDSCAPE}, 150},
        {{wxPAPER_A4, wxPORTRAIT}, 150},
        {{wxPAPER_A5, wxLANDSCAPE}, 70},
        {{wxPAPER_A4, wxLANDSCAPE, 2, 3}, 150},
    };
    for (const ListCase& row : cases) {
        const PaperSetup& setup = row.setup;
        SCOPED_TRACE(wxString::Format("%s %s, %d rows, pages %d-%d",
                                      setup.paper == wxPAPER_A4 ? "A4" : "A5",
                                      setup.orientation == wxPORTRAIT ? "portrait" : "landscape",
                                      row.rows, setup.fromPage, setup.toPage)
                         .utf8_string());
        std::unique_ptr<ResultListPrintout> printout(
            ResultListPrintout::Create("Trefferliste", rit.get(), headings, ListRows(row.rows),
                                       search, [](size_t) { return true; }));
        ASSERT_NE(printout, nullptr);
        std::string shown;
        const PdfDocument pdf = PrintFromPreview(*printout, setup, wxLANDSCAPE, &shown);
        ASSERT_GT(pdf.pages, 1);
        if (!setup.fromPage) {
            EXPECT_EQ(shown, Shown(pdf.pages, pdf.width, pdf.height));
        } else {
            EXPECT_EQ(pdf.pages, setup.toPage - setup.fromPage + 1);
        }
        // The words of a page between two heights, from left to right.
        const auto band = [&pdf](int page, double from, double to) {
            std::vector<const PdfWord*> words;
            for (const PdfWord& word : pdf.words)
                if (word.page == page && word.top >= from && word.top < to)
                    words.push_back(&word);
            std::sort(words.begin(), words.end(),
                      [](const PdfWord* a, const PdfWord* b) { return a->left < b->left; });
            std::string text;
            for (const PdfWord* word : words)
                text += word->text + " ";
            return text;
        };
        // Every heading in its place, whole or, where the paper is too narrow, cut with a mark.
        std::string headingsPattern;
        for (const char* heading : kHeadings) {
            const wxString text = wxString::FromUTF8(heading);
            std::string pieces = "(" + std::string(heading);
            for (size_t length = text.length() - 1; length > 0; --length)
                pieces += "|" + text.Left(length).utf8_string() + "…";
            headingsPattern += pieces + ") ";
        }
        const std::regex headings(headingsPattern);
        for (int page = 1; page <= pdf.pages; ++page) {
            const std::string top = band(page, 0, 10 + ResultListPrintout::kRowHeight);
            EXPECT_TRUE(std::regex_match(top, headings)) << page << ": " << top;
            const int number = page + (setup.fromPage ? setup.fromPage - 1 : 0);
            EXPECT_EQ(band(page, pdf.height - 12, pdf.height),
                      "„Bau“; Ort: Bonn; Branchen: Bäckereien Seite " + std::to_string(number) +
                          " von " + std::to_string(setup.fromPage ? 4 : pdf.pages) + " ");
        }
        std::map<std::string, int> pageOf;
        int last = 0;
        for (const PdfWord& word : pdf.words) {
            EXPECT_TRUE(word.left >= 9 && word.right <= pdf.width - 9 && word.top >= 9 &&
                        word.bottom <= pdf.height - 4)
                << word.text << " on page " << word.page;
            if (word.text.size() == 5 && word.text[0] == '5') {
                const int i = std::stoi(word.text) - 50000;
                EXPECT_GT(i, last) << "row " << i << " after row " << last;
                last = i;
                EXPECT_TRUE(pageOf.emplace(word.text, word.page).second) << word.text;
            }
        }
        if (!setup.fromPage) {
            EXPECT_EQ(static_cast<int>(pageOf.size()), row.rows);
        }
        // A value's markup is printed as the text it is, where the name has room.
        if (setup.paper == wxPAPER_A4 && setup.orientation == wxLANDSCAPE) {
            EXPECT_NE(pdf.PageText(1).find(" <b"), std::string::npos) << pdf.PageText(1);
        }
    }
}
