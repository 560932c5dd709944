// The print setup of this run of the program, one for the process: the printer, paper and
// orientation chosen in the print dialog of the last print (A4 portrait before it), and the
// printer that prints. Owns the printer factory.
#pragma once

#include <functional>
#include <memory>

#include <wx/print.h>

class PrintSetup {
public:
    // Makes the printer that prints with the print dialog's data.
    using PrinterFactory = std::function<std::unique_ptr<wxPrinterBase>(wxPrintDialogData* data)>;

    // The program's one setup.
    static PrintSetup& Get();

    // Prints the printout with the print data after the print dialog, whose parent is the
    // window, in a job named after the printout's title; true when it was printed, false when
    // the user cancelled or printing failed. What the user chose in the dialog becomes the
    // setup.
    bool Print(wxWindow* parent, wxPrintout* printout, const wxPrintData& data);
    const wxPrintData& GetPrintData() const { return printData; }
    // Replaces the printer that Print uses (tests write to a file instead); an empty factory
    // restores the toolkit's printer.
    void SetPrinterFactory(PrinterFactory factory);
    // Back to the start of a run: A4 portrait and the toolkit's printer.
    void Reset();

private:
    PrintSetup();

    PrinterFactory printerFactory;
    wxPrintData printData;
};
