// The found companies as a table on paper: the result list's columns with their headings on
// every page, one row per company, and a footer with the search that found them and the page
// number. The texts are made plain and the columns measured when the printout is made; the
// pages are counted for the paper chosen. Shares its rows with its copies.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/arrstr.h>

#include "print/DrawnPrintout.h"

class ResultListPrintout : public DrawnPrintout {
public:
    // Called with the rows measured so far; false stops the making.
    using Progress = std::function<bool(size_t rows)>;

    // Measures the rows (each as many texts as there are headings) and makes the printout;
    // null when the progress says stop. search: what found the rows, for the footer.
    static ResultListPrintout* Create(const wxString& title, RuntimeInformationType* information,
                                      const wxArrayString& headings,
                                      const std::vector<wxArrayString>& rows,
                                      const wxString& search, const Progress& progress);

    HtmlPrintoutLibrary* Copy() const override;

    // Margins in millimetres, as the sheet's.
    static constexpr double kMarginTop = 10;
    static constexpr double kMarginBottom = 5;
    static constexpr double kMarginSide = 10;
    // A row's height and the space in front of a cell's text, in millimetres.
    static constexpr double kRowHeight = 4.2;
    static constexpr double kCellPadding = 1;

    // The column widths for the room: each as wide as its widest text, and where that does
    // not fit, the widest columns narrowed alike until it does.
    static std::vector<int> FitWidths(const std::vector<int>& natural, int room);

protected:
    int CountPages(const wxSize& paper) override;
    void DrawPage(wxDC& dc, int page, const wxSize& paper) override;

private:
    struct Table {
        wxArrayString headings;
        std::vector<wxArrayString> rows;
        std::vector<int> widths;
        wxString search;
    };

    ResultListPrintout(const wxString& title, RuntimeInformationType* information,
                       std::shared_ptr<const Table> table);
    // The widest text of each column with the cell's padding, in units.
    static std::vector<int> MeasureColumns(const Table& table);
    int RowsPerPage(const wxSize& paper) const;
    void DrawRow(wxDC& dc, const wxArrayString& texts, const std::vector<int>& widths, int top);
    void DrawFooter(wxDC& dc, int page, const wxSize& paper);

    std::shared_ptr<const Table> table;
};
