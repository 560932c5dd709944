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
    // when the value starts with "=", "+", "-", "@", a tab, a carriage return or a line feed,
    // or with blanks before one of "=", "+", "-", "@" (an import that trims spaces would see
    // the formula), else nothing. Ask with the value as it is written, after every
    // other change to it. Excel hides the apostrophe and shows the value as it is;
    // LibreOffice Calc shows it ("'+49 160 1234"), which still reads as the number meant.
    static std::string_view TextMarkFor(std::string_view value);
};

}  // namespace Brenik
