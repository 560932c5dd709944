// Helpers for the printing tests: printers that write PostScript or, through the desktop's
// own print system, PDF into a file (there is no printer here), the answer to the print
// dialog, the text, pages and word boxes of what was printed, and what every sheet must keep.
#pragma once

#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <wx/generic/printps.h>
#include <wx/generic/prntdlgg.h>
#include <wx/gtk/print.h>
#include <wx/print.h>
#include <wx/testing.h>

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "app/Norvel.h"
#include "app/RuntimeInformationType.h"
#include "directory/CompanyEntity.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/PrintPreviewDialog.h"
#include "print/PrintSetup.h"

// Prints with the toolkit's PostScript printer into the file, after its print dialog.
inline PrintSetup::PrinterFactory PostScriptTo(const wxString& path)
{
    return [path](wxPrintDialogData* data) -> std::unique_ptr<wxPrinterBase> {
        data->GetPrintData().SetPrintMode(wxPRINT_MODE_FILE);
        data->GetPrintData().SetFilename(path);
        data->GetPrintData().SetPaperId(wxPAPER_A4);
        return std::make_unique<wxPostScriptPrinter>(data);
    };
}

// Switches the C library's character conversion to Latin-1 for the scope: the PostScript
// printer converts its text with it and writes Latin-1.
class ScopedLatin1Text {
public:
    ScopedLatin1Text()
    {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        previous = current ? current : "C";
        available = std::setlocale(LC_CTYPE, "de_DE.ISO-8859-1") != nullptr;
    }
    ~ScopedLatin1Text() { std::setlocale(LC_CTYPE, previous.c_str()); }
    ScopedLatin1Text(const ScopedLatin1Text&) = delete;
    ScopedLatin1Text& operator=(const ScopedLatin1Text&) = delete;
    bool IsAvailable() const { return available; }

private:
    std::string previous;
    bool available;
};

// The print dialog of the PostScript printer, answered with the button.
using ExpectPrintDialog = wxExpectDismissableModal<wxGenericPrintDialog>;

// What a user sets up in the print dialog.
struct PaperSetup {
    wxPaperSize paper = wxPAPER_A4;
    wxPrintOrientation orientation = wxPORTRAIT;
    int fromPage = 0;  // 0: all pages
    int toPage = 0;
    bool asOffered = false;  // the paper and orientation left as the dialog offers them
};

// The answer to the desktop's print dialog: the paper and the pages chosen in it, then
// Print, once the dialog has found the printer of that name; given up after half a minute.
struct PrintDialogAnswer {
    std::string printer;
    int fromPage;
    int toPage;
    wxPaperSize paper;
    wxPrintOrientation orientation;
    bool asOffered;
    int triesLeft = 300;
};

inline gboolean AnswerPrintDialog(gpointer data)
{
    auto* answer = static_cast<PrintDialogAnswer*>(data);
    GList* windows = gtk_window_list_toplevels();
    bool answered = false;
    for (GList* window = windows; window && !answered; window = window->next) {
        if (!GTK_IS_PRINT_UNIX_DIALOG(window->data))
            continue;
        auto* dialog = GTK_PRINT_UNIX_DIALOG(window->data);
        GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(dialog);
        if (!printer || answer->printer != gtk_printer_get_name(printer))
            continue;
        GtkPageSetup* page = answer->asOffered ? nullptr : gtk_page_setup_new();
        if (page) {
            GtkPaperSize* paper = gtk_paper_size_new(
                answer->paper == wxPAPER_A5 ? GTK_PAPER_NAME_A5 : GTK_PAPER_NAME_A4);
            gtk_page_setup_set_paper_size(page, paper);
            gtk_paper_size_free(paper);
            gtk_page_setup_set_orientation(page, answer->orientation == wxLANDSCAPE
                                                     ? GTK_PAGE_ORIENTATION_LANDSCAPE
                                                     : GTK_PAGE_ORIENTATION_PORTRAIT);
            gtk_print_unix_dialog_set_page_setup(dialog, page);
            g_object_unref(page);
        }
        if (answer->fromPage > 0) {
            GtkPrintSettings* settings = gtk_print_unix_dialog_get_settings(dialog);
            gtk_print_settings_set_print_pages(settings, GTK_PRINT_PAGES_RANGES);
            GtkPageRange range{answer->fromPage - 1, answer->toPage - 1};
            gtk_print_settings_set_page_ranges(settings, &range, 1);
            gtk_print_unix_dialog_set_settings(dialog, settings);
            g_object_unref(settings);
        }
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        answered = true;
    }
    g_list_free(windows);
    if (answered || --answer->triesLeft <= 0) {
        delete answer;
        return FALSE;
    }
    return TRUE;
}

// Prints through the desktop's print system, with only the backend loaded (no other print
// server is asked for its printers), on the printer; its dialog is answered as a user would,
// with the setup chosen in it. configure adds the printer's own settings.
inline PrintSetup::PrinterFactory DesktopPrinter(
    const char* backend, const std::string& printer, PaperSetup setup,
    std::function<void(GtkPrintSettings*)> configure = {})
{
    return [=](wxPrintDialogData* data) -> std::unique_ptr<wxPrinterBase> {
        g_object_set(gtk_settings_get_default(), "gtk-print-backends", backend, nullptr);
        wxPrintData& print = data->GetPrintData();
        print.SetPrinterName(wxString::FromUTF8(printer));
        print.ConvertToNative();
        GtkPrintSettings* settings =
            static_cast<wxGtkPrintNativeData*>(print.GetNativeData())->GetPrintConfig();
        gtk_print_settings_set_printer(settings, printer.c_str());
        if (configure)
            configure(settings);
        g_timeout_add(100, AnswerPrintDialog,
                      new PrintDialogAnswer{printer, setup.fromPage, setup.toPage, setup.paper,
                                            setup.orientation, setup.asOffered});
        return std::make_unique<wxPrinter>(data);
    };
}

// Prints through the desktop's print system to its file printer, which writes a PDF.
inline PrintSetup::PrinterFactory PdfTo(const wxString& path, PaperSetup setup)
{
    return DesktopPrinter(
        "file", g_dgettext("gtk30", "Print to File"), setup, [path](GtkPrintSettings* settings) {
            gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI,
                                   ("file://" + path).utf8_str());
            gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
        });
}

// One word of a PDF page as Poppler finds it, in millimetres from the page's top left.
struct PdfWord {
    int page;
    double left, top, right, bottom;
    std::string text;
};

// What a PDF holds, read with Poppler's tools.
struct PdfDocument {
    int pages = 0;
    double width = 0;  // of the first page, in millimetres
    double height = 0;
    std::vector<PdfWord> words;
    bool fontsEmbedded = false;

    // The words of a page joined by blanks, in reading order.
    std::string PageText(int page) const
    {
        std::string text;
        for (const PdfWord& word : words)
            if (word.page == page)
                text += word.text + " ";
        return text;
    }
};

// Poppler writes the words as HTML.
inline std::string Unescaped(std::string text)
{
    for (auto [entity, letter] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                  {"&gt;", ">"},
                                  {"&quot;", "\""},
                                  {"&apos;", "'"},
                                  {"&amp;", "&"}})
        for (size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, entity.size(), letter);
    return text;
}

inline PdfDocument ReadPdf(const wxString& path)
{
    const double kMmPerPoint = 25.4 / 72;
    const std::string pdf = "'" + path.utf8_string() + "'";
    PdfDocument document;
    const std::string info = CommandOutput("pdfinfo " + pdf);
    std::smatch match;
    if (std::regex_search(info, match, std::regex("Pages:\\s+(\\d+)")))
        document.pages = std::stoi(match[1]);
    if (std::regex_search(info, match, std::regex("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))) {
        document.width = std::stod(match[1]) * kMmPerPoint;
        document.height = std::stod(match[2]) * kMmPerPoint;
    }
    const std::string boxes = CommandOutput("pdftotext -bbox -enc UTF-8 " + pdf + " -");
    const std::regex word(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
        "yMax=\"([\\d.]+)\">([^<]*)</word>");
    int page = 0;
    std::istringstream boxLines(boxes);
    for (std::string line; std::getline(boxLines, line);) {
        if (line.find("<page ") != std::string::npos)
            ++page;
        else if (std::regex_search(line, match, word))
            document.words.push_back({page, std::stod(match[1]) * kMmPerPoint,
                                      std::stod(match[2]) * kMmPerPoint,
                                      std::stod(match[3]) * kMmPerPoint,
                                      std::stod(match[4]) * kMmPerPoint, Unescaped(match[5])});
    }
    // A font line ends with its embedded, subset and Unicode flags and its object number.
    const std::string fonts = CommandOutput("pdffonts " + pdf);
    const std::regex font("(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$");
    int count = 0;
    int embedded = 0;
    std::istringstream lines(fonts);
    for (std::string line; std::getline(lines, line);)
        if (std::regex_search(line, match, font)) {
            ++count;
            embedded += match[1] == "yes";
        }
    document.fontsEmbedded = count > 0 && embedded == count;
    return document;
}

// The text of a PostScript file, turned into PDF with Ghostscript and read with Poppler in
// the order it was drawn (the PostScript printer sets glyphs smaller than the layout measured
// them, and the gaps would split lines into columns); pages receives the PDF's page count.
// Empty when a step fails.
inline std::string PrintedText(const wxString& postScript, int* pages)
{
    const std::string ps = "'" + postScript.utf8_string() + "'";
    const std::string pdf = "'" + postScript.utf8_string() + ".pdf'";
    const std::string text = CommandOutput("sh -c \"ps2pdf " + ps + " " + pdf +
                                           " && pdftotext -raw -enc UTF-8 " + pdf + " -\"");
    if (pages)
        *pages = ReadPdf(postScript + ".pdf").pages;
    return text;
}

// Notes of that many numbered paragraphs and a last one that ends them.
inline std::string LongNotes(int paragraphs)
{
    std::string notes;
    for (int paragraph = 1; paragraph <= paragraphs; ++paragraph)
        notes += "<p>Absatz " + std::to_string(paragraph) + ": Eine Zeile Notizen.</p>";
    return notes + "<p>Ende der Notizen</p>";
}

// A company whose notes run over several pages.
inline void FillWithLongNotes(CompanyEntity& company)
{
    company.Get(wxString("name"))->SetUtf8("Straßenbau Müller KG");
    company.Get(wxString("notes"))->SetUtf8(LongNotes(90));
}

inline std::string Shown(int pages, double width, double height)
{
    return wxString::Format("%d pages on %dx%d mm", pages, wxRound(width), wxRound(height))
        .utf8_string();
}

// What a preview shows: its page count and its paper in millimetres.
inline std::string Shown(PrintPreviewDialog& dialog)
{
    // The preview counts the pages when it shows the first on its canvas.
    dialog.GetPreview()->RenderPage(1);
    int width = 0;
    int height = 0;
    dialog.GetPreview()->GetPrintout()->GetPageSizeMM(&width, &height);
    return Shown(dialog.GetPreview()->GetMaxPage(), width, height);
}

// What the preview that the program's windows open on the printout shows as it comes up.
inline std::string ShownByTheOpener(RuntimeInformationType* rit, HtmlPrintoutLibrary* printout)
{
    std::string shown;
    AllowRealModal<PrintPreviewDialog> allowed;
    wxTheApp->CallAfter([&shown] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<PrintPreviewDialog*>(window);
                dialog && dialog->IsModal()) {
                shown = Shown(*dialog);
                dialog->EndModal(wxID_CANCEL);
            }
    });
    PrintPreviewDialog::PreviewOrPrint(nullptr, rit, printout, true);
    return shown;
}

// The sheets as printed on any paper: the words inside the margins the program asks for
// (10 mm on every side) within a millimetre, the footer on every page with the name of the
// company whose sheet the page belongs to (a sheet begins with its address), and the fonts
// embedded.
inline void ExpectMarginsAndFooters(const PdfDocument& pdf, const std::vector<std::string>& names)
{
    double left = 1e9, right = 1e9, top = 1e9, bottom = 1e9;
    for (const PdfWord& word : pdf.words) {
        left = std::min(left, word.left);
        top = std::min(top, word.top);
        right = std::min(right, pdf.width - word.right);
        bottom = std::min(bottom, pdf.height - word.bottom);
    }
    EXPECT_NEAR(left, 10, 1);
    EXPECT_NEAR(right, 10, 1);
    EXPECT_NEAR(top, 10, 1);
    EXPECT_NEAR(bottom, 10, 1);
    size_t sheet = 0;
    for (int page = 1; page <= pdf.pages; ++page) {
        const std::string text = pdf.PageText(page);
        if (page > 1 && text.find("ANSCHRIFT") != std::string::npos)
            ++sheet;
        EXPECT_NE(text.find(wxString::Format("Seite %d von %d ", page, pdf.pages).utf8_string()),
                  std::string::npos)
            << page;
        ASSERT_LT(sheet, names.size()) << page;
        EXPECT_NE(text.find(names[sheet]), std::string::npos) << page << ": " << text;
    }
    EXPECT_TRUE(pdf.fontsEmbedded);
}

// Printouts printed from their preview through the desktop's print system into a PDF file,
// with the program's German texts.
class PdfPrinting : public testing::Test {
protected:
    void SetUp() override
    {
        rit = Norvel::CreateRuntimeInformation("norvel");
        locale.reset(Norvel::SetUpLocale(rit.get()));
    }

    // The PDF of the printout printed from a preview proposing the orientation, as the setup
    // asks; shown receives what that preview showed.
    PdfDocument PrintFromPreview(HtmlPrintoutLibrary& printout, const PaperSetup& setup,
                                 int orientation, std::string* shown = nullptr)
    {
        const wxString path = dir.Path("printout.pdf");
        if (wxFileName::FileExists(path))
            wxRemoveFile(path);
        PrintSetup::Get().SetPrinterFactory(PdfTo(path, setup));
        PrintPreviewDialog preview(nullptr, -1, rit.get(), &printout, orientation);
        preview.Print();
        if (shown)
            *shown = Shown(preview);
        return ReadPdf(path);
    }

    TempDir dir;
    std::unique_ptr<RuntimeInformationType> rit;
    std::unique_ptr<wxLocale> locale;
    // The desktop's print dialog, told not to show itself, runs its print.
    AllowRealModal<wxGtkPrintDialog> printing;
};
