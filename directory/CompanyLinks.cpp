#include "directory/CompanyLinks.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>

#include "directory/CompanyEntity.h"

namespace {

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The text without control characters and surrounding blanks.
std::string Cleaned(std::string_view text)
{
    std::string value;
    std::copy_if(text.begin(), text.end(), std::back_inserter(value),
                 [](char c) { return !IsControl(c); });
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of(' ') + 1);
    return value;
}

// Whether the address opens a web page: "www.example.de:8080/" has a port, not a scheme.
bool IsWebAddress(std::string_view address)
{
    const size_t colon = address.find(':');
    if (colon == std::string_view::npos)
        return true;
    const std::string_view scheme = address.substr(0, colon);
    const bool isScheme =
        !scheme.empty() && std::isalpha(static_cast<unsigned char>(scheme[0])) &&
        std::all_of(scheme.begin(), scheme.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
        });
    if (!isScheme)
        return true;
    std::string lower(scheme);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "http" || lower == "https")
        return true;
    const std::string_view rest = address.substr(colon + 1);
    const size_t portEnd = std::min(rest.find('/'), rest.size());
    return scheme.find('.') != std::string_view::npos && portEnd > 0 &&
           std::all_of(rest.begin(), rest.begin() + portEnd,
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// Characters of the part before the "@" that mean nothing else in a mailto link.
bool IsMailboxCharacter(unsigned char c)
{
    return std::isalnum(c) || c >= 0x80 || std::strchr(".!$'*+/=^_`{|}~-", c);
}

bool IsDomainCharacter(unsigned char c)
{
    return std::isalnum(c) || c >= 0x80 || c == '.' || c == '-';
}

}  // namespace

std::string CompanyLinks::WebAddress(std::string_view text)
{
    std::string value = Cleaned(text);
    return IsWebAddress(value) ? value : std::string();
}

wxString CompanyLinks::Website(const CompanyEntity& company)
{
    const std::string address = WebAddress(company.Utf8(CompanyField::kInternet));
    if (address.empty())
        return wxString();
    std::string start = address.substr(0, 6);
    std::transform(start.begin(), start.end(), start.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool hasScheme = start.rfind("http:", 0) == 0 || start.rfind("https:", 0) == 0;
    return wxString::FromUTF8((hasScheme ? "" : "http://") + address);
}

wxString CompanyLinks::MailTo(const CompanyEntity& company)
{
    const std::string address = Cleaned(company.Utf8(CompanyField::kEmail));
    const size_t at = address.find('@');
    if (at == 0 || at == std::string::npos || at + 1 >= address.size())
        return wxString();
    const bool valid =
        std::all_of(address.begin(), address.begin() + at,
                    [](char c) { return IsMailboxCharacter(static_cast<unsigned char>(c)); }) &&
        std::all_of(address.begin() + at + 1, address.end(),
                    [](char c) { return IsDomainCharacter(static_cast<unsigned char>(c)); });
    return valid ? wxString::FromUTF8("mailto:" + address) : wxString();
}
