#include "print/HtmlPrintoutLibrary.h"

#include <wx/listctrl.h>

#include "app/RuntimeInformationType.h"
#include "lib/gui/BKListCtrl.h"

HtmlPrintoutLibrary::HtmlPrintoutLibrary(const wxString& title, RuntimeInformationType* information)
    : wxHtmlPrintout(title), information(information), title(title)
{
    SetMargins(10, 5, 10, 10, 5);
}

HtmlPrintoutLibrary::~HtmlPrintoutLibrary() = default;

void HtmlPrintoutLibrary::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo)
{
    wxHtmlPrintout::GetPageInfo(minPage, maxPage, selPageFrom, selPageTo);
    *selPageFrom = *minPage;
    *selPageTo = *maxPage;
}

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
    return copy;
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
