// The program's printable document: a toolkit HTML printout that remembers its title, its
// HTML content and its page header and footer, hands out templates from the print resource
// directory and copies itself. Borrows the runtime information.
#pragma once

#include <wx/html/htmprint.h>
#include <wx/string.h>

#include "lib/template/BKTemplate.h"

namespace Brenik {
class BKListCtrl;
}
class RuntimeInformationType;

class HtmlPrintoutLibrary : public wxHtmlPrintout {
public:
    // Margins: 10 mm top, 5 mm bottom, 10 mm left and right, 5 mm to header and footer.
    HtmlPrintoutLibrary(const wxString& title, RuntimeInformationType* information);
    ~HtmlPrintoutLibrary() override;

    wxString GetTitle() const override { return title; }

    // The whole document is the page selection, also before its pages are counted: the
    // print dialog then offers all pages instead of the first alone.
    void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;

    // The HTML as it stands, a page of its own markup.
    void SetWithoutContainer(const wxString& html);
    // The HTML wrapped into a page with a small font.
    void SetWithContainer(const wxString& html);
    // pages: wxPAGE_ODD, wxPAGE_EVEN or wxPAGE_ALL.
    void SetHeader(const wxString& html, int pages);
    void SetFooter(const wxString& html, int pages);

    wxString GetHeader() const { return header; }
    wxString GetFooter() const { return footer; }
    wxString GetContent() const { return content; }
    int GetPgHeader() const { return headerPages; }
    int GetPgFooter() const { return footerPages; }

    // A new printout with the same title, content, header and footer; the caller owns it.
    HtmlPrintoutLibrary* Copy() const;
    // A template rooted at the print resources (print/de) with the file read into it; a
    // missing file leaves it empty.
    Brenik::BKTemplate GetTemplateByFile(const wxString& file) const;
    // The list's headings and rows as an HTML table; empty for null.
    static wxString CreateTableByListCtrl(Brenik::BKListCtrl* list);

private:
    RuntimeInformationType* information;
    wxString header;
    wxString content;
    wxString footer;
    int headerPages = 0;
    int footerPages = 0;
    wxString title;
};
