#include <gtest/gtest.h>

#include <wx/log.h>

#include <memory>

#include <wx/frame.h>

#include "app/Norvel.h"
#include "lib/gui/BKListCtrl.h"
#include "print/HtmlPrintoutLibrary.h"
#include "ui/UiTestSupport.h"

TEST(HtmlPrintoutLibrary, KeepsTitleContentHeaderAndFooterAndCopiesThem)
{
    HtmlPrintoutLibrary printout("Firma", nullptr);
    EXPECT_EQ(printout.GetTitle(), "Firma");
    printout.SetWithContainer("");
    EXPECT_EQ(printout.GetContent(),
              "<html><head></head><body><font size=\"1\"></font></body></html>");

    // A header never set stays empty in the copy, with page selection 0.
    std::unique_ptr<HtmlPrintoutLibrary> plain(printout.Copy());
    EXPECT_EQ(plain->GetTitle(), "Firma");
    EXPECT_EQ(plain->GetContent(), printout.GetContent());
    EXPECT_EQ(plain->GetHeader(), "");
    EXPECT_EQ(plain->GetPgHeader(), 0);

    printout.SetWithoutContainer("<p>Blatt</p>");
    printout.SetHeader("<b>Kopf</b>", wxPAGE_ODD);
    printout.SetFooter("Seite @PAGENUM@", wxPAGE_ALL);
    std::unique_ptr<HtmlPrintoutLibrary> copy(printout.Copy());
    EXPECT_EQ(copy->GetContent(), "<p>Blatt</p>");
    EXPECT_EQ(copy->GetHeader(), "<b>Kopf</b>");
    EXPECT_EQ(copy->GetPgHeader(), wxPAGE_ODD);
    EXPECT_EQ(copy->GetFooter(), "Seite @PAGENUM@");
    EXPECT_EQ(copy->GetPgFooter(), wxPAGE_ALL);
}

// The desktop's print dialog preselects the pages the printout names as its selection: that
// must be every page, also before the pages are counted, or only the first gets printed.
TEST(HtmlPrintoutLibrary, SelectsAllPagesForThePrintDialog)
{
    HtmlPrintoutLibrary printout("Firma", nullptr);
    printout.SetWithoutContainer("<p>Blatt</p>");
    int minPage = 0, maxPage = 0, from = 0, to = 0;
    printout.GetPageInfo(&minPage, &maxPage, &from, &to);
    EXPECT_EQ(from, minPage);
    EXPECT_EQ(to, maxPage);
}

TEST(HtmlPrintoutLibrary, TemplatesComeFromThePrintResources)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    HtmlPrintoutLibrary printout("Firma", rit.get());
    Brenik::BKTemplate sheet = printout.GetTemplateByFile("company.tpl");
    EXPECT_EQ(sheet.GetRoot(), rit->GRP("print", "de") + RuntimeInformationType::GetSep());
    EXPECT_TRUE(sheet.GetContent().Contains("{s:name.html}"));
    wxLogNull missingTemplateIsLogged;
    EXPECT_EQ(printout.GetTemplateByFile("missing.tpl").GetContent(), "");
}

TEST(HtmlPrintoutLibrary, ListBecomesAnHtmlTable)
{
    EXPECT_EQ(HtmlPrintoutLibrary::CreateTableByListCtrl(nullptr), "");

    auto* frame = new wxFrame(nullptr, wxID_ANY, "list");
    auto* list = new Brenik::BKListCtrl(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                        wxLC_REPORT | wxLC_VIRTUAL);
    list->InsertColumn(0, "Firma");
    list->InsertColumn(1, "Ort", wxLIST_FORMAT_RIGHT);
    EXPECT_EQ(HtmlPrintoutLibrary::CreateTableByListCtrl(list),
              "<table border=\"1\"><tr><th><b>Firma</b></th><th><b>Ort</b></th></tr></table>");

    int record = 0;
    auto* row = new Brenik::BKListCtrl::BKListCtrlRow(static_cast<void*>(&record));
    row->Add("A & B");
    row->Add("Bonn");
    list->Append(row, true);
    EXPECT_EQ(HtmlPrintoutLibrary::CreateTableByListCtrl(list),
              "<table border=\"1\"><tr><th><b>Firma</b></th><th><b>Ort</b></th></tr>"
              "<tr><td align=\"left\">A & B</td><td align=\"right\">Bonn</td></tr></table>");
    list->CleanUp();
    DestroyNow(frame);
}

// A page never ends just below a heading: where the heading would fall at the foot of a
// page, the page ends above it instead, and nowhere else does the page end earlier. The last
// page ends with the document.
TEST(HtmlPrintoutLibrary, HeadingGoesToTheNextPageWithItsText)
{
    auto pageBreaks = [](int lines, const char* anchor, int textLines) {
        wxString html;
        for (int line = 0; line < lines; ++line)
            html << "Zeile " << line << "<br>";
        html << "<a name=\"" << anchor << "\"></a><b>IMPRESSUM</b><br>";
        for (int line = 0; line < textLines; ++line)
            html << "Text " << line << "<br>";
        HtmlPrintoutLibrary printout("Firma", nullptr);
        printout.SetWithoutContainer(html);
        printout.SetPageSizeMM(210, 297);
        printout.OnPreparePrinting();
        return printout.GetPageBreaks();
    };
    const int keep = 15 * HtmlPaginator::kLayoutPpi / 25.4;
    int moved = 0;
    for (int lines = 40; lines < 80; ++lines) {
        const int plain = pageBreaks(lines, "other", 80).at(1);
        const int kept = pageBreaks(lines, HtmlPaginator::kHeadingAnchor, 80).at(1);
        EXPECT_LE(kept, plain) << lines;
        // The break above a heading lies at the top of the heading's line, a pixel or two
        // above the anchor.
        EXPECT_LT(plain - kept, keep + 3) << lines;
        moved += kept < plain;
        // A heading with one line below it, close to the end of a page, makes no extra page.
        EXPECT_EQ(pageBreaks(lines, HtmlPaginator::kHeadingAnchor, 1).size(),
                  pageBreaks(lines, "other", 1).size())
            << lines;
    }
    EXPECT_GT(moved, 0);
}
