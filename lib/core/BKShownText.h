// Values from outside as a window shows them. A value may hold what no toolkit control is
// built for: megabytes, line breaks where one line stands, a direction mark that turns
// "Rechnung\u202Efdp.exe" into "Rechnungexe.pdf", a letter under 200,000 accents that text
// shaping takes minutes over. One rule for every place; the record and the files written
// from it keep the whole value.
#pragma once

#include <string>
#include <string_view>

#include <wx/string.h>

namespace Brenik {

class BKShownText {
public:
    enum class Lines { kOne, kMany };

    // A title, a one-line field, a list cell, a sector name: more than the widest window.
    static constexpr size_t kLineLength = 500;
    // A multi-line field and a field of the printed sheet: a text of megabytes would take
    // minutes and hundreds of megabytes to lay out.
    static constexpr size_t kPageLength = 20000;
    // Unicode's stream-safe form lets no more than 30 combining marks follow a letter; no
    // script needs more, and text shaping slows with the square of a letter's marks.
    static constexpr size_t kMarksPerLetter = 30;

    // The value as shown, written into `shown`: invalid UTF-8 as U+FFFD; marks that turn
    // the text around or hide in it left out; on one line every control character and line
    // break a blank, on many lines the line breaks as line feeds and the other control
    // characters blanks; marks past the 30th of a letter left out; cut after `length`
    // characters with an ellipsis. One pass over the bytes, which stops at the cut.
    static void Assign(std::string_view utf8, Lines lines, size_t length, wxString& shown);
    static wxString Of(std::string_view utf8, Lines lines, size_t length);
    // The same in UTF-8: the value itself when the rule leaves it as it is, which most values
    // are (no copy, no character decoded), else the shown text written into `scratch`.
    static std::string_view Utf8(std::string_view utf8, Lines lines, size_t length,
                                 std::string& scratch);

    // Whether the character turns the order of the text around or hides in it (U+202E,
    // U+200B, U+FEFF, ...).
    static bool IsInvisibleFormat(wxUint32 code);
    // Whether the character is a combining mark, which joins the letter before it.
    static bool IsCombiningMark(wxUint32 code);
};

}  // namespace Brenik
