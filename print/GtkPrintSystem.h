// Every call that reaches past the toolkit into the desktop's print system (GTK and GLib) and
// the drawing library under it (cairo), for what the toolkit's printer gets wrong or does not
// offer. Keeps no state; a JobName owns the hook it installs.
#pragma once

#include <string>

#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class GtkPrintSystem {
public:
    // Names the desktop's print jobs started while it lives after the document they print;
    // the desktop otherwise calls each "<program> job #N" in the printer's queue. Owns the
    // process-wide hook that it installs until it goes.
    class JobName {
    public:
        // An empty title leaves the desktop's own name.
        explicit JobName(const wxString& title);
        ~JobName();
        JobName(const JobName&) = delete;
        JobName& operator=(const JobName&) = delete;

    private:
        std::string title;
        unsigned int signal = 0;
        unsigned long hook = 0;
    };

    // Text measured with metrics fitted to the device's pixel grid is as wide as that grid
    // wants; unfitted metrics keep every word at its measured width at any scale. Nothing
    // for a DC that does not draw with cairo.
    static void UseUnfittedMetrics(wxDC& dc);
    // Where the print system puts the device's corner on the paper, in device pixels at the
    // printer's resolution; none for a DC that does not draw with cairo.
    static wxPoint DeviceOffset(wxDC& dc, const wxSize& printerPpi);
    // Has the print job behind the DC count the document's pages, once the toolkit has given
    // it its own count; nothing for a DC that prints in no desktop print job.
    static void CountEveryPage(wxDC* dc, int pages);
};
