#include "ui/SelectionPrinter.h"

#include <memory>

#include "directory/CompanyEntity.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/PrintPreviewDialog.h"
#include "ui/ProgressGuard.h"

void SelectionPrinter::Print(wxWindow* parent, RuntimeInformationType* rit,
                             const std::vector<const CompanyEntity*>& companies, bool preview)
{
    std::unique_ptr<HtmlPrintoutLibrary> printout(MakeSheets(parent, rit, companies));
    if (printout)
        PrintPreviewDialog::PreviewOrPrint(parent, rit, printout.get(), preview);
}

HtmlPrintoutLibrary* SelectionPrinter::MakeSheets(
    wxWindow* parent, RuntimeInformationType* rit,
    const std::vector<const CompanyEntity*>& companies)
{
    // A few sheets are made before a progress window would have shown.
    const size_t kSheetsWithoutProgress = 10;
    if (companies.size() <= kSheetsWithoutProgress)
        return CompanyEntity::Print(companies, rit, [](size_t) { return true; });
    ProgressGuard progress(parent, rit, _("Preparing the sheets"));
    progress->SetCount(static_cast<unsigned int>(companies.size()));
    return CompanyEntity::Print(companies, rit, [&progress](size_t made) {
        progress->SetLevel(static_cast<int>(made));
        return !progress->IsCanceled();
    });
}
