// The printed one-company sheet of a CompanyEntity: the template's variables, the two
// labelled blocks and the cutting of long fields.
#include "directory/CompanyEntity.h"

#include <memory>
#include <string_view>

#include <wx/translation.h>

#include "app/RuntimeInformationType.h"
#include "lib/core/BKDateTime.h"
#include "lib/core/BKShownText.h"
#include "lib/core/KeyValueTypes.h"
#include "lib/template/BKTemplate.h"
#include "print/HtmlPaginator.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/HtmlSanitiser.h"
#include "print/LogoLibrary.h"

namespace {

// Labels and the fields they show, in the order of the sheet; the labels are German and
// fixed, like the sheet they are printed on.
struct SheetLine {
    const char* label;
    CompanyField field;
};
// clang-format off
const SheetLine kContactLines[] = {
    {"Telefon", CompanyField::kPhone}, {"Fax", CompanyField::kFax}, {"Mobil", CompanyField::kMobile}, {"Internet", CompanyField::kInternet},
    {"E-Mail", CompanyField::kEmail}, {"Blog", CompanyField::kBlog}, {"Twitter", CompanyField::kTwitter}, {"Facebook", CompanyField::kFacebook},
    {"Impressum-URL", CompanyField::kImprintUrl}};
// clang-format on

// The largest logo on the sheet, in the printout's layout pixels.
const int kSheetLogoWidth = 240;
const int kSheetLogoHeight = 90;
// A brace as HTML writes it: looks the same on the page, and is no placeholder.
const char* const kEncodedBrace = "&#123;";
// The fields the directory stores as HTML fragments.
const CompanyField kRawHtmlFields[] = {CompanyField::kNotes, CompanyField::kOpeningHours,
                                       CompanyField::kImprint};
// A field's text as the sheet prints it, by the rule of the windows: a text of megabytes (a
// pasted file in the notes) would take thousands of pages and minutes to lay out.
wxString SheetValue(std::string_view utf8)
{
    using Brenik::BKShownText;
    return BKShownText::Of(utf8, BKShownText::Lines::kMany, BKShownText::kPageLength);
}

// Whether the UTF-8 text holds more characters than the given count.
bool IsLongerThan(std::string_view utf8, size_t characters)
{
    return HtmlSanitiser::Utf8Prefix(utf8, characters + 1).length() > characters;
}

bool IsRawHtmlField(const wxString& key)
{
    for (CompanyField raw : kRawHtmlFields)
        if (key == CompanyEntity::KeyOf(raw))
            return true;
    return false;
}

// Escapes the lines of a block and turns its line feeds into line breaks; the fixed text
// when no line has a value.
wxString BlockToHtml(const Brenik::KeyValueTypes& lines, const char* whenEmpty)
{
    const wxString text = lines.NonEmptyToString(": ", "\n");
    if (text.empty())
        return wxString::FromUTF8(whenEmpty);
    return CompanyEntity::ToHtmlText(text);
}

// The printout's title, which names the preview window and the print job: the name on one
// line, as the company window's title shows it.
wxString TitleOf(const CompanyEntity& company)
{
    using Brenik::BKShownText;
    return BKShownText::Of(company.Utf8(CompanyField::kName), BKShownText::Lines::kOne,
                           BKShownText::kLineLength);
}

// Whether the text holds, from `at` on, the tag given in lower case, in any case.
bool TagAt(const wxString& html, size_t at, const wchar_t* tag)
{
    for (; *tag; ++tag, ++at)
        if (at >= html.length() || wxTolower(html[at]) != *tag)
            return false;
    return true;
}

// The length of the tag from `start` to `end` (its '<' and '>') when it is a paragraph or
// line break, else 0: "<p>", "<p ...>", "</p>", "<br>", "<br/>", "<br />".
size_t BreakTag(const wxString& html, size_t start, size_t end)
{
    const size_t length = end - start + 1;
    const bool paragraph = TagAt(html, start, L"<p") && (length == 3 || wxIsspace(html[start + 2]));
    const bool closing = length == 4 && TagAt(html, start, L"</p>");
    const bool lineBreak = (length == 4 && TagAt(html, start, L"<br>")) ||
                           (length == 5 && TagAt(html, start, L"<br/>")) ||
                           (length == 6 && TagAt(html, start, L"<br />"));
    return paragraph || closing || lineBreak ? length : 0;
}

// A fragment of the directory as a section of the sheet: its paragraph and line breaks at
// the start and end are left out, and its tables set with little spacing, so that every
// section's text stands as far below its heading, and ends as far above the next, as the
// others'; a paragraph at the start gave its heading a blank line more than the rest.
// Each end is walked once, tag by tag: a regular expression for the same took 45 seconds
// over "x<p> <p> ... y", trying every break as the start of the last run.
wxString SheetFragment(const wxString& sanitised)
{
    size_t begin = 0;
    while (begin < sanitised.length()) {
        if (wxIsspace(sanitised[begin])) {
            ++begin;
            continue;
        }
        const size_t close = sanitised[begin] == '<' ? sanitised.find('>', begin) : wxString::npos;
        const size_t tag = close == wxString::npos ? 0 : BreakTag(sanitised, begin, close);
        if (tag == 0)
            break;
        begin += tag;
    }
    size_t end = sanitised.length();
    while (end > begin) {
        if (wxIsspace(sanitised[end - 1])) {
            --end;
            continue;
        }
        const size_t open =
            sanitised[end - 1] == '>' ? sanitised.rfind('<', end - 1) : wxString::npos;
        const size_t tag =
            open == wxString::npos || open < begin ? 0 : BreakTag(sanitised, open, end - 1);
        if (tag == 0)
            break;
        end -= tag;
    }
    wxString html = sanitised.substr(begin, end - begin);
    html.Replace("<table", "<table cellspacing=\"0\" cellpadding=\"2\"");
    return html;
}

// Where the printout begins a new page, and the next company's sheet on it.
const char* const kNewPage = "<div style=\"page-break-before:always\"></div>";
const wxString kSheetStart = wxString("<a name=\"") + HtmlPaginator::kSheetAnchor + "\"></a>";

// The sheet up to the end of its body; the whole sheet when it has none.
wxString BeforeBodyEnd(const wxString& sheet)
{
    const size_t end = sheet.rfind("</body>");
    return end == wxString::npos ? sheet : sheet.Left(end);
}

// What stands inside the sheet's body (the sheet's values never hold a body tag: they are
// escaped or sanitised).
wxString BodyOf(const wxString& sheet)
{
    const size_t body = sheet.find("<body");
    const size_t start = body == wxString::npos ? wxString::npos : sheet.find('>', body);
    return BeforeBodyEnd(start == wxString::npos ? sheet : sheet.Mid(start + 1));
}

}  // namespace

HtmlPrintoutLibrary* CompanyEntity::Print(RuntimeInformationType* information)
{
    auto* printout = new HtmlPrintoutLibrary(TitleOf(*this), information);
    SetSheets(*printout, {Sheet(*printout)}, {printout->GetTitle()});
    return printout;
}

HtmlPrintoutLibrary* CompanyEntity::Print(const std::vector<const CompanyEntity*>& companies,
                                          RuntimeInformationType* information,
                                          const std::function<bool(size_t made)>& next)
{
    if (companies.empty())
        return nullptr;
    const wxString title = companies.size() == 1
                               ? TitleOf(*companies.front())
                               : wxString::Format(_("%s and %d more"), TitleOf(*companies.front()),
                                                  static_cast<int>(companies.size() - 1));
    auto printout = std::make_unique<HtmlPrintoutLibrary>(title, information);
    std::vector<wxString> sheets;
    std::vector<wxString> titles;
    for (const CompanyEntity* company : companies) {
        if (!next(sheets.size()))
            return nullptr;
        sheets.push_back(company->Sheet(*printout));
        titles.push_back(TitleOf(*company));
    }
    SetSheets(*printout, sheets, titles);
    return printout.release();
}

wxString CompanyEntity::Sheet(HtmlPrintoutLibrary& printout) const
{
    Brenik::BKTemplate sheet = printout.GetTemplateByFile("company.tpl");
    const RuntimeInformationType* information = printout.GetInformation();
    SetSheetVariables(sheet, information ? information->GetCompanyUrl() : wxString());
    sheet.SetVariable("logoImage", SheetLogo(printout));
    return sheet.Parse();
}

void CompanyEntity::SetSheets(HtmlPrintoutLibrary& printout, const std::vector<wxString>& sheets,
                              const std::vector<wxString>& titles)
{
    // The first sheet's page with every sheet's body in it: the template's head and body
    // attributes once, and no sheet's text sharing a page with the one before it.
    wxString html = sheets.empty() ? wxString() : sheets.front();
    if (sheets.size() > 1) {
        // Appended in place: joined anew for each sheet, a thousand took a minute.
        html = BeforeBodyEnd(html);
        for (size_t index = 1; index < sheets.size(); ++index)
            html.append(kNewPage).append(kSheetStart).append(BodyOf(sheets[index]));
        html.append("</body></html>");
    }
    printout.SetWithoutContainer(html);
    printout.SetSheetTitles(titles);
    // A long sheet runs over several pages; each says whose sheet it continues and where it
    // stands.
    printout.SetFooter(
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
        "<td><font size=\"1\">@TITLE@</font></td>"
        "<td align=\"right\"><font size=\"1\">Seite @PAGENUM@ von @PAGESCNT@"
        "</font></td></tr></table>",
        wxPAGE_ALL);
}

wxString CompanyEntity::SheetLogo(HtmlPrintoutLibrary& printout) const
{
    const wxImage logo = LogoLibrary::Decode(Text(CompanyField::kLogo));
    if (!logo.IsOk())
        return wxString();
    const wxImage fitted = LogoLibrary::FitInto(logo, kSheetLogoWidth, kSheetLogoHeight);
    return wxString::Format("<img src=\"%s\" width=\"%d\" height=\"%d\">",
                            printout.AddImage(fitted), fitted.GetWidth(), fitted.GetHeight());
}

void CompanyEntity::SetSheetVariables(Brenik::BKTemplate& sheet, const wxString& companyUrl) const
{
    // A reader of a cut text learns it from the paper, not from a lone ellipsis, and where
    // the whole text is.
    wxString cutNote =
        "<br><i>[Text gek&uuml;rzt &ndash; vollst&auml;ndig im Firmenverzeichnis, "
        "Eintrag Nr. " +
        ToHtmlText(Text(CompanyField::kId));
    if (!companyUrl.empty())
        cutNote << ": " << ToHtmlText(companyUrl + Text(CompanyField::kId));
    cutNote << "]</i>";
    // Not the template's SetEntity: it would convert every field whole, a hundred megabytes
    // of notes into gigabytes of text, to print twenty thousand characters of them.
    for (unsigned int index = 0; index < GetCount(); ++index) {
        const BKEntityType* field = Get(index);
        const std::string_view utf8 = field->GetUtf8();
        const wxString text = SheetValue(utf8);
        if (IsRawHtmlField(field->GetKey())) {
            const bool cut = IsLongerThan(utf8, HtmlSanitiser::kMaxLength);
            sheet.SetVariable(field->GetKey(), SheetFragment(HtmlSanitiser::SanitiseUtf8(utf8)) +
                                                   (cut ? cutNote : wxString()));
        } else {
            sheet.SetVariable(field->GetKey(), text);
        }
        // The name heads the sheet and titles it, where no note belongs.
        const bool cut = IsLongerThan(utf8, Brenik::BKShownText::kPageLength) &&
                         field->GetKey() != KeyOf(CompanyField::kName);
        sheet.SetVariable(field->GetKey() + ".html",
                          ToHtmlText(text) + (cut ? cutNote : wxString()));
    }
    // A record loaded without its sector names has no such field: its placeholder must
    // print as nothing rather than as itself.
    sheet.GetVariable("sectors.html");
    sheet.SetVariable("contact", GetContactBlock());
    sheet.SetVariable("more", GetMoreBlock());
    sheet.SetVariable("printDate", Brenik::BKDateTime::Now().ToGermanDate());
    // The state on a line of its own below the city, and no empty line where there is none.
    const wxString state = SheetFieldText(CompanyField::kState);
    sheet.SetVariable("stateLine", state.empty() ? wxString() : "<br>" + ToHtmlText(state));
}

wxString CompanyEntity::GetContactBlock() const
{
    Brenik::KeyValueTypes lines(true);
    for (const SheetLine& line : kContactLines)
        lines.Push(wxString::FromUTF8(line.label), SheetFieldText(line.field));
    return BlockToHtml(lines, "Keine weiteren Kontaktdaten");
}

wxString CompanyEntity::GetMoreBlock() const
{
    Brenik::KeyValueTypes lines(true);
    auto push = [&lines, this](const char* label, CompanyField field) {
        lines.Push(wxString::FromUTF8(label), SheetFieldText(field));
    };
    push("Ust.-Ident-Nr", CompanyField::kTaxIdNumber);
    push("Steuernummer", CompanyField::kTaxNumber);
    push("Amtsgericht", CompanyField::kDistrictCourt);
    push("Handelsregisternummer", CompanyField::kCommercialRegister);
    push("Mitarbeiter", CompanyField::kStaff);
    if (Text(CompanyField::kStartyear) != "0")
        push("Gründungsjahr", CompanyField::kStartyear);
    push("Gesellschaftsform", CompanyField::kTypeofcompany);
    push("Eigentümer", CompanyField::kOwner);
    push("Kooperationen", CompanyField::kCooperations);
    push("Mitgliedschaften", CompanyField::kMemberships);
    const BKEntityType* parking = Field(CompanyField::kParking);
    if (parking && parking->ToBool())
        lines.Push(wxString::FromUTF8("Parkplätze vorhanden"), wxString("ja"));
    push("Schlüsselwörter", CompanyField::kKeywords);
    return BlockToHtml(lines, "Keine weiteren Daten");
}

wxString CompanyEntity::ToHtmlText(const wxString& text)
{
    wxString html = HtmlSpecialChars(text);
    html.Replace("{", kEncodedBrace);
    html.Replace("\n", "<br />");
    return html;
}

wxString CompanyEntity::SheetFieldText(CompanyField field) const
{
    const BKEntityType* found = Field(field);
    return found ? SheetValue(found->GetUtf8()) : wxString();
}
