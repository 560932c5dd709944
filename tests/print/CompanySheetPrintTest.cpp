#include <wx/filesys.h>
#include <wx/log.h>
#include <wx/regex.h>

#include "PrintTestSupport.h"
#include "directory/CompanyController.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "print/Base64Library.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/PrintPreviewDialog.h"
#include "ui/MainWindowFixture.h"

namespace {

// Laid out by hand: the formatter would give each field a line of its own.
// clang-format off
TestCompany SpecialCompany()
{
    return {5, "Müller & Söhne <Bau> GmbH", "Jörg Müller", "Gartenstraße", "3", "53111", "Bonn",
            "0228 4711", "", "", "", "", "2020-01-02 03:04:05", "2021-02-03 04:05:06", {}};
}
// clang-format on

// The main window on a one-company directory, printing PostScript into a scratch file.
class SheetPrinting : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        Open({{1, "Bauunternehmen"}}, {SpecialCompany()});
        PrintSetup::Get().SetPrinterFactory(PostScriptTo(dir.Path("sheet.ps")));
    }
};

// Without its white space: the PostScript printer measures text with approximate font
// metrics, so the extracted text may lose or gain a blank between words.
wxString Squeezed(wxString text)
{
    for (const char* blank : {" ", "\n", "\t"})
        text.Replace(blank, "");
    return text;
}

// A logo as the directory holds it: a PNG of that size in Base64.
std::string Logo(int width, int height)
{
    const std::string png = ImageBytes(width, height, wxBITMAP_TYPE_PNG);
    return Base64Library().wxBase64Encode(png.data(), png.size()).utf8_string();
}

}  // namespace

TEST_F(SheetPrinting, PrintCommandPrintsTheSelectedCompanysSheet)
{
    Deadline limit(std::chrono::seconds(120));
    SearchFor("");
    ASSERT_NE(frame->GetSelectedCompany(), nullptr);
    ASSERT_TRUE(MenuEnabled("printCompanyMenuItem"));
    const auto print = [this] { SendMenu(XRCID("printCompanyMenuItem")); };
    {
        ScopedLatin1Text latin1;
        ASSERT_TRUE(latin1.IsAvailable());
        wxTEST_DIALOG(print(), ExpectPrintDialog(wxID_OK));
    }

    int pages = 0;
    const wxString text = Squeezed(wxString::FromUTF8(PrintedText(dir.Path("sheet.ps"), &pages)));
    EXPECT_EQ(pages, 1);
    // The name with its markup characters as the user wrote it, and the German labels.
    for (const char* expected :
         {"Müller&Söhne<Bau>GmbH", "Telefon:02284711", "GESCHÄFTSFÜHRUNG", "JörgMüller",
          "Gartenstraße3", "Parkplätzevorhanden:ja", "Seite1von1"})
        EXPECT_TRUE(text.Contains(wxString::FromUTF8(expected))) << expected << "\n" << text;

    // A cancelled print dialog prints nothing.
    ASSERT_TRUE(wxRemoveFile(dir.Path("sheet.ps")));
    wxTEST_DIALOG(print(), ExpectPrintDialog(wxID_CANCEL));
    EXPECT_FALSE(wxFileName::FileExists(dir.Path("sheet.ps")));
}

TEST_F(SheetPrinting, LongSheetRunsOverSeveralNumberedPages)
{
    Deadline limit(std::chrono::seconds(120));
    CompanyEntity company(nullptr, true);
    company.Get(wxString("name"))->SetUtf8("Lange Notizen GmbH");
    company.Get(wxString("notes"))->SetUtf8(LongNotes(120));

    std::unique_ptr<HtmlPrintoutLibrary> printout(company.Print(rit.get()));
    wxTEST_DIALOG(EXPECT_TRUE(PrintSetup::Get().Print(nullptr, printout.get(), wxPrintData())),
                  ExpectPrintDialog(wxID_OK));
    int pages = 0;
    const std::string text = PrintedText(dir.Path("sheet.ps"), &pages);
    EXPECT_GT(pages, 1);
    // Each page carries its number; the last one the end of the notes.
    for (int page = 1; page <= pages; ++page)
        EXPECT_NE(text.find("Seite " + std::to_string(page) + " von " + std::to_string(pages)),
                  std::string::npos)
            << page;
    EXPECT_NE(text.find("Ende der Notizen"), std::string::npos);
}

TEST(CompanySheet, WithoutItsTemplateTheSheetIsEmptyButTitled)
{
    TempDir resources;
    RuntimeInformationType rit("norvel", resources.Path(), ".Norvel.conf", "", nullptr, false);
    CompanyEntity company(nullptr, true);
    company.Get(wxString("name"))->SetUtf8("Ohne Vorlage GmbH");
    wxLogNull missingTemplateIsLogged;
    std::unique_ptr<HtmlPrintoutLibrary> printout(company.Print(&rit));
    ASSERT_NE(printout, nullptr);
    EXPECT_EQ(printout->GetTitle(), "Ohne Vorlage GmbH");
    EXPECT_EQ(printout->GetContent(), "");
}

// The logo reaches the sheet through the in-memory file system, under a name of each
// printout's own, and leaves it with the last printout that shows it.
TEST(CompanySheet, LogoStaysInMemoryWhileAPrintoutShowsIt)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    CompanyEntity company(nullptr, true);
    company.Get(wxString("logo"))->SetUtf8(Logo(40, 20));

    auto location = [](const HtmlPrintoutLibrary& printout) {
        wxRegEx source("<img src=\"(memory:[^\"]+)\" width=\"40\" height=\"20\">");
        return source.Matches(printout.GetContent()) ? source.GetMatch(printout.GetContent(), 1)
                                                     : wxString();
    };
    auto stored = [](const wxString& where) {
        wxLogNull missingFileIsLogged;
        return std::unique_ptr<wxFSFile>(wxFileSystem().OpenFile(where)) != nullptr;
    };
    std::unique_ptr<HtmlPrintoutLibrary> first(company.Print(rit.get()));
    std::unique_ptr<HtmlPrintoutLibrary> second(company.Print(rit.get()));
    const wxString where = location(*first);
    ASSERT_FALSE(where.empty()) << first->GetContent();
    EXPECT_NE(location(*second), where);
    std::unique_ptr<HtmlPrintoutLibrary> copy(first->Copy());
    first.reset();
    EXPECT_TRUE(stored(where));
    copy.reset();
    EXPECT_FALSE(stored(where));
    EXPECT_TRUE(stored(location(*second)));

    // A logo that fails the checks shows nothing.
    company.Get(wxString("logo"))->SetUtf8("AAAA");
    std::unique_ptr<HtmlPrintoutLibrary> without(company.Print(rit.get()));
    EXPECT_FALSE(without->GetContent().Contains("<img"));
}

namespace {

// Companies whose sheets go through the desktop's print system into PDF files.
class SheetOnPaper : public testing::Test {
protected:
    void SetUp() override { rit = Norvel::CreateRuntimeInformation("norvel"); }

    // A typical company with a logo, long addresses on the web and the German letters.
    static void FillWithLogo(CompanyEntity& company)
    {
        auto set = [&company](const char* key, const std::string& value) {
            company.Get(wxString(key))->SetUtf8(value);
        };
        set("id", "4711");
        set("name", "Bäckerei Weiß & Söhne GmbH");
        set("ceo", "Jörg Weiß");
        set("address", "Große Straße");
        set("housenumber", "12");
        set("zipcode", "50667");
        set("city", "Köln");
        set("phone", "0221 123456");
        set("internet",
            "https://www.baeckerei-weiss-und-soehne-koeln.example.de/"
            "unsere-filialen/innenstadt/oeffnungszeiten");
        set("twitter", "https://twitter.example.com/baeckerei_weiss_und_soehne_koeln_innenstadt");
        set("imprintUrl", "https://www.baeckerei-weiss-und-soehne-koeln.example.de/impressum");
        set("memberships",
            "Bäckerinnung Köln, Handwerkskammer zu Köln, Industrie- und "
            "Handelskammer zu Köln, Verein der Freunde des Brotes e. V.");
        set("description", "Brot, Brötchen und Kuchen aus eigener Herstellung.");
        set("notes", "<p>Täglich frische Backwaren aus Meisterhand.</p>");
        set("openingHours", "Mo-Fr 6-18 Uhr<br>Sa 7-13 Uhr");
        set("logo", Logo(200, 80));
    }

    // Prints the company's sheet as the setup asks and reads the PDF back.
    PdfDocument PrintToPdf(CompanyEntity& company, const PaperSetup& setup)
    {
        std::unique_ptr<HtmlPrintoutLibrary> printout(company.Print(rit.get()));
        return PrintToPdf(*printout, setup);
    }

    PdfDocument PrintToPdf(HtmlPrintoutLibrary& printout, const PaperSetup& setup)
    {
        UsePdfPrinter(setup);
        EXPECT_TRUE(
            PrintSetup::Get().Print(nullptr, &printout, PrintPreviewDialog::PrintData(wxPORTRAIT)));
        return ReadPdf(dir.Path("sheet.pdf"));
    }

    void UsePdfPrinter(const PaperSetup& setup)
    {
        const wxString path = dir.Path("sheet.pdf");
        if (wxFileName::FileExists(path))
            wxRemoveFile(path);
        PrintSetup::Get().SetPrinterFactory(PdfTo(path, setup));
    }

    TempDir dir;
    std::unique_ptr<RuntimeInformationType> rit;
    // The desktop's print dialog, told not to show itself, runs its print.
    AllowRealModal<wxGtkPrintDialog> printing;
};

}  // namespace

// Every paper and orientation a user may choose in the desktop's print dialog gets the
// sheets inside the asked margins, with the page footer naming the company; the preview it
// was printed from, and the next one and the next print dialog, show the paper, the
// orientation and the pages of the print.
TEST_F(SheetOnPaper, PdfKeepsTheMarginsOnEveryPaper)
{
    Deadline limit(std::chrono::seconds(300));
    CompanyEntity logo(nullptr, true);
    FillWithLogo(logo);
    CompanyEntity notes(nullptr, true);
    FillWithLongNotes(notes);
    const auto every = [](size_t) { return true; };
    for (const std::vector<const CompanyEntity*>& companies :
         std::vector<std::vector<const CompanyEntity*>>{{&logo}, {&notes}, {&notes, &logo}}) {
        std::unique_ptr<HtmlPrintoutLibrary> printout(
            CompanyEntity::Print(companies, rit.get(), every));
        std::vector<std::string> names;
        for (const CompanyEntity* company : companies)
            names.push_back(std::string(company->Get(wxString("name"))->GetUtf8()));
        for (wxPaperSize paper : {wxPAPER_A5, wxPAPER_A4})
            for (wxPrintOrientation orientation : {wxPORTRAIT, wxLANDSCAPE}) {
                SCOPED_TRACE(printout->GetTitle().utf8_string() +
                             (paper == wxPAPER_A4 ? " A4 " : " A5 ") +
                             (orientation == wxPORTRAIT ? "portrait" : "landscape"));
                UsePdfPrinter({paper, orientation});
                PrintPreviewDialog preview(nullptr, -1, rit.get(), printout.get(), wxPORTRAIT);
                preview.Print();
                const PdfDocument pdf = ReadPdf(dir.Path("sheet.pdf"));
                ASSERT_GT(pdf.pages, 0);
                const std::string printed = Shown(pdf.pages, pdf.width, pdf.height);
                EXPECT_EQ(Shown(preview), printed);
                EXPECT_EQ(ShownByTheOpener(rit.get(), printout.get()), printed);
                ExpectMarginsAndFooters(pdf, names);
                UsePdfPrinter({paper, orientation, 0, 0, true});
                PrintPreviewDialog::PreviewOrPrint(nullptr, rit.get(), printout.get(), false);
                const PdfDocument again = ReadPdf(dir.Path("sheet.pdf"));
                EXPECT_EQ(Shown(again.pages, again.width, again.height), printed);
            }
    }
}

// "2-2" in the print dialog prints the second page and nothing else, that once.
TEST_F(SheetOnPaper, APageRangePrintsExactlyItsPages)
{
    Deadline limit(std::chrono::seconds(60));
    CompanyEntity company(nullptr, true);
    FillWithLongNotes(company);
    const PdfDocument all = PrintToPdf(company, {});
    ASSERT_GT(all.pages, 2);
    const PdfDocument second = PrintToPdf(company, {wxPAPER_A4, wxPORTRAIT, 2, 2});
    EXPECT_EQ(second.pages, 1);
    EXPECT_EQ(second.PageText(1), all.PageText(2));
    // The next print starts from the paper last chosen, not from the range.
    EXPECT_EQ(PrintToPdf(company, {}).pages, all.pages);
}

namespace {

gboolean TakeJobName(GSignalInvocationHint*, guint, const GValue* values, gpointer name)
{
    gchar* job = nullptr;
    g_object_get(g_value_get_object(&values[0]), "job-name", &job, nullptr);
    *static_cast<std::string*>(name) = job ? job : "";
    g_free(job);
    return TRUE;
}

}  // namespace

// The printer's queue shows the job under the company's name.
TEST_F(SheetOnPaper, TheJobIsNamedAfterTheCompany)
{
    Deadline limit(std::chrono::seconds(60));
    CompanyEntity company(nullptr, true);
    FillWithLogo(company);
    std::unique_ptr<HtmlPrintoutLibrary> printout(company.Print(rit.get()));
    PrintSetup::Get().SetPrinterFactory(PdfTo(dir.Path("sheet.pdf"), {}));
    std::string job;
    g_type_class_unref(g_type_class_ref(GTK_TYPE_PRINT_OPERATION));
    const guint begin = g_signal_lookup("begin-print", GTK_TYPE_PRINT_OPERATION);
    const gulong hook = g_signal_add_emission_hook(begin, 0, TakeJobName, &job, nullptr);
    PrintPreviewDialog::PreviewOrPrint(nullptr, rit.get(), printout.get(), false);
    g_signal_remove_emission_hook(begin, hook);
    EXPECT_EQ(job, company.Get(wxString("name"))->GetUtf8());
    EXPECT_EQ(ReadPdf(dir.Path("sheet.pdf")).pages, 1);
}

// A page that ends above a heading in one column ends between two lines of the other: no
// line is printed on two pages.
TEST_F(SheetOnPaper, NoLineIsCutByAPageBreak)
{
    Deadline limit(std::chrono::seconds(120));
    for (int lines = 56; lines <= 68; lines += 2) {
        wxString html = "<table width=\"100%\" cellpadding=\"3\"><tr><td valign=\"top\">";
        for (int line = 1; line <= lines; ++line)
            html << "Links-" << line << "<br>";
        html << "<a name=\"heading\"></a><b>HINWEISE</b><br>Text-1<br>Text-2<br>";
        html << "</td><td valign=\"top\"><font size=\"5\">";
        for (int line = 1; line <= 60; ++line)
            html << "Rechts-" << line << "<br>";
        html << "</font></td></tr></table>";
        HtmlPrintoutLibrary printout("Spalten", rit.get());
        printout.SetWithoutContainer(html);
        const PdfDocument pdf = PrintToPdf(printout, {});
        // The text stands between the top and bottom margins (this printout has no footer);
        // what is drawn beyond them is clipped away.
        const double top = 10 - 0.5;
        const double bottom = pdf.height - 10 + 0.5;
        std::map<std::string, int> pageOf;
        for (const PdfWord& word : pdf.words) {
            if (word.bottom <= top + 1 || word.top >= bottom - 1)
                continue;
            EXPECT_TRUE(word.top >= top && word.bottom <= bottom)
                << lines << ": " << word.text << " cut on page " << word.page;
            if (!pageOf.emplace(word.text, word.page).second)
                ADD_FAILURE() << lines << ": " << word.text << " on pages " << pageOf[word.text]
                              << " and " << word.page;
        }
    }
}

// A typical company's sheet fits one page, of A4 and of A5: in a generated directory, the
// company in the middle and the one at nine tenths of the companies ordered by the length of
// their text.
TEST_F(SheetOnPaper, ATypicalCompanyFitsOnePage)
{
    Deadline limit(std::chrono::seconds(120));
    const wxString path = dir.Path("sample.sqlite");
    ASSERT_EQ(std::system((std::string(NORVEL_GENDIR) + " '" + path.utf8_string() +
                           "' --companies 200 --seed 7 >/dev/null")
                              .c_str()),
              0);
    Brenik::BKSQLiteDatabase database(path);
    database.SetReadOnly(true);
    ASSERT_TRUE(database.Connect());
    CompanyController controller(&database);
    std::vector<std::pair<size_t, std::unique_ptr<CompanyEntity>>> companies;
    for (unsigned int id = 1; id <= 200; ++id) {
        std::unique_ptr<CompanyEntity> company(controller.LoadCompanyWithSectors(id));
        ASSERT_TRUE(company) << id;
        size_t length = 0;
        for (unsigned int field = 0; field < company->GetCount(); ++field)
            if (company->Get(field)->GetKey() != "logo")
                length += company->Get(field)->GetUtf8().size();
        companies.emplace_back(length, std::move(company));
    }
    std::sort(companies.begin(), companies.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t at : {companies.size() / 2, companies.size() * 9 / 10})
        for (wxPaperSize paper : {wxPAPER_A4, wxPAPER_A5}) {
            CompanyEntity& company = *companies[at].second;
            EXPECT_EQ(PrintToPdf(company, {paper}).pages, 1)
                << company.Get(wxString("name"))->GetUtf8() << ", " << companies[at].first
                << " bytes on " << (paper == wxPAPER_A4 ? "A4" : "A5");
        }
}

// Every heading stands as far below the text before it, and as far above its own text, as
// every other, and the rows of text stand as close as each other, wrapped or broken.
TEST_F(SheetOnPaper, SectionsKeepOneRhythm)
{
    Deadline limit(std::chrono::seconds(60));
    CompanyEntity company(nullptr, true);
    FillWithLogo(company);
    company.Get(wxString("imprint"))->SetUtf8("<p>Weiß &amp; Söhne GmbH<br>Große Straße 12</p>");
    const PdfDocument pdf = PrintToPdf(company, {});
    ASSERT_EQ(pdf.pages, 1);
    // The tops of each column's lines in tenths of a millimetre, from the first heading to
    // the closing line, each marked when it is a heading (a word in capitals alone).
    std::map<bool, std::map<int, bool>> columns;
    double first = pdf.height;
    double last = pdf.height;
    for (const PdfWord& word : pdf.words) {
        if (word.text == "ANSCHRIFT")
            first = word.top;
        if (word.text == "Eintrag")
            last = word.top;
    }
    for (const PdfWord& word : pdf.words) {
        const wxString text = wxString::FromUTF8(word.text);
        if (word.top < first - 0.5 || word.top > last - 0.5)
            continue;
        std::map<int, bool>& lines = columns[word.left > pdf.width / 2];
        const int top = wxRound(word.top * 10);
        auto line = lines.lower_bound(top - 5);
        if (line == lines.end() || line->first > top + 5)
            line = lines.emplace(top, false).first;
        line->second =
            line->second || (text.length() > 3 && text == text.Upper() && text != text.Lower());
    }
    std::vector<int> above, below, rows;
    for (const auto& [right, lines] : columns)
        for (auto line = lines.begin(); std::next(line) != lines.end(); ++line) {
            const int next = std::next(line)->first;
            if (line->second)
                below.push_back(next - line->first);
            else if (std::next(line)->second)
                above.push_back(next - line->first);
            else
                rows.push_back(next - line->first);
        }
    auto spread = [](const std::vector<int>& gaps) {
        return *std::max_element(gaps.begin(), gaps.end()) -
               *std::min_element(gaps.begin(), gaps.end());
    };
    ASSERT_EQ(below.size(), 8u);
    EXPECT_LE(spread(below), 3) << ::testing::PrintToString(below);
    EXPECT_LE(spread(above), 15) << ::testing::PrintToString(above);
    EXPECT_LE(spread(rows), 3) << ::testing::PrintToString(rows);
}
