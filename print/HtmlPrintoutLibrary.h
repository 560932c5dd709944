// The program's printable document: a toolkit HTML printout that remembers its title, its
// HTML content and its page header and footer, hands out templates from the print resource
// directory and copies itself. Borrows the runtime information; owns its layout and shares
// its images in the toolkit's in-memory file system with its copies.
#pragma once

#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/filesys.h>
#include <wx/html/htmprint.h>
#include <wx/html/winpars.h>
#include <wx/image.h>
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

    // A new printout with the same title, content, header, footer and images; the caller
    // owns it. Printouts drawn otherwise copy what they draw.
    virtual HtmlPrintoutLibrary* Copy() const;
    // Puts the image into the toolkit's in-memory file system as PNG, under a name of its
    // own, until this printout and its copies are gone; its location for an <img> tag.
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
    const std::vector<int>& GetPageBreaks() const { return pageBreaks; }
    // The anchor name (<a name="...">) that marks a heading: no page ends just below it.
    static const char* const kHeadingAnchor;
    // The layout's resolution in pixels per inch.
    static constexpr int kLayoutPpi = 96;
    // A template rooted at the print resources (print/de) with the file read into it; a
    // missing file leaves it empty.
    Brenik::BKTemplate GetTemplateByFile(const wxString& file) const;
    // The list's headings and rows as an HTML table; empty for null.
    static wxString CreateTableByListCtrl(Brenik::BKListCtrl* list);

protected:
    // Tells the desktop's print system the document's page count once the toolkit has given
    // its own, which would make it drop pages of a chosen range.
    void CountPagesForThePrintSystem(int pages);
    // Where the desktop's print system puts the device's corner on the paper, in device
    // pixels; none in a preview.
    wxPoint PrintSystemOffset(wxDC& dc);

private:
    class MemoryFile;

    // The page and the text area in layout pixels.
    wxSize LayoutPage() const;
    int ToPixels(double millimetres) const;
    // The memory DC that text is measured on, made when first needed.
    wxDC& Measuring();
    double FontScale();
    void LayOutBody(int width, int height);
    // Addresses on the web have no blanks to break at: words wider than the limit become
    // pieces that the layout may put on lines of their own, and that print without a gap
    // where they share one.
    void BreakLongWords(wxHtmlContainerCell* container, int limit, wxHtmlRenderingInfo& info);
    std::vector<wxString> WordPieces(const wxString& word, int limit);
    static void EvenLineHeights(wxHtmlContainerCell* container);
    void Paginate();
    // The nearest place at or above the position where no line is cut, below the page's top.
    int LineBoundaryAbove(int position, int pageTop) const;
    // Where the page that begins at the position ends.
    int NextPageBreak(int pageTop) const;
    // Moves the position up to the top of the cells of the page it would cut that may not be
    // cut, or to a new page the document asks for; true when it moved.
    static bool MoveBreakAboveCutCells(const wxHtmlCell* cell, int* position, int pageTop,
                                       int pageHeight);
    // The header or footer of the page, laid out; null when the page has none.
    std::unique_ptr<wxHtmlContainerCell> LayOutMargin(const wxString& html, int pages, int page,
                                                      int width);
    static int MarginHeight(const wxHtmlContainerCell* cell);
    static void DrawMargin(wxDC& dc, wxHtmlContainerCell* cell, int x, int y);
    std::vector<int> HeadingTops() const;

    RuntimeInformationType* information;
    wxString header;
    wxString content;
    wxString footer;
    int headerPages = 0;
    int footerPages = 0;
    wxString title;
    std::vector<std::shared_ptr<MemoryFile>> images;

    wxBitmap measuringBitmap;
    std::unique_ptr<wxMemoryDC> measuring;
    wxFileSystem fileSystem;
    wxHtmlWinParser parser;
    std::unique_ptr<wxHtmlContainerCell> cells;
    wxHtmlDCRenderer body;
    std::vector<int> pageBreaks;
    int bodyHeight = 0;
    int headerHeight = 0;
    int footerHeight = 0;
};
