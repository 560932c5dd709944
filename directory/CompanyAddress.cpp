#include "directory/CompanyAddress.h"

#include <string>

#include "directory/CompanyEntity.h"

bool CompanyAddress::HasPlace(const CompanyEntity& company)
{
    return !Line(company, CompanyField::kAddress).empty() ||
           !Line(company, CompanyField::kCity).empty();
}

wxString CompanyAddress::GetMapUrl(const CompanyEntity& company)
{
    const wxString street =
        Join(Line(company, CompanyField::kAddress), " ", Line(company, CompanyField::kHousenumber));
    const wxString place =
        Join(Line(company, CompanyField::kZipcode), " ", Line(company, CompanyField::kCity));
    return kMapSearchUrl + PercentEncode(Join(street, ", ", place));
}

wxString CompanyAddress::GetPostalBlock(const CompanyEntity& company, bool attention)
{
    wxString block = Line(company, CompanyField::kName);
    const wxString ceo = attention ? Line(company, CompanyField::kCeo) : wxString();
    if (!ceo.empty())
        block = Join(block, "\n", wxString::FromUTF8("z. Hd. ") + ceo);
    block = Join(block, "\n",
                 Join(Line(company, CompanyField::kAddress), " ",
                      Line(company, CompanyField::kHousenumber)));
    return Join(
        block, "\n",
        Join(Line(company, CompanyField::kZipcode), " ", Line(company, CompanyField::kCity)));
}

wxString CompanyAddress::PercentEncode(const wxString& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    const std::string bytes = text.utf8_string();
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (const unsigned char c : bytes) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        }
    }
    return wxString::FromAscii(encoded.c_str());
}

wxString CompanyAddress::Line(const CompanyEntity& company, CompanyField field)
{
    wxString text = company.Text(field);
    for (wxString::iterator c = text.begin(); c != text.end(); ++c) {
        if (*c == '\r' || *c == '\n' || *c == '\t')
            *c = ' ';
    }
    return text.Trim(true).Trim(false);
}

wxString CompanyAddress::Join(const wxString& first, const wxString& separator,
                              const wxString& second)
{
    if (first.empty())
        return second;
    if (second.empty())
        return first;
    return first + separator + second;
}
