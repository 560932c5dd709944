#include "directory/CompanyEntity.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string_view>
#include <vector>

#include <wx/translation.h>

#include "app/RuntimeInformationType.h"
#include "lib/core/BKCasts.h"
#include "lib/core/BKDateTime.h"
#include "lib/core/KeyValueTypes.h"
#include "lib/template/BKTemplate.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/LogoLibrary.h"

namespace {

// The text columns from "name" to "memberships", in declaration order.
// clang-format off
const char* const kTextFields[] = {
    "name", "ceo", "address", "housenumber", "zipcode", "city", "state", "phone", "fax",
    "mobile", "internet", "email", "taxIdNumber", "taxNumber", "notes", "openingHours", "logo",
    "districtCourt", "commercialRegister", "blog", "twitter", "facebook", "imprintUrl",
    "keywords", "description", "imprint", "staff", "startyear", "typeofcompany", "owner",
    "cooperations", "memberships"};
// clang-format on

const char* const kTrailingTextFields[] = {"premiumStartDate", "premiumStopDate", "created",
                                           "updated"};

// Places in the declaration order: "id", then the text fields.
const unsigned int kAddressIndex = 3;
const unsigned int kHousenumberIndex = 4;

// Texts every record needs, made once: turning a literal into a wxString costs far more
// than copying or comparing one.
struct Texts {
    const wxString table{"companies"};
    const wxString primaryKey{"id"};
    const wxString address{"address"};
    const wxString housenumber{"housenumber"};
};

const Texts& Names()
{
    static const Texts texts;
    return texts;
}

std::unique_ptr<Brenik::BKEntity> MakePrototype(bool withSectors)
{
    auto entity = std::make_unique<Brenik::BKEntity>();
    const wxString none;
    entity->Set("id", 0u, false, false, none, 0, true);
    for (const char* key : kTextFields)
        entity->Set(key, wxString(), true, true, none, 0, true);
    entity->Set("parking", false, false, false, none, 0, true);
    entity->Set("premium", 0u, false, false, none, 0, true);
    for (const char* key : kTrailingTextFields)
        entity->Set(key, wxString(), true, true, none, 0, true);
    if (withSectors)
        entity->Set("sectors", wxString(), true, true, none, 0, true);
    return entity;
}

// A search creates one record per found company; copying a finished set of fields is far
// cheaper than declaring forty fields one by one.
const Brenik::BKEntity& Prototype(bool withSectors)
{
    static const std::unique_ptr<Brenik::BKEntity> with = MakePrototype(true);
    static const std::unique_ptr<Brenik::BKEntity> without = MakePrototype(false);
    return withSectors ? *with : *without;
}

}  // namespace

CompanyEntity::CompanyEntity(Brenik::BKSQLiteDatabase* database, bool withSectors)
    : SQLiteEntity(database, Names().table, Names().primaryKey, true, wxString(), wxString(), 0)
{
    CopyFields(Prototype(withSectors));
}

CompanyEntity::BKEntityType* CompanyEntity::DeclaredField(unsigned int declaredIndex,
                                                          const wxString& key) const
{
    BKEntityType* field = Get(declaredIndex);
    return field && field->GetKey() == key ? field : Get(key);
}

bool CompanyEntity::IsLoadableId(const wxString& id)
{
    return id == wxString::Format("%u", Brenik::BKCasts::ToUnsignedInt(id));
}

bool CompanyEntity::HasLoadableId() const
{
    const BKEntityType* id = DeclaredField(0, Names().primaryKey);
    return id && IsLoadableId(id->ToString());
}

wxString CompanyEntity::GetAddressWithHousenumber()
{
    const BKEntityType* address = DeclaredField(kAddressIndex, Names().address);
    const BKEntityType* housenumber = DeclaredField(kHousenumberIndex, Names().housenumber);
    if (!housenumber || housenumber->IsEmpty())
        return address ? address->ToString() : wxString();
    return JoinAddress(address ? address->ToString() : wxString(), housenumber->ToString());
}

wxString CompanyEntity::JoinAddress(const wxString& address, const wxString& housenumber)
{
    if (housenumber.empty())
        return address;
    wxString text;
    text.reserve(address.length() + 1 + housenumber.length());
    text << address << ' ' << housenumber;
    return text;
}

// The company sheet.

namespace {

// Labels and the fields they show, in the order of the sheet; the labels are German and
// fixed, like the sheet they are printed on.
struct SheetLine {
    const char* label;
    const char* key;
};
// clang-format off
const SheetLine kContactLines[] = {
    {"Telefon", "phone"}, {"Fax", "fax"}, {"Mobil", "mobile"}, {"Internet", "internet"},
    {"E-Mail", "email"}, {"Blog", "blog"}, {"Twitter", "twitter"}, {"Facebook", "facebook"},
    {"Impressum-URL", "imprintUrl"}};
// clang-format on

const wxString kEllipsis = wxString::FromUTF8(" \xE2\x80\xA6");
// The largest logo on the sheet, in the printout's layout pixels.
const int kSheetLogoWidth = 240;
const int kSheetLogoHeight = 90;
// A brace as HTML writes it: looks the same on the page, and is no placeholder.
const char* const kEncodedBrace = "&#123;";
// The fields the directory stores as HTML fragments.
const char* const kRawHtmlFields[] = {"notes", "openingHours", "imprint"};
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
    for (const char* raw : kRawHtmlFields)
        if (key == raw)
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
    auto* printout = new HtmlPrintoutLibrary(SheetFieldText("name"), information);
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
    const wxImage logo = LogoLibrary::Decode(FieldText("logo"));
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
        lines.Push(wxString::FromUTF8(line.label), SheetFieldText(line.key));
    return BlockToHtml(lines, "Keine weiteren Kontaktdaten");
}

wxString CompanyEntity::GetMoreBlock() const
{
    Brenik::KeyValueTypes lines(true);
    auto push = [&lines, this](const char* label, const char* key) {
        lines.Push(wxString::FromUTF8(label), SheetFieldText(key));
    };
    push("Ust.-Ident-Nr", "taxIdNumber");
    push("Steuernummer", "taxNumber");
    push("Amtsgericht", "districtCourt");
    push("Handelsregisternummer", "commercialRegister");
    push("Mitarbeiter", "staff");
    if (FieldText("startyear") != "0")
        push("Gründungsjahr", "startyear");
    push("Gesellschaftsform", "typeofcompany");
    push("Eigentümer", "owner");
    push("Kooperationen", "cooperations");
    push("Mitgliedschaften", "memberships");
    const BKEntityType* parking = Get(wxString("parking"));
    if (parking && parking->ToBool())
        lines.Push(wxString::FromUTF8("Parkplätze vorhanden"), wxString("ja"));
    push("Schlüsselwörter", "keywords");
    return BlockToHtml(lines, "Keine weiteren Daten");
}

wxString CompanyEntity::ToHtmlText(const wxString& text)
{
    wxString html = HtmlSpecialChars(text);
    html.Replace("{", kEncodedBrace);
    html.Replace("\n", "<br />");
    return html;
}

wxString CompanyEntity::FieldText(const char* key) const
{
    const BKEntityType* field = Get(wxString::FromUTF8(key));
    return field ? field->ToString() : wxString();
}

wxString CompanyEntity::SheetFieldText(const char* key) const
{
    const BKEntityType* field = Get(wxString::FromUTF8(key));
    return field ? SheetText(SheetPrefix(field->GetUtf8())) : wxString();
}

namespace {

// The exported columns: header label (a message id) and field key.
struct CsvColumn {
    const char* label;
    const char* key;
};
// clang-format off
const CsvColumn kCsvColumns[] = {
    {wxTRANSLATE("ID"), "id"}, {wxTRANSLATE("Name"), "name"}, {wxTRANSLATE("CEO"), "ceo"},
    {wxTRANSLATE("Address"), "address"}, {wxTRANSLATE("Housenumber"), "housenumber"},
    {wxTRANSLATE("Zipcode"), "zipcode"}, {wxTRANSLATE("City"), "city"},
    {wxTRANSLATE("State"), "state"}, {wxTRANSLATE("Phone"), "phone"}, {wxTRANSLATE("Fax"), "fax"},
    {wxTRANSLATE("Mobile"), "mobile"}, {wxTRANSLATE("Internet"), "internet"},
    {wxTRANSLATE("Email"), "email"}, {wxTRANSLATE("Tax id number"), "taxIdNumber"},
    {wxTRANSLATE("Tax number"), "taxNumber"}, {wxTRANSLATE("Notes"), "notes"},
    {wxTRANSLATE("Opening hours"), "openingHours"},
    {wxTRANSLATE("District court"), "districtCourt"},
    {wxTRANSLATE("Commercial register"), "commercialRegister"}, {wxTRANSLATE("Blog"), "blog"},
    {wxTRANSLATE("Twitter"), "twitter"}, {wxTRANSLATE("Facebook"), "facebook"},
    {wxTRANSLATE("Imprint url"), "imprintUrl"}, {wxTRANSLATE("Staff"), "staff"},
    {wxTRANSLATE("Start year"), "startyear"}, {wxTRANSLATE("Type of company"), "typeofcompany"},
    {wxTRANSLATE("Owner"), "owner"}, {wxTRANSLATE("Memberships"), "memberships"},
    {wxTRANSLATE("Parking"), "parking"}, {wxTRANSLATE("Created"), "created"},
    {wxTRANSLATE("Updated"), "updated"}};
// clang-format on
const size_t kCsvColumnCount = sizeof(kCsvColumns) / sizeof(kCsvColumns[0]);

// Where each column's field sits in a record made from the prototype, and its shared
// attribute record: a record that kept the declared order is read by index and one pointer
// comparison, 31 times per line, instead of 31 searches by key.
struct CsvSlot {
    wxString key;
    unsigned int index = 0;
    const void* attributes = nullptr;
};

const std::vector<CsvSlot>& CsvSlots()
{
    static const std::vector<CsvSlot> slots = [] {
        const Brenik::BKEntity& prototype = Prototype(false);
        std::vector<CsvSlot> made(kCsvColumnCount);
        for (size_t column = 0; column < kCsvColumnCount; ++column) {
            made[column].key = wxString::FromUTF8(kCsvColumns[column].key);
            for (unsigned int index = 0; index < prototype.GetCount(); ++index) {
                if (prototype.Get(index)->GetKey() == made[column].key) {
                    made[column].index = index;
                    made[column].attributes = &prototype.Get(index)->GetAttributes();
                }
            }
        }
        return made;
    }();
    return slots;
}

void ReplaceAll(std::string& text, std::string_view from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

bool NeedsChange(const CsvConfigType::Utf8& config, std::string_view value)
{
    // One pass with a table: most values are short, and calls that scan for each byte of
    // interest in turn cost more than the scanning.
    for (size_t at = 0; at < value.size(); ++at) {
        const char byte = value[at];
        if (!config.mayChange[static_cast<unsigned char>(byte)])
            continue;
        if (config.replaceLineBreak && (byte == '\n' || byte == '\r'))
            return true;
        if (!config.textDelimiter.empty() &&
            value.compare(at, config.textDelimiter.size(), config.textDelimiter) == 0)
            return true;
    }
    return false;
}

// The one rule for a value, on UTF-8 bytes: line breaks and delimiters are whole characters
// there, so no match can start inside a character.
void AppendCsvText(const CsvConfigType::Utf8& config, std::string& line, std::string_view value)
{
    if (!NeedsChange(config, value)) {
        line.append(value);
        return;
    }
    std::string changed(value);
    if (config.replaceLineBreak) {
        ReplaceAll(changed, "\r\n", config.replaceLineBreakWith);
        ReplaceAll(changed, "\n", config.replaceLineBreakWith);
        ReplaceAll(changed, "\r", config.replaceLineBreakWith);
    }
    // Doubled, not dropped: every CSV reader takes a doubled delimiter inside an enclosed
    // value for one, and so gets the value back as it is.
    if (!config.textDelimiter.empty())
        ReplaceAll(changed, config.textDelimiter, config.textDelimiter + config.textDelimiter);
    line += changed;
}

void AppendCsvValue(const CsvConfigType::Utf8& config, std::string& line, std::string_view value,
                    bool appendFieldDelimiter, bool enclose)
{
    if (enclose)
        line += config.textDelimiter;
    AppendCsvText(config, line, value);
    if (enclose)
        line += config.textDelimiter;
    if (appendFieldDelimiter)
        line += config.fieldDelimiter;
}

// A line of every column's value, enclosed, with the line break: what AppendCsvValue makes
// of them one by one, with the text between two values appended at once.
template <typename ValueOfColumn>
void AppendCsvLine(const CsvConfigType::Utf8& config, std::string& line,
                   ValueOfColumn valueOfColumn)
{
    line += config.textDelimiter;
    for (size_t column = 0; column < kCsvColumnCount; ++column) {
        if (column > 0)
            line += config.betweenValues;
        AppendCsvText(config, line, valueOfColumn(column));
    }
    line += config.textDelimiter;
    line += config.lineBreak;
}

}  // namespace

void CompanyEntity::GetCsvField(const CsvConfigType& config, wxString& line, wxString value,
                                bool appendFieldDelimiter, bool enclose)
{
    std::string bytes;
    AppendCsvValue(config.ToUtf8(), bytes, value.utf8_string(), appendFieldDelimiter, enclose);
    line += wxString::FromUTF8(bytes);
}

wxString CompanyEntity::GetCsvHeader(CsvConfigType config)
{
    std::string bytes;
    AppendCsvHeader(config.ToUtf8(), bytes);
    return wxString::FromUTF8(bytes);
}

wxString CompanyEntity::GetCsvContent(CsvConfigType config)
{
    std::string bytes;
    AppendCsvContent(config.ToUtf8(), bytes);
    return wxString::FromUTF8(bytes);
}

void CompanyEntity::AppendCsvHeader(const CsvConfigType::Utf8& config, std::string& bytes)
{
    AppendCsvLine(config, bytes, [](size_t column) {
        return wxGetTranslation(kCsvColumns[column].label).utf8_string();
    });
}

void CompanyEntity::AppendCsvContent(const CsvConfigType::Utf8& config, std::string& bytes) const
{
    const std::vector<CsvSlot>& slots = CsvSlots();
    AppendCsvLine(config, bytes, [&](size_t column) {
        const CsvSlot& slot = slots[column];
        const BKEntityType* field = Get(slot.index);
        if (!field || &field->GetAttributes() != slot.attributes)
            field = Get(slot.key);
        return field ? std::string_view(field->GetUtf8()) : std::string_view();
    });
}
