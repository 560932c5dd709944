#include "lib/core/BKSpreadsheetText.h"

namespace Brenik {

std::string_view BKSpreadsheetText::TextMarkFor(std::string_view value)
{
    if (value.empty())
        return std::string_view();
    switch (value.front()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            return "'";
        default:
            return std::string_view();
    }
}

}  // namespace Brenik
