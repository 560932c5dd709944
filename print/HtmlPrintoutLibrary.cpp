#include "print/HtmlPrintoutLibrary.h"

#include <atomic>
#include <climits>

#include <wx/fs_mem.h>
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
    headerHeight = LayOutMargin(header, headerPages, 1, width);
    footerHeight = LayOutMargin(footer, footerPages, 1, width);
    int height = page.y - ToPixels(kMarginTop + kMarginBottom);
    if (headerHeight)
        height -= headerHeight + ToPixels(kMarginSpace);
    if (footerHeight)
        height -= footerHeight + ToPixels(kMarginSpace);
    LayOutBody(width, height);
    Paginate();
}

wxDC& HtmlPrintoutLibrary::Measuring()
{
    if (!measuring) {
        measuringBitmap.Create(1, 1);
        measuring = std::make_unique<wxMemoryDC>(measuringBitmap);
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
    if (cells)
        body.SetHtmlCell(*cells);
}

void HtmlPrintoutLibrary::Paginate()
{
    pageBreaks.assign(1, 0);
    if (!cells)
        return;
    const std::vector<int> headings = HeadingTops();
    const int keep = ToPixels(kKeepWithHeading);
    for (int at = 0;;) {
        int next = body.FindNextPageBreak(at);
        if (next == wxNOT_FOUND)
            break;
        // The last page ends with the document, whatever stands above its end.
        const bool last = next >= body.GetTotalHeight();
        for (int heading : last ? std::vector<int>() : headings)
            if (heading > at && heading < next && next - heading < keep) {
                next = heading;
                break;
            }
        pageBreaks.push_back(next);
        at = next;
    }
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

int HtmlPrintoutLibrary::LayOutMargin(const wxString& html, int pages, int page, int width)
{
    const bool shown = pages == wxPAGE_ALL || (pages == wxPAGE_ODD && page % 2 == 1) ||
                       (pages == wxPAGE_EVEN && page % 2 == 0);
    if (html.empty() || !shown)
        return 0;
    wxString text = html;
    text.Replace("@PAGENUM@", wxString::Format("%d", page));
    text.Replace("@PAGESCNT@", wxString::Format("%d", static_cast<int>(pageBreaks.size()) - 1));
    margin.SetDC(&Measuring(), 1.0, FontScale());
    margin.SetSize(width, 1);
    margin.SetHtmlText(text);
    return margin.GetTotalHeight();
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
    int width = 0;
    int height = 0;
    dc->GetSize(&width, &height);
    dc->SetUserScale(static_cast<double>(width) / layout.x, static_cast<double>(height) / layout.y);
    dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    const int left = ToPixels(kMarginLeft);
    const int textWidth = layout.x - ToPixels(kMarginLeft + kMarginRight);
    int top = ToPixels(kMarginTop);
    if (LayOutMargin(header, headerPages, page, textWidth)) {
        margin.SetDC(dc);
        margin.Render(left, top);
        top += headerHeight + ToPixels(kMarginSpace);
    }
    body.SetDC(dc);
    body.Render(left, top, pageBreaks[page - 1], pageBreaks[page]);
    if (LayOutMargin(footer, footerPages, page, textWidth)) {
        margin.SetDC(dc);
        margin.Render(left, layout.y - ToPixels(kMarginBottom) - footerHeight);
    }
    return true;
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
