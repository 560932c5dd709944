#include "print/LabelFormat.h"

#include <wx/translation.h>

namespace {

const double kA4Width = 210;
const double kA4Height = 297;

}  // namespace

const char* const LabelFormat::kOwnFormat = wxTRANSLATE("Own format");

wxRect2DDouble LabelFormat::Rect(int index) const
{
    const int column = columns > 0 ? index % columns : 0;
    const int row = columns > 0 ? index / columns : 0;
    return wxRect2DDouble(left + column * (width + horizontalGap),
                          top + row * (height + verticalGap), width, height);
}

bool LabelFormat::IsValid() const
{
    // A tenth of a millimetre is the most the sheets' own figures miss the paper by.
    const double kSlack = 0.1;
    if (columns < 1 || rows < 1 || columns > kMaxPerSide || rows > kMaxPerSide)
        return false;
    if (!(width > 0) || !(height > 0) || !(left >= 0) || !(top >= 0) || !(horizontalGap >= 0) ||
        !(verticalGap >= 0))
        return false;
    const wxRect2DDouble last = Rect(Count() - 1);
    return last.GetRight() <= kA4Width + kSlack && last.GetBottom() <= kA4Height + kSlack;
}

const std::vector<LabelFormat>& LabelFormat::Offered()
{
    // The sheets the stationers sell most; the first three fill the paper's width and leave
    // half a millimetre at its foot.
    static const std::vector<LabelFormat> formats = {
        {wxTRANSLATE("A4, 3 x 8 labels of 70 x 37 mm"), 3, 8, 70, 37, 0, 0.5, 0, 0},
        {wxTRANSLATE("A4, 3 x 7 labels of 70 x 42.3 mm"), 3, 7, 70, 42.3, 0, 0.4, 0, 0},
        {wxTRANSLATE("A4, 2 x 8 labels of 105 x 37 mm"), 2, 8, 105, 37, 0, 0.5, 0, 0},
        {wxTRANSLATE("A4, 2 x 7 labels of 99.1 x 38.1 mm"), 2, 7, 99.1, 38.1, 4.65, 15.15, 2.5, 0},
        {kOwnFormat, 3, 8, 64, 33.8, 7.2, 13.1, 2.5, 0},
    };
    return formats;
}
