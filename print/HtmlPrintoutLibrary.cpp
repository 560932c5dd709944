#include "print/HtmlPrintoutLibrary.h"

#include <atomic>
#include <climits>

#include <cairo.h>
#include <gtk/gtk.h>

#include <wx/fs_mem.h>
#include <wx/gtk/print.h>
#include <wx/listctrl.h>

#include "app/RuntimeInformationType.h"
#include "lib/gui/BKListCtrl.h"

namespace {

// Margins in millimetres, and the space between the text and a header or footer.
const double kMarginTop = 10;
const double kMarginBottom = 5;
const double kMarginLeft = 10;
const double kMarginRight = 10;
const double kMarginSpace = 5;
// The base font size of printed HTML, the toolkit's own for printing.
const int kFontSize = 12;
// A page may end no closer below a heading than this: the heading and a few lines of its
// text go to the next page together.
const double kKeepWithHeading = 15;

const double kMillimetresPerInch = 25.4;
const double kPointsPerInch = 72;

// Text is measured once at the layout's resolution and drawn scaled to the device. Metrics
// fitted to the pixel grid of the size drawn make a word as wide as that grid wants instead
// of its measured width scaled: in the preview the words of a line ran into each other at
// 50 % and stood apart at 200 %, while word positions scale exactly. Unfitted metrics keep
// every word at its measured width at any scale, as paper always did.
void UseUnfittedMetrics(wxDC& dc)
{
    auto* cairo = static_cast<cairo_t*>(dc.GetImpl()->GetCairoContext());
    if (!cairo)
        return;
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_get_font_options(cairo, options);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cairo, options);
    cairo_font_options_destroy(options);
}

}  // namespace

const char* const HtmlPrintoutLibrary::kHeadingAnchor = "heading";

// One image in the toolkit's in-memory file system, removed with the last printout that
// shows it. Each has a name of its own, so that two previews open at once never share one.
class HtmlPrintoutLibrary::MemoryFile {
public:
    explicit MemoryFile(const wxImage& image)
    {
        static bool registered = false;
        if (!registered) {
            wxFileSystem::AddHandler(new wxMemoryFSHandler);
            registered = true;
        }
        static std::atomic<unsigned long> count{0};
        name = wxString::Format("norvel-printout-%lu-%lu.png", wxGetProcessId(), ++count);
        wxMemoryFSHandler::AddFile(name, image, wxBITMAP_TYPE_PNG);
    }
    ~MemoryFile() { wxMemoryFSHandler::RemoveFile(name); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    wxString Location() const { return "memory:" + name; }

private:
    wxString name;
};

HtmlPrintoutLibrary::HtmlPrintoutLibrary(const wxString& title, RuntimeInformationType* information)
    : wxHtmlPrintout(title), information(information), title(title)
{
    SetMargins(kMarginTop, kMarginBottom, kMarginLeft, kMarginRight, kMarginSpace);
    parser.SetFS(&fileSystem);
    parser.SetStandardFonts(kFontSize);
}

HtmlPrintoutLibrary::~HtmlPrintoutLibrary() = default;

void HtmlPrintoutLibrary::SetWithoutContainer(const wxString& html)
{
    content = html;
    SetHtmlText(html, wxString(), true);
}

void HtmlPrintoutLibrary::SetWithContainer(const wxString& html)
{
    SetWithoutContainer("<html><head></head><body><font size=\"1\">" + html +
                        "</font></body></html>");
}

void HtmlPrintoutLibrary::SetHeader(const wxString& html, int pages)
{
    header = html;
    headerPages = pages;
    wxHtmlPrintout::SetHeader(html, pages);
}

void HtmlPrintoutLibrary::SetFooter(const wxString& html, int pages)
{
    footer = html;
    footerPages = pages;
    wxHtmlPrintout::SetFooter(html, pages);
}

HtmlPrintoutLibrary* HtmlPrintoutLibrary::Copy() const
{
    auto* copy = new HtmlPrintoutLibrary(title, information);
    copy->SetHeader(header, headerPages);
    copy->SetFooter(footer, footerPages);
    copy->SetWithoutContainer(content);
    copy->images = images;
    return copy;
}

wxString HtmlPrintoutLibrary::AddImage(const wxImage& image)
{
    images.push_back(std::make_shared<MemoryFile>(image));
    return images.back()->Location();
}

wxSize HtmlPrintoutLibrary::LayoutPage() const
{
    int width = 0;
    int height = 0;
    GetPageSizeMM(&width, &height);
    return wxSize(ToPixels(width), ToPixels(height));
}

int HtmlPrintoutLibrary::ToPixels(double millimetres) const
{
    return static_cast<int>(millimetres * kLayoutPpi / kMillimetresPerInch);
}

void HtmlPrintoutLibrary::OnPreparePrinting()
{
    const wxSize page = LayoutPage();
    const int width = page.x - ToPixels(kMarginLeft + kMarginRight);
    headerHeight = MarginHeight(LayOutMargin(header, headerPages, 1, width).get());
    footerHeight = MarginHeight(LayOutMargin(footer, footerPages, 1, width).get());
    int height = page.y - ToPixels(kMarginTop + kMarginBottom);
    if (headerHeight)
        height -= headerHeight + ToPixels(kMarginSpace);
    if (footerHeight)
        height -= footerHeight + ToPixels(kMarginSpace);
    LayOutBody(width, height);
    Paginate();
    CountPagesForThePrintSystem(static_cast<int>(pageBreaks.size()) - 1);
}

namespace {

// Reaches the print data the desktop's printer device keeps to itself: it holds the job.
struct PrinterDeviceData : wxGtkPrinterDCImpl {
    using wxGtkPrinterDCImpl::GetPrintData;
};

gboolean CountEveryPage(GtkPrintOperation* operation, GtkPrintContext*, gpointer pages)
{
    gtk_print_operation_set_n_pages(operation, GPOINTER_TO_INT(pages));
    return TRUE;
}

}  // namespace

void HtmlPrintoutLibrary::CountPagesForThePrintSystem(int pages)
{
    // The toolkit tells the desktop's print system that the document has as many pages as
    // the chosen range holds, and the print system then prints the range's pages only where
    // they fall among these: "2-2" printed nothing and reported success. Once the toolkit
    // has given its count, the document's own count is given again.
    auto* printer =
        IsPreview() || !GetDC() ? nullptr : dynamic_cast<wxGtkPrinterDCImpl*>(GetDC()->GetImpl());
    wxPrintData& (wxGtkPrinterDCImpl::*printData)() = &PrinterDeviceData::GetPrintData;
    auto* native =
        printer ? dynamic_cast<wxGtkPrintNativeData*>((printer->*printData)().GetNativeData())
                : nullptr;
    if (!native || !native->GetPrintJob())
        return;
    g_signal_connect(native->GetPrintJob(), "paginate", G_CALLBACK(CountEveryPage),
                     GINT_TO_POINTER(pages));
}

wxDC& HtmlPrintoutLibrary::Measuring()
{
    if (!measuring) {
        measuringBitmap.Create(1, 1);
        measuring = std::make_unique<wxMemoryDC>(measuringBitmap);
        UseUnfittedMetrics(*measuring);
    }
    return *measuring;
}

double HtmlPrintoutLibrary::FontScale()
{
    // The memory DC measures a point as its own pixels per inch say.
    return static_cast<double>(kLayoutPpi) / Measuring().GetPPI().y;
}

void HtmlPrintoutLibrary::LayOutBody(int width, int height)
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

void HtmlPrintoutLibrary::EvenLineHeights(wxHtmlContainerCell* container)
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

void HtmlPrintoutLibrary::BreakLongWords(wxHtmlContainerCell* container, int limit,
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

std::vector<wxString> HtmlPrintoutLibrary::WordPieces(const wxString& word, int limit)
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

void HtmlPrintoutLibrary::Paginate()
{
    pageBreaks.assign(1, 0);
    if (!cells)
        return;
    const std::vector<int> headings = HeadingTops();
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

int HtmlPrintoutLibrary::LineBoundaryAbove(int position, int pageTop) const
{
    // Moving the break above a line of one column can cut a line of the other beside it:
    // the columns are asked again until none moves it.
    int boundary = position;
    while (MoveBreakAboveCutCells(cells.get(), &boundary, pageTop, bodyHeight)) {
    }
    return boundary > pageTop ? boundary : position;
}

int HtmlPrintoutLibrary::NextPageBreak(int pageTop) const
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

bool HtmlPrintoutLibrary::MoveBreakAboveCutCells(const wxHtmlCell* cell, int* position, int pageTop,
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

std::vector<int> HtmlPrintoutLibrary::HeadingTops() const
{
    std::vector<int> tops;
    CollectAnchors(cells.get(), kHeadingAnchor, tops);
    return tops;
}

std::unique_ptr<wxHtmlContainerCell> HtmlPrintoutLibrary::LayOutMargin(const wxString& html,
                                                                       int pages, int page,
                                                                       int width)
{
    const bool shown = pages == wxPAGE_ALL || (pages == wxPAGE_ODD && page % 2 == 1) ||
                       (pages == wxPAGE_EVEN && page % 2 == 0);
    if (html.empty() || !shown)
        return nullptr;
    wxString text = html;
    text.Replace("@PAGENUM@", wxString::Format("%d", page));
    text.Replace("@PAGESCNT@", wxString::Format("%d", static_cast<int>(pageBreaks.size()) - 1));
    parser.SetDC(&Measuring(), 1.0, FontScale());
    std::unique_ptr<wxHtmlContainerCell> cell(
        static_cast<wxHtmlContainerCell*>(parser.Parse(text)));
    if (cell)
        cell->Layout(width);
    return cell;
}

int HtmlPrintoutLibrary::MarginHeight(const wxHtmlContainerCell* cell)
{
    return cell ? cell->GetHeight() : 0;
}

void HtmlPrintoutLibrary::DrawMargin(wxDC& dc, wxHtmlContainerCell* cell, int x, int y)
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

bool HtmlPrintoutLibrary::HasPage(int page)
{
    return page >= 1 && page < static_cast<int>(pageBreaks.size());
}

void HtmlPrintoutLibrary::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo)
{
    *minPage = 1;
    // Before the layout the page count is not known yet.
    *maxPage = pageBreaks.empty() ? INT_MAX : static_cast<int>(pageBreaks.size()) - 1;
    *selPageFrom = *minPage;
    *selPageTo = *maxPage;
}

bool HtmlPrintoutLibrary::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (!dc || !dc->IsOk())
        return false;
    if (!HasPage(page))
        return true;
    const wxSize layout = LayoutPage();
    // The paper's own corner, not the printable area's: the margins are measured from the
    // paper's edges in every orientation and on every paper.
    FitThisSizeToPaper(layout);
    const wxPoint offset = PrintSystemOffset(*dc);
    wxCoord x = 0;
    wxCoord y = 0;
    dc->GetDeviceOrigin(&x, &y);
    dc->SetDeviceOrigin(x - offset.x, y - offset.y);
    dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    UseUnfittedMetrics(*dc);

    const int left = ToPixels(kMarginLeft);
    const int textWidth = layout.x - ToPixels(kMarginLeft + kMarginRight);
    int top = ToPixels(kMarginTop);
    std::unique_ptr<wxHtmlContainerCell> pageHeader =
        LayOutMargin(header, headerPages, page, textWidth);
    if (pageHeader) {
        DrawMargin(*dc, pageHeader.get(), left, top);
        top += headerHeight + ToPixels(kMarginSpace);
    }
    DrawMargin(*dc, LayOutMargin(footer, footerPages, page, textWidth).get(), left,
               layout.y - ToPixels(kMarginBottom) - footerHeight);
    body.SetDC(dc);
    body.Render(left, top, pageBreaks[page - 1], pageBreaks[page]);
    return true;
}

wxPoint HtmlPrintoutLibrary::PrintSystemOffset(wxDC& dc)
{
    auto* cairo = IsPreview() ? nullptr : static_cast<cairo_t*>(dc.GetImpl()->GetCairoContext());
    if (!cairo)
        return wxPoint();
    double x = 0;
    double y = 0;
    cairo_user_to_device(cairo, &x, &y);
    int ppiX = 0;
    int ppiY = 0;
    GetPPIPrinter(&ppiX, &ppiY);
    return wxPoint(wxRound(x * ppiX / kPointsPerInch), wxRound(y * ppiY / kPointsPerInch));
}

Brenik::BKTemplate HtmlPrintoutLibrary::GetTemplateByFile(const wxString& file) const
{
    Brenik::BKTemplate sheet(information ? information->GRP("print", "de") : wxString());
    sheet.SetFile(file);
    return sheet;
}

wxString HtmlPrintoutLibrary::CreateTableByListCtrl(Brenik::BKListCtrl* list)
{
    if (!list)
        return wxString();
    const int columns = list->GetColumnCount();
    wxString html = "<table border=\"1\"><tr>";
    wxArrayString alignments;
    for (int column = 0; column < columns; ++column) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
        list->GetColumn(column, item);
        html << "<th><b>" << item.GetText() << "</b></th>";
        const wxListColumnFormat format = item.GetAlign();
        alignments.Add(format == wxLIST_FORMAT_RIGHT    ? "right"
                       : format == wxLIST_FORMAT_CENTRE ? "center"
                                                        : "left");
    }
    html << "</tr>";
    for (int row = 0; row < list->GetItemCount(); ++row) {
        html << "<tr>";
        for (int column = 0; column < columns; ++column)
            html << "<td align=\"" << alignments[column] << "\">" << list->GetText(row, column)
                 << "</td>";
        html << "</tr>";
    }
    return html + "</table>";
}
