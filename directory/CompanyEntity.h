// One company of the directory: forty named text, number and truth fields read from a
// "companies" row (the last, "sectors", only when asked for: it is computed by the search).
// Bound to a borrowed connection; owns nothing else.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <wx/string.h>

#include "directory/CsvConfigType.h"
#include "directory/SQLiteEntity.h"

namespace Brenik {
class BKTemplate;
}
class HtmlPrintoutLibrary;
class RuntimeInformationType;

// The company's fields in the order they are declared: a mistyped name does not compile, as
// a mistyped key would. kSectors exists only on records made with the sector names.
// clang-format off
enum class CompanyField : unsigned int {
    kId, kName, kCeo, kAddress, kHousenumber, kZipcode, kCity, kState, kPhone, kFax, kMobile,
    kInternet, kEmail, kTaxIdNumber, kTaxNumber, kNotes, kOpeningHours, kLogo, kDistrictCourt,
    kCommercialRegister, kBlog, kTwitter, kFacebook, kImprintUrl, kKeywords, kDescription,
    kImprint, kStaff, kStartyear, kTypeofcompany, kOwner, kCooperations, kMemberships,
    kParking, kPremium, kPremiumStartDate, kPremiumStopDate, kCreated, kUpdated, kSectors
};
// clang-format on

class CompanyEntity : public SQLiteEntity {
public:
    CompanyEntity(Brenik::BKSQLiteDatabase* database, bool withSectors);

    // The key a field is declared and stored under, equal to its column name.
    static const wxString& KeyOf(CompanyField field);
    // The field: one look at its declared place, where a loaded record keeps it, and a
    // search by key only for a record in another order. Null when the record has no such
    // field (the sector names of a record loaded by id).
    BKEntityType* Field(CompanyField field) const;
    // The field's text; empty when there is no such field.
    wxString Text(CompanyField field) const;
    // The field's UTF-8 bytes, valid until the field changes; empty when there is none.
    std::string_view Utf8(CompanyField field) const;
    // The company's number; 0 when it has none.
    unsigned int GetId() const;
    // Whether the id text is a number of the id type, by which the company can be found
    // again. A search keeps an id that does not fit (-5, 4294967296, abc) as the directory
    // holds it, since read as a number it would name another company (4294967291, 0).
    static bool IsLoadableId(std::string_view id);
    bool HasLoadableId() const;

    // The street, then one blank and the house number when there is one.
    wxString GetAddressWithHousenumber();
    // The rule of GetAddressWithHousenumber for texts the caller already holds: the address,
    // one blank and the number when the number is not empty, else the address alone.
    static wxString JoinAddress(const wxString& address, const wxString& housenumber);

    // The company sheet.

    // The one-company sheet: "company.tpl" of the print resources filled by SetSheetVariables,
    // titled with the company's name. The caller owns the printout; never null.
    HtmlPrintoutLibrary* Print(RuntimeInformationType* information);
    // The companies' sheets in one printout, each from a new page, titled with the first
    // company's name and how many follow. Told the number of sheets made before each next
    // one, next stops the work by returning false, and the result is null. The caller owns
    // the printout.
    static HtmlPrintoutLibrary* Print(const std::vector<const CompanyEntity*>& companies,
                                      RuntimeInformationType* information,
                                      const std::function<bool(size_t made)>& next);
    // Every field under its key as the windows show it (cut, without control characters; the
    // HTML fields through the HTML sanitiser), and as HTML text under its key with ".html"
    // appended; the contact block as "contact", the further data as "more", and the day of
    // printing in German form as "printDate". Print adds the logo's <img> tag as "logoImage".
    // A cut field says so after its text, and where it stands whole: the directory's entry
    // and, when given, the company's page there.
    void SetSheetVariables(Brenik::BKTemplate& sheet,
                           const wxString& companyUrl = wxString()) const;
    // Labelled lines of the non-empty contact data as HTML, or "Keine weiteren Kontaktdaten".
    wxString GetContactBlock() const;
    // Labelled lines of the non-empty further data as HTML, or "Keine weiteren Daten".
    wxString GetMoreBlock() const;
    // Plain text as HTML: markup characters escaped, line feeds as line breaks, and braces
    // encoded, because the template engine scans inserted values for placeholders again.
    static wxString ToHtmlText(const wxString& text);

    // CSV export: 31 columns from "id" to "updated", every field enclosed in the text
    // delimiter, the line ended by the line break.

    // Appends one value to a CSV line: line breaks replaced when the settings ask for it
    // (CR LF, then LF, then CR), every text delimiter doubled, enclosed in text delimiters
    // when asked, the field delimiter after it when asked.
    static void GetCsvField(const CsvConfigType& config, wxString& line, wxString value,
                            bool appendFieldDelimiter, bool enclose);
    // The header line of translated column labels; uses no record data.
    wxString GetCsvHeader(CsvConfigType config);
    // This record's line.
    wxString GetCsvContent(CsvConfigType config);
    // The same lines appended to UTF-8 bytes, the form the file takes: an export of many
    // records converts the settings once and no text twice.
    static void AppendCsvHeader(const CsvConfigType::Utf8& config, std::string& bytes);
    void AppendCsvContent(const CsvConfigType::Utf8& config, std::string& bytes) const;

private:
    // The logo as an <img> tag at most 240 by 90 pixels, its image kept by the printout; empty
    // when there is no logo that passes the logo checks.
    wxString SheetLogo(HtmlPrintoutLibrary& printout) const;
    // The filled "company.tpl" alone, its logo among the printout's images.
    wxString Sheet(HtmlPrintoutLibrary& printout) const;
    // The sheets in the printout, one after the other, each from a new page; titles: each
    // sheet's company name, for the page footer.
    static void SetSheets(HtmlPrintoutLibrary& printout, const std::vector<wxString>& sheets,
                          const std::vector<wxString>& titles);
    // The field's text as the sheet prints it: cut, and without control characters.
    wxString SheetFieldText(CompanyField field) const;
};
