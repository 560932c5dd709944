#include "print/ResultListPrintout.h"

#include <algorithm>
#include <numeric>

#include <wx/dcmemory.h>
#include <wx/translation.h>

namespace {

// The footer's line and the space above it, in millimetres.
const double kFooterHeight = 4;
const double kFooterSpace = 3;
// Every other row is shaded, so that the eye keeps to a row across the page.
const wxColour kShade(236, 236, 236);
// The most rows between two looks at the progress.
const size_t kRowsPerStep = 100;

}  // namespace

ResultListPrintout::ResultListPrintout(const wxString& title, RuntimeInformationType* information,
                                       std::shared_ptr<const Table> table)
    : DrawnPrintout(title, information), table(std::move(table))
{
}

ResultListPrintout* ResultListPrintout::Create(const wxString& title,
                                               RuntimeInformationType* information,
                                               const wxArrayString& headings,
                                               const std::vector<wxArrayString>& rows,
                                               const wxString& search, const Progress& progress)
{
    auto table = std::make_shared<Table>();
    const size_t columns = headings.size();
    for (const wxString& heading : headings)
        table->headings.Add(Plain(heading));
    table->search = Plain(search);
    table->rows.reserve(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        if (row % kRowsPerStep == 0 && !progress(row))
            return nullptr;
        wxArrayString texts;
        texts.Alloc(columns);
        for (size_t column = 0; column < columns; ++column)
            texts.Add(column < rows[row].size() ? Plain(rows[row][column]) : wxString());
        table->rows.push_back(std::move(texts));
    }
    if (!progress(rows.size()))
        return nullptr;
    table->widths = MeasureColumns(*table);
    return new ResultListPrintout(title, information, std::move(table));
}

std::vector<int> ResultListPrintout::MeasureColumns(const Table& table)
{
    // Measured at the printed size: one unit is one pixel of the bitmap.
    wxBitmap bitmap(1, 1);
    wxMemoryDC measuring(bitmap);
    const int textHeight = Units(kRowHeight) * 4 / 5;
    measuring.SetFont(FontOfLineHeight(measuring, textHeight, true));
    std::vector<int> widths;
    for (const wxString& heading : table.headings)
        widths.push_back(measuring.GetTextExtent(heading).x);
    measuring.SetFont(FontOfLineHeight(measuring, textHeight));
    // Measuring every cell took seconds for thousands of rows: only the longest texts of a
    // column are measured, among which its widest is as good as sure to be.
    const size_t kMeasured = 30;
    std::vector<std::pair<size_t, const wxString*>> texts;
    for (size_t column = 0; column < widths.size(); ++column) {
        texts.clear();
        for (const wxArrayString& row : table.rows)
            texts.emplace_back(row[column].length(), &row[column]);
        const size_t count = std::min(kMeasured, texts.size());
        std::partial_sort(texts.begin(), texts.begin() + count, texts.end(),
                          [](const auto& a, const auto& b) { return a.first > b.first; });
        for (size_t at = 0; at < count && texts[at].first > 0; ++at)
            widths[column] = std::max(widths[column], measuring.GetTextExtent(*texts[at].second).x);
        widths[column] += 2 * Units(kCellPadding);
    }
    return widths;
}

HtmlPrintoutLibrary* ResultListPrintout::Copy() const
{
    return new ResultListPrintout(GetTitle(), nullptr, table);
}

std::vector<int> ResultListPrintout::FitWidths(const std::vector<int>& natural, int room)
{
    if (natural.empty() || std::accumulate(natural.begin(), natural.end(), 0L) <= room)
        return natural;
    // The largest width a column may keep so that all fit: found by halving.
    int low = 0;
    int high = *std::max_element(natural.begin(), natural.end());
    while (low < high) {
        const int cap = (low + high + 1) / 2;
        long sum = 0;
        for (int width : natural)
            sum += std::min(width, cap);
        if (sum <= room)
            low = cap;
        else
            high = cap - 1;
    }
    std::vector<int> widths;
    for (int width : natural)
        widths.push_back(std::min(width, low));
    return widths;
}

int ResultListPrintout::RowsPerPage(const wxSize& paper) const
{
    const int body = paper.y - Units(kMarginTop + kMarginBottom + kFooterHeight + kFooterSpace);
    // The heading row takes one row's place on every page.
    return std::max(1, body / Units(kRowHeight) - 1);
}

int ResultListPrintout::CountPages(const wxSize& paper)
{
    const int perPage = RowsPerPage(paper);
    const int rows = static_cast<int>(table->rows.size());
    return std::max(1, (rows + perPage - 1) / perPage);
}

void ResultListPrintout::DrawPage(wxDC& dc, int page, const wxSize& paper)
{
    const int rowHeight = Units(kRowHeight);
    const int left = Units(kMarginSide);
    const std::vector<int> widths = FitWidths(table->widths, paper.x - 2 * left);
    const int tableWidth = std::accumulate(widths.begin(), widths.end(), 0);
    int top = Units(kMarginTop);

    dc.SetTextForeground(*wxBLACK);
    dc.SetFont(FontOfLineHeight(dc, rowHeight * 4 / 5, true));
    DrawRow(dc, table->headings, widths, top);
    top += rowHeight;
    dc.SetPen(wxPen(*wxBLACK, std::max(1, Units(0.2))));
    dc.DrawLine(left, top, left + tableWidth, top);

    const int perPage = RowsPerPage(paper);
    const size_t first = static_cast<size_t>(page - 1) * perPage;
    const size_t end = std::min(table->rows.size(), first + perPage);
    dc.SetFont(FontOfLineHeight(dc, rowHeight * 4 / 5));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kShade));
    for (size_t row = first; row < end; ++row, top += rowHeight) {
        if ((row - first) % 2 == 1)
            dc.DrawRectangle(left, top, tableWidth, rowHeight);
        DrawRow(dc, table->rows[row], widths, top);
    }
    DrawFooter(dc, page, paper);
}

void ResultListPrintout::DrawRow(wxDC& dc, const wxArrayString& texts,
                                 const std::vector<int>& widths, int top)
{
    const int padding = Units(kCellPadding);
    const int textTop = top + (Units(kRowHeight) - dc.GetCharHeight()) / 2;
    int left = Units(kMarginSide);
    for (size_t column = 0; column < widths.size() && column < texts.size(); ++column) {
        dc.DrawText(Fitted(dc, texts[column], widths[column] - 2 * padding), left + padding,
                    textTop);
        left += widths[column];
    }
}

void ResultListPrintout::DrawFooter(wxDC& dc, int page, const wxSize& paper)
{
    const int left = Units(kMarginSide);
    const int width = paper.x - 2 * left;
    const int height = Units(kFooterHeight);
    const int top = paper.y - Units(kMarginBottom) - height;
    dc.SetFont(FontOfLineHeight(dc, height * 4 / 5));
    const wxString number = wxString::Format(_("Page %d of %d"), page, GetPageCount());
    const int numberWidth = dc.GetTextExtent(number).x;
    dc.DrawText(number, left + width - numberWidth, top);
    dc.DrawText(Fitted(dc, table->search, width - numberWidth - Units(5)), left, top);
}
