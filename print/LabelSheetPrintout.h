// Address labels on sheets of one format: each address in its label's rectangle, the labels
// before the start position left for the ones already used. The preview draws the grid of
// the labels, which paper does not get. Shares its addresses with its copies.
#pragma once

#include <memory>
#include <vector>

#include "print/DrawnPrintout.h"
#include "print/LabelFormat.h"

class LabelSheetPrintout : public DrawnPrintout {
public:
    // An address: its lines from the top.
    using Label = std::vector<wxString>;

    // start: the first label to print on, from 1, row by row; one beyond the sheet's
    // labels counts as its last.
    LabelSheetPrintout(const wxString& title, RuntimeInformationType* information,
                       const LabelFormat& format, int start, std::vector<Label> labels);

    HtmlPrintoutLibrary* Copy() const override;

    // The space kept free inside a label's edges, in millimetres: a label printer's feed is
    // seldom more exact than that.
    static constexpr double kInsetX = 4;
    static constexpr double kInsetY = 2;
    // The line height an address is drawn in, and the least it may shrink to before its
    // lines are cut, in millimetres.
    static constexpr double kLineHeight = 4.6;
    static constexpr double kMinLineHeight = 3.2;

protected:
    int CountPages(const wxSize& paper) override;
    void DrawPage(wxDC& dc, int page, const wxSize& paper) override;

private:
    LabelSheetPrintout(const LabelSheetPrintout& other);
    void DrawLabel(wxDC& dc, const Label& label, const wxRect& rect);
    void DrawGrid(wxDC& dc, int page);
    wxRect LabelRect(int index) const;

    LabelFormat format;
    int skipped;
    std::shared_ptr<const std::vector<Label>> labels;
};
