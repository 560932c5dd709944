// Prints or previews the sheets of chosen companies: one sheet for one company, one printout
// of many sheets for several, made under the progress window with its cancel when there are
// many. Used by the main window for its selected rows and by the company window for its
// company. The records are borrowed for the call.
#pragma once

#include <vector>

class CompanyEntity;
class HtmlPrintoutLibrary;
class RuntimeInformationType;
class wxWindow;

class SelectionPrinter {
public:
    // Shows the preview (or the print dialog) for the companies' sheets; nothing for none or
    // when the user cancels making them.
    static void Print(wxWindow* parent, RuntimeInformationType* rit,
                      const std::vector<const CompanyEntity*>& companies, bool preview);

private:
    // The companies' sheets in one printout; null for none or when the user cancels.
    static HtmlPrintoutLibrary* MakeSheets(wxWindow* parent, RuntimeInformationType* rit,
                                           const std::vector<const CompanyEntity*>& companies);
};
