// A sheet of address labels: how many across and down, their size, and where the first one
// sits on the paper with the gaps between them, in millimetres. A plain value; the common A4
// sheets are offered ready-made.
#pragma once

#include <vector>

#include <wx/geometry.h>
#include <wx/string.h>

class LabelFormat {
public:
    // The most labels across or down a sheet may have.
    static constexpr int kMaxPerSide = 30;

    // Its name in the choice of sheets: a message id, or the user's own.
    wxString name;
    int columns = 3;
    int rows = 8;
    double width = 70;
    double height = 37;
    double left = 0;
    double top = 0;
    double horizontalGap = 0;
    double verticalGap = 0;

    int Count() const { return columns * rows; }
    // The label's rectangle (from 0, row by row) in millimetres from the paper's top left.
    wxRect2DDouble Rect(int index) const;
    // Whether the labels have a size, may be counted and lie on an A4 sheet.
    bool IsValid() const;

    // The common A4 sheets, the user's own format last.
    static const std::vector<LabelFormat>& Offered();
    // The name of the user's own format, a message id.
    static const char* const kOwnFormat;
};
