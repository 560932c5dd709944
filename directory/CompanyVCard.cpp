#include "directory/CompanyVCard.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <unordered_map>

#include <wx/buffer.h>

#include "directory/CompanyEntity.h"
#include "directory/CompanyLinks.h"
#include "lib/core/BKCasts.h"
#include "lib/core/BKDateTime.h"
#include "print/LogoLibrary.h"

using Brenik::BKCasts;
using Brenik::BKEntity;

namespace {

// The field's text as well-formed UTF-8: a card must not carry a byte its reader rejects,
// and folding must find where each character starts.
std::string FieldUtf8(const CompanyEntity& company, CompanyField field)
{
    const std::string_view text = company.Utf8(field);
    if (BKCasts::IsValidUtf8(text.data(), text.size()))
        return std::string(text);
    return BKCasts::RepairUtf8(text.data(), text.size());
}

// The text without surrounding blanks, tabs and line breaks.
std::string_view Trimmed(std::string_view text)
{
    const char* const blank = " \t\r\n";
    const size_t first = text.find_first_not_of(blank);
    if (first == std::string_view::npos)
        return std::string_view();
    return text.substr(first, text.find_last_not_of(blank) - first + 1);
}

void AppendText(const char* name, std::string_view text, std::string& bytes)
{
    text = Trimmed(text);
    if (!text.empty())
        CompanyVCard::AppendLine(name, CompanyVCard::EscapeText(text), bytes);
}

// The sector names, joined by ", " in the record, as the card's list of categories.
std::string Categories(std::string_view sectors)
{
    std::string list;
    while (!sectors.empty()) {
        const size_t end = sectors.find(", ");
        const std::string_view name = Trimmed(sectors.substr(0, end));
        if (!name.empty())
            list += (list.empty() ? "" : ",") + CompanyVCard::EscapeText(name);
        sectors = end == std::string_view::npos ? std::string_view() : sectors.substr(end + 2);
    }
    return list;
}

void AppendAddress(const CompanyEntity& company, std::string& bytes)
{
    const std::string street = FieldUtf8(company, CompanyField::kAddress);
    const std::string number = FieldUtf8(company, CompanyField::kHousenumber);
    std::string streetLine(Trimmed(street));
    if (!Trimmed(number).empty())
        streetLine += (streetLine.empty() ? "" : " ") + std::string(Trimmed(number));
    const std::string city(Trimmed(FieldUtf8(company, CompanyField::kCity)));
    const std::string state(Trimmed(FieldUtf8(company, CompanyField::kState)));
    const std::string zipcode(Trimmed(FieldUtf8(company, CompanyField::kZipcode)));
    if (streetLine.empty() && city.empty() && state.empty() && zipcode.empty())
        return;
    // Post office box; extended address; street; locality; region; postal code; country.
    CompanyVCard::AppendLine(
        "ADR;TYPE=WORK",
        ";;" + CompanyVCard::EscapeText(streetLine) + ";" + CompanyVCard::EscapeText(city) + ";" +
            CompanyVCard::EscapeText(state) + ";" + CompanyVCard::EscapeText(zipcode) + ";",
        bytes);
}

// The logo as it is stored, when it passes the program's checks. The reader of the logo
// passes over white space in its Base64 text; a line break on the card would end the
// property, so none is kept.
void AppendLogo(const CompanyEntity& company, std::string& bytes)
{
    std::string logo = FieldUtf8(company, CompanyField::kLogo);
    logo.erase(std::remove_if(logo.begin(), logo.end(),
                              [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
               logo.end());
    if (logo.empty())
        return;
    wxMemoryBuffer decoded;
    const char* type = nullptr;
    switch (LogoLibrary::Check(wxString::FromUTF8(logo), &decoded)) {
        case wxBITMAP_TYPE_PNG:
            type = "PNG";
            break;
        case wxBITMAP_TYPE_JPEG:
            type = "JPEG";
            break;
        case wxBITMAP_TYPE_GIF:
            type = "GIF";
            break;
        default:
            return;
    }
    CompanyVCard::AppendLine(std::string("LOGO;ENCODING=b;TYPE=") + type, logo, bytes);
}

void AppendRevision(const CompanyEntity& company, std::string& bytes)
{
    const BKEntity::BKEntityType* updated = company.Field(CompanyField::kUpdated);
    if (!updated || updated->IsEmpty())
        return;
    const Brenik::BKDateTime stamp = updated->ToDateTime('-');
    if (stamp.IsValid())
        CompanyVCard::AppendLine("REV", stamp.Format("%Y-%m-%dT%H:%M:%S").utf8_string(), bytes);
}

// Appends the code point in UTF-8; nothing for one that no text may hold.
void AppendCodePoint(unsigned long c, std::string& bytes)
{
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return;
    bytes += wxString(wxUniChar(static_cast<wxUint32>(c))).utf8_string();
}

bool IsHtmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Whether the element ends a line where it opens or closes.
bool BreaksLine(std::string_view tag)
{
    static const char* const kBreaking[] = {"br", "p",  "div", "li",  "tr",        "h1", "h2",
                                            "h3", "h4", "h5",  "h6",  "ul",        "ol", "table",
                                            "dt", "dd", "hr",  "pre", "blockquote"};
    for (const char* name : kBreaking) {
        if (tag == name)
            return true;
    }
    return false;
}

}  // namespace

void CompanyVCard::AppendCard(const CompanyEntity& company, std::string& bytes)
{
    bytes += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    const std::string name(Trimmed(FieldUtf8(company, CompanyField::kName)));
    AppendLine("FN", EscapeText(name), bytes);
    bytes += "N:;;;;\r\n";
    AppendText("ORG", name, bytes);
    AppendAddress(company, bytes);
    AppendText("TEL;TYPE=WORK,VOICE", FieldUtf8(company, CompanyField::kPhone), bytes);
    AppendText("TEL;TYPE=WORK,FAX", FieldUtf8(company, CompanyField::kFax), bytes);
    AppendText("TEL;TYPE=CELL", FieldUtf8(company, CompanyField::kMobile), bytes);
    AppendText("EMAIL;TYPE=INTERNET,WORK", FieldUtf8(company, CompanyField::kEmail), bytes);
    // A card reader opens the address when it is clicked: the links' rule keeps it a web page.
    const std::string url = CompanyLinks::WebAddress(FieldUtf8(company, CompanyField::kInternet));
    if (!url.empty())
        AppendLine("URL", url, bytes);
    const std::string categories = Categories(FieldUtf8(company, CompanyField::kSectors));
    if (!categories.empty())
        AppendLine("CATEGORIES", categories, bytes);
    AppendText("NOTE", PlainText(FieldUtf8(company, CompanyField::kNotes)), bytes);
    AppendLogo(company, bytes);
    AppendRevision(company, bytes);
    bytes += "END:VCARD\r\n";
}

std::string CompanyVCard::EscapeText(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\\':
            case ',':
            case ';':
                escaped += '\\';
                escaped += c;
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
                escaped += "\\n";
                break;
            case '\n':
                escaped += "\\n";
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
                    escaped += c;
                else if (c == '\t')
                    escaped += c;
        }
    }
    return escaped;
}

std::string CompanyVCard::PlainText(std::string_view html)
{
    std::string text;
    bool space = false;
    // A line break: never at the start, never more than one empty line.
    auto endLine = [&text, &space] {
        space = false;
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        if (!text.empty() && !(text.size() >= 2 && text.compare(text.size() - 2, 2, "\n\n") == 0))
            text += '\n';
    };
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<' && html.compare(i, 4, "<!--") == 0) {
            const size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        if (c == '<' && i + 1 < html.size() &&
            (std::isalpha(static_cast<unsigned char>(html[i + 1])) || html[i + 1] == '/' ||
             html[i + 1] == '!')) {
            const size_t end = html.find('>', i);
            if (end == std::string_view::npos)
                break;  // a tag cut short hides the rest, as a browser has it
            size_t start = i + 1 + (html[i + 1] == '/' ? 1 : 0);
            std::string tag;
            while (start < end && std::isalnum(static_cast<unsigned char>(html[start])))
                tag += static_cast<char>(std::tolower(static_cast<unsigned char>(html[start++])));
            if (BreaksLine(tag))
                endLine();
            i = end + 1;
            continue;
        }
        if (IsHtmlSpace(c)) {
            space = true;
            ++i;
            continue;
        }
        if (space && !text.empty() && text.back() != '\n')
            text += ' ';
        space = false;
        if (c == '&') {
            const size_t end = html.find(';', i + 1);
            if (end != std::string_view::npos && end - i <= 10) {
                const std::string decoded = DecodeEntity(html.substr(i + 1, end - i - 1));
                if (!decoded.empty()) {
                    text += decoded;
                    i = end + 1;
                    continue;
                }
            }
        }
        text += c;
        ++i;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string CompanyVCard::DecodeEntity(std::string_view name)
{
    std::string bytes;
    if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits(name.substr(hex ? 2 : 1));
        if (digits.empty() || digits.size() > 7)
            return bytes;
        char* rest = nullptr;
        const unsigned long c = std::strtoul(digits.c_str(), &rest, hex ? 16 : 10);
        if (*rest == '\0' && std::isxdigit(static_cast<unsigned char>(digits[0])))
            AppendCodePoint(c, bytes);
        return bytes;
    }
    // The entities German company texts use; others stay as they are written.
    static const std::unordered_map<std::string_view, unsigned long> kNamed = {
        {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},
        {"apos", '\''},    {"nbsp", ' '},     {"auml", 0xE4},    {"ouml", 0xF6},
        {"uuml", 0xFC},    {"Auml", 0xC4},    {"Ouml", 0xD6},    {"Uuml", 0xDC},
        {"szlig", 0xDF},   {"euro", 0x20AC},  {"copy", 0xA9},    {"reg", 0xAE},
        {"sect", 0xA7},    {"deg", 0xB0},     {"middot", 0xB7},  {"laquo", 0xAB},
        {"raquo", 0xBB},   {"ndash", 0x2013}, {"mdash", 0x2014}, {"hellip", 0x2026},
        {"bdquo", 0x201E}, {"ldquo", 0x201C}, {"rdquo", 0x201D}, {"lsquo", 0x2018},
        {"rsquo", 0x2019}, {"sbquo", 0x201A}, {"eacute", 0xE9},  {"egrave", 0xE8},
        {"agrave", 0xE0},  {"aacute", 0xE1},  {"ccedil", 0xE7},  {"trade", 0x2122}};
    const auto known = kNamed.find(name);
    if (known != kNamed.end())
        AppendCodePoint(known->second, bytes);
    return bytes;
}

void CompanyVCard::AppendLine(std::string_view name, std::string_view value, std::string& bytes)
{
    std::string line;
    line.reserve(name.size() + 1 + value.size());
    line.append(name).append(1, ':').append(value);
    size_t start = 0;
    size_t room = kMaxLineLength;
    while (line.size() - start > room) {
        size_t cut = start + room;
        // A continuation byte belongs to the character before it.
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        bytes.append(line, start, cut - start).append("\r\n ");
        start = cut;
        room = kMaxLineLength - 1;  // the blank that starts a folded line counts
    }
    bytes.append(line, start, std::string::npos).append("\r\n");
}
