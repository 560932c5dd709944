#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include "GuiTestSupport.h"
#include "PrintTestSupport.h"
#include "app/Norvel.h"
#include "directory/CompanyEntity.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/PrintPreviewDialog.h"
#include "ui/NorvelFrame.h"
#include "ui/UiTestSupport.h"

namespace {

// The page as the preview's canvas shows it, on red where the canvas is not covered.
wxImage ShownPage(PrintPreviewDialog& dialog)
{
    wxBitmap bitmap(dialog.GetCanvas()->GetClientSize());
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxRED_BRUSH);
        dc.Clear();
        dialog.GetPreview()->UpdatePageRendering();
        dialog.GetPreview()->PaintPage(dialog.GetCanvas(), dc);
    }
    return bitmap.ConvertToImage();
}

// The blank gaps between the ink of the page's only line as the preview shows it: each its
// middle, measured from the line's first ink, and its width, to which the columns at its
// edges that the ink greys in part add the blank part.
std::vector<std::pair<double, double>> LineGaps(PrintPreviewDialog& dialog)
{
    const wxImage image = ShownPage(dialog);
    auto darkness = [&image](int x, int y) {
        return 1 - (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y)) / 765.0;
    };
    wxRect paper;  // white inside its frame
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (darkness(x, y) == 0)
                paper.Union(wxRect(x, y, 1, 1));
    std::vector<double> ink(paper.width);
    for (int y = paper.y; y <= paper.GetBottom(); ++y)
        for (int x = paper.x; x <= paper.GetRight(); ++x)
            ink[x - paper.x] = std::max(ink[x - paper.x], darkness(x, y));
    // The line ends inside the canvas, with all its gaps.
    EXPECT_EQ(ink.back(), 0.0);
    std::vector<std::pair<double, double>> gaps;
    int first = -1;
    for (int x = 1; x < paper.width; ++x) {
        if (ink[x] < 0.5 || ink[x - 1] >= 0.5)
            continue;  // not where ink begins after a blank
        if (first < 0) {
            first = x;
            continue;
        }
        int start = x - 1;
        while (ink[start - 1] < 0.5)
            --start;
        double width = 0;
        for (int column = start - 1; column <= x; ++column)
            width += 1 - ink[column];
        gaps.emplace_back((start + x) / 2.0 - first, width);
    }
    return gaps;
}

// The preview of a company sheet whose notes run over several pages; printing goes into a
// PostScript file.
class PreviewWindow : public testing::Test {
protected:
    void SetUp() override
    {
        rit = Norvel::CreateRuntimeInformation("norvel");
        PrintSetup::Get().SetPrinterFactory(PostScriptTo(dir.Path("sheet.ps")));
        CompanyEntity company(nullptr, true);
        company.Get(wxString("name"))->SetUtf8("Lange Notizen GmbH");
        std::string notes;
        for (int paragraph = 1; paragraph <= 120; ++paragraph)
            notes += "<p>Absatz " + std::to_string(paragraph) + "</p>";
        company.Get(wxString("notes"))->SetUtf8(notes);
        printout.reset(company.Print(rit.get()));
        dialog = std::make_unique<PrintPreviewDialog>(nullptr, -1, rit.get(), printout.get(),
                                                      wxPORTRAIT);
        ASSERT_NE(dialog->GetHandle(), nullptr);
        ASSERT_NE(dialog->GetCanvas(), nullptr);
        statusBar = wxDynamicCast(dialog->FindWindow(XRCID("mainStatusBar")), wxStatusBar);
        ASSERT_NE(statusBar, nullptr);
    }

    void TearDown() override
    {
        dialog.reset();
        Settle();
        // The opener's printout outlived the dialog and is still whole.
        EXPECT_EQ(printout->GetTitle(), "Lange Notizen GmbH");
        EXPECT_TRUE(printout->GetContent().Contains("Absatz 120"));
    }

    wxString Status(int field) const { return statusBar->GetStatusText(field); }

    // Waits for the timer to read the page count: the preview knows it once it has laid the
    // first page out.
    void WaitForPageCount()
    {
        ASSERT_TRUE(WaitFor("the page count", [this] { return dialog->GetMaxPage() > 1; }));
        ASSERT_EQ(Status(0), wxString::Format("Page 1 of %d", dialog->GetMaxPage()));
    }

    // Clicks into the pages, so that keys typed next reach the dialog.
    void ClickIntoCanvas()
    {
        wxPreviewCanvas* canvas = dialog->GetCanvas();
        wxUIActionSimulator simulator;
        simulator.MouseMove(canvas->GetScreenPosition() + wxPoint(30, 30));
        simulator.MouseClick();
        Settle();
    }

    void TypeKey(int key, int modifiers)
    {
        wxUIActionSimulator simulator;
        simulator.Char(key, modifiers);
        Settle();
    }

    // A key or wheel event as the canvas receives it from the toolkit.
    void SendToCanvas(wxEvent& event)
    {
        event.SetEventObject(dialog->GetCanvas());
        dialog->GetCanvas()->GetEventHandler()->ProcessEvent(event);
        Settle();
    }

    void SendCharToCanvas(int key, bool control)
    {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = key;
        event.SetControlDown(control);
        SendToCanvas(event);
    }

    void TurnWheel(int rotation, bool control)
    {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.m_wheelRotation = rotation;
        event.m_wheelDelta = 120;
        event.m_linesPerAction = 3;
        event.SetControlDown(control);
        SendToCanvas(event);
    }

    // The canvas's rows that the page covers down its middle; whole when the page ends
    // inside the canvas at the top and at the bottom.
    int PageRows(bool& whole) const
    {
        const wxImage image = ShownPage(*dialog);
        const wxSize size = image.GetSize();
        auto background = [&image, &size](int y) {
            return image.GetRed(size.x / 2, y) == 255 && image.GetGreen(size.x / 2, y) == 0;
        };
        int rows = 0;
        for (int y = 0; y < size.y; ++y)
            rows += !background(y);
        whole = background(0) && background(size.y - 1);
        return rows;
    }

    TempDir dir;
    std::unique_ptr<RuntimeInformationType> rit;
    std::unique_ptr<HtmlPrintoutLibrary> printout;
    std::unique_ptr<PrintPreviewDialog> dialog;
    wxStatusBar* statusBar = nullptr;
    AllowRealModal<PrintPreviewDialog> allowed;
};

}  // namespace

TEST_F(PreviewWindow, PagesStopAtTheEndsAndEveryPageRenders)
{
    Deadline limit(std::chrono::seconds(60));
    const int result = RunModal(*dialog, [this] {
        WaitForPageCount();
        const int last = dialog->GetMaxPage();
        EXPECT_EQ(Status(1), "Zoom: 100%");

        // Which of first, previous, next and last can be used.
        auto usable = [this] {
            wxToolBar* tools = wxDynamicCast(dialog->FindWindow(XRCID("toolBar")), wxToolBar);
            std::string state;
            for (const char* tool :
                 {"firstPageTool", "previousPageTool", "nextPageTool", "lastPageTool"})
                state += tools->GetToolEnabled(XRCID(tool)) ? '1' : '0';
            return state;
        };
        EXPECT_EQ(usable(), "0011");
        dialog->PreviousPage();
        EXPECT_EQ(dialog->GetCurrentPage(), 1);
        dialog->NextPage();
        EXPECT_EQ(Status(0), wxString::Format("Page 2 of %d", last));
        EXPECT_EQ(usable(), last > 2 ? "1111" : "1100");
        dialog->LastPage();
        dialog->NextPage();
        EXPECT_EQ(dialog->GetCurrentPage(), last);
        EXPECT_EQ(dialog->GetPreview()->GetCurrentPage(), last);
        EXPECT_EQ(Status(0), wxString::Format("Page %d of %d", last, last));
        EXPECT_EQ(usable(), "1100");
        dialog->FirstPage();
        EXPECT_EQ(dialog->GetPreview()->GetCurrentPage(), 1);
        EXPECT_EQ(usable(), "0011");

        for (int page = last; page >= 1; --page)
            EXPECT_TRUE(dialog->GetPreview()->SetCurrentPage(page)) << page;

        // Zoom in steps of 50 between 50 and 400.
        for (int step = 0; step < 7; ++step)
            dialog->ZoomIn();
        EXPECT_EQ(dialog->GetZoom(), 400);
        EXPECT_EQ(dialog->GetPreview()->GetZoom(), 400);
        EXPECT_EQ(Status(1), "Zoom: 400%");
        dialog->ZoomNormal();
        for (int step = 0; step < 3; ++step)
            dialog->ZoomOut();
        EXPECT_EQ(dialog->GetZoom(), 50);
        EXPECT_EQ(Status(1), "Zoom: 50%");
        wxCommandEvent fit(wxEVT_TOOL, XRCID("zoomFitTool"));
        dialog->GetEventHandler()->ProcessEvent(fit);
        EXPECT_LT(dialog->GetZoom(), 50);

        // The timer rereads the pages but keeps the zoom.
        dialog->ZoomNormal();
        dialog->ZoomIn();
        statusBar->SetStatusText("", 1);
        EXPECT_TRUE(WaitFor(
            "the zoom in the status bar", [this] { return !Status(1).empty(); },
            std::chrono::milliseconds(2500)));
        EXPECT_EQ(Status(1), "Zoom: 150%");

        // Esc closes, as the tool does.
        ClickIntoCanvas();
        TypeKey(WXK_ESCAPE, wxMOD_NONE);
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_FALSE(dialog->Printed());
}

TEST_F(PreviewWindow, KeysAndWheelOnThePagesPageZoomScrollAndPrint)
{
    Deadline limit(std::chrono::seconds(60));
    const int result = RunModal(*dialog, [this] {
        WaitForPageCount();
        const int last = dialog->GetMaxPage();
        ClickIntoCanvas();

        // The accelerators, typed.
        TypeKey('d', wxMOD_CONTROL);
        EXPECT_EQ(dialog->GetCurrentPage(), 2);
        TypeKey('e', wxMOD_CONTROL);
        EXPECT_EQ(dialog->GetCurrentPage(), last);
        TypeKey('a', wxMOD_CONTROL);
        EXPECT_EQ(dialog->GetCurrentPage(), last - 1);
        TypeKey('q', wxMOD_CONTROL);
        EXPECT_EQ(dialog->GetCurrentPage(), 1);
        TypeKey(WXK_PAGEDOWN, wxMOD_NONE);
        EXPECT_EQ(dialog->GetCurrentPage(), 2);
        TypeKey(WXK_PAGEUP, wxMOD_NONE);
        EXPECT_EQ(dialog->GetCurrentPage(), 1);
        TypeKey('-', wxMOD_CONTROL);
        EXPECT_EQ(dialog->GetZoom(), 50);
        TypeKey('0', wxMOD_CONTROL);
        EXPECT_EQ(dialog->GetZoom(), 100);
        bool whole = true;
        PageRows(whole);
        EXPECT_FALSE(whole);
        // The whole page, as tall as the window lets it be.
        TypeKey('9', wxMOD_CONTROL);
        EXPECT_GT(PageRows(whole), dialog->GetCanvas()->GetClientSize().y * 9 / 10);
        EXPECT_TRUE(whole);
        EXPECT_EQ(Status(1), wxString::Format("Zoom: %d%%", dialog->GetZoom()));
        // From the whole page's zoom, below the steps, each step is one of the steps.
        ASSERT_LT(dialog->GetZoom(), 50);
        for (auto [key, zoom] : {std::pair{'+', 50}, {'+', 100}, {'-', 50}, {'-', 50}}) {
            SendCharToCanvas(key, true);
            EXPECT_EQ(dialog->GetZoom(), zoom) << key;
        }
        TypeKey('0', wxMOD_CONTROL);

        // Plus comes as a character with Shift, which the accelerator does not match; the
        // pages take it, and page keys with Ctrl, without passing them on.
        SendCharToCanvas('+', true);
        EXPECT_EQ(dialog->GetZoom(), 150);
        SendCharToCanvas(WXK_PAGEDOWN, true);
        EXPECT_EQ(dialog->GetCurrentPage(), 2);
        SendCharToCanvas(WXK_HOME, true);
        EXPECT_EQ(dialog->GetCurrentPage(), 1);
        SendCharToCanvas('x', false);

        // The wheel scrolls the pages; with Ctrl it zooms.
        int x = 0, yBefore = 0, yAfter = 0;
        dialog->GetCanvas()->GetViewStart(&x, &yBefore);
        TurnWheel(-120, false);
        dialog->GetCanvas()->GetViewStart(&x, &yAfter);
        EXPECT_GT(yAfter, yBefore);
        EXPECT_EQ(dialog->GetZoom(), 150);
        TurnWheel(-120, true);
        EXPECT_EQ(dialog->GetZoom(), 100);
        TurnWheel(240, true);
        EXPECT_EQ(dialog->GetZoom(), 150);
        TurnWheel(0, true);
        EXPECT_EQ(dialog->GetZoom(), 150);
        EXPECT_EQ(Status(1), "Zoom: 150%");

        // Enter on the pages prints, after the print dialog; a later cancelled print does
        // not take back that the document was printed.
        EXPECT_FALSE(dialog->Printed());
        {
            ScopedLatin1Text latin1;
            wxTEST_DIALOG(SendCharToCanvas(WXK_RETURN, false), ExpectPrintDialog(wxID_OK));
        }
        EXPECT_TRUE(dialog->Printed());
        int pages = 0;
        const std::string text = PrintedText(dir.Path("sheet.ps"), &pages);
        EXPECT_GT(pages, 1);
        EXPECT_NE(text.find("Absatz 120"), std::string::npos);
        // The print dialog took the focus with it.
        ClickIntoCanvas();
        wxTEST_DIALOG(TypeKey('p', wxMOD_CONTROL), ExpectPrintDialog(wxID_CANCEL));
        EXPECT_TRUE(dialog->Printed());

        ClickIntoCanvas();
        TypeKey('w', wxMOD_CONTROL);
    });
    EXPECT_EQ(result, wxID_CANCEL);
}

// The printer gets the pages the preview shows: the same count, each beginning at the same
// place of the document, although printer and screen measure text differently.
TEST_F(PreviewWindow, PrintBreaksPagesWhereThePreviewDoes)
{
    Deadline limit(std::chrono::seconds(60));
    RunModal(*dialog, [this] {
        WaitForPageCount();
        const auto* shown = dynamic_cast<HtmlPrintoutLibrary*>(dialog->GetPreview()->GetPrintout());
        ASSERT_NE(shown, nullptr);
        {
            ScopedLatin1Text latin1;
            wxTEST_DIALOG(
                EXPECT_TRUE(PrintSetup::Get().Print(dialog.get(), printout.get(), wxPrintData())),
                ExpectPrintDialog(wxID_OK));
        }
        int pages = 0;
        EXPECT_NE(PrintedText(dir.Path("sheet.ps"), &pages).find("Absatz 120"), std::string::npos);
        EXPECT_EQ(pages, dialog->GetMaxPage());
        EXPECT_EQ(printout->GetPageBreaks(), shown->GetPageBreaks());
        dialog->Cancel();
    });
}

// The preview draws each word of a line where the paper has it and as wide: at 50 % words
// ran into each other, at 200 % they stood too far apart.
TEST(PreviewZoom, WordGapsScaleWithTheZoom)
{
    Deadline limit(std::chrono::seconds(60));
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    HtmlPrintoutLibrary printout("Zoom", rit.get());
    printout.SetWithoutContainer(wxString::FromUTF8(
        "<html><body><font size=\"3\">Ole Müller Holding GmbH und Söhne</font></body></html>"));
    AllowRealModal<PrintPreviewDialog> allowed;
    PrintPreviewDialog dialog(nullptr, -1, rit.get(), &printout, wxPORTRAIT);
    RunModal(dialog, [&dialog] {
        // The five word gaps are the widest; the others lie between letters.
        std::vector<std::pair<double, double>> words = LineGaps(dialog);
        std::sort(words.begin(), words.end(),
                  [](const auto& a, const auto& b) { return a.second > b.second; });
        ASSERT_GE(words.size(), 5u);
        words.resize(5);
        auto expectScaled = [&dialog, &words](double scale, double tolerance) {
            const std::vector<std::pair<double, double>> shown = LineGaps(dialog);
            for (const auto& [middle, width] : words) {
                double found = 0;
                for (const auto& [shownMiddle, shownWidth] : shown)
                    if (std::abs(shownMiddle - middle * scale) <= shownWidth / 2 + 1)
                        found = std::max(found, shownWidth);
                EXPECT_NEAR(found, width * scale, tolerance) << scale << " at " << middle;
            }
        };
        dialog.ZoomOut();
        // At 50 % strokes thinner than a pixel grey their columns only in part.
        expectScaled(0.5, 1.5);
        dialog.ZoomIn();
        dialog.ZoomIn();
        dialog.ZoomIn();
        expectScaled(2, 1);
        dialog.Cancel();
    });
}

// The main window's preview command opens the dialog on the selected company's sheet, or on
// every selected company's, each from a new page, and deletes that printout once the dialog
// has gone (the sanitizer build checks the once).
TEST(PrintPreviewFromMainWindow, ShowsTheSelectedCompaniesAndClosesByItsTool)
{
    Deadline limit(std::chrono::seconds(60));
    TempDir dir;
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("home"), wxS_DIR_DEFAULT, 0));
    ScopedHome home(dir.Path("home"));
    std::vector<TestCompany> companies(12);
    for (size_t index = 0; index < companies.size(); ++index) {
        companies[index].id = static_cast<int>(index + 1);
        companies[index].name = index ? "Zimmerei " + std::to_string(index) : "Schreinerei Weiß";
    }
    ASSERT_TRUE(WriteDirectory(dir.Path("norvel.sqlite"), {}, companies));
    std::unique_ptr<RuntimeInformationType> rit = OpenRuntime(dir.Path("norvel.sqlite"));
    ASSERT_NE(rit, nullptr);
    auto* frame = new NorvelFrame(rit.get());
    frame->Show();
    frame->Search();
    Settle();
    ASSERT_NE(frame->GetSelectedCompany(), nullptr);

    AllowRealModal<PrintPreviewDialog> allowed;
    wxString shownTitle;
    wxString statusText;
    // Reads the preview once it is shown (after the progress window, when there is one) and
    // closes it.
    int pages = 1;
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        PrintPreviewDialog* dialog = nullptr;
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* preview = dynamic_cast<PrintPreviewDialog*>(window))
                dialog = preview;
        if (!dialog || !dialog->IsModal()) {
            poll.StartOnce(20);
            return;
        }
        EXPECT_TRUE(
            WaitFor("the page count", [dialog, pages] { return dialog->GetMaxPage() == pages; }));
        shownTitle = dialog->GetPreview()->GetPrintout()->GetTitle();
        statusText = wxDynamicCast(dialog->FindWindow(XRCID("mainStatusBar")), wxStatusBar)
                         ->GetStatusText(0);
        wxCommandEvent close(wxEVT_TOOL, XRCID("cancelTool"));
        dialog->GetEventHandler()->ProcessEvent(close);
    });
    auto preview = [&] {
        poll.StartOnce(20);
        wxCommandEvent command(wxEVT_MENU, XRCID("printPreviewCompanyTool"));
        frame->GetEventHandler()->ProcessEvent(command);
    };
    preview();
    EXPECT_EQ(shownTitle, wxString::FromUTF8("Schreinerei Weiß"));
    EXPECT_EQ(statusText, "Page 1 of 1");
    frame->SelectAllResults();
    pages = 12;
    preview();
    EXPECT_EQ(shownTitle, wxString::FromUTF8("Schreinerei Weiß and 11 more"));
    EXPECT_EQ(statusText, "Page 1 of 12");
    DestroyNow(frame);
}
