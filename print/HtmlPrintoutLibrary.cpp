#include "print/HtmlPrintoutLibrary.h"

#include <climits>

#include <wx/listctrl.h>

#include "app/RuntimeInformationType.h"
#include "lib/gui/BKListCtrl.h"
#include "print/GtkPrintSystem.h"

HtmlPrintoutLibrary::HtmlPrintoutLibrary(const wxString& title, RuntimeInformationType* information)
    : wxHtmlPrintout(title), information(information), title(title)
{
    SetMargins(HtmlPaginator::kMarginTop, HtmlPaginator::kMarginBottom, HtmlPaginator::kMarginLeft,
               HtmlPaginator::kMarginRight, HtmlPaginator::kMarginSpace);
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
    copy->sheetTitles = sheetTitles;
    copy->images = images;
    return copy;
}

wxString HtmlPrintoutLibrary::AddImage(const wxImage& image)
{
    return images.Add(image);
}

void HtmlPrintoutLibrary::OnPreparePrinting()
{
    int width = 0;
    int height = 0;
    GetPageSizeMM(&width, &height);
    paginator.SetTitles(sheetTitles.empty() ? std::vector<wxString>{title} : sheetTitles);
    paginator.LayOut(wxSize(width, height), content, header, headerPages, footer, footerPages);
    CountPagesForThePrintSystem(paginator.GetPageCount());
}

void HtmlPrintoutLibrary::CountPagesForThePrintSystem(int pages)
{
    // The toolkit tells the desktop's print system that the document has as many pages as
    // the chosen range holds, and the print system then prints the range's pages only where
    // they fall among these: "2-2" printed nothing and reported success. Once the toolkit
    // has given its count, the document's own count is given again.
    if (!IsPreview())
        GtkPrintSystem::CountEveryPage(GetDC(), pages);
}

bool HtmlPrintoutLibrary::HasPage(int page)
{
    return page >= 1 && page <= paginator.GetPageCount();
}

void HtmlPrintoutLibrary::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo)
{
    *minPage = 1;
    // Before the layout the page count is not known yet.
    *maxPage = GetPageBreaks().empty() ? INT_MAX : paginator.GetPageCount();
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
    DrawFromPaperCorner(*dc, paginator.GetPaper());
    paginator.DrawPage(*dc, page);
    return true;
}

void HtmlPrintoutLibrary::DrawFromPaperCorner(wxDC& dc, const wxSize& paper)
{
    // The margins are measured from the paper's edges in every orientation and on every
    // paper.
    FitThisSizeToPaper(paper);
    if (!IsPreview()) {
        // Where the desktop's print system puts the device's corner on the paper.
        wxSize ppi;
        GetPPIPrinter(&ppi.x, &ppi.y);
        const wxPoint offset = GtkPrintSystem::DeviceOffset(dc, ppi);
        wxCoord x = 0;
        wxCoord y = 0;
        dc.GetDeviceOrigin(&x, &y);
        dc.SetDeviceOrigin(x - offset.x, y - offset.y);
    }
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    GtkPrintSystem::UseUnfittedMetrics(dc);
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
