#include "lib/core/BKShownText.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace Brenik {

namespace {

struct CodeRange {
    wxUint32 first;
    wxUint32 last;
};

// Every character of Unicode 14 whose general category is a mark or whose canonical
// combining class is not 0; ranges joined across unassigned gaps.
// clang-format off
const CodeRange kCombiningMarks[] = {
    {0x300, 0x36F}, {0x483, 0x489}, {0x591, 0x5BD}, {0x5BF, 0x5BF}, {0x5C1, 0x5C2}, {0x5C4, 0x5C5},
    {0x5C7, 0x5C7}, {0x610, 0x61A}, {0x64B, 0x65F}, {0x670, 0x670}, {0x6D6, 0x6DC}, {0x6DF, 0x6E4},
    {0x6E7, 0x6E8}, {0x6EA, 0x6ED}, {0x711, 0x711}, {0x730, 0x74A}, {0x7A6, 0x7B0}, {0x7EB, 0x7F3},
    {0x7FD, 0x7FD}, {0x816, 0x819}, {0x81B, 0x823}, {0x825, 0x827}, {0x829, 0x82D}, {0x859, 0x85B},
    {0x898, 0x89F}, {0x8CA, 0x8E1}, {0x8E3, 0x903}, {0x93A, 0x93C}, {0x93E, 0x94F}, {0x951, 0x957},
    {0x962, 0x963}, {0x981, 0x983}, {0x9BC, 0x9BC}, {0x9BE, 0x9CD}, {0x9D7, 0x9D7}, {0x9E2, 0x9E3},
    {0x9FE, 0xA03}, {0xA3C, 0xA51}, {0xA70, 0xA71}, {0xA75, 0xA75}, {0xA81, 0xA83}, {0xABC, 0xABC},
    {0xABE, 0xACD}, {0xAE2, 0xAE3}, {0xAFA, 0xB03}, {0xB3C, 0xB3C}, {0xB3E, 0xB57}, {0xB62, 0xB63},
    {0xB82, 0xB82}, {0xBBE, 0xBCD}, {0xBD7, 0xBD7}, {0xC00, 0xC04}, {0xC3C, 0xC3C}, {0xC3E, 0xC56},
    {0xC62, 0xC63}, {0xC81, 0xC83}, {0xCBC, 0xCBC}, {0xCBE, 0xCD6}, {0xCE2, 0xCE3}, {0xD00, 0xD03},
    {0xD3B, 0xD3C}, {0xD3E, 0xD4D}, {0xD57, 0xD57}, {0xD62, 0xD63}, {0xD81, 0xD83}, {0xDCA, 0xDDF},
    {0xDF2, 0xDF3}, {0xE31, 0xE31}, {0xE34, 0xE3A}, {0xE47, 0xE4E}, {0xEB1, 0xEB1}, {0xEB4, 0xEBC},
    {0xEC8, 0xECD}, {0xF18, 0xF19}, {0xF35, 0xF35}, {0xF37, 0xF37}, {0xF39, 0xF39}, {0xF3E, 0xF3F},
    {0xF71, 0xF84}, {0xF86, 0xF87}, {0xF8D, 0xFBC}, {0xFC6, 0xFC6}, {0x102B, 0x103E},
    {0x1056, 0x1059}, {0x105E, 0x1060}, {0x1062, 0x1064}, {0x1067, 0x106D}, {0x1071, 0x1074},
    {0x1082, 0x108D}, {0x108F, 0x108F}, {0x109A, 0x109D}, {0x135D, 0x135F}, {0x1712, 0x1715},
    {0x1732, 0x1734}, {0x1752, 0x1753}, {0x1772, 0x1773}, {0x17B4, 0x17D3}, {0x17DD, 0x17DD},
    {0x180B, 0x180D}, {0x180F, 0x180F}, {0x1885, 0x1886}, {0x18A9, 0x18A9}, {0x1920, 0x193B},
    {0x1A17, 0x1A1B}, {0x1A55, 0x1A7F}, {0x1AB0, 0x1B04}, {0x1B34, 0x1B44}, {0x1B6B, 0x1B73},
    {0x1B80, 0x1B82}, {0x1BA1, 0x1BAD}, {0x1BE6, 0x1BF3}, {0x1C24, 0x1C37}, {0x1CD0, 0x1CD2},
    {0x1CD4, 0x1CE8}, {0x1CED, 0x1CED}, {0x1CF4, 0x1CF4}, {0x1CF7, 0x1CF9}, {0x1DC0, 0x1DFF},
    {0x20D0, 0x20F0}, {0x2CEF, 0x2CF1}, {0x2D7F, 0x2D7F}, {0x2DE0, 0x2DFF}, {0x302A, 0x302F},
    {0x3099, 0x309A}, {0xA66F, 0xA672}, {0xA674, 0xA67D}, {0xA69E, 0xA69F}, {0xA6F0, 0xA6F1},
    {0xA802, 0xA802}, {0xA806, 0xA806}, {0xA80B, 0xA80B}, {0xA823, 0xA827}, {0xA82C, 0xA82C},
    {0xA880, 0xA881}, {0xA8B4, 0xA8C5}, {0xA8E0, 0xA8F1}, {0xA8FF, 0xA8FF}, {0xA926, 0xA92D},
    {0xA947, 0xA953}, {0xA980, 0xA983}, {0xA9B3, 0xA9C0}, {0xA9E5, 0xA9E5}, {0xAA29, 0xAA36},
    {0xAA43, 0xAA43}, {0xAA4C, 0xAA4D}, {0xAA7B, 0xAA7D}, {0xAAB0, 0xAAB0}, {0xAAB2, 0xAAB4},
    {0xAAB7, 0xAAB8}, {0xAABE, 0xAABF}, {0xAAC1, 0xAAC1}, {0xAAEB, 0xAAEF}, {0xAAF5, 0xAAF6},
    {0xABE3, 0xABEA}, {0xABEC, 0xABED}, {0xFB1E, 0xFB1E}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
    {0x101FD, 0x101FD}, {0x102E0, 0x102E0}, {0x10376, 0x1037A}, {0x10A01, 0x10A0F},
    {0x10A38, 0x10A3F}, {0x10AE5, 0x10AE6}, {0x10D24, 0x10D27}, {0x10EAB, 0x10EAC},
    {0x10F46, 0x10F50}, {0x10F82, 0x10F85}, {0x11000, 0x11002}, {0x11038, 0x11046},
    {0x11070, 0x11070}, {0x11073, 0x11074}, {0x1107F, 0x11082}, {0x110B0, 0x110BA},
    {0x110C2, 0x110C2}, {0x11100, 0x11102}, {0x11127, 0x11134}, {0x11145, 0x11146},
    {0x11173, 0x11173}, {0x11180, 0x11182}, {0x111B3, 0x111C0}, {0x111C9, 0x111CC},
    {0x111CE, 0x111CF}, {0x1122C, 0x11237}, {0x1123E, 0x1123E}, {0x112DF, 0x112EA},
    {0x11300, 0x11303}, {0x1133B, 0x1133C}, {0x1133E, 0x1134D}, {0x11357, 0x11357},
    {0x11362, 0x11374}, {0x11435, 0x11446}, {0x1145E, 0x1145E}, {0x114B0, 0x114C3},
    {0x115AF, 0x115C0}, {0x115DC, 0x115DD}, {0x11630, 0x11640}, {0x116AB, 0x116B7},
    {0x1171D, 0x1172B}, {0x1182C, 0x1183A}, {0x11930, 0x1193E}, {0x11940, 0x11940},
    {0x11942, 0x11943}, {0x119D1, 0x119E0}, {0x119E4, 0x119E4}, {0x11A01, 0x11A0A},
    {0x11A33, 0x11A39}, {0x11A3B, 0x11A3E}, {0x11A47, 0x11A47}, {0x11A51, 0x11A5B},
    {0x11A8A, 0x11A99}, {0x11C2F, 0x11C3F}, {0x11C92, 0x11CB6}, {0x11D31, 0x11D45},
    {0x11D47, 0x11D47}, {0x11D8A, 0x11D97}, {0x11EF3, 0x11EF6}, {0x16AF0, 0x16AF4},
    {0x16B30, 0x16B36}, {0x16F4F, 0x16F4F}, {0x16F51, 0x16F92}, {0x16FE4, 0x16FF1},
    {0x1BC9D, 0x1BC9E}, {0x1CF00, 0x1CF46}, {0x1D165, 0x1D169}, {0x1D16D, 0x1D172},
    {0x1D17B, 0x1D182}, {0x1D185, 0x1D18B}, {0x1D1AA, 0x1D1AD}, {0x1D242, 0x1D244},
    {0x1DA00, 0x1DA36}, {0x1DA3B, 0x1DA6C}, {0x1DA75, 0x1DA75}, {0x1DA84, 0x1DA84},
    {0x1DA9B, 0x1DAAF}, {0x1E000, 0x1E02A}, {0x1E130, 0x1E136}, {0x1E2AE, 0x1E2AE},
    {0x1E2EC, 0x1E2EF}, {0x1E8D0, 0x1E8D6}, {0x1E944, 0x1E94A}, {0xE0100, 0xE01EF},
};
// clang-format on

constexpr wchar_t kEllipsis = 0x2026;
constexpr wxUint32 kReplacement = 0xFFFD;

// The next character of UTF-8 from `at` on, which moves past it; U+FFFD for a byte that
// begins no character (overlong forms and surrogates included), which then moves on by one.
wxUint32 NextUtf8(std::string_view utf8, size_t& at)
{
    const auto byte = [&utf8](size_t index) { return static_cast<unsigned char>(utf8[index]); };
    const unsigned char lead = byte(at);
    size_t size = 0;
    wxUint32 code = 0;
    wxUint32 least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
        code = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        code = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        code = lead & 0x07;
        least = 0x10000;
    }
    if (size == 0 || at + size > utf8.size()) {
        ++at;
        return lead < 0x80 ? lead : kReplacement;
    }
    for (size_t index = 1; index < size; ++index) {
        const unsigned char next = byte(at + index);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kReplacement;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++at;
        return kReplacement;
    }
    at += size;
    return code;
}

// Reads UTF-8 character by character from a place on; Back steps back over the one read last.
class Utf8Reader {
public:
    static constexpr wxUint32 kEnd = 0xFFFFFFFF;

    Utf8Reader(std::string_view utf8, size_t at) : utf8(utf8), at(at) {}
    wxUint32 operator()()
    {
        last = at;
        if (at >= utf8.size())
            return kEnd;
        // Most text is ASCII: one comparison instead of the decoder.
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte < 0x80) {
            ++at;
            return byte;
        }
        return NextUtf8(utf8, at);
    }
    void Back() { at = last; }
    size_t Place() const { return at; }

private:
    std::string_view utf8;
    size_t at;
    size_t last = 0;
};

bool IsControl(wxUint32 code)
{
    return code < 0x20 || (code >= 0x7F && code < 0xA0) || code == 0x2028 || code == 0x2029;
}

// Where the rule stands after a part of the value: the characters shown and the marks on the
// last letter.
struct Progress {
    size_t count = 0;
    size_t marks = 0;
};

// How far the value stays as it is under the rule, in bytes; `progress` tells the state there.
// Most values stay whole, and are then taken as they are, without a character's decoding.
size_t UnchangedStart(std::string_view utf8, bool many, size_t length, Progress& progress)
{
    Utf8Reader next(utf8, 0);
    for (;;) {
        const size_t at = next.Place();
        const wxUint32 code = next();
        if (code == Utf8Reader::kEnd)
            return at;
        bool same = progress.count < length;
        size_t marks = 0;
        if (IsControl(code)) {
            same = same && many && (code == '\n' || code == '\t');
        } else if (code == kReplacement) {
            // U+FFFD written as such stays; one made of a bad byte is a change.
            same = same && next.Place() - at == 3;
        } else if (code >= 0x300 && BKShownText::IsCombiningMark(code)) {
            marks = progress.marks + 1;
            same = same && marks <= BKShownText::kMarksPerLetter;
        } else if (code >= 0x61C) {
            same = same && !BKShownText::IsInvisibleFormat(code);
        }
        if (!same)
            return at;
        progress.marks = marks;
        ++progress.count;
    }
}

// Puts the characters of the value from the reader's place on, as the rule shows them, one
// by one into the sink, beginning in the given state.
template <class Sink>
void Show(Utf8Reader next, bool many, size_t length, Progress progress, Sink& sink)
{
    for (wxUint32 code = next(); code != Utf8Reader::kEnd; code = next()) {
        if (IsControl(code)) {
            const bool lineBreak = code == '\n' || code == '\r' || code == 0x2028 || code == 0x2029;
            if (many && code == '\r') {
                // A carriage return ends a line alone or before a line feed; the character
                // after it alone is taken on the next round.
                if (next() != '\n')
                    next.Back();
                code = '\n';
            } else if (many && lineBreak) {
                code = '\n';
            } else if (!(many && code == '\t')) {
                code = ' ';
            }
            progress.marks = 0;
        } else if (code >= 0x300 && BKShownText::IsCombiningMark(code)) {
            if (progress.marks >= BKShownText::kMarksPerLetter)
                continue;
            ++progress.marks;
        } else if (code >= 0x61C && BKShownText::IsInvisibleFormat(code)) {
            continue;
        } else {
            progress.marks = 0;
        }
        if (progress.count == length) {
            sink.Put(kEllipsis);
            return;
        }
        sink.Put(code);
        ++progress.count;
    }
}

// Characters into a buffer kept for the thread, from which the shown text is made with one
// allocation. wchar_t holds a whole character on this platform (32 bits).
class WideSink {
public:
    WideSink() { Buffer().clear(); }
    void Put(wxUint32 code) { Buffer().push_back(static_cast<wchar_t>(code)); }
    static std::vector<wchar_t>& Buffer()
    {
        thread_local std::vector<wchar_t> buffer;
        return buffer;
    }
};

// Characters appended to UTF-8 text.
class Utf8Sink {
public:
    explicit Utf8Sink(std::string& out) : out(out) {}
    void Put(wxUint32 code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

private:
    std::string& out;
};

}  // namespace

void BKShownText::Assign(std::string_view utf8, Lines lines, size_t length, wxString& shown)
{
    WideSink sink;
    Show(Utf8Reader(utf8, 0), lines == Lines::kMany, length, Progress(), sink);
    const std::vector<wchar_t>& buffer = WideSink::Buffer();
    shown.assign(buffer.data(), buffer.size());
}

wxString BKShownText::Of(std::string_view utf8, Lines lines, size_t length)
{
    wxString shown;
    Assign(utf8, lines, length, shown);
    return shown;
}

std::string_view BKShownText::Utf8(std::string_view utf8, Lines lines, size_t length,
                                   std::string& scratch)
{
    const bool many = lines == Lines::kMany;
    Progress progress;
    const size_t same = UnchangedStart(utf8, many, length, progress);
    if (same == utf8.size())
        return utf8;
    scratch.assign(utf8.data(), same);
    Utf8Sink sink(scratch);
    Show(Utf8Reader(utf8, same), many, length, progress, sink);
    return scratch;
}

bool BKShownText::IsInvisibleFormat(wxUint32 code)
{
    return code == 0x061C || (code >= 0x200B && code <= 0x200F) ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2060 && code <= 0x206F) ||
           code == 0xFEFF || (code >= 0xFFF9 && code <= 0xFFFB);
}

bool BKShownText::IsCombiningMark(wxUint32 code)
{
    const CodeRange* end = std::end(kCombiningMarks);
    const CodeRange* range = std::lower_bound(
        std::begin(kCombiningMarks), end, code,
        [](const CodeRange& candidate, wxUint32 value) { return candidate.last < value; });
    return range != end && range->first <= code;
}

}  // namespace Brenik
