// A company's postal address in the forms a user takes it elsewhere: the block that heads a
// letter and the address of a map search. Holds nothing; every operation reads the record.
#pragma once

#include <wx/string.h>

class CompanyEntity;
enum class CompanyField : unsigned int;

class CompanyAddress {
public:
    // The map search the query is appended to.
    static constexpr const char* kMapSearchUrl = "https://www.openstreetmap.org/search?query=";

    // Whether there is a place to look for on a map: a street or a city.
    static bool HasPlace(const CompanyEntity& company);
    // The map search for "street housenumber, zipcode city", leaving out what is empty.
    static wxString GetMapUrl(const CompanyEntity& company);
    // The address as it heads a letter or a label in Germany, one line each: the name; with
    // attention, the managing director as "z. Hd. ..."; street and house number; postcode
    // and city. Empty lines are left out; no line break after the last.
    static wxString GetPostalBlock(const CompanyEntity& company, bool attention = false);
    // The text as UTF-8 with every byte but A-Z, a-z, 0-9 and "-._~" written as %XX, so that
    // "&", "#", "+" and umlauts reach the search as they are.
    static wxString PercentEncode(const wxString& text);

private:
    // The field's text trimmed, with any line break inside made a blank: one line.
    static wxString Line(const CompanyEntity& company, CompanyField field);
    // The two texts joined by the separator, or the one that is not empty.
    static wxString Join(const wxString& first, const wxString& separator, const wxString& second);
};
