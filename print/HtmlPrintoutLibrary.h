// The program's printable document: a toolkit HTML printout that remembers its title, its
// HTML content and its page header and footer, hands out templates from the print resource
// directory and copies itself. Borrows the runtime information; owns its paginator and
// shares its images with its copies.
#pragma once

#include <memory>
#include <vector>

#include <wx/html/htmprint.h>
#include <wx/image.h>
#include <wx/string.h>

#include "lib/template/BKTemplate.h"
#include "print/HtmlPaginator.h"
#include "print/PrintImageStore.h"

namespace Brenik {
class BKListCtrl;
}
class RuntimeInformationType;

class HtmlPrintoutLibrary : public wxHtmlPrintout {
public:
    // Margins as the paginator lays the pages out.
    HtmlPrintoutLibrary(const wxString& title, RuntimeInformationType* information);
    ~HtmlPrintoutLibrary() override;

    wxString GetTitle() const override { return title; }
    RuntimeInformationType* GetInformation() const { return information; }
    // The title of each sheet of a document of several, in order, for @TITLE@ in the header
    // and footer; each sheet begins with an anchor named HtmlPaginator::kSheetAnchor. Without
    // them @TITLE@ is the document's title.
    void SetSheetTitles(const std::vector<wxString>& titles) { sheetTitles = titles; }

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

    // A new printout with the same title, content, header, footer and images; the caller
    // owns it. Printouts drawn otherwise copy what they draw.
    virtual HtmlPrintoutLibrary* Copy() const;
    // Keeps the image with this printout and its copies; its location for an <img> tag.
    wxString AddImage(const wxImage& image);

    // Preview and printer lay the pages out alike: on a memory DC at a fixed resolution,
    // drawn scaled to the device. The toolkit's own layout measures text on each device
    // with its own metrics and resolution, so a preview and a print of the same document
    // broke their pages at different places.
    void OnPreparePrinting() override;
    bool OnPrintPage(int page) override;
    bool HasPage(int page) override;
    // Where each page begins in the layout, the end of the document last; empty until the
    // printout was prepared for a preview or a print.
    const std::vector<int>& GetPageBreaks() const { return paginator.GetPageBreaks(); }
    // A template rooted at the print resources (print/de) with the file read into it; a
    // missing file leaves it empty.
    Brenik::BKTemplate GetTemplateByFile(const wxString& file) const;
    // The list's headings and rows as an HTML table; empty for null.
    static wxString CreateTableByListCtrl(Brenik::BKListCtrl* list);

protected:
    // Has a print job count the document's pages, which the toolkit would give as the chosen
    // range's; nothing in a preview.
    void CountPagesForThePrintSystem(int pages);
    // Makes the page's DC draw from the paper's own corner, not the printable area's, in
    // units of which the paper holds the size, with text measured as it is drawn.
    void DrawFromPaperCorner(wxDC& dc, const wxSize& paper);

private:
    RuntimeInformationType* information;
    wxString header;
    wxString content;
    wxString footer;
    int headerPages = 0;
    int footerPages = 0;
    wxString title;
    std::vector<wxString> sheetTitles;
    PrintImageStore images;
    HtmlPaginator paginator;
};
