#include "print/HtmlSanitiser.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// How an element nests: the kinds that a deep nesting makes costly are counted, and the
// kinds whose start ends an open sibling (an item, a row, a cell, a paragraph) end it.
enum class Kind { Inline, Paragraph, Block, List, Item, Table, Row, Cell, Void };

struct TagRule {
    const wchar_t* name;
    Kind kind;
    // The attributes kept, each between blanks.
    const wchar_t* attributes;
};

// clang-format off
const TagRule kTags[] = {
    {L"p", Kind::Paragraph, L" align "}, {L"div", Kind::Block, L" align "},
    {L"center", Kind::Block, L""}, {L"blockquote", Kind::Block, L""}, {L"pre", Kind::Block, L""},
    {L"address", Kind::Block, L""}, {L"h1", Kind::Block, L" align "},
    {L"h2", Kind::Block, L" align "}, {L"h3", Kind::Block, L" align "},
    {L"h4", Kind::Block, L" align "}, {L"h5", Kind::Block, L" align "},
    {L"h6", Kind::Block, L" align "},
    {L"b", Kind::Inline, L""}, {L"strong", Kind::Inline, L""}, {L"i", Kind::Inline, L""},
    {L"em", Kind::Inline, L""}, {L"u", Kind::Inline, L""}, {L"s", Kind::Inline, L""},
    {L"strike", Kind::Inline, L""}, {L"del", Kind::Inline, L""}, {L"ins", Kind::Inline, L""},
    {L"big", Kind::Inline, L""}, {L"small", Kind::Inline, L""}, {L"sub", Kind::Inline, L""},
    {L"sup", Kind::Inline, L""}, {L"tt", Kind::Inline, L""}, {L"code", Kind::Inline, L""},
    {L"kbd", Kind::Inline, L""}, {L"samp", Kind::Inline, L""}, {L"var", Kind::Inline, L""},
    {L"cite", Kind::Inline, L""}, {L"font", Kind::Inline, L" color size "},
    {L"a", Kind::Inline, L" href "},
    {L"ul", Kind::List, L""}, {L"ol", Kind::List, L""}, {L"dl", Kind::List, L""},
    {L"li", Kind::Item, L""}, {L"dt", Kind::Item, L""}, {L"dd", Kind::Item, L""},
    {L"table", Kind::Table, L" align valign width border cellpadding cellspacing "},
    {L"tr", Kind::Row, L" align valign "},
    {L"td", Kind::Cell, L" align valign width colspan rowspan nowrap "},
    {L"th", Kind::Cell, L" align valign width colspan rowspan nowrap "},
    {L"br", Kind::Void, L""}, {L"hr", Kind::Void, L" align width size noshade "},
};
// clang-format on

const wchar_t* const kEllipsis = L" \u2026";
// A brace as HTML writes it: looks the same on the page, and is no placeholder.
const wchar_t* const kEncodedBrace = L"&#123;";
// The longest entity name looked for after an ampersand.
const size_t kMaxEntityLength = 32;
// Border, padding and spacing of a table, in pixels.
const int kMaxSpacing = 16;

const TagRule* FindRule(std::wstring_view name)
{
    for (const TagRule& rule : kTags)
        if (name == rule.name)
            return &rule;
    return nullptr;
}

bool IsNameCharacter(wchar_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == ':';
}

std::wstring Lower(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = c - 'A' + 'a';
    return lower;
}

// Where an entity that starts at "at" ends (after its semicolon), or "at" when none does.
size_t EntityEnd(std::wstring_view text, size_t at)
{
    size_t end = at + 1;
    while (end < text.size() && end - at <= kMaxEntityLength &&
           (std::iswalnum(text[end]) || text[end] == '#'))
        ++end;
    if (end > at + 1 && end < text.size() && text[end] == ';')
        return end + 1;
    return at;
}

// A numeric entity must name a character: the engine turns any number into one.
bool IsSoundEntity(std::wstring_view entity)
{
    if (entity.size() < 3 || entity[1] != '#')
        return entity.find('#') == std::wstring_view::npos;
    const bool hex = entity[2] == 'x' || entity[2] == 'X';
    const std::wstring_view digits = entity.substr(hex ? 3 : 2, entity.size() - (hex ? 4 : 3));
    if (digits.empty() || digits.size() > 8)
        return false;
    unsigned long code = 0;
    for (wchar_t c : digits) {
        const int digit = std::iswdigit(c)           ? c - '0'
                          : hex && std::iswxdigit(c) ? (std::towlower(c) - 'a' + 10)
                                                     : -1;
        if (digit < 0)
            return false;
        code = code * (hex ? 16 : 10) + digit;
    }
    return code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// Text or an attribute value as markup that means the same: sound entities kept, every
// other markup character and every brace encoded.
void AppendEscaped(std::wstring& out, std::wstring_view text)
{
    for (size_t at = 0; at < text.size(); ++at) {
        const wchar_t c = text[at];
        if (c == '&') {
            const size_t end = EntityEnd(text, at);
            if (end > at && IsSoundEntity(text.substr(at, end - at))) {
                out.append(text.substr(at, end - at));
                at = end - 1;
            } else {
                out += L"&amp;";
            }
        } else if (c == '{') {
            out += kEncodedBrace;
        } else if (c == '<') {
            out += L"&lt;";
        } else if (c == '>') {
            out += L"&gt;";
        } else if (c == '"') {
            out += L"&quot;";
        } else if (c != 0) {
            out += c;
        }
    }
}

// Where the markup that starts with the "<" at "at" ends: after a comment or a tag (quoted
// attribute values may hold a ">"). A piece that does not end before "reach" runs to the end
// of the text, so that it counts as cut when the text is longer than that.
size_t MarkupEnd(std::wstring_view text, size_t at, size_t reach)
{
    const std::wstring_view read = text.substr(0, reach);
    if (read.compare(at, 4, L"<!--") == 0) {
        const size_t found = read.find(L"-->", at + 4);
        return found == std::wstring_view::npos ? text.size() : found + 3;
    }
    wchar_t quote = 0;
    bool afterEquals = false;
    for (size_t end = at + 1; end < read.size(); ++end) {
        const wchar_t c = read[end];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '>') {
            return end + 1;
        } else if ((c == '"' || c == '\'') && afterEquals) {
            quote = c;
        }
        if (!std::iswspace(c))
            afterEquals = c == '=' && !quote;
    }
    return text.size();
}

bool StartsMarkup(std::wstring_view text, size_t at)
{
    if (text[at] != '<' || at + 1 >= text.size())
        return false;
    const wchar_t next = text[at + 1];
    return std::iswalpha(next) || next == '/' || next == '!' || next == '?';
}

struct Attribute {
    std::wstring name;
    std::wstring value;
};

// The attributes of a tag, from after its name to its end; names in lower case.
std::vector<Attribute> ReadAttributes(std::wstring_view tag)
{
    std::vector<Attribute> attributes;
    size_t at = 0;
    auto skipSpace = [&] {
        while (at < tag.size() && (std::iswspace(tag[at]) || tag[at] == '/'))
            ++at;
    };
    for (skipSpace(); at < tag.size() && tag[at] != '>'; skipSpace()) {
        const size_t nameStart = at;
        while (at < tag.size() && !std::iswspace(tag[at]) && tag[at] != '=' && tag[at] != '>')
            ++at;
        Attribute attribute{Lower(tag.substr(nameStart, at - nameStart)), std::wstring()};
        while (at < tag.size() && std::iswspace(tag[at]))
            ++at;
        if (at < tag.size() && tag[at] == '=') {
            ++at;
            while (at < tag.size() && std::iswspace(tag[at]))
                ++at;
            if (at < tag.size() && (tag[at] == '"' || tag[at] == '\'')) {
                const size_t close = tag.find(tag[at], at + 1);
                const size_t end = close == std::wstring_view::npos ? tag.size() : close;
                attribute.value = tag.substr(at + 1, end - at - 1);
                at = std::min(end + 1, tag.size());
            } else {
                const size_t valueStart = at;
                while (at < tag.size() && !std::iswspace(tag[at]) && tag[at] != '>')
                    ++at;
                attribute.value = tag.substr(valueStart, at - valueStart);
            }
        }
        if (attribute.name.empty())
            ++at;  // a stray character where a name belongs
        else
            attributes.push_back(std::move(attribute));
    }
    return attributes;
}

// The leading number of a value as the engine reads it, or -1 when it has none.
long LeadingNumber(std::wstring_view value)
{
    size_t at = 0;
    while (at < value.size() && std::iswspace(value[at]))
        ++at;
    long number = -1;
    for (; at < value.size() && std::iswdigit(value[at]); ++at)
        number = std::min(std::max(number, 0L) * 10 + (value[at] - '0'), 1000000000L);
    return number;
}

bool IsOneOf(const std::wstring& value, std::initializer_list<const wchar_t*> words)
{
    return std::any_of(words.begin(), words.end(),
                       [&](const wchar_t* word) { return value == word; });
}

// The value an attribute keeps, or nothing when it is dropped: known words, numbers bounded
// by what the engine bears, colours, link targets as text.
std::optional<std::wstring> KeptValue(const std::wstring& name, const std::wstring& raw)
{
    const std::wstring value = Lower(raw);
    if (name == L"align")
        return IsOneOf(value, {L"left", L"right", L"center", L"justify"})
                   ? std::optional<std::wstring>(value)
                   : std::nullopt;
    if (name == L"valign")
        return IsOneOf(value, {L"top", L"middle", L"bottom", L"baseline"})
                   ? std::optional<std::wstring>(value)
                   : std::nullopt;
    if (name == L"noshade" || name == L"nowrap")
        return std::wstring();
    if (name == L"href") {
        std::wstring escaped;
        AppendEscaped(escaped, raw);
        return escaped;
    }
    if (name == L"color") {
        const bool hex = value.size() == 7 && value[0] == '#' &&
                         std::all_of(value.begin() + 1, value.end(),
                                     [](wchar_t c) { return std::iswxdigit(c); });
        const bool word =
            !value.empty() && value.size() <= 20 &&
            std::all_of(value.begin(), value.end(), [](wchar_t c) { return std::iswalpha(c); });
        return hex || word ? std::optional<std::wstring>(value) : std::nullopt;
    }
    if (name == L"size") {  // a font's size, or a rule's thickness, from 1 to 7 or relative
        const bool relative = !value.empty() && (value[0] == '+' || value[0] == '-');
        const long number = LeadingNumber(std::wstring_view(value).substr(relative ? 1 : 0));
        if (number < 0)
            return std::nullopt;
        return (relative ? value.substr(0, 1) : std::wstring()) +
               std::to_wstring(std::clamp(number, 1L, 7L));
    }
    const long number = LeadingNumber(value);
    if (number < 0)
        return std::nullopt;
    if (name == L"colspan" || name == L"rowspan")
        return std::to_wstring(std::clamp(number, 1L, long(HtmlSanitiser::kMaxSpan)));
    if (name == L"width") {
        if (value.find('%') != std::wstring::npos)
            return std::to_wstring(std::min(number, 100L)) + L"%";
        return std::to_wstring(std::min(number, long(HtmlSanitiser::kMaxPixels)));
    }
    return std::to_wstring(std::min(number, long(kMaxSpacing)));  // border, padding, spacing
}

// The element whose start ends an open one of its own kind (a paragraph, an item, a row, a
// cell) first, and the kinds that end the search for that sibling, its own among them; empty
// for the others.
std::vector<Kind> SiblingScope(Kind kind)
{
    switch (kind) {
        case Kind::Paragraph:
            return {Kind::Paragraph, Kind::Block, Kind::List, Kind::Item,
                    Kind::Table,     Kind::Row,   Kind::Cell};
        case Kind::Item:
            return {Kind::Item, Kind::List, Kind::Table};
        case Kind::Row:
            return {Kind::Row, Kind::Table};
        case Kind::Cell:
            return {Kind::Cell, Kind::Row, Kind::Table};
        default:
            return {};
    }
}

// Writes the kept markup of one fragment, tracking the elements it has opened.
class Writer {
public:
    wxString Run(std::wstring_view text);

private:
    struct Open {
        const TagRule* rule;
        int columns;  // of a row or table: the cells begun in the current row
    };

    void Tag(std::wstring_view tag);
    void Start(const TagRule& rule, std::wstring_view attributeText);
    void End(const TagRule& rule);
    void Image(std::wstring_view attributeText);
    // Ends an open sibling that the new element ends: a paragraph, an item, a row, a cell.
    void EndSibling(const TagRule& rule);
    bool Fits(const TagRule& rule, int span);
    size_t Count(Kind kind) const;
    // Whether a table left out is still open: its rows and cells are left out too, or they
    // would pile up as rows of the table around it.
    bool IsInLeftOutTable() const;
    // Ends the elements from the innermost down to the one at the index.
    void EndDownTo(size_t index);
    // The innermost open element of one of the kinds, or -1.
    long Innermost(const std::vector<Kind>& kinds) const;

    std::wstring out;
    std::vector<Open> open;
    // Starts of each element left out, whose ends are left out too.
    std::map<const TagRule*, size_t> leftOut;
};

wxString Writer::Run(std::wstring_view text)
{
    // Nothing past the cut is read: markup that has not ended by then is left out whole.
    const size_t reach = std::min(text.size(), HtmlSanitiser::kMaxLength);
    out.reserve(reach + reach / 8);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = at + 1;
        if (StartsMarkup(text, at))
            end = MarkupEnd(text, at, reach);
        else if (text[at] == '&')
            end = std::max(EntityEnd(text, at), at + 1);
        if (end > HtmlSanitiser::kMaxLength) {
            out += kEllipsis;
            break;
        }
        if (StartsMarkup(text, at))
            Tag(text.substr(at, end - at));
        else
            AppendEscaped(out, text.substr(at, end - at));
        at = end;
    }
    EndDownTo(0);
    return wxString(out);
}

void Writer::Tag(std::wstring_view tag)
{
    if (tag.back() != '>' || tag[1] == '!' || tag[1] == '?')
        return;  // a comment, a declaration, a tag cut short
    const bool ending = tag[1] == '/';
    size_t nameEnd = ending ? 2 : 1;
    while (nameEnd < tag.size() && IsNameCharacter(tag[nameEnd]))
        ++nameEnd;
    const std::wstring name = Lower(tag.substr(ending ? 2 : 1, nameEnd - (ending ? 2 : 1)));
    const std::wstring_view attributes = tag.substr(nameEnd, tag.size() - nameEnd - 1);
    if (name == L"img" && !ending)
        Image(attributes);
    else if (const TagRule* rule = FindRule(name))
        ending ? End(*rule) : Start(*rule, attributes);
}

void Writer::Image(std::wstring_view attributeText)
{
    // An image would be loaded from where its source says, the file system included.
    for (const Attribute& attribute : ReadAttributes(attributeText))
        if (attribute.name == L"alt")
            AppendEscaped(out, attribute.value);
}

void Writer::Start(const TagRule& rule, std::wstring_view attributeText)
{
    std::vector<Attribute> attributes = ReadAttributes(attributeText);
    int span = 1;
    std::wstring kept;
    for (const Attribute& attribute : attributes) {
        const std::wstring padded = L" " + attribute.name + L" ";
        if (std::wstring_view(rule.attributes).find(padded) == std::wstring_view::npos)
            continue;
        const std::optional<std::wstring> value = KeptValue(attribute.name, attribute.value);
        if (!value)
            continue;
        kept += L" " + attribute.name;
        if (!value->empty())
            kept += L"=\"" + *value + L"\"";
        if (attribute.name == L"colspan")
            span = std::stoi(*value);
    }
    EndSibling(rule);
    if (!Fits(rule, span)) {
        if (rule.kind != Kind::Void)
            ++leftOut[&rule];
        return;
    }
    out += L"<" + std::wstring(rule.name) + kept + L">";
    if (rule.kind != Kind::Void)
        open.push_back({&rule, 0});
}

void Writer::End(const TagRule& rule)
{
    auto skipped = leftOut.find(&rule);
    if (skipped != leftOut.end() && skipped->second > 0) {
        --skipped->second;
        return;
    }
    for (size_t index = open.size(); index-- > 0;)
        if (open[index].rule == &rule) {
            EndDownTo(index);
            return;
        }
}

void Writer::EndSibling(const TagRule& rule)
{
    const std::vector<Kind> scope = SiblingScope(rule.kind);
    const long sibling = scope.empty() ? -1 : Innermost(scope);
    if (sibling >= 0 && open[sibling].rule->kind == rule.kind)
        EndDownTo(sibling);
}

bool Writer::Fits(const TagRule& rule, int span)
{
    if (open.size() >= HtmlSanitiser::kMaxDepth)
        return false;
    switch (rule.kind) {
        case Kind::List:
            return Count(Kind::List) < HtmlSanitiser::kMaxListDepth;
        case Kind::Table:
            return Count(Kind::Table) < HtmlSanitiser::kMaxTableDepth;
        case Kind::Row:
            return !IsInLeftOutTable();
        case Kind::Cell: {
            if (IsInLeftOutTable())
                return false;
            const long row = Innermost({Kind::Row, Kind::Table});
            if (row < 0)
                return true;
            if (open[row].columns + span > HtmlSanitiser::kMaxColumns)
                return false;
            open[row].columns += span;
            return true;
        }
        default:
            return true;
    }
}

size_t Writer::Count(Kind kind) const
{
    return std::count_if(open.begin(), open.end(),
                         [kind](const Open& element) { return element.rule->kind == kind; });
}

bool Writer::IsInLeftOutTable() const
{
    const auto table = leftOut.find(FindRule(L"table"));
    return table != leftOut.end() && table->second > 0;
}

void Writer::EndDownTo(size_t index)
{
    while (open.size() > index) {
        out += L"</" + std::wstring(open.back().rule->name) + L">";
        open.pop_back();
    }
}

long Writer::Innermost(const std::vector<Kind>& kinds) const
{
    for (size_t index = open.size(); index-- > 0;)
        if (std::find(kinds.begin(), kinds.end(), open[index].rule->kind) != kinds.end())
            return static_cast<long>(index);
    return -1;
}

}  // namespace

wxString HtmlSanitiser::Sanitise(const wxString& html)
{
    return Writer().Run(std::wstring_view(html.wc_str(), html.length()));
}

wxString HtmlSanitiser::SanitiseUtf8(std::string_view utf8)
{
    return Sanitise(Utf8Prefix(utf8, kMaxLength + 1));
}

wxString HtmlSanitiser::Utf8Prefix(std::string_view utf8, size_t characters)
{
    // A character takes at most four bytes.
    size_t length = std::min(utf8.size(), 4 * characters);
    while (length < utf8.size() && length > 0 && (utf8[length] & 0xC0) == 0x80)
        --length;  // not inside a character
    return wxString::FromUTF8(utf8.data(), length);
}
