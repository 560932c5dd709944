// Lays an HTML document out on the pages of one paper, with its page header and footer, so
// that no page cuts a line or ends just below a heading, and draws each page. Text is measured
// on a memory DC of its own at a fixed resolution. Owns its layout and that DC.
#pragma once

#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/filesys.h>
#include <wx/html/htmprint.h>
#include <wx/html/winpars.h>
#include <wx/string.h>

class HtmlPaginator {
public:
    // The layout's resolution in pixels per inch.
    static constexpr int kLayoutPpi = 96;
    // Margins in millimetres from the paper's edges, and the space between the text and a
    // header or footer.
    static constexpr double kMarginTop = 10;
    static constexpr double kMarginBottom = 10;
    static constexpr double kMarginLeft = 10;
    static constexpr double kMarginRight = 10;
    static constexpr double kMarginSpace = 5;
    // Paper whose text is narrower than this, in millimetres, shows the pages reduced to fit
    // as much on a line: a sheet made for A4 ran over two pages of A5, the second holding
    // only its last section.
    static constexpr double kNarrowestText = 160;
    // The anchor name (<a name="...">) that marks a heading: no page ends just below it.
    static const char* const kHeadingAnchor;
    // The anchor name that marks where the next sheet of a document of several begins.
    static const char* const kSheetAnchor;

    HtmlPaginator();
    ~HtmlPaginator();
    HtmlPaginator(const HtmlPaginator&) = delete;
    HtmlPaginator& operator=(const HtmlPaginator&) = delete;

    // The title of each sheet, the first one's for the document's start, put for @TITLE@ into
    // the header and footer of the sheet's pages as text, shortened to fit a line.
    void SetTitles(const std::vector<wxString>& titles) { this->titles = titles; }
    // Lays the content out on paper of the size in millimetres, the header and footer on the
    // pages their selection names (wxPAGE_ODD, wxPAGE_EVEN or wxPAGE_ALL).
    void LayOut(const wxSize& paperMillimetres, const wxString& content, const wxString& header,
                int headerPages, const wxString& footer, int footerPages);
    // The paper in layout pixels.
    wxSize GetPaper() const { return paper; }
    // 0 before the layout.
    int GetPageCount() const;
    // Where each page begins in the layout, the end of the document last; empty before it.
    const std::vector<int>& GetPageBreaks() const { return pageBreaks; }
    // Draws the page, counted from 1, on the DC, whose origin and scale are the paper's
    // corner and the layout's pixels.
    void DrawPage(wxDC& dc, int page);

private:
    int ToPixels(double millimetres) const;
    // The memory DC that text is measured on, made when first needed.
    wxDC& Measuring();
    double FontScale();
    void LayOutBody(const wxString& content, int width, int height);
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
    // The tops of the anchors of that name.
    std::vector<int> AnchorTops(const char* name) const;
    // The title of the sheet the page belongs to, as HTML.
    wxString TitleOf(int page) const;

    wxString header;
    wxString footer;
    int headerPages = 0;
    int footerPages = 0;
    std::vector<wxString> titles;
    std::vector<int> sheetTops;
    wxSize paper;

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
    // The paper's millimetres to the drawn page's: below 1 on narrow paper.
    double scale = 1;
};
