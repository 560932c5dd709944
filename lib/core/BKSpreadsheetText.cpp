#include "lib/core/BKSpreadsheetText.h"

namespace Brenik {

namespace {

bool StartsFormula(char first)
{
    return first == '=' || first == '+' || first == '-' || first == '@';
}

}  // namespace

std::string_view BKSpreadsheetText::TextMarkFor(std::string_view value)
{
    if (value.empty())
        return std::string_view();
    const char front = value.front();
    const bool control = front == '\t' || front == '\r' || front == '\n';
    const size_t first = value.find_first_not_of(" \t\r\n");
    return control || (first != std::string_view::npos && StartsFormula(value[first]))
               ? "'"
               : std::string_view();
}

}  // namespace Brenik
