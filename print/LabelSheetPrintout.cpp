#include "print/LabelSheetPrintout.h"

#include <algorithm>

LabelSheetPrintout::LabelSheetPrintout(const wxString& title, RuntimeInformationType* information,
                                       const LabelFormat& format, int start,
                                       std::vector<Label> addresses)
    : DrawnPrintout(title, information),
      format(format),
      skipped(std::clamp(start, 1, std::max(format.Count(), 1)) - 1),
      labels(std::make_shared<const std::vector<Label>>(std::move(addresses)))
{
}

LabelSheetPrintout::LabelSheetPrintout(const LabelSheetPrintout& other)
    : DrawnPrintout(other.GetTitle(), nullptr),
      format(other.format),
      skipped(other.skipped),
      labels(other.labels)
{
}

HtmlPrintoutLibrary* LabelSheetPrintout::Copy() const
{
    return new LabelSheetPrintout(*this);
}

int LabelSheetPrintout::CountPages(const wxSize&)
{
    const int perSheet = std::max(format.Count(), 1);
    const int used = skipped + static_cast<int>(labels->size());
    return std::max(1, (used + perSheet - 1) / perSheet);
}

wxRect LabelSheetPrintout::LabelRect(int index) const
{
    const wxRect2DDouble rect = format.Rect(index);
    const int left = Units(rect.m_x);
    const int top = Units(rect.m_y);
    return wxRect(left, top, Units(rect.GetRight()) - left, Units(rect.GetBottom()) - top);
}

void LabelSheetPrintout::DrawPage(wxDC& dc, int page, const wxSize&)
{
    const int perSheet = std::max(format.Count(), 1);
    if (IsPreview())
        DrawGrid(dc, page);
    dc.SetTextForeground(*wxBLACK);
    for (int index = 0; index < perSheet; ++index) {
        const long number = static_cast<long>(page - 1) * perSheet + index - skipped;
        if (number >= 0 && number < static_cast<long>(labels->size()))
            DrawLabel(dc, (*labels)[number], LabelRect(index));
    }
}

void LabelSheetPrintout::DrawGrid(wxDC& dc, int page)
{
    dc.SetPen(wxPen(wxColour(160, 160, 160), 1));
    const int perSheet = std::max(format.Count(), 1);
    for (int index = 0; index < perSheet; ++index) {
        // The labels already used on the first sheet are shaded.
        const bool used = page == 1 && index < skipped;
        dc.SetBrush(used ? wxBrush(wxColour(225, 225, 225)) : *wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(LabelRect(index));
    }
}

void LabelSheetPrintout::DrawLabel(wxDC& dc, const Label& label, const wxRect& rect)
{
    const wxRect inner = rect.Deflate(Units(kInsetX), Units(kInsetY));
    if (label.empty() || inner.width <= 0 || inner.height <= 0)
        return;
    std::vector<wxString> lines;
    for (const wxString& line : label)
        lines.push_back(Plain(line));
    // As high as the label lets every line be, from the usual height down to the least; the
    // lines still too wide for it are cut.
    const int count = static_cast<int>(lines.size());
    int height = std::min(Units(kLineHeight), inner.height / count);
    const int least = std::min(Units(kMinLineHeight), height);
    wxFont font = FontOfLineHeight(dc, height);
    int widest = 0;
    dc.SetFont(font);
    for (const wxString& line : lines)
        widest = std::max(widest, dc.GetTextExtent(line).x);
    if (widest > inner.width) {
        height = std::max(least, height * inner.width / widest);
        font = FontOfLineHeight(dc, height);
    }
    // The lines as high as the font draws them, never beyond the label's foot.
    dc.SetFont(font);
    const int step = std::min(dc.GetTextExtent("Hg").y, inner.height / count);
    int top = inner.y + (inner.height - step * count) / 2;
    for (const wxString& line : lines) {
        dc.DrawText(Fitted(dc, line, inner.width), inner.x, top);
        top += step;
    }
}
