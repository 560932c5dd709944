// Prints what the main window's result list holds: the list as a table, and the companies'
// addresses on labels, each of the selected rows only when more than one is selected. Makes
// the printout (under the progress window when the rows are many), shows it in the preview
// and deletes it. Borrows the window, the list and the runtime information.
#pragma once

#include <functional>
#include <vector>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "print/LabelSheetPrintout.h"

namespace Brenik {
class BKListCtrl;
}
class CompanyEntity;
class ResultListPrintout;
class RuntimeInformationType;
class wxWindow;

class ResultListPrinting {
public:
    ResultListPrinting(wxWindow* parent, RuntimeInformationType* rit, Brenik::BKListCtrl* list);

    // The list as a table in the preview, landscape proposed; search names the search that
    // made it.
    void PrintList(const wxString& search);
    // Asks for the label sheet, then shows the labels in the preview.
    void PrintLabels();
    // The table of the rows to print; null when there are none or the progress says stop.
    ResultListPrintout* CreateList(const wxString& search,
                                   const std::function<bool(size_t rows)>& progress) const;

    // What found the rows, for a footer and a job: the text, the place and the sectors.
    static wxString DescribeSearch(const wxString& text, const wxString& place,
                                   const wxArrayString& sectors);
    // The addresses of the companies as labels, each as "Copy address" gives it.
    static std::vector<LabelSheetPrintout::Label> Labels(
        const std::vector<const CompanyEntity*>& companies, bool attention);

private:
    // The selected rows when more than one is selected, otherwise every row.
    std::vector<int> RowsToPrint() const;

    wxWindow* parent;
    RuntimeInformationType* rit;
    Brenik::BKListCtrl* list;
};
