// The printed one-company sheet of a CompanyEntity: the template's variables, the two
// labelled blocks and the cutting of long fields.
#include "directory/CompanyEntity.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

#include "app/RuntimeInformationType.h"
#include "lib/core/BKDateTime.h"
#include "lib/core/KeyValueTypes.h"
#include "lib/template/BKTemplate.h"
#include "print/HtmlPrintoutLibrary.h"
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

const wxString kEllipsis = wxString::FromUTF8(" \xE2\x80\xA6");
// The largest logo on the sheet, in the printout's layout pixels.
const int kSheetLogoWidth = 240;
const int kSheetLogoHeight = 90;
// A brace as HTML writes it: looks the same on the page, and is no placeholder.
const char* const kEncodedBrace = "&#123;";
// The fields the directory stores as HTML fragments.
const CompanyField kRawHtmlFields[] = {CompanyField::kNotes, CompanyField::kOpeningHours,
                                       CompanyField::kImprint};
// The longest entity name looked for after an ampersand.
const size_t kMaxEntityLength = 32;

// Where the piece of HTML that starts at "at" ends: after a comment, a tag or an entity, or
// after one character. A comment or tag that does not end before "reach" runs to the end of
// the text, so that it counts as cut when the text is longer than that.
size_t PieceEnd(std::wstring_view text, size_t at, size_t reach)
{
    auto endAfter = [&](std::wstring_view closing) {
        const size_t found = text.substr(0, reach).find(closing, at + 1);
        return found == std::wstring_view::npos ? text.size() : found + closing.size();
    };
    if (text.compare(at, 4, L"<!--") == 0)
        return endAfter(L"-->");
    if (text[at] == '<')
        return endAfter(L">");
    if (text[at] == '&') {
        size_t end = at + 1;
        while (end < text.size() && end - at <= kMaxEntityLength &&
               (std::iswalnum(text[end]) || text[end] == '#'))
            ++end;
        if (end > at + 1 && end < text.size() && text[end] == ';')
            return end + 1;
    }
    return at + 1;
}

// The start of a UTF-8 text, long enough for the sheet to show what it shows of it: a text of
// megabytes is not converted whole. A character takes at most four bytes.
wxString SheetPrefix(std::string_view utf8)
{
    size_t length = std::min(utf8.size(), 4 * (CompanyEntity::kSheetFieldLength + 1));
    while (length < utf8.size() && length > 0 && (utf8[length] & 0xC0) == 0x80)
        --length;  // not inside a character
    return wxString::FromUTF8(utf8.data(), length);
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

}  // namespace

wxString CompanyEntity::SheetText(const wxString& text)
{
    if (text.length() <= kSheetFieldLength)
        return text;
    return text.Left(kSheetFieldLength) + kEllipsis;
}

wxString CompanyEntity::SheetHtml(const wxString& html)
{
    const std::wstring_view text(html.wc_str(), html.length());
    // Nothing past the cut is read: a tag that has not ended by then is left out whole.
    const size_t reach = std::min(text.size(), kSheetFieldLength);
    wxString sheet;
    sheet.reserve(reach + reach / 8);
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = PieceEnd(text, at, reach);
        if (end > kSheetFieldLength)
            return sheet + kEllipsis;
        if (text[at] == '{')
            sheet += kEncodedBrace;
        else
            sheet.append(text.data() + at, end - at);
        at = end;
    }
    return sheet;
}

HtmlPrintoutLibrary* CompanyEntity::Print(RuntimeInformationType* information)
{
    auto* printout = new HtmlPrintoutLibrary(SheetFieldText(CompanyField::kName), information);
    Brenik::BKTemplate sheet = printout->GetTemplateByFile("company.tpl");
    SetSheetVariables(sheet);
    sheet.SetVariable("logoImage", SheetLogo(*printout));
    printout->SetWithoutContainer(sheet.Parse());
    // A long sheet runs over several pages; each says where it stands.
    printout->SetFooter(
        "<p align=\"right\"><font size=\"1\">Seite @PAGENUM@ von @PAGESCNT@</font></p>",
        wxPAGE_ALL);
    return printout;
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

void CompanyEntity::SetSheetVariables(Brenik::BKTemplate& sheet)
{
    sheet.SetEntity(this);
    for (unsigned int index = 0; index < GetCount(); ++index) {
        const BKEntityType* field = Get(index);
        const wxString text = SheetPrefix(field->GetUtf8());
        if (IsRawHtmlField(field->GetKey()))
            sheet.SetVariable(field->GetKey(), SheetHtml(text));
        else if (text.length() > kSheetFieldLength)
            sheet.SetVariable(field->GetKey(), SheetText(text));
        sheet.SetVariable(field->GetKey() + ".html", ToHtmlText(SheetText(text)));
    }
    // A record loaded without its sector names has no such field: its placeholder must
    // print as nothing rather than as itself.
    sheet.GetVariable("sectors.html");
    sheet.SetVariable("contact", GetContactBlock());
    sheet.SetVariable("more", GetMoreBlock());
    sheet.SetVariable("printDate", Brenik::BKDateTime::Now().ToGermanDate());
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
    return found ? SheetText(SheetPrefix(found->GetUtf8())) : wxString();
}
