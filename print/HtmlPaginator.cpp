#include "print/HtmlPaginator.h"

#include <algorithm>
#include <climits>

#include "lib/core/BKLib.h"
#include "print/GtkPrintSystem.h"

namespace {

// The base font size of printed HTML, the toolkit's own for printing.
const int kFontSize = 12;
// A page may end no closer below a heading than this: the heading and a few lines of its
// text go to the next page together.
const double kKeepWithHeading = 15;

const double kMillimetresPerInch = 25.4;
// The most characters of a title in a header or footer: a name of the directory may be of any
// length, and the margin's height is measured once.
const size_t kTitleLength = 50;

}  // namespace

const char* const HtmlPaginator::kHeadingAnchor = "heading";
const char* const HtmlPaginator::kSheetAnchor = "sheet";

HtmlPaginator::HtmlPaginator()
{
    parser.SetFS(&fileSystem);
    parser.SetStandardFonts(kFontSize);
}

HtmlPaginator::~HtmlPaginator() = default;

void HtmlPaginator::LayOut(const wxSize& paperMillimetres, const wxString& content,
                           const wxString& header, int headerPages, const wxString& footer,
                           int footerPages)
{
    this->header = header;
    this->headerPages = headerPages;
    this->footer = footer;
    this->footerPages = footerPages;
    scale = std::min(1.0, (paperMillimetres.x - kMarginLeft - kMarginRight) / kNarrowestText);
    paper = wxSize(ToPixels(paperMillimetres.x), ToPixels(paperMillimetres.y));
    const int width = paper.x - ToPixels(kMarginLeft + kMarginRight);
    headerHeight = MarginHeight(LayOutMargin(header, headerPages, 1, width).get());
    footerHeight = MarginHeight(LayOutMargin(footer, footerPages, 1, width).get());
    int height = paper.y - ToPixels(kMarginTop + kMarginBottom);
    if (headerHeight)
        height -= headerHeight + ToPixels(kMarginSpace);
    if (footerHeight)
        height -= footerHeight + ToPixels(kMarginSpace);
    LayOutBody(content, width, height);
    Paginate();
}

int HtmlPaginator::GetPageCount() const
{
    return pageBreaks.empty() ? 0 : static_cast<int>(pageBreaks.size()) - 1;
}

int HtmlPaginator::ToPixels(double millimetres) const
{
    return static_cast<int>(millimetres * kLayoutPpi / kMillimetresPerInch / scale);
}

wxDC& HtmlPaginator::Measuring()
{
    if (!measuring) {
        measuringBitmap.Create(1, 1);
        measuring = std::make_unique<wxMemoryDC>(measuringBitmap);
        // Text is measured once at the layout's resolution and drawn scaled to the device.
        // Metrics fitted to the pixel grid of the size drawn make a word as wide as that grid
        // wants instead of its measured width scaled: in the preview the words of a line ran
        // into each other at 50 % and stood apart at 200 %, while word positions scale
        // exactly. Unfitted metrics keep every word at its measured width at any scale, as
        // paper always did.
        GtkPrintSystem::UseUnfittedMetrics(*measuring);
    }
    return *measuring;
}

double HtmlPaginator::FontScale()
{
    // The memory DC measures a point as its own pixels per inch say.
    return static_cast<double>(kLayoutPpi) / Measuring().GetPPI().y;
}

void HtmlPaginator::LayOutBody(const wxString& content, int width, int height)
{
    parser.SetDC(&Measuring(), 1.0, FontScale());
    cells.reset(static_cast<wxHtmlContainerCell*>(parser.Parse(content)));
    body.SetDC(&Measuring(), 1.0, FontScale());
    body.SetSize(width, height);
    bodyHeight = height;
    if (!cells)
        return;
    wxHtmlRenderingInfo info;
    wxDefaultHtmlRenderingStyle style;
    info.SetStyle(&style);
    // Narrower than the sheet's narrowest column, so that no piece widens a column.
    BreakLongWords(cells.get(), width * 2 / 5, info);
    EvenLineHeights(cells.get());
    body.SetHtmlCell(*cells);
}

void HtmlPaginator::EvenLineHeights(wxHtmlContainerCell* container)
{
    // A line ended by a break is as high as its font's line, a line that wraps only as high
    // as its words, so that wrapped rows stood closer than the rows around them: every line
    // of text now takes the height of its words, and only an empty line keeps its font's.
    for (wxHtmlCell* cell = container->GetFirstChild(); cell; cell = cell->GetNext()) {
        if (auto* inner = dynamic_cast<wxHtmlContainerCell*>(cell))
            EvenLineHeights(inner);
        else if (dynamic_cast<wxHtmlWordCell*>(cell))
            container->SetMinHeight(0);
    }
}

void HtmlPaginator::BreakLongWords(wxHtmlContainerCell* container, int limit,
                                   wxHtmlRenderingInfo& info)
{
    std::vector<wxHtmlCell*> children;
    for (wxHtmlCell* cell = container->GetFirstChild(); cell; cell = cell->GetNext())
        children.push_back(cell);
    const wxFont font = Measuring().GetFont();
    bool broken = false;
    for (wxHtmlCell* cell : children) {
        // The words are measured in the font the cells before them set.
        if (dynamic_cast<wxHtmlFontCell*>(cell))
            cell->DrawInvisible(Measuring(), 0, 0, info);
        if (auto* inner = dynamic_cast<wxHtmlContainerCell*>(cell))
            BreakLongWords(inner, limit, info);
        broken = broken || (dynamic_cast<wxHtmlWordCell*>(cell) && cell->GetWidth() > limit);
    }
    if (!broken)
        return;
    for (wxHtmlCell* cell : children)
        container->Detach(cell);
    Measuring().SetFont(font);
    for (wxHtmlCell* cell : children) {
        if (dynamic_cast<wxHtmlFontCell*>(cell))
            cell->DrawInvisible(Measuring(), 0, 0, info);
        if (!dynamic_cast<wxHtmlWordCell*>(cell) || cell->GetWidth() <= limit) {
            container->InsertCell(cell);
            continue;
        }
        for (const wxString& piece : WordPieces(cell->ConvertToText(nullptr), limit))
            container->InsertCell(new wxHtmlWordCell(piece, Measuring()));
        delete cell;
    }
}

std::vector<wxString> HtmlPaginator::WordPieces(const wxString& word, int limit)
{
    wxArrayInt ends;
    Measuring().GetPartialTextExtents(word, ends);
    std::vector<wxString> pieces;
    size_t start = 0;
    int startWidth = 0;
    size_t lastBreak = 0;
    for (size_t at = 0; at < word.length() && at < ends.size(); ++at) {
        if (ends[at] - startWidth > limit && at > start) {
            // At a slash, dot or hyphen of an address when there is one in the piece.
            const size_t end = lastBreak > start ? lastBreak : at;
            pieces.push_back(word.Mid(start, end - start));
            start = end;
            startWidth = start ? ends[start - 1] : 0;
        }
        if (wxString("/.-_?&=").Contains(word[at]))
            lastBreak = at + 1;
    }
    pieces.push_back(word.Mid(start));
    return pieces;
}

void HtmlPaginator::Paginate()
{
    pageBreaks.assign(1, 0);
    sheetTops = AnchorTops(kSheetAnchor);
    if (!cells)
        return;
    const std::vector<int> headings = AnchorTops(kHeadingAnchor);
    const int keep = ToPixels(kKeepWithHeading);
    const int total = body.GetTotalHeight();
    for (int at = 0; at == 0 || at < total;) {
        int next = NextPageBreak(at);
        // The last page ends with the document, whatever stands above its end.
        const bool last = next >= total;
        for (int heading : last ? std::vector<int>() : headings)
            if (heading > at && heading < next && next - heading < keep) {
                next = heading;
                break;
            }
        if (!last)
            next = LineBoundaryAbove(next, at);
        pageBreaks.push_back(next);
        at = next;
    }
}

int HtmlPaginator::LineBoundaryAbove(int position, int pageTop) const
{
    // Moving the break above a line of one column can cut a line of the other beside it:
    // the columns are asked again until none moves it.
    int boundary = position;
    while (MoveBreakAboveCutCells(cells.get(), &boundary, pageTop, bodyHeight)) {
    }
    return boundary > pageTop ? boundary : position;
}

int HtmlPaginator::NextPageBreak(int pageTop) const
{
    // Where a full page ends, or above it where a cell would be cut that may not be, or
    // where the document asks for a new page.
    int next = pageTop + bodyHeight;
    MoveBreakAboveCutCells(cells.get(), &next, pageTop, bodyHeight);
    return next > pageTop ? next : pageTop + bodyHeight;
}

namespace {

// Reaches the flag the toolkit keeps to itself: whether a cell may be cut by a page break,
// as a table row may not.
struct CellBreaking : wxHtmlCell {
    static bool CanBeCut(const wxHtmlCell* cell)
    {
        bool wxHtmlCell::*flag = &CellBreaking::m_CanLiveOnPagebreak;
        return cell->*flag;
    }
};

}  // namespace

bool HtmlPaginator::MoveBreakAboveCutCells(const wxHtmlCell* cell, int* position, int pageTop,
                                           int pageHeight)
{
    // What the toolkit's own adjustment does, but that asks every cell of the document for
    // every page: a preview of a thousand sheets did not finish in eight minutes. Only the
    // cells of the page are asked here; the others, and their inner cells, lie wholly above
    // or below it.
    if (!cell->GetFirstChild() || !CellBreaking::CanBeCut(cell))
        return cell->AdjustPagebreak(position, pageHeight);
    int inner = *position - cell->GetPosY();
    const int innerTop = pageTop - cell->GetPosY();
    bool moved = false;
    for (const wxHtmlCell* child = cell->GetFirstChild(); child; child = child->GetNext())
        if (child->GetPosY() < inner && innerTop < child->GetPosY() + child->GetHeight())
            moved = MoveBreakAboveCutCells(child, &inner, innerTop, pageHeight) || moved;
    if (moved)
        *position = inner + cell->GetPosY();
    return moved;
}

namespace {

void CollectAnchors(const wxHtmlCell* cell, const wxString& name, std::vector<int>& tops)
{
    for (; cell; cell = cell->GetNext()) {
        if (cell->GetFirstChild())
            CollectAnchors(cell->GetFirstChild(), name, tops);
        else if (cell->Find(wxHTML_COND_ISANCHOR, &name) == cell)
            tops.push_back(cell->GetAbsPos().y);
    }
}

}  // namespace

std::vector<int> HtmlPaginator::AnchorTops(const char* name) const
{
    std::vector<int> tops;
    CollectAnchors(cells.get(), name, tops);
    return tops;
}

wxString HtmlPaginator::TitleOf(int page) const
{
    // A sheet begins at the top of a page: the page belongs to the last sheet that begins
    // above its end.
    size_t sheet = 0;
    if (page >= 1 && page < static_cast<int>(pageBreaks.size()))
        for (int top : sheetTops)
            sheet += top < pageBreaks[page];
    if (titles.empty())
        return wxString();
    wxString title = titles[std::min(sheet, titles.size() - 1)];
    if (title.length() > kTitleLength)
        title = title.Left(kTitleLength) + wxString::FromUTF8("\xE2\x80\xA6");
    return Brenik::BKLib::HtmlSpecialChars(title);
}

std::unique_ptr<wxHtmlContainerCell> HtmlPaginator::LayOutMargin(const wxString& html, int pages,
                                                                 int page, int width)
{
    const bool shown = pages == wxPAGE_ALL || (pages == wxPAGE_ODD && page % 2 == 1) ||
                       (pages == wxPAGE_EVEN && page % 2 == 0);
    if (html.empty() || !shown)
        return nullptr;
    wxString text = html;
    text.Replace("@PAGENUM@", wxString::Format("%d", page));
    text.Replace("@PAGESCNT@", wxString::Format("%d", static_cast<int>(pageBreaks.size()) - 1));
    text.Replace("@TITLE@", TitleOf(page));
    parser.SetDC(&Measuring(), 1.0, FontScale());
    std::unique_ptr<wxHtmlContainerCell> cell(
        static_cast<wxHtmlContainerCell*>(parser.Parse(text)));
    if (cell)
        cell->Layout(width);
    return cell;
}

int HtmlPaginator::MarginHeight(const wxHtmlContainerCell* cell)
{
    return cell ? cell->GetHeight() : 0;
}

void HtmlPaginator::DrawMargin(wxDC& dc, wxHtmlContainerCell* cell, int x, int y)
{
    if (!cell)
        return;
    // Drawn without the renderer, whose clipping made the footer vanish on the desktop's
    // printer.
    wxHtmlRenderingInfo info;
    wxDefaultHtmlRenderingStyle style;
    info.SetStyle(&style);
    cell->Draw(dc, x, y, 0, INT_MAX, info);
}

void HtmlPaginator::DrawPage(wxDC& dc, int page)
{
    if (page < 1 || page > GetPageCount())
        return;
    const int left = ToPixels(kMarginLeft);
    const int textWidth = paper.x - ToPixels(kMarginLeft + kMarginRight);
    int top = ToPixels(kMarginTop);
    std::unique_ptr<wxHtmlContainerCell> pageHeader =
        LayOutMargin(header, headerPages, page, textWidth);
    if (pageHeader) {
        DrawMargin(dc, pageHeader.get(), left, top);
        top += headerHeight + ToPixels(kMarginSpace);
    }
    DrawMargin(dc, LayOutMargin(footer, footerPages, page, textWidth).get(), left,
               paper.y - ToPixels(kMarginBottom) - footerHeight);
    body.SetDC(&dc);
    body.Render(left, top, pageBreaks[page - 1], pageBreaks[page]);
}
