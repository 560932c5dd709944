// Sort keys that order texts as a German reader expects: compare two keys byte by byte and
// the texts fall in dictionary order. A stateless helper; make keys once and sort the keys.
#pragma once

#include <string>

#include <wx/string.h>

namespace Brenik {

class BKCollation {
public:
    // Dictionary order: case ignored, letters with accents or umlauts beside their base letter
    // ("Bäckereien" between "Backen" and "Backstuben"), ß as ss. Texts that differ
    // only there keep a fixed order among themselves.
    static std::string TextKey(const wxString& text);
    // Order of a list cell: empty cells first, then whole numbers by value (leading zeros
    // and blanks around them ignored), then dates written day.month.year by date, then the
    // other texts in dictionary order.
    static std::string CellKey(const wxString& text);
};

}  // namespace Brenik
