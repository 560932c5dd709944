// The modal print preview of a printout: pages through it, zooms, shows page and zoom in
// its status bar and prints it. Borrows the printout (its opener deletes it after the
// dialog has closed); owns the print data, the toolkit preview with its own copy of the
// printout, and the refresh timer.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <wx/cmndata.h>
#include <wx/panel.h>
#include <wx/print.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "app/XmlDialog.h"

class HtmlPrintoutLibrary;

template <typename Window>
class LayoutControl;

class PrintPreviewDialog : public XmlDialog {
public:
    // The command ids of the tools and keys.
    enum CommandId {
        kCancelCommand = 0,
        kFirstPageCommand,
        kPreviousPageCommand,
        kNextPageCommand,
        kLastPageCommand,
        kZoomInCommand,
        kZoomNormalCommand,
        kZoomOutCommand,
        kPrintCommand,
        kZoomFitCommand
    };
    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 400;
    static constexpr int kZoomStep = 50;

    // What the dialog looks up in its layout "PrintPreviewDialog".
    static const std::vector<std::pair<const char*, wxClassInfo*>>& GetLayoutControls();
    static const std::vector<const char*>& GetLayoutTools();

    // The page setup of previews and prints alike: the paper of the program's print setup, or
    // the paper given, in the orientation, both of which the print dialog may still change.
    static wxPrintData PrintData(int orientation, wxPaperSize paper = wxPAPER_NONE);
    // Shows the printout in a modal preview, or sends it to the printer after the print
    // dialog (whose answer is not reported), in the orientation of the last print. The
    // printout stays the caller's.
    static void PreviewOrPrint(wxWindow* parent, RuntimeInformationType* information,
                               HtmlPrintoutLibrary* printout, bool preview);
    // The same in the orientation and on the paper proposed (wxPAPER_NONE: the last print's).
    static void PreviewOrPrint(wxWindow* parent, RuntimeInformationType* information,
                               HtmlPrintoutLibrary* printout, bool preview, int orientation,
                               wxPaperSize paper = wxPAPER_NONE);

    // orientation: the toolkit's wxPORTRAIT or wxLANDSCAPE; paper: wxPAPER_NONE for the print
    // setup's.
    PrintPreviewDialog(wxWindow* parent, int id, RuntimeInformationType* information,
                       HtmlPrintoutLibrary* printout, int orientation,
                       wxPaperSize paper = wxPAPER_NONE);
    ~PrintPreviewDialog() override;

    void FirstPage();
    void PreviousPage();
    void NextPage();
    void LastPage();
    void ZoomIn();
    void ZoomNormal();
    void ZoomOut();
    // The zoom that shows the whole page in the window as it is now; it may lie below the
    // smallest step.
    void ZoomToFit();
    // A wheel turned away from the user (positive) zooms in, towards the user out, with Ctrl
    // held; without Ctrl it scrolls the pages. A rotation of 0 does nothing.
    void Zoom(int rotation, bool control);
    // Prints a copy of the printout after the print dialog.
    void Print();
    // Whether a print has succeeded while the dialog was open.
    bool Printed() const { return printed; }
    void Cancel();
    void RefreshStatusBar();
    // The first and previous tools work only after the first page, the next and last tools
    // only before the last.
    void RefreshPageTools();
    // Reads the page numbers from the preview again (its page count can grow after the
    // first pages are laid out) and runs again after a second.
    void PageCountRefresh();

    int GetCurrentPage() const { return currentPage; }
    int GetMaxPage() const { return maxPage; }
    int GetZoom() const { return zoom; }
    wxPreviewCanvas* GetCanvas() const { return canvas; }
    wxPrintPreview* GetPreview() const { return preview.get(); }

    void CancelKeyEvent(wxCommandEvent& event);
    void FirstPageKeyEvent(wxCommandEvent& event);
    void PreviousPageKeyEvent(wxCommandEvent& event);
    void NextPageKeyEvent(wxCommandEvent& event);
    void LastPageKeyEvent(wxCommandEvent& event);
    void ZoomInKeyEvent(wxCommandEvent& event);
    void ZoomNormalKeyEvent(wxCommandEvent& event);
    void ZoomOutKeyEvent(wxCommandEvent& event);
    void PrintKeyEvent(wxCommandEvent& event);
    void ZoomFitKeyEvent(wxCommandEvent& event);
    void PageCountRefreshEvent(wxTimerEvent& event);
    void ZoomEvent(wxMouseEvent& event);
    void CanvasKeyEvent(wxKeyEvent& event);

private:
    // The controls of the layout, each with the member that keeps it.
    static const std::vector<LayoutControl<PrintPreviewDialog>>& LayoutControls();
    void CreatePreview();
    // Lays the pages out again for the paper and orientation of the print just made.
    void FollowThePrintSetup();
    void InstallAccelerators();
    void ReadPages();
    void ShowPage(int page);
    void SetZoom(int percent);
    int FittingZoom() const;
    void ScrollCanvas(int rotation);
    // The keys the canvas would otherwise take to its own handler.
    void CanvasKey(const wxKeyEvent& event);

    HtmlPrintoutLibrary* printout;
    int minPage = 1;
    int maxPage = 1;
    int currentPage = 1;
    int zoom = 100;
    wxTimer refreshTimer;
    bool printed = false;
    int orientation;
    wxPaperSize paper;

    wxPanel* mainPanel = nullptr;
    wxSizer* mainSizer = nullptr;
    wxPanel* printPanel = nullptr;
    wxSizer* printSizer = nullptr;
    wxStatusBar* mainStatusBar = nullptr;
    wxToolBar* toolBar = nullptr;
    std::unique_ptr<wxPrintData> printData;
    std::unique_ptr<wxPrintPreview> preview;
    wxPreviewCanvas* canvas = nullptr;

    wxDECLARE_EVENT_TABLE();
};
