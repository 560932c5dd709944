// Values on their way into a spreadsheet, through a file meant for one or through the
// clipboard. A spreadsheet runs a cell that starts like a formula, even one that came from a
// file or a paste: "=HYPERLINK(...)" or "=cmd|' /C calc'!A0" from someone else's data would
// run on the user's machine.
#pragma once

#include <string_view>

namespace Brenik {

class BKSpreadsheetText {
public:
    // What goes before the value so that a spreadsheet takes the cell as text: an apostrophe
    // when the value starts with "=", "+", "-", "@", a tab or a carriage return, else nothing.
    // The spreadsheet hides the apostrophe and shows the value as it is, so a telephone
    // number "+49 160 1234" shows as written instead of as a broken formula.
    static std::string_view TextMarkFor(std::string_view value);
};

}  // namespace Brenik
