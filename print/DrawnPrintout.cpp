#include "print/DrawnPrintout.h"

#include <climits>
#include <cmath>

DrawnPrintout::DrawnPrintout(const wxString& title, RuntimeInformationType* information)
    : HtmlPrintoutLibrary(title, information)
{
}

wxSize DrawnPrintout::Paper() const
{
    int width = 0;
    int height = 0;
    GetPageSizeMM(&width, &height);
    return wxSize(width * kUnitsPerMm, height * kUnitsPerMm);
}

void DrawnPrintout::OnPreparePrinting()
{
    pages = CountPages(Paper());
    CountPagesForThePrintSystem(pages);
}

bool DrawnPrintout::HasPage(int page)
{
    return page >= 1 && page <= pages;
}

void DrawnPrintout::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo)
{
    *minPage = 1;
    // Before the layout the page count is not known yet.
    *maxPage = pages > 0 ? pages : INT_MAX;
    *selPageFrom = *minPage;
    *selPageTo = *maxPage;
}

bool DrawnPrintout::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (!dc || !dc->IsOk())
        return false;
    if (!HasPage(page))
        return true;
    const wxSize paper = Paper();
    DrawFromPaperCorner(*dc, paper);
    DrawPage(*dc, page, paper);
    return true;
}

wxString DrawnPrintout::Plain(const wxString& text)
{
    wxString plain = text.Left(kMaxTextLength);
    if (text.length() > kMaxTextLength)
        plain += wxUniChar(0x2026);
    for (wxString::iterator c = plain.begin(); c != plain.end(); ++c) {
        const wxUint32 code = wxUniChar(*c).GetValue();
        if (code < 0x20 || (code >= 0x7F && code < 0xA0) || code == 0x2028 || code == 0x2029)
            *c = ' ';
    }
    return plain;
}

wxString DrawnPrintout::Fitted(wxDC& dc, const wxString& text, int width)
{
    if (text.empty() || dc.GetTextExtent(text).x <= width)
        return text;
    const wxString mark(wxUniChar(0x2026));
    const int room = width - dc.GetTextExtent(mark).x;
    wxArrayInt ends;
    if (room <= 0 || !dc.GetPartialTextExtents(text, ends))
        return wxString();
    size_t length = 0;
    while (length < ends.size() && ends[length] <= room)
        ++length;
    // The pieces of a line are measured one by one and may add up a little wider than the
    // line: the cut is checked on the whole.
    wxString cut = text.Left(length) + mark;
    while (length > 0 && dc.GetTextExtent(cut).x > width)
        cut = text.Left(--length) + mark;
    return length > 0 ? cut : wxString();
}

wxFont DrawnPrintout::FontOfLineHeight(wxDC& dc, int height, bool bold)
{
    // A DC's scale and resolution decide how high a point is on it: the font is measured
    // there and made as large as the line asks.
    const double kProbe = 20;
    wxFont font(wxFontInfo(kProbe).Family(wxFONTFAMILY_SWISS).Bold(bold));
    dc.SetFont(font);
    const int probe = dc.GetTextExtent("Hg").y;
    if (probe > 0)
        font.SetFractionalPointSize(kProbe * height / probe);
    return font;
}
