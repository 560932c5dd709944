#include "print/PrintSetup.h"

#include "print/GtkPrintSystem.h"

namespace {

std::unique_ptr<wxPrinterBase> MakeToolkitPrinter(wxPrintDialogData* data)
{
    return std::make_unique<wxPrinter>(data);
}

}  // namespace

PrintSetup& PrintSetup::Get()
{
    static PrintSetup setup;
    return setup;
}

PrintSetup::PrintSetup()
{
    Reset();
}

void PrintSetup::Reset()
{
    printerFactory = MakeToolkitPrinter;
    printData = wxPrintData();
    printData.SetPaperId(wxPAPER_A4);
    printData.SetOrientation(wxPORTRAIT);
}

bool PrintSetup::Print(wxWindow* parent, wxPrintout* printout, const wxPrintData& data)
{
    wxPrintDialogData dialogData(data);
    // A user printing a sheet wants all of it, whatever its length; printers that take the
    // page range from this data (not all do) print every page.
    dialogData.SetAllPages(true);
    dialogData.SetFromPage(1);
    dialogData.SetToPage(9999);
    std::unique_ptr<wxPrinterBase> printer = printerFactory(&dialogData);
    if (!printer)
        return false;
    {
        GtkPrintSystem::JobName name(printout ? printout->GetTitle() : wxString());
        if (!printer->Print(parent, printout, true))
            return false;
    }
    // The next print and preview start from the paper the user has just chosen: a preview
    // that kept A4 showed another sheet than the one printed on A5.
    printData = printer->GetPrintDialogData().GetPrintData();
    return true;
}

void PrintSetup::SetPrinterFactory(PrinterFactory factory)
{
    printerFactory = factory ? std::move(factory) : PrinterFactory(MakeToolkitPrinter);
}
