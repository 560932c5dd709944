#include "directory/SearchConditions.h"

#include <wx/tokenzr.h>
#include <wx/wxcrt.h>

#include "directory/PhoneDigits.h"
#include "directory/SearchTemplate.h"

namespace {

// LIKE here is the connection's own, which folds case and umlauts the German way: see
// CaseFoldingLike in lib/db/BKSQLiteDatabase.cpp.
const char* const kNameCondition =
    "( \tcompanies.name LIKE '%:search:%' \tOR \tcompanies.ceo LIKE '%:search:%' )";
const char* const kKeywordsCondition =
    "( \tcompanies.keywords LIKE '%:search:%' \tOR \tcompanies.description LIKE '%:search:%' )";
const char* const kContactCondition =
    "companies.email LIKE '%:search:%' OR companies.internet LIKE '%:search:%'";

bool IsDigit(wxUniChar c)
{
    return c >= '0' && c <= '9';
}

bool IsAsciiLetter(wxUniChar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A street split from the house number written after it: "Bahnhofstr. 12a" is
// "Bahnhofstr.", "12" and "a". The number stands behind a blank or a dot; a single letter
// may follow it, with or without a blank.
struct StreetAndNumber {
    wxString street;
    wxString number;
    wxString letter;

    explicit StreetAndNumber(const wxString& text)
    {
        street = text;
        size_t end = text.length();
        wxString suffix;
        if (end > 0 && IsAsciiLetter(text[end - 1])) {
            suffix = text.Mid(end - 1);
            --end;
            while (end > 0 && text[end - 1] == ' ')
                --end;
        }
        size_t begin = end;
        while (begin > 0 && IsDigit(text[begin - 1]))
            --begin;
        if (begin == end || (begin > 0 && text[begin - 1] != ' ' && text[begin - 1] != '.'))
            return;
        number = text.Mid(begin, end - begin);
        letter = suffix.Lower();
        street = text.Left(begin).Strip(wxString::both);
    }
};

// The house number narrows to "12", "12a", "12 a" and "12-14", not to "120". GLOB, for the
// digits alone, is SQLite's own and matches digits exactly.
wxString NumberCondition(SearchTemplate& statement, const StreetAndNumber& parts)
{
    if (!parts.letter.empty()) {
        const wxString house = statement.Value("house", parts.number + parts.letter);
        return "replace(trim(companies.housenumber), ' ', '') LIKE '" + house + "%'";
    }
    const wxString number = statement.Value("number", parts.number);
    return "(trim(companies.housenumber) GLOB '" + number +
           "' OR trim(companies.housenumber) GLOB '" + number + "[^0-9]*')";
}

wxString StreetCondition(SearchTemplate& statement, const wxString& text)
{
    const StreetAndNumber parts(text);
    wxString condition;
    if (!parts.street.empty()) {
        condition = "companies.address LIKE '%" +
                    statement.Value("street", SearchConditions::StreetPattern(parts.street)) + "%'";
    }
    if (!parts.number.empty()) {
        if (!condition.empty())
            condition += " AND ";
        condition += NumberCondition(statement, parts);
    }
    return "(" + condition + ")";
}

wxString PhoneCondition(SearchTemplate& statement, const wxString& text)
{
    const wxString digits = PhoneDigits::Of(text);
    if (digits.empty())
        return "(0)";  // a text without digits is no number
    const wxString function = PhoneDigits::kFunction;
    const wxString value = statement.Value("digits", digits);
    return "(instr(" + function + "(companies.phone), '" + value + "') > 0 OR instr(" + function +
           "(companies.fax), '" + value + "') > 0)";
}

wxString SectorCondition(SearchTemplate& statement, const wxString& text)
{
    // The sectors whose names match are few: SQLite lists their companies once, then looks
    // each company up in that list.
    return "companies.id IN (SELECT company_sectors.company FROM company_sectors INNER JOIN "
           "sectors ON sectors.id = company_sectors.sector WHERE sectors.sector LIKE '%" +
           statement.Value("sector", text) + "%')";
}

// One place of the field: a postcode beginning, a city or both.
wxString PieceCondition(SearchTemplate& statement, const wxString& piece)
{
    wxString postcode;
    wxString city;
    wxStringTokenizer words(piece, " \t");
    bool split = false;
    while (words.HasMoreTokens()) {
        const wxString word = words.GetNextToken();
        if (postcode.empty() && SearchConditions::IsDigits(word)) {
            postcode = word;
            split = true;
        } else {
            city += (city.empty() ? "" : " ") + word;
        }
    }
    // A city alone is kept as typed, blanks and all.
    if (!split)
        city = piece;

    wxString postcodeCondition;
    if (!postcode.empty())
        postcodeCondition =
            "companies.zipcode LIKE '" + statement.Value("postcode", postcode) + "%'";
    wxString cityCondition;
    if (!city.empty()) {
        cityCondition = "companies.city LIKE '%" + statement.Value("city", city) + "%'";
        const wxString writtenOut = SearchConditions::WrittenOut(city);
        if (writtenOut != city) {
            cityCondition = "(" + cityCondition + " OR companies.city LIKE '%" +
                            statement.Value("city", writtenOut) + "%')";
        }
    }
    if (postcodeCondition.empty() || cityCondition.empty())
        return postcodeCondition + cityCondition;
    return "(" + postcodeCondition + " AND " + cityCondition + ")";
}

// Words of a place name split behind their dots: "a.M." is "a." and "M.".
wxArrayString AbbreviationWords(const wxString& text)
{
    wxArrayString words;
    wxStringTokenizer blanks(text, " \t");
    while (blanks.HasMoreTokens()) {
        wxString word = blanks.GetNextToken();
        size_t dot;
        while ((dot = word.find('.')) != wxString::npos && dot + 1 < word.length()) {
            words.Add(word.Left(dot + 1));
            word = word.Mid(dot + 1);
        }
        words.Add(word);
    }
    return words;
}

}  // namespace

bool SearchConditions::IsDigits(const wxString& text)
{
    if (text.empty())
        return false;
    for (wxUniChar c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

wxString SearchConditions::StreetPattern(const wxString& street)
{
    const wxString lower = street.Lower();
    wxString pattern;
    size_t i = 0;
    while (i < lower.length()) {
        if (lower.compare(i, 3, "str") == 0) {
            size_t end = i + 3;
            if (lower.compare(end, 3,
                              wxString::FromUTF8("a\xC3\x9F"
                                                 "e")) == 0)
                end += 3;
            else if (lower.compare(end, 4, "asse") == 0)
                end += 4;
            else if (end < lower.length() && lower[end] == '.')
                end += 1;
            if (end == lower.length() || !wxIsalpha(lower[end])) {
                pattern += "str%";
                i = end;
                continue;
            }
        }
        pattern += lower[i++];
    }
    return pattern;
}

wxString SearchConditions::WrittenOut(const wxString& city)
{
    const wxArrayString words = AbbreviationWords(city);
    wxArrayString out;
    bool changed = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const wxString word = words[i].Lower();
        wxString next = i + 1 < words.size() ? words[i + 1].Lower() : wxString();
        if (next.EndsWith("."))
            next.RemoveLast();
        wxString full;
        if (word == "a." && next == "m")
            full = "am Main";
        else if (word == "a." && next == "d")
            full = "an der";
        else if (word == "i." && next == "br")
            full = "im Breisgau";
        if (!full.empty()) {
            out.Add(full);
            ++i;
            changed = true;
        } else if (word == "st.") {
            out.Add("Sankt");
            changed = true;
        } else {
            out.Add(words[i]);
        }
    }
    if (!changed)
        return city;
    wxString joined;
    for (const wxString& word : out)
        joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

void SearchConditions::AppendText(SearchTemplate& statement, SearchKind kind, const wxString& text)
{
    if (text.empty())
        kind = SearchKind::kNameOrCeo;
    switch (kind) {
        case SearchKind::kNameOrCeo:
            statement += kNameCondition;
            break;
        case SearchKind::kPhoneOrFax:
            statement += PhoneCondition(statement, text);
            break;
        case SearchKind::kStreet:
            statement += StreetCondition(statement, text);
            break;
        case SearchKind::kSector:
            statement += "(" + SectorCondition(statement, text) + ")";
            break;
        case SearchKind::kKeywords:
            statement += kKeywordsCondition;
            break;
        case SearchKind::kAllFields: {
            // The columns at the front of a record first: those behind the long texts and
            // the logo cost SQLite a walk through the record's overflow pages.
            wxString condition = wxString("( ") + kNameCondition + " OR " +
                                 StreetCondition(statement, text) + " OR ";
            if (PhoneDigits::LooksLikeNumber(text))
                condition += PhoneCondition(statement, text) + " OR ";
            statement += condition + kContactCondition + " OR " + SectorCondition(statement, text) +
                         " OR " + kKeywordsCondition + " )";
            break;
        }
    }
    statement.Bind("search", text);
}

void SearchConditions::AppendPlace(SearchTemplate& statement, const wxString& place)
{
    wxArrayString conditions;
    wxStringTokenizer pieces(place, ",;");
    while (pieces.HasMoreTokens()) {
        const wxString piece = pieces.GetNextToken().Strip(wxString::both);
        if (!piece.empty())
            conditions.Add(PieceCondition(statement, piece));
    }
    if (conditions.empty())
        return;
    if (conditions.size() == 1) {
        statement += conditions[0] + " AND ";
        return;
    }
    wxString any;
    for (const wxString& condition : conditions)
        any += (any.empty() ? "(" : " OR ") + condition;
    statement += any + ") AND ";
}
