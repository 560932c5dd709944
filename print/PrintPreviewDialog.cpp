#include "print/PrintPreviewDialog.h"

#include <algorithm>
#include <memory>

#include <wx/accel.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "app/LayoutControl.h"
#include "app/RuntimeInformationType.h"
#include "app/XmlWindowLoader.h"
#include "lib/core/BKCasts.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/PrintSetup.h"

namespace {

const char* const kLayoutName = "PrintPreviewDialog";

// One notch of a mouse wheel, and the lines it scrolls: the desktop's usual measure.
const int kWheelDelta = 120;
const int kLinesPerNotch = 3;
// The space around the page on the canvas, in pixels: the canvas's border and the page's
// shadow, on each side.
const int kFitGap = 16;
// A window too small for a readable page still shows one.
const int kMinFitZoom = 10;

}  // namespace

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(PrintPreviewDialog, XmlDialog)
    EVT_MENU(PrintPreviewDialog::kCancelCommand, PrintPreviewDialog::CancelKeyEvent)
    EVT_MENU(XRCID("cancelTool"), PrintPreviewDialog::CancelKeyEvent)
    EVT_MENU(PrintPreviewDialog::kFirstPageCommand, PrintPreviewDialog::FirstPageKeyEvent)
    EVT_MENU(XRCID("firstPageTool"), PrintPreviewDialog::FirstPageKeyEvent)
    EVT_MENU(PrintPreviewDialog::kPreviousPageCommand, PrintPreviewDialog::PreviousPageKeyEvent)
    EVT_MENU(XRCID("previousPageTool"), PrintPreviewDialog::PreviousPageKeyEvent)
    EVT_MENU(PrintPreviewDialog::kNextPageCommand, PrintPreviewDialog::NextPageKeyEvent)
    EVT_MENU(XRCID("nextPageTool"), PrintPreviewDialog::NextPageKeyEvent)
    EVT_MENU(PrintPreviewDialog::kLastPageCommand, PrintPreviewDialog::LastPageKeyEvent)
    EVT_MENU(XRCID("lastPageTool"), PrintPreviewDialog::LastPageKeyEvent)
    EVT_MENU(PrintPreviewDialog::kZoomInCommand, PrintPreviewDialog::ZoomInKeyEvent)
    EVT_MENU(XRCID("zoomInTool"), PrintPreviewDialog::ZoomInKeyEvent)
    EVT_MENU(PrintPreviewDialog::kZoomNormalCommand, PrintPreviewDialog::ZoomNormalKeyEvent)
    EVT_MENU(XRCID("zoomNormalTool"), PrintPreviewDialog::ZoomNormalKeyEvent)
    EVT_MENU(PrintPreviewDialog::kZoomOutCommand, PrintPreviewDialog::ZoomOutKeyEvent)
    EVT_MENU(XRCID("zoomOutTool"), PrintPreviewDialog::ZoomOutKeyEvent)
    EVT_MENU(PrintPreviewDialog::kPrintCommand, PrintPreviewDialog::PrintKeyEvent)
    EVT_MENU(XRCID("printTool"), PrintPreviewDialog::PrintKeyEvent)
    EVT_MENU(PrintPreviewDialog::kZoomFitCommand, PrintPreviewDialog::ZoomFitKeyEvent)
    EVT_MENU(XRCID("zoomFitTool"), PrintPreviewDialog::ZoomFitKeyEvent)
    EVT_TIMER(wxID_ANY, PrintPreviewDialog::PageCountRefreshEvent)
wxEND_EVENT_TABLE()
// clang-format on

const std::vector<LayoutControl<PrintPreviewDialog>>& PrintPreviewDialog::LayoutControls()
{
    static const std::vector<LayoutControl<PrintPreviewDialog>> controls = {
        {"mainPanel", &PrintPreviewDialog::mainPanel},
        {"printPanel", &PrintPreviewDialog::printPanel},
        {"mainStatusBar", &PrintPreviewDialog::mainStatusBar},
        {"toolBar", &PrintPreviewDialog::toolBar},
    };
    return controls;
}

const std::vector<std::pair<const char*, wxClassInfo*>>& PrintPreviewDialog::GetLayoutControls()
{
    static const auto controls = LayoutControl<PrintPreviewDialog>::Contract(LayoutControls());
    return controls;
}

const std::vector<const char*>& PrintPreviewDialog::GetLayoutTools()
{
    static const std::vector<const char*> tools = {
        "cancelTool", "firstPageTool",  "previousPageTool", "nextPageTool", "lastPageTool",
        "zoomInTool", "zoomNormalTool", "zoomOutTool",      "zoomFitTool",  "printTool",
    };
    return tools;
}

wxPrintData PrintPreviewDialog::PrintData(int orientation, wxPaperSize paper)
{
    wxPrintData data = PrintSetup::Get().GetPrintData();
    if (paper != wxPAPER_NONE)
        data.SetPaperId(paper);
    data.SetOrientation(static_cast<wxPrintOrientation>(orientation));
    return data;
}

void PrintPreviewDialog::PreviewOrPrint(wxWindow* parent, RuntimeInformationType* information,
                                        HtmlPrintoutLibrary* printout, bool preview)
{
    // The orientation of the last print, as its paper: a sheet printed across is previewed
    // and printed across again.
    PreviewOrPrint(parent, information, printout, preview,
                   PrintSetup::Get().GetPrintData().GetOrientation());
}

void PrintPreviewDialog::PreviewOrPrint(wxWindow* parent, RuntimeInformationType* information,
                                        HtmlPrintoutLibrary* printout, bool preview,
                                        int orientation, wxPaperSize paper)
{
    if (preview) {
        PrintPreviewDialog dialog(parent, -1, information, printout, orientation, paper);
        dialog.CentreOnScreen(wxBOTH);
        dialog.ShowModal();
    } else {
        PrintSetup::Get().Print(parent, printout, PrintData(orientation, paper));
    }
}

PrintPreviewDialog::PrintPreviewDialog(wxWindow* parent, int id,
                                       RuntimeInformationType* information,
                                       HtmlPrintoutLibrary* printout, int orientation,
                                       wxPaperSize paper)
    : XmlDialog(parent, id, information, kLayoutName),
      printout(printout),
      refreshTimer(this, wxWindow::NewControlId()),
      orientation(orientation),
      paper(paper)
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    LayoutControl<PrintPreviewDialog>::FindAll(*this, LayoutControls());
    mainSizer = mainPanel ? mainPanel->GetSizer() : nullptr;
    printSizer = printPanel ? printPanel->GetSizer() : nullptr;

    printData = std::make_unique<wxPrintData>(PrintData(orientation, paper));
    if (printout && printPanel && printSizer)
        CreatePreview();
    if (GetSizer())
        GetSizer()->SetSizeHints(this);

    InstallAccelerators();
    SetSize(wxSize(1000, 600));
    ReadPages();
    zoom = 100;
    RefreshStatusBar();
    RefreshPageTools();
    refreshTimer.StartOnce(150);
}

PrintPreviewDialog::~PrintPreviewDialog()
{
    refreshTimer.Stop();
    wxWindow::UnreserveControlId(refreshTimer.GetId());
    // The canvas outlives this destructor (children go later) and would tell a deleted
    // preview that it is gone.
    if (canvas)
        canvas->SetPreview(nullptr);
}

void PrintPreviewDialog::CreatePreview()
{
    // The toolkit's preview deletes the printouts it is given, while this dialog's printout
    // belongs to the opener: it gets a copy to keep, and none for printing, which goes
    // through Print with a fresh copy each time.
    preview = std::make_unique<wxPrintPreview>(printout->Copy(), nullptr, printData.get());
    canvas = new wxPreviewCanvas(preview.get(), printPanel, wxDefaultPosition, wxSize(800, 600), 0,
                                 "canvas");
    // The canvas expects to live in the toolkit's own preview frame and takes wheel and
    // keys to it; here they are the dialog's, and none reaches the canvas's own handlers.
    canvas->Bind(wxEVT_MOUSEWHEEL, &PrintPreviewDialog::ZoomEvent, this);
    canvas->Bind(wxEVT_CHAR, &PrintPreviewDialog::CanvasKeyEvent, this);
    // Small enough to let the dialog take its own size below.
    canvas->SetMinSize(wxSize(200, 150));
    preview->SetCanvas(canvas);
    preview->SetZoom(100);
    printSizer->Add(canvas, 1, wxEXPAND, 0);
}

void PrintPreviewDialog::InstallAccelerators()
{
    wxAcceleratorEntry entries[] = {
        {wxACCEL_NORMAL, WXK_ESCAPE, kCancelCommand},
        {wxACCEL_CTRL, 'w', kCancelCommand},
        {wxACCEL_CTRL, 'q', kFirstPageCommand},
        {wxACCEL_CTRL, 'a', kPreviousPageCommand},
        {wxACCEL_CTRL, 'd', kNextPageCommand},
        {wxACCEL_CTRL, 'e', kLastPageCommand},
        {wxACCEL_CTRL, '+', kZoomInCommand},
        {wxACCEL_CTRL, '0', kZoomNormalCommand},
        {wxACCEL_CTRL, '-', kZoomOutCommand},
        {wxACCEL_CTRL, 'p', kPrintCommand},
        {wxACCEL_CTRL, '9', kZoomFitCommand},
        {wxACCEL_NORMAL, WXK_PAGEDOWN, kNextPageCommand},
        {wxACCEL_NORMAL, WXK_PAGEUP, kPreviousPageCommand},
    };
    SetAcceleratorTable(wxAcceleratorTable(WXSIZEOF(entries), entries));
}

void PrintPreviewDialog::ReadPages()
{
    if (!preview)
        return;
    minPage = preview->GetMinPage();
    maxPage = preview->GetMaxPage();
    currentPage = preview->GetCurrentPage();
}

void PrintPreviewDialog::FirstPage()
{
    ShowPage(minPage);
}

void PrintPreviewDialog::PreviousPage()
{
    ShowPage(minPage < currentPage ? currentPage - 1 : currentPage);
}

void PrintPreviewDialog::NextPage()
{
    ShowPage(currentPage < maxPage ? currentPage + 1 : currentPage);
}

void PrintPreviewDialog::LastPage()
{
    ShowPage(maxPage);
}

void PrintPreviewDialog::ShowPage(int page)
{
    if (preview && page != currentPage)
        preview->SetCurrentPage(page);
    currentPage = page;
    RefreshStatusBar();
    RefreshPageTools();
}

void PrintPreviewDialog::ZoomIn()
{
    // To the next step above, from a zoom between the steps too (the whole page's).
    const int step = std::max(kMinZoom, (zoom / kZoomStep + 1) * kZoomStep);
    SetZoom(step <= kMaxZoom ? step : zoom);
}

void PrintPreviewDialog::ZoomNormal()
{
    SetZoom(100);
}

void PrintPreviewDialog::ZoomOut()
{
    const int step = std::min(kMaxZoom, (zoom - 1) / kZoomStep * kZoomStep);
    SetZoom(step >= kMinZoom ? step : zoom);
}

void PrintPreviewDialog::ZoomToFit()
{
    SetZoom(FittingZoom());
}

int PrintPreviewDialog::FittingZoom() const
{
    const wxPrintout* shown = preview ? preview->GetPrintout() : nullptr;
    wxPoint screen;
    wxPoint printer;
    if (shown) {
        shown->GetPPIScreen(&screen.x, &screen.y);
        shown->GetPPIPrinter(&printer.x, &printer.y);
    }
    const wxRect paper = shown ? shown->GetPaperRectPixels() : wxRect();
    if (!canvas || paper.IsEmpty() || printer.x <= 0 || printer.y <= 0)
        return zoom;
    // The paper's size on screen at 100 %, and the room the canvas leaves it inside the
    // border and the shadow that it draws around the page.
    const double width = static_cast<double>(paper.width) * screen.x / printer.x;
    const double height = static_cast<double>(paper.height) * screen.y / printer.y;
    const wxSize room = canvas->GetClientSize() - 2 * wxSize(kFitGap, kFitGap);
    const double fit = 100 * std::min(room.x / width, room.y / height);
    return std::max(kMinFitZoom, static_cast<int>(fit));
}

void PrintPreviewDialog::SetZoom(int percent)
{
    if (preview && percent != zoom)
        preview->SetZoom(percent);
    zoom = percent;
    RefreshStatusBar();
}

void PrintPreviewDialog::Zoom(int rotation, bool control)
{
    if (rotation == 0)
        return;
    if (!control)
        ScrollCanvas(rotation);
    else if (rotation < 0)
        ZoomOut();
    else
        ZoomIn();
}

void PrintPreviewDialog::ScrollCanvas(int rotation)
{
    if (!canvas)
        return;
    int lines = rotation * kLinesPerNotch / kWheelDelta;
    if (lines == 0)
        lines = rotation > 0 ? 1 : -1;  // a fine wheel still moves
    int x = 0;
    int y = 0;
    canvas->GetViewStart(&x, &y);
    canvas->Scroll(x, y - lines);
}

void PrintPreviewDialog::CanvasKey(const wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        Print();
        return;
    }
    if (!event.ControlDown())
        return;
    // Typed as characters, plus and minus may come with Shift or from the number pad, which
    // the accelerators do not match.
    switch (key) {
        case '+':
        case '=':
        case WXK_NUMPAD_ADD:
            ZoomIn();
            break;
        case '-':
        case WXK_NUMPAD_SUBTRACT:
            ZoomOut();
            break;
        case '0':
        case WXK_NUMPAD0:
            ZoomNormal();
            break;
        case WXK_PAGEDOWN:
            NextPage();
            break;
        case WXK_PAGEUP:
            PreviousPage();
            break;
        case WXK_HOME:
            FirstPage();
            break;
        case WXK_END:
            LastPage();
            break;
        default:
            break;
    }
}

void PrintPreviewDialog::Print()
{
    if (!printout)
        return;
    std::unique_ptr<HtmlPrintoutLibrary> copy(printout->Copy());
    const bool done = PrintSetup::Get().Print(this, copy.get(), PrintData(orientation, paper));
    if (done)
        FollowThePrintSetup();
    if (!printed)
        printed = done;
}

void PrintPreviewDialog::FollowThePrintSetup()
{
    orientation = PrintSetup::Get().GetPrintData().GetOrientation();
    paper = wxPAPER_NONE;
    printData = std::make_unique<wxPrintData>(PrintData(orientation));
    if (!preview || !canvas)
        return;
    // The toolkit's preview measures its paper once: a new one shows the same page at the
    // same zoom on the new paper, in the canvas that may still be handling the key.
    const std::unique_ptr<wxPrintPreview> previous = std::move(preview);
    preview = std::make_unique<wxPrintPreview>(printout->Copy(), nullptr, printData.get());
    preview->SetCanvas(canvas);
    canvas->SetPreview(preview.get());
    preview->SetZoom(zoom);
    const int page = currentPage;
    ReadPages();
    ShowPage(std::min(page, maxPage));
}

void PrintPreviewDialog::Cancel()
{
    EndModal(wxID_CANCEL);
}

void PrintPreviewDialog::RefreshStatusBar()
{
    if (!mainStatusBar || mainStatusBar->GetFieldsCount() < 2)
        return;
    mainStatusBar->SetStatusText(_("Page ") + Brenik::BKCasts::ToString(currentPage) + _(" of ") +
                                     Brenik::BKCasts::ToString(maxPage),
                                 0);
    mainStatusBar->SetStatusText(_("Zoom: ") + Brenik::BKCasts::ToString(zoom) + "%", 1);
}

void PrintPreviewDialog::RefreshPageTools()
{
    if (!toolBar)
        return;
    const bool after = currentPage > minPage;
    const bool before = currentPage < maxPage;
    toolBar->EnableTool(XRCID("firstPageTool"), after);
    toolBar->EnableTool(XRCID("previousPageTool"), after);
    toolBar->EnableTool(XRCID("nextPageTool"), before);
    toolBar->EnableTool(XRCID("lastPageTool"), before);
}

void PrintPreviewDialog::PageCountRefresh()
{
    ReadPages();
    RefreshStatusBar();
    RefreshPageTools();
    refreshTimer.Start(1000, wxTIMER_CONTINUOUS);
}

void PrintPreviewDialog::CancelKeyEvent(wxCommandEvent&)
{
    Cancel();
}

void PrintPreviewDialog::FirstPageKeyEvent(wxCommandEvent&)
{
    FirstPage();
}

void PrintPreviewDialog::PreviousPageKeyEvent(wxCommandEvent&)
{
    PreviousPage();
}

void PrintPreviewDialog::NextPageKeyEvent(wxCommandEvent&)
{
    NextPage();
}

void PrintPreviewDialog::LastPageKeyEvent(wxCommandEvent&)
{
    LastPage();
}

void PrintPreviewDialog::ZoomInKeyEvent(wxCommandEvent&)
{
    ZoomIn();
}

void PrintPreviewDialog::ZoomNormalKeyEvent(wxCommandEvent&)
{
    ZoomNormal();
}

void PrintPreviewDialog::ZoomOutKeyEvent(wxCommandEvent&)
{
    ZoomOut();
}

void PrintPreviewDialog::PrintKeyEvent(wxCommandEvent&)
{
    Print();
}

void PrintPreviewDialog::ZoomFitKeyEvent(wxCommandEvent&)
{
    ZoomToFit();
}

void PrintPreviewDialog::PageCountRefreshEvent(wxTimerEvent&)
{
    PageCountRefresh();
}

void PrintPreviewDialog::ZoomEvent(wxMouseEvent& event)
{
    Zoom(event.GetWheelRotation(), event.ControlDown());
}

void PrintPreviewDialog::CanvasKeyEvent(wxKeyEvent& event)
{
    CanvasKey(event);
}
