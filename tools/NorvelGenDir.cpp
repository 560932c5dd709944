// norvel-gendir: writes a sample business directory (companies, sectors and their filings) as an
// SQLite file for the viewer, its tests and its benchmarks. Same size and seed, same content
// (the logos' pixels also depend on the cairo and fonts installed, so only on the same machine);
// each company depends only on the seed and its id, so a larger directory begins with the
// companies of a smaller one.
// Usage: norvel-gendir OUTPUT.sqlite [--companies N] [--seed S] [--lean]
#include <cairo.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define NORVEL_GENDIR_POSIX 1
#endif

namespace {

using Text = std::optional<std::string>;  // nullopt is written as NULL

// ---------------------------------------------------------------------------------------------
// Small helpers

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (length < 0)
        return std::string();
    if (static_cast<size_t>(length) < sizeof(buffer))
        return std::string(buffer, static_cast<size_t>(length));
    std::string result(static_cast<size_t>(length) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(&result[0], result.size(), format, args);
    va_end(args);
    result.resize(static_cast<size_t>(length));
    return result;
}

// splitmix64: tiny, fast and the same on every platform, unlike the standard distributions.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n) for n > 0.
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(((Next() >> 32) * n) >> 32); }
    int Range(int low, int high) { return low + static_cast<int>(Below(high - low + 1)); }
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    bool Percent(double percent) { return Unit() * 100.0 < percent; }

    template <class T, size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(N)];
    }
    template <class T>
    const T& Pick(const std::vector<T>& items)
    {
        return items[Below(static_cast<uint32_t>(items.size()))];
    }

private:
    uint64_t state;
};

uint64_t Mix(uint64_t a, uint64_t b)
{
    Random random(a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull));
    random.Next();
    return random.Next();
}

// Picks an index from integer weights.
template <class T, size_t N>
size_t PickWeighted(Random& random, const T (&items)[N])
{
    int total = 0;
    for (const T& item : items)
        total += item.weight;
    int ticket = static_cast<int>(random.Below(static_cast<uint32_t>(total)));
    for (size_t i = 0; i < N; ++i) {
        ticket -= items[i].weight;
        if (ticket < 0)
            return i;
    }
    return N - 1;
}

// Umlauts and the few foreign letters of the name lists, as they are written in web and mail
// addresses.
const char* const kFolding[][2] = {
    {"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "Ae"}, {"Ö", "Oe"}, {"Ü", "Ue"}, {"ß", "ss"},
    {"é", "e"},  {"è", "e"},  {"ë", "e"},  {"ê", "e"},  {"á", "a"},  {"à", "a"},  {"ó", "o"},
    {"ç", "c"},  {"ł", "l"},  {"Ł", "L"},  {"ø", "o"},  {"ğ", "g"},  {"ş", "s"},  {"ı", "i"},
    {"ñ", "n"},  {"–", "-"},  {"Ş", "S"},  {"İ", "I"},  {"ż", "z"},  {"ś", "s"},
};

std::string FoldToAscii(const std::string& text)
{
    std::string result;
    result.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            result += static_cast<char>(c);
            ++i;
            continue;
        }
        size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        for (const auto& fold : kFolding) {
            if (text.compare(i, length, fold[0]) == 0) {
                result += fold[1];
                break;
            }
        }
        i += length;  // letters without an ASCII form are dropped
    }
    return result;
}

// "Müller & Söhne" -> "mueller-soehne"; apostrophes vanish ("Bob's" -> "bobs").
std::string Slug(const std::string& text, char separator = '-')
{
    std::string folded = FoldToAscii(text);
    std::string result;
    bool pendingSeparator = false;
    for (char c : folded) {
        if (c == '\'')
            continue;
        if (std::isalnum(static_cast<unsigned char>(c))) {
            if (pendingSeparator && !result.empty())
                result += separator;
            pendingSeparator = false;
            result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else {
            pendingSeparator = true;
        }
    }
    return result;
}

std::string EscapeHtml(const std::string& text)
{
    std::string result;
    result.reserve(text.size() + 16);
    for (char c : text) {
        switch (c) {
            case '&':
                result += "&amp;";
                break;
            case '<':
                result += "&lt;";
                break;
            case '>':
                result += "&gt;";
                break;
            case '"':
                result += "&quot;";
                break;
            default:
                result += c;
        }
    }
    return result;
}

std::string Join(const std::vector<std::string>& parts, const char* separator)
{
    std::string result;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            result += separator;
        result += parts[i];
    }
    return result;
}

std::vector<std::string> SplitList(const char* list)
{
    std::vector<std::string> result;
    std::string current;
    for (const char* p = list; *p; ++p) {
        if (*p == ',') {
            result.push_back(current);
            current.clear();
            if (p[1] == ' ')
                ++p;
        } else {
            current += *p;
        }
    }
    if (!current.empty())
        result.push_back(current);
    return result;
}

// Proleptic Gregorian calendar <-> days since 1970-01-01.
int64_t DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string FormatDate(int64_t days)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
    return Format("%04d-%02d-%02d", year, month, day);
}

std::string FormatTimestamp(int64_t seconds)
{
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    return FormatDate(days) + Format(" %02d:%02d:%02d", static_cast<int>(rest / 3600),
                                     static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
}

std::string Base64(const std::string& bytes)
{
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        uint32_t v = static_cast<unsigned char>(bytes[i]) << 16 |
                     static_cast<unsigned char>(bytes[i + 1]) << 8 |
                     static_cast<unsigned char>(bytes[i + 2]);
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        out += alphabet[(v >> 6) & 63];
        out += alphabet[v & 63];
    }
    if (i < bytes.size()) {
        uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Logos: a badge, a seal or a word-mark strip with the company's initials, drawn and written as
// PNG by cairo.

struct Rgba {
    uint8_t r, g, b, a;
};

const Rgba kBrandColours[] = {
    {0x1F, 0x4E, 0x9C, 255}, {0xC0, 0x39, 0x2B, 255}, {0x27, 0xAE, 0x60, 255},
    {0x8E, 0x44, 0xAD, 255}, {0xE6, 0x7E, 0x22, 255}, {0x16, 0xA0, 0x85, 255},
    {0x2C, 0x3E, 0x50, 255}, {0xD3, 0x54, 0x00, 255}, {0x7F, 0x8C, 0x8D, 255},
    {0xB0, 0x8D, 0x57, 255}, {0x00, 0x6D, 0x77, 255}, {0x9B, 0x1B, 0x30, 255},
};
const Rgba kWhite{255, 255, 255, 255};

Rgba Lighter(Rgba c, double amount)
{
    auto up = [amount](uint8_t v) { return static_cast<uint8_t>(v + (255 - v) * amount); };
    return Rgba{up(c.r), up(c.g), up(c.b), c.a};
}

Rgba Grey(Rgba c)
{
    const auto luma = static_cast<uint8_t>((c.r * 299 + c.g * 587 + c.b * 114 + 500) / 1000);
    return Rgba{luma, luma, luma, c.a};
}

std::string Initials(const std::string& name)
{
    std::string initials;
    std::string word;
    std::string folded = FoldToAscii(name) + " ";
    for (char c : folded) {
        if (c == ' ' || c == '-' || c == '&' || c == '\\' || c == '\'') {
            if (!word.empty() && std::isupper(static_cast<unsigned char>(word[0])) &&
                word != "GmbH" && word != "AG" && word != "KG" && word != "OHG" && word != "GbR" &&
                word != "UG" && word != "SE" && word != "Co." && initials.size() < 3)
                initials += word[0];
            word.clear();
        } else {
            word += c;
        }
    }
    if (initials.empty())
        initials = "N";
    return initials;
}

// The first word of the name with three or more letters or digits, in capitals.
std::string WordMark(const std::string& name)
{
    std::string word, first;
    for (char c : FoldToAscii(name) + " ") {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            continue;
        }
        if (word.size() >= 3)
            return word;
        if (first.empty())
            first = word;
        word.clear();
    }
    return first.empty() ? Initials(name) : first;
}

// An image being drawn: a cairo image surface and its context, set up with the logos' font.
class LogoCanvas {
public:
    // Hard-edged logos draw shapes and text without antialiasing: flat colours keep them small.
    LogoCanvas(int width, int height, std::optional<Rgba> background, bool antialias)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
          cr(cairo_create(surface.get())),
          width(width),
          height(height)
    {
        if (!antialias) {
            cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
            std::unique_ptr<cairo_font_options_t, FontOptionsDestroyer> options(
                cairo_font_options_create());
            cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
            cairo_set_font_options(cr.get(), options.get());
        }
        cairo_select_font_face(cr.get(), "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_BOLD);
        if (background)
            FillRect(0, 0, width, height, *background);  // a new surface is fully transparent
    }

    int Width() const { return width; }
    int Height() const { return height; }

    void FillRect(double x0, double y0, double x1, double y1, Rgba colour)
    {
        cairo_rectangle(cr.get(), x0, y0, x1 - x0, y1 - y0);
        Fill(colour);
    }
    void FillCircle(double cx, double cy, double radius, Rgba colour)
    {
        AddCircle(cx, cy, radius);
        Fill(colour);
    }
    void FillRing(double cx, double cy, double outer, double inner, Rgba colour)
    {
        AddCircle(cx, cy, outer);
        AddCircle(cx, cy, inner);
        cairo_set_fill_rule(cr.get(), CAIRO_FILL_RULE_EVEN_ODD);
        Fill(colour);
        cairo_set_fill_rule(cr.get(), CAIRO_FILL_RULE_WINDING);
    }
    void FillRoundRect(double x0, double y0, double x1, double y1, double radius, Rgba colour)
    {
        cairo_t* c = cr.get();
        cairo_new_sub_path(c);
        cairo_arc(c, x1 - radius, y0 + radius, radius, -M_PI / 2, 0);
        cairo_arc(c, x1 - radius, y1 - radius, radius, 0, M_PI / 2);
        cairo_arc(c, x0 + radius, y1 - radius, radius, M_PI / 2, M_PI);
        cairo_arc(c, x0 + radius, y0 + radius, radius, M_PI, M_PI * 1.5);
        cairo_close_path(c);
        Fill(colour);
    }
    void FillPolygon(std::initializer_list<std::array<double, 2>> corners, Rgba colour)
    {
        for (const auto& corner : corners)
            cairo_line_to(cr.get(), corner[0], corner[1]);
        cairo_close_path(cr.get());
        Fill(colour);
    }

    // The ink box of the text at the current size.
    cairo_text_extents_t Measure(const std::string& text)
    {
        cairo_text_extents_t ink;
        cairo_text_extents(cr.get(), text.c_str(), &ink);
        return ink;
    }
    // Whole pixel sizes only: cairo keeps each size's rendered glyphs, and logos share a few.
    void SetTextSize(double size) { cairo_set_font_size(cr.get(), std::floor(size)); }
    // The largest size from `size` down to `smallest` at which the text's ink fits the box.
    void FitText(const std::string& text, double size, double smallest, double boxWidth,
                 double boxHeight)
    {
        SetTextSize(size);
        const cairo_text_extents_t ink = Measure(text);
        if (ink.width > boxWidth || ink.height > boxHeight)
            SetTextSize(
                std::max(smallest, size * std::min(boxWidth / ink.width, boxHeight / ink.height)));
    }
    // Writes the text with its ink's left edge at x and its ink centred on the line y; gives
    // the right edge of the ink.
    double DrawText(const std::string& text, double x, double middle, Rgba colour)
    {
        const cairo_text_extents_t ink = Measure(text);
        cairo_move_to(cr.get(), std::round(x - ink.x_bearing),
                      std::round(middle - ink.height / 2 - ink.y_bearing));
        SetColour(colour);
        cairo_show_text(cr.get(), text.c_str());
        cairo_new_path(cr.get());
        return x + ink.width;
    }

    // The image as PNG bytes; empty when cairo fails.
    std::string Png()
    {
        std::string png;
        cairo_surface_flush(surface.get());
        if (cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &png) !=
            CAIRO_STATUS_SUCCESS)
            return std::string();
        return png;
    }

private:
    struct SurfaceDestroyer {
        void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    };
    struct ContextDestroyer {
        void operator()(cairo_t* context) const { cairo_destroy(context); }
    };
    struct FontOptionsDestroyer {
        void operator()(cairo_font_options_t* options) const
        {
            cairo_font_options_destroy(options);
        }
    };

    static cairo_status_t AppendBytes(void* png, const unsigned char* data, unsigned int length)
    {
        static_cast<std::string*>(png)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    }

    void AddCircle(double cx, double cy, double radius)
    {
        cairo_new_sub_path(cr.get());
        cairo_arc(cr.get(), cx, cy, radius, 0, 2 * M_PI);
        cairo_close_path(cr.get());
    }
    void SetColour(Rgba c)
    {
        cairo_set_source_rgba(cr.get(), c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
    }
    void Fill(Rgba colour)
    {
        SetColour(colour);
        cairo_fill(cr.get());
    }

    std::unique_ptr<cairo_surface_t, SurfaceDestroyer> surface;
    std::unique_ptr<cairo_t, ContextDestroyer> cr;
    int width, height;
};

// A wide word-mark strip, only a few pixels high: the initials and a rule with ticks, in black
// or the brand colour on white.
std::string WordMarkStrip(Random& random, const std::string& initials, Rgba brand)
{
    const int width = random.Range(420, 640), height = random.Range(8, 24);
    const Rgba ink = random.Percent(50) ? Rgba{0, 0, 0, 255} : brand;
    LogoCanvas canvas(width, height, kWhite, false);
    canvas.FitText(initials, height, 4, width / 4.0, height - 2.0);
    const double textEnd = canvas.DrawText(initials, 4, height / 2.0, ink);
    const int barStart = static_cast<int>(textEnd) + 10;
    canvas.FillRect(barStart, height / 2 - 1, width - 4, height / 2 + 1, ink);
    for (int x = barStart; x < width - 8; x += random.Range(24, 60))
        canvas.FillRect(x, 1, x + 3, height - 1, ink);
    return canvas.Png();
}

// The emblem at the left: a disc, a rounded square, a diamond or a ring around a disc.
void DrawEmblem(LogoCanvas& canvas, int style, double cx, double cy, double radius, Rgba brand,
                Rgba accent)
{
    switch (style) {
        case 0:
            canvas.FillCircle(cx, cy, radius, brand);
            break;
        case 1:
            canvas.FillRoundRect(cx - radius, cy - radius, cx + radius, cy + radius, radius * 0.35,
                                 brand);
            break;
        case 2: {
            const double half = radius * 1.1;
            canvas.FillPolygon({{cx, cy - half}, {cx + half, cy}, {cx, cy + half}, {cx - half, cy}},
                               brand);
            break;
        }
        default:
            canvas.FillRing(cx, cy, radius, radius * 0.78, brand);
            canvas.FillCircle(cx, cy, radius * 0.66, accent);
            break;
    }
}

// The first word of the name, as much of it as fits, from `left` to the right edge, over a
// slanted or straight accent band.
void DrawWordMark(Random& random, LogoCanvas& canvas, const std::string& companyName, int left,
                  double cy, Rgba brand, Rgba accent)
{
    const double width = canvas.Width(), height = canvas.Height();
    const double room = width - 4 - left;
    std::string mark = WordMark(companyName);
    // Shrinks a long word only so far, then cuts it: a short word read at once beats a long
    // one too small to read.
    canvas.FitText(mark, std::max(8.0, height * 0.34), std::max(8.0, height * 0.18), room, height);
    while (mark.size() > 1 && canvas.Measure(mark).width > room)
        mark.pop_back();
    const double capital = canvas.Measure(mark).height;
    canvas.DrawText(mark, left, cy - 0.3 * capital, brand);
    const double bandTop = std::round(cy + 0.85 * capital);
    const double thickness = 1 + std::round(capital / 7);
    if (random.Percent(50)) {
        const double bottom = std::min(height - 2, bandTop + 2 + thickness);
        const double shear = 0.3 * (bottom - bandTop), right = width - 6;
        canvas.FillPolygon({{left - 2.0, bandTop},
                            {right, bandTop},
                            {right + shear, bottom},
                            {left - 2.0 + shear, bottom}},
                           accent);
    } else {
        canvas.FillRect(left, bandTop, width - 4, bandTop + thickness, accent);
    }
}

// A small logo is a hard-edged emblem of at most 64 by 32 pixels.
std::string MakeLogo(Random& random, const std::string& companyName, bool small)
{
    std::string initials = Initials(companyName);
    Rgba brand = random.Pick(kBrandColours);
    Rgba accent = random.Pick(kBrandColours);
    int kind = random.Below(100);
    if (small)
        kind = 12 + kind % 43;
    if (kind < 12)
        return WordMarkStrip(random, initials, brand);

    const bool antialias = kind >= 55;
    // Full colour antialiased logos cost more bytes a pixel: they stay a little smaller.
    int width = small       ? random.Range(40, 64)
                : antialias ? random.Range(80, 160)
                            : random.Range(80, 200);
    int height = small       ? random.Range(20, 32)
                 : antialias ? random.Range(40, 64)
                             : random.Range(40, 80);
    if (width < height * 3 / 2)
        width = height * 3 / 2;
    const bool transparent =
        (kind >= 40 && kind < 55 && random.Percent(40)) || (kind >= 75 && kind < 90);
    if (antialias && random.Percent(transparent ? 20 : 15)) {
        brand = Grey(brand);
        accent = Grey(accent);
    }
    std::optional<Rgba> background;
    if (!transparent)
        background = random.Percent(70) ? kWhite : Lighter(brand, 0.85);
    LogoCanvas canvas(width, height, background, antialias);

    if (!antialias && random.Percent(30)) {
        // A stepped shade along the bottom.
        int steps = random.Percent(70) ? 8 : 20;
        int bandHeight = std::max(3, height / 8);
        for (int i = 0; i < steps; ++i)
            canvas.FillRect(width * i / steps, height - bandHeight, width * (i + 1) / steps, height,
                            Lighter(accent, 0.8 * i / steps));
    }
    const double h = height;
    const double radius = h * 0.42;
    const double cx = h * 0.5 + 2, cy = h * 0.5;
    const int style = random.Below(4);
    DrawEmblem(canvas, style, cx, cy, radius, brand, accent);
    // Initials inside the emblem, as large as fit; the ring leaves them its inner disc.
    const std::string inside = initials.substr(0, 2);
    const bool ring = style == 3;
    canvas.FitText(inside, radius * 1.2, 4, radius * (ring ? 1.0 : 1.25),
                   radius * (ring ? 0.62 : 0.95));
    const cairo_text_extents_t ink = canvas.Measure(inside);
    canvas.DrawText(inside, cx - ink.width / 2, cy, kWhite);

    const int left = static_cast<int>(cx + radius * 1.15) + 4;
    if (left + 20 < width)
        DrawWordMark(random, canvas, companyName, left, cy, brand, accent);
    return canvas.Png();
}

// ---------------------------------------------------------------------------------------------
// The directory's vocabulary

struct Sector {
    const char* name;      // the sector as listed
    const char* trade;     // the word a company of the sector puts in its name
    const char* keywords;  // comma-separated
    const char* chamber;   // the professional body its members belong to
};

const Sector kSectors[] = {
    {"Bäckereien", "Bäckerei", "Brot, Brötchen, Kuchen, Vollkornbrot, Frühstück",
     "Handwerkskammer"},
    {"Konditoreien", "Konditorei", "Torten, Pralinen, Hochzeitstorten, Café", "Handwerkskammer"},
    {"Fleischereien", "Fleischerei", "Wurst, Fleisch, Partyservice, Mittagstisch",
     "Handwerkskammer"},
    {"Steuerberater", "Steuerberatung",
     "Buchhaltung, Jahresabschluss, Lohnabrechnung, Steuererklärung", "Steuerberaterkammer"},
    {"Rechtsanwälte", "Rechtsanwälte", "Arbeitsrecht, Mietrecht, Familienrecht, Verkehrsrecht",
     "Rechtsanwaltskammer"},
    {"Notare", "Notariat", "Beurkundung, Grundstückskauf, Erbvertrag, Testament", "Notarkammer"},
    {"Wirtschaftsprüfer", "Wirtschaftsprüfung", "Jahresabschlussprüfung, Due Diligence, Gutachten",
     "Wirtschaftsprüferkammer"},
    {"Unternehmensberatung", "Consulting", "Strategie, Prozessoptimierung, Existenzgründung",
     "IHK"},
    {"Architekten", "Architekten", "Neubau, Sanierung, Energieberatung, Bauleitung",
     "Architektenkammer"},
    {"Ingenieurbüros", "Ingenieurbüro", "Statik, Tragwerksplanung, Vermessung, Gutachten",
     "Ingenieurkammer"},
    {"Bauunternehmen", "Bau", "Hochbau, Tiefbau, Rohbau, Schlüsselfertigbau", "Handwerkskammer"},
    {"Dachdecker", "Bedachungen", "Steildach, Flachdach, Dachrinnen, Solaranlagen",
     "Handwerkskammer"},
    {"Elektroinstallateure", "Elektrotechnik",
     "Elektroinstallation, Photovoltaik, Smart Home, E-Check", "Handwerkskammer"},
    {"Sanitär und Heizung", "Haustechnik", "Bäder, Heizung, Wärmepumpen, Notdienst",
     "Handwerkskammer"},
    {"Maler und Lackierer", "Malerbetrieb", "Fassaden, Tapezieren, Lackierarbeiten, Wärmedämmung",
     "Handwerkskammer"},
    {"Tischlereien", "Tischlerei", "Möbelbau, Innenausbau, Fenster, Türen", "Handwerkskammer"},
    {"Schlossereien", "Schlosserei", "Treppen, Geländer, Tore, Schweißarbeiten", "Handwerkskammer"},
    {"Fliesenleger", "Fliesen", "Fliesen, Naturstein, Badsanierung, Mosaik", "Handwerkskammer"},
    {"Garten- und Landschaftsbau", "Gartenbau",
     "Gartenpflege, Pflasterarbeiten, Baumfällung, Teichbau", "Handwerkskammer"},
    {"Gebäudereinigung", "Gebäudereinigung",
     "Unterhaltsreinigung, Glasreinigung, Treppenhausreinigung", "Handwerkskammer"},
    {"Kfz-Werkstätten", "Autoservice", "Inspektion, HU/AU, Reifenservice, Unfallinstandsetzung",
     "Handwerkskammer"},
    {"Autohäuser", "Autohaus", "Neuwagen, Gebrauchtwagen, Leasing, Finanzierung", "IHK"},
    {"Fahrschulen", "Fahrschule", "Führerschein, Motorrad, LKW, Auffrischungskurse", "IHK"},
    {"Taxiunternehmen", "Taxi", "Flughafentransfer, Krankenfahrten, Kurierfahrten", "IHK"},
    {"Speditionen", "Spedition", "Logistik, Lagerhaltung, Stückgut, Container", "IHK"},
    {"Umzugsunternehmen", "Umzüge", "Privatumzüge, Firmenumzüge, Möbellift, Entrümpelung", "IHK"},
    {"Kurierdienste", "Kurierdienst", "Expresslieferung, Same Day, Dokumente", "IHK"},
    {"Reisebüros", "Reisen", "Pauschalreisen, Kreuzfahrten, Flüge, Gruppenreisen", "IHK"},
    {"Hotels", "Hotel", "Übernachtung, Tagungen, Frühstück, Wellness", "IHK"},
    {"Pensionen", "Pension", "Gästezimmer, Ferienwohnung, Frühstück", "IHK"},
    {"Restaurants", "Restaurant", "Mittagstisch, Feiern, regionale Küche, Catering", "IHK"},
    {"Cafés", "Café", "Frühstück, Kaffee, Kuchen, Eis", "IHK"},
    {"Gaststätten", "Gasthaus", "Biergarten, Stammtisch, Hausmannskost", "IHK"},
    {"Pizzerien", "Pizzeria", "Pizza, Pasta, Lieferservice", "IHK"},
    {"Imbisse", "Imbiss", "Currywurst, Döner, Pommes, Mittagstisch", "IHK"},
    {"Getränkehandel", "Getränke", "Getränkelieferung, Festbedarf, Bier, Wasser", "IHK"},
    {"Weinhandlungen", "Weinhandel", "Wein, Sekt, Weinproben, Präsentkörbe", "IHK"},
    {"Feinkost", "Feinkost", "Delikatessen, Käse, Olivenöl, Geschenkkörbe", "IHK"},
    {"Lebensmittelhandel", "Markt", "Lebensmittel, Bio, Obst, Gemüse", "IHK"},
    {"Blumengeschäfte", "Blumen", "Floristik, Hochzeitsschmuck, Trauerfloristik, Pflanzen", "IHK"},
    {"Buchhandlungen", "Buchhandlung", "Bücher, Hörbücher, Lesungen, Schulbücher", "IHK"},
    {"Schreibwaren", "Schreibwaren", "Bürobedarf, Schulbedarf, Zeitschriften, Lotto", "IHK"},
    {"Optiker", "Optik", "Brillen, Kontaktlinsen, Sehtest, Sonnenbrillen", "Handwerkskammer"},
    {"Hörgeräteakustiker", "Hörakustik", "Hörgeräte, Hörtest, Gehörschutz", "Handwerkskammer"},
    {"Apotheken", "Apotheke", "Arzneimittel, Homöopathie, Kosmetik, Botendienst",
     "Apothekerkammer"},
    {"Zahnärzte", "Zahnarztpraxis", "Prophylaxe, Implantate, Kieferorthopädie, Angstpatienten",
     "Zahnärztekammer"},
    {"Allgemeinmediziner", "Praxis", "Hausarzt, Vorsorge, Impfungen, Hausbesuche", "Ärztekammer"},
    {"Physiotherapie", "Physiotherapie",
     "Krankengymnastik, Massage, Lymphdrainage, Manuelle Therapie", "IHK"},
    {"Heilpraktiker", "Naturheilpraxis", "Akupunktur, Homöopathie, Osteopathie", "IHK"},
    {"Pflegedienste", "Pflegedienst", "Ambulante Pflege, Seniorenbetreuung, Intensivpflege", "IHK"},
    {"Tierärzte", "Tierarztpraxis", "Kleintiere, Pferde, Impfungen, Notdienst", "Tierärztekammer"},
    {"Friseure", "Friseur", "Haarschnitt, Färben, Hochsteckfrisuren, Barbier", "Handwerkskammer"},
    {"Kosmetikstudios", "Kosmetik", "Gesichtsbehandlung, Maniküre, Fußpflege, Wimpern",
     "Handwerkskammer"},
    {"Fitnessstudios", "Fitness", "Krafttraining, Kurse, Sauna, Personal Training", "IHK"},
    {"Tanzschulen", "Tanzschule", "Gesellschaftstanz, Hochzeitstanz, Hip-Hop, Salsa", "IHK"},
    {"Musikschulen", "Musikschule", "Klavier, Gitarre, Gesang, Schlagzeug", "IHK"},
    {"Nachhilfe", "Lernstudio", "Mathematik, Deutsch, Englisch, Abiturvorbereitung", "IHK"},
    {"Sprachschulen", "Sprachschule", "Deutschkurse, Englisch, Business English, Integrationskurse",
     "IHK"},
    {"Fotografen", "Fotostudio", "Passbilder, Hochzeiten, Portraits, Produktfotografie",
     "Handwerkskammer"},
    {"Werbeagenturen", "Werbeagentur", "Corporate Design, Print, Online-Marketing, Messestände",
     "IHK"},
    {"Druckereien", "Druckerei", "Offsetdruck, Digitaldruck, Visitenkarten, Flyer", "IHK"},
    {"Softwareentwicklung", "Software", "Individualsoftware, Apps, Datenbanken, Schnittstellen",
     "IHK"},
    {"IT-Dienstleistungen", "IT-Service", "Netzwerke, Server, IT-Sicherheit, Support", "IHK"},
    {"Webdesign", "Webdesign", "Websites, Onlineshops, Suchmaschinenoptimierung, Hosting", "IHK"},
    {"Versicherungen", "Versicherungen", "Altersvorsorge, Haftpflicht, Gebäudeversicherung, KFZ",
     "IHK"},
    {"Immobilienmakler", "Immobilien", "Vermietung, Verkauf, Wertermittlung, Gewerbeimmobilien",
     "IHK"},
    {"Hausverwaltungen", "Hausverwaltung", "WEG-Verwaltung, Mietverwaltung, Nebenkostenabrechnung",
     "IHK"},
    {"Finanzberatung", "Finanzberatung", "Baufinanzierung, Geldanlage, Ruhestandsplanung", "IHK"},
    {"Übersetzungsbüros", "Übersetzungen", "Beglaubigte Übersetzungen, Dolmetscher, Lektorat",
     "IHK"},
    {"Sicherheitsdienste", "Sicherheitsdienst",
     "Objektschutz, Veranstaltungsschutz, Alarmaufschaltung", "IHK"},
    {"Schlüsseldienste", "Schlüsseldienst", "Türöffnung, Schließanlagen, Einbruchschutz",
     "Handwerkskammer"},
    {"Textilreinigung", "Reinigung", "Hemdenservice, Teppichreinigung, Änderungen",
     "Handwerkskammer"},
    {"Schneidereien", "Maßschneiderei", "Änderungen, Maßanzüge, Brautmode", "Handwerkskammer"},
    {"Schuhmacher", "Schuhservice", "Schuhreparatur, Orthopädie, Schlüssel", "Handwerkskammer"},
    {"Juweliere", "Juwelier", "Schmuck, Trauringe, Uhren, Goldankauf", "IHK"},
    {"Möbelhäuser", "Möbel", "Küchen, Polstermöbel, Schlafzimmer, Lieferung", "IHK"},
    {"Raumausstatter", "Raumausstattung", "Gardinen, Bodenbeläge, Polsterei, Sonnenschutz",
     "Handwerkskammer"},
    {"Bestatter", "Bestattungen", "Erdbestattung, Feuerbestattung, Vorsorge, Trauerdruck", "IHK"},
    {"Landwirtschaft", "Hof", "Hofladen, Eier, Kartoffeln, Ferien auf dem Bauernhof",
     "Landwirtschaftskammer"},
    {"Metallbau", "Metallbau", "Stahlbau, Blechbearbeitung, Laserschneiden, Edelstahl",
     "Handwerkskammer"},
};
const int kSectorCount = static_cast<int>(sizeof(kSectors) / sizeof(kSectors[0]));

struct City {
    const char* name;
    const char* state;
    int zipLow, zipHigh;
    const char* areaCode;  // without the leading 0
    const char* court;     // the district court keeping the register
    int weight;
};

const City kCities[] = {
    {"Berlin", "Berlin", 10115, 14199, "30", "Amtsgericht Charlottenburg", 36},
    {"Hamburg", "Hamburg", 20095, 22769, "40", "Amtsgericht Hamburg", 18},
    {"München", "Bayern", 80331, 81929, "89", "Amtsgericht München", 15},
    {"Köln", "Nordrhein-Westfalen", 50667, 51149, "221", "Amtsgericht Köln", 11},
    {"Frankfurt am Main", "Hessen", 60306, 60599, "69", "Amtsgericht Frankfurt am Main", 8},
    {"Stuttgart", "Baden-Württemberg", 70173, 70629, "711", "Amtsgericht Stuttgart", 6},
    {"Düsseldorf", "Nordrhein-Westfalen", 40210, 40629, "211", "Amtsgericht Düsseldorf", 6},
    {"Leipzig", "Sachsen", 4103, 4357, "341", "Amtsgericht Leipzig", 6},
    {"Dortmund", "Nordrhein-Westfalen", 44135, 44388, "231", "Amtsgericht Dortmund", 6},
    {"Essen", "Nordrhein-Westfalen", 45127, 45359, "201", "Amtsgericht Essen", 6},
    {"Bremen", "Bremen", 28195, 28779, "421", "Amtsgericht Bremen", 5},
    {"Dresden", "Sachsen", 1067, 1328, "351", "Amtsgericht Dresden", 5},
    {"Hannover", "Niedersachsen", 30159, 30669, "511", "Amtsgericht Hannover", 5},
    {"Nürnberg", "Bayern", 90402, 90491, "911", "Amtsgericht Nürnberg", 5},
    {"Duisburg", "Nordrhein-Westfalen", 47051, 47279, "203", "Amtsgericht Duisburg", 5},
    {"Bochum", "Nordrhein-Westfalen", 44787, 44894, "234", "Amtsgericht Bochum", 4},
    {"Wuppertal", "Nordrhein-Westfalen", 42103, 42399, "202", "Amtsgericht Wuppertal", 4},
    {"Bielefeld", "Nordrhein-Westfalen", 33602, 33739, "521", "Amtsgericht Bielefeld", 3},
    {"Bonn", "Nordrhein-Westfalen", 53111, 53229, "228", "Amtsgericht Bonn", 3},
    {"Münster", "Nordrhein-Westfalen", 48143, 48167, "251", "Amtsgericht Münster", 3},
    {"Mannheim", "Baden-Württemberg", 68159, 68309, "621", "Amtsgericht Mannheim", 3},
    {"Karlsruhe", "Baden-Württemberg", 76131, 76229, "721", "Amtsgericht Mannheim", 3},
    {"Augsburg", "Bayern", 86150, 86199, "821", "Amtsgericht Augsburg", 3},
    {"Wiesbaden", "Hessen", 65183, 65207, "611", "Amtsgericht Wiesbaden", 3},
    {"Mönchengladbach", "Nordrhein-Westfalen", 41061, 41239, "2161", "Amtsgericht Mönchengladbach",
     3},
    {"Aachen", "Nordrhein-Westfalen", 52062, 52080, "241", "Amtsgericht Aachen", 3},
    {"Braunschweig", "Niedersachsen", 38100, 38126, "531", "Amtsgericht Braunschweig", 2},
    {"Kiel", "Schleswig-Holstein", 24103, 24159, "431", "Amtsgericht Kiel", 2},
    {"Chemnitz", "Sachsen", 9111, 9247, "371", "Amtsgericht Chemnitz", 2},
    {"Halle (Saale)", "Sachsen-Anhalt", 6108, 6132, "345", "Amtsgericht Stendal", 2},
    {"Magdeburg", "Sachsen-Anhalt", 39104, 39130, "391", "Amtsgericht Stendal", 2},
    {"Freiburg im Breisgau", "Baden-Württemberg", 79098, 79117, "761", "Amtsgericht Freiburg", 2},
    {"Krefeld", "Nordrhein-Westfalen", 47798, 47839, "2151", "Amtsgericht Krefeld", 2},
    {"Mainz", "Rheinland-Pfalz", 55116, 55131, "6131", "Amtsgericht Mainz", 2},
    {"Lübeck", "Schleswig-Holstein", 23552, 23570, "451", "Amtsgericht Lübeck", 2},
    {"Erfurt", "Thüringen", 99084, 99099, "361", "Amtsgericht Jena", 2},
    {"Rostock", "Mecklenburg-Vorpommern", 18055, 18147, "381", "Amtsgericht Rostock", 2},
    {"Kassel", "Hessen", 34117, 34134, "561", "Amtsgericht Kassel", 2},
    {"Potsdam", "Brandenburg", 14467, 14482, "331", "Amtsgericht Potsdam", 2},
    {"Saarbrücken", "Saarland", 66111, 66133, "681", "Amtsgericht Saarbrücken", 2},
    {"Oldenburg", "Niedersachsen", 26121, 26135, "441", "Amtsgericht Oldenburg", 1},
    {"Osnabrück", "Niedersachsen", 49074, 49090, "541", "Amtsgericht Osnabrück", 1},
    {"Regensburg", "Bayern", 93047, 93059, "941", "Amtsgericht Regensburg", 1},
    {"Würzburg", "Bayern", 97070, 97084, "931", "Amtsgericht Würzburg", 1},
    {"Ulm", "Baden-Württemberg", 89073, 89081, "731", "Amtsgericht Ulm", 1},
    {"Heidelberg", "Baden-Württemberg", 69115, 69126, "6221", "Amtsgericht Mannheim", 1},
    {"Göttingen", "Niedersachsen", 37073, 37085, "551", "Amtsgericht Göttingen", 1},
    {"Schwerin", "Mecklenburg-Vorpommern", 19053, 19063, "385", "Amtsgericht Schwerin", 1},
    {"Jena", "Thüringen", 7743, 7751, "3641", "Amtsgericht Jena", 1},
    {"Cottbus", "Brandenburg", 3042, 3055, "355", "Amtsgericht Cottbus", 1},
    {"Weimar", "Thüringen", 99423, 99427, "3643", "Amtsgericht Jena", 1},
    {"Trier", "Rheinland-Pfalz", 54290, 54296, "651", "Amtsgericht Wittlich", 1},
    {"Flensburg", "Schleswig-Holstein", 24937, 24944, "461", "Amtsgericht Flensburg", 1},
    {"Garmisch-Partenkirchen", "Bayern", 82467, 82467, "8821", "Amtsgericht München", 1},
    {"Bad Tölz", "Bayern", 83646, 83646, "8041", "Amtsgericht München", 1},
    // Smaller places, for searches by place: towns that share the first postcode digits with
    // the city beside them, names that hold another one ("Frankfurt", "Halle", "Neustadt"),
    // and umlauts and ß to be typed without them. No two places share a postcode.
    {"Leverkusen", "Nordrhein-Westfalen", 51371, 51381, "214", "Amtsgericht Köln", 2},
    {"Bergisch Gladbach", "Nordrhein-Westfalen", 51427, 51469, "2202", "Amtsgericht Köln", 1},
    {"Brühl", "Nordrhein-Westfalen", 50321, 50321, "2232", "Amtsgericht Köln", 1},
    {"Hürth", "Nordrhein-Westfalen", 50354, 50354, "2233", "Amtsgericht Köln", 1},
    {"Frechen", "Nordrhein-Westfalen", 50226, 50226, "2234", "Amtsgericht Köln", 1},
    {"Sankt Augustin", "Nordrhein-Westfalen", 53757, 53757, "2241", "Amtsgericht Siegburg", 1},
    {"Neuss", "Nordrhein-Westfalen", 41460, 41472, "2131", "Amtsgericht Neuss", 1},
    {"Mülheim an der Ruhr", "Nordrhein-Westfalen", 45468, 45481, "208", "Amtsgericht Duisburg", 1},
    {"Lüdenscheid", "Nordrhein-Westfalen", 58507, 58515, "2351", "Amtsgericht Iserlohn", 1},
    {"Halle (Westf.)", "Nordrhein-Westfalen", 33790, 33790, "5201", "Amtsgericht Gütersloh", 1},
    {"Frankfurt (Oder)", "Brandenburg", 15230, 15236, "335", "Amtsgericht Frankfurt (Oder)", 1},
    {"Königs Wusterhausen", "Brandenburg", 15711, 15713, "3375", "Amtsgericht Cottbus", 1},
    {"Oranienburg", "Brandenburg", 16515, 16515, "3301", "Amtsgericht Neuruppin", 1},
    {"Offenbach am Main", "Hessen", 63065, 63075, "69", "Amtsgericht Offenbach am Main", 1},
    {"Bad Homburg vor der Höhe", "Hessen", 61348, 61352, "6172", "Amtsgericht Bad Homburg", 1},
    {"Gießen", "Hessen", 35390, 35398, "641", "Amtsgericht Gießen", 1},
    {"Fürth", "Bayern", 90762, 90768, "911", "Amtsgericht Fürth", 1},
    {"Erlangen", "Bayern", 91052, 91058, "9131", "Amtsgericht Fürth", 1},
    {"Freising", "Bayern", 85354, 85356, "8161", "Amtsgericht München", 1},
    {"Dachau", "Bayern", 85221, 85221, "8131", "Amtsgericht München", 1},
    {"Starnberg", "Bayern", 82319, 82319, "8151", "Amtsgericht München", 1},
    {"Neustadt bei Coburg", "Bayern", 96465, 96465, "9568", "Amtsgericht Coburg", 1},
    {"Neustadt an der Weinstraße", "Rheinland-Pfalz", 67433, 67435, "6321",
     "Amtsgericht Ludwigshafen am Rhein", 1},
    {"Bad Dürkheim", "Rheinland-Pfalz", 67098, 67098, "6322", "Amtsgericht Ludwigshafen am Rhein",
     1},
    {"Lörrach", "Baden-Württemberg", 79539, 79541, "7621", "Amtsgericht Freiburg", 1},
    {"St. Ingbert", "Saarland", 66386, 66386, "6894", "Amtsgericht Saarbrücken", 1},
    {"Weißenfels", "Sachsen-Anhalt", 6667, 6667, "3443", "Amtsgericht Stendal", 1},
    {"Görlitz", "Sachsen", 2826, 2829, "3581", "Amtsgericht Dresden", 1},
    {"Norderstedt", "Schleswig-Holstein", 22844, 22851, "40", "Amtsgericht Kiel", 1},
    {"Pinneberg", "Schleswig-Holstein", 25421, 25421, "4101", "Amtsgericht Pinneberg", 1},
};

enum class Register { kNone, kHra, kHrb, kPr, kGnr };

struct LegalForm {
    const char* suffix;  // as it follows the name; empty for a sole trader
    const char* type;    // as written in the typeofcompany column
    Register reg;
    int weight;
};

const LegalForm kLegalForms[] = {
    {"GmbH", "GmbH", Register::kHrb, 38},
    {"UG (haftungsbeschränkt)", "UG (haftungsbeschränkt)", Register::kHrb, 6},
    {"AG", "AG", Register::kHrb, 3},
    {"KG", "KG", Register::kHra, 4},
    {"GmbH & Co. KG", "GmbH & Co. KG", Register::kHra, 8},
    {"e.K.", "e.K.", Register::kHra, 9},
    {"OHG", "OHG", Register::kHra, 4},
    {"GbR", "GbR", Register::kNone, 6},
    {"", "Einzelunternehmen", Register::kNone, 16},
    {"PartG mbB", "PartG mbB", Register::kPr, 2},
    {"eG", "eG", Register::kGnr, 1},
    {"SE", "SE", Register::kHrb, 1},
};

const char* const kMaleNames[] = {
    "Jürgen",    "Sören",     "Günter",   "Jörg",        "Björn",      "Uwe",        "Klaus",
    "Peter",     "Thomas",    "Michael",  "Andreas",     "Stefan",     "Frank",      "Markus",
    "Christian", "Matthias",  "Wolfgang", "Hans-Jürgen", "Karl-Heinz", "Dieter",     "Ralf",
    "Jens",      "Lars",      "Timo",     "Tobias",      "Florian",    "Maximilian", "Lukas",
    "Jan",       "Sebastian", "Rüdiger",  "Heinz",       "Helmut",     "Bernd",      "Horst",
    "Mehmet",    "Ali",       "Giuseppe", "Marco",       "Piotr",      "Łukasz",     "Sean",
    "Patrick",   "Dragan",    "José",     "Nils",        "Ole",
};
const char* const kFemaleNames[] = {
    "Sabine",     "Petra",     "Monika",  "Ursula", "Renate", "Karin",  "Birgit",
    "Claudia",    "Susanne",   "Andrea",  "Anja",   "Katrin", "Julia",  "Anna",
    "Lea",        "Sophie",    "Jana",    "Hannah", "Bärbel", "Jördis", "Gülay",
    "Małgorzata", "Zoë",       "Renée",   "Ayşe",   "Elif",   "Maren",  "Silke",
    "Käthe",      "Henriette", "Marlies", "Ines",   "Doris",
};
const char* const kSurnames[] = {
    "Müller",     "Schmidt",  "Schneider", "Fischer", "Weber",    "Meyer",      "Wagner",
    "Becker",     "Schulz",   "Hoffmann",  "Schäfer", "Koch",     "Bauer",      "Richter",
    "Klein",      "Wolf",     "Schröder",  "Neumann", "Schwarz",  "Zimmermann", "Braun",
    "Krüger",     "Hofmann",  "Hartmann",  "Lange",   "Schmitt",  "Werner",     "Schmitz",
    "Krause",     "Meier",    "Lehmann",   "Schmid",  "Schulze",  "Maier",      "Köhler",
    "Herrmann",   "König",    "Walter",    "Mayer",   "Huber",    "Kaiser",     "Fuchs",
    "Peters",     "Lang",     "Scholz",    "Möller",  "Weiß",     "Jung",       "Hahn",
    "Schubert",   "Vogel",    "Friedrich", "Keller",  "Günther",  "Frank",      "Berger",
    "Winkler",    "Roth",     "Beck",      "Lorenz",  "Baumann",  "Franke",     "Albrecht",
    "Schuster",   "Simon",    "Ludwig",    "Böhm",    "Winter",   "Kraus",      "Martin",
    "Schumacher", "Krämer",   "Vogt",      "Stein",   "Jäger",    "Otto",       "Sommer",
    "Groß",       "Seidel",   "Heinrich",  "Brandt",  "Haas",     "Schreiber",  "Graf",
    "Schulte",    "Dietrich", "Ziegler",   "Kuhn",    "Kühn",     "Pohl",       "Engel",
    "Horn",       "Busch",    "Bergmann",  "Voigt",   "Sauer",    "Arnold",     "Wolff",
    "Pfeiffer",   "Yılmaz",   "Kaya",      "Nowak",   "Kowalski", "Rossi",      "Özdemir",
    "Großmann",   "Löffler",  "Rößler",    "Jürgens", "Hübner",   "Blümel",     "Meyer-Lüdenscheid",
    "von Bülow",  "Thießen",  "Dreßler",
};
// Rare, and there for the quotes they bring into searches and generated SQL.
const char* const kApostropheSurnames[] = {"O'Neil",  "D'Angelo", "O'Brien",
                                           "D'Souza", "O'Connor", "Dell'Orto"};

const char* const kFantasyWords[] = {
    "Nordlicht",    "Sonnenschein", "Alpenblick",   "Elbtal",        "Rheingold",
    "Spreewald",    "Hanse",        "Lindenhof",    "Regenbogen",    "Weitblick",
    "Kleeblatt",    "Morgenrot",    "Löwenzahn",    "Küstenwind",    "Bergkristall",
    "Silberstreif", "Grünfink",     "Eulenspiegel", "Schwalbe",      "Mühlenrad",
    "Leuchtturm",   "Zugvogel",     "Eichenlaub",   "Sternschnuppe", "Fährmann",
};
const char* const kPlaces[] = {"Markt", "Rathaus", "Dom",      "Stadtpark", "Bahnhof",
                               "Hafen", "Schloss", "Stadttor", "Ring",      "See"};

// Names that put apostrophes, backslashes and LIKE wildcards into the data on purpose.
const char* const kApostropheNames[] = {
    "Bob's Bistro",      "Anna's Backstube",         "Mario's Pizzeria", "O'Neil Consulting",
    "D'Angelo Feinkost", "Rock 'n' Roll Tanzschule", "Kiosk Jo's Eck",   "Luigi's Eiscafé",
};
const char* const kBackslashNames[] = {
    "Pfad\\Werk Software",    "Schräg\\Strich Werbeagentur", "C:\\> Datenrettung",
    "Back\\Slash IT-Service", "Haus\\Technik Nord",
};
const char* const kWildcardNames[] = {
    "100% Bio Hofladen",
    "Netz_Werk IT-Service",
    "50% Rabattmarkt",
    "Daten_Schutz_Partner",
};

const char* const kStreetStems[] = {
    "Haupt",   "Bahnhof",   "Schiller", "Goethe",    "Linden",  "Berg",   "Kirch",   "Garten",
    "Schul",   "Mühlen",    "Wald",     "Rosen",     "Birken",  "Eichen", "Rathaus", "Markt",
    "Post",    "Friedhof",  "Wiesen",   "Industrie", "Gewerbe", "Feld",   "Sonnen",  "Tal",
    "Brunnen", "Kastanien", "Ahorn",    "Buchen",    "Tannen",  "Dorf",   "Jahn",    "Lessing",
    "Mozart",  "Beethoven", "Uhland",   "Körner",
};
const char* const kStreetSuffixes[] = {"straße", "straße", "straße", "weg",  "gasse",
                                       "ring",   "allee",  "platz",  "damm", "steig"};
const char* const kNamedStreets[] = {
    "Friedrich-Ebert-Straße",
    "Kaiser-Wilhelm-Ring",
    "Königsallee",
    "Am Markt",
    "Am Anger",
    "Am Sportplatz",
    "Am Mühlbach",
    "Am Hang",
    "Am Stadtpark",
    "Am Wasserturm",
    "An der Alten Post",
    "An der Kirche",
    "An der Schleuse",
    "Im Gewerbepark",
    "Im Wiesengrund",
    "Zur Mühle",
    "Konrad-Adenauer-Platz",
    "Willy-Brandt-Allee",
    "Unter den Linden",
    "Hinter der Mauer",
};
const char* const kMobilePrefixes[] = {"151", "152", "157", "160", "162", "170", "171", "172",
                                       "173", "174", "175", "176", "177", "178", "179"};
const char* const kExtraMemberships[] = {
    "Bund der Selbständigen",
    "Wirtschaftsjunioren",
    "Rotary Club",
    "Lions Club",
    "Werbegemeinschaft Innenstadt",
    "Gewerbeverein",
    "Verband Deutscher Unternehmerinnen",
    "BVMW – Der Mittelstand",
    "Förderverein Stadtfest",
};

struct Person {
    std::string first, last;
    std::string Full() const { return first + " " + last; }
};

Person MakePerson(Random& random)
{
    Person person;
    person.first = random.Percent(55) ? random.Pick(kMaleNames) : random.Pick(kFemaleNames);
    person.last = random.Percent(2) ? random.Pick(kApostropheSurnames) : random.Pick(kSurnames);
    return person;
}

std::string TitledName(Random& random, const Person& person)
{
    int roll = random.Below(100);
    if (roll < 6)
        return "Dr. " + person.Full();
    if (roll < 7)
        return "Prof. Dr. " + person.Full();
    if (roll < 8)
        return "Dipl.-Ing. " + person.Full();
    return person.Full();
}

// ---------------------------------------------------------------------------------------------
// One company row

enum Column {
    kId,
    kName,
    kCeo,
    kAddress,
    kHousenumber,
    kZipcode,
    kCity,
    kState,
    kPhone,
    kFax,
    kMobile,
    kInternet,
    kEmail,
    kTaxIdNumber,
    kTaxNumber,
    kNotes,
    kOpeningHours,
    kLogo,
    kDistrictCourt,
    kCommercialRegister,
    kBlog,
    kTwitter,
    kFacebook,
    kImprintUrl,
    kKeywords,
    kDescription,
    kImprint,
    kStaff,
    kStartyear,
    kTypeofcompany,
    kOwner,
    kCooperations,
    kMemberships,
    kParking,
    kPremium,
    kPremiumStartDate,
    kPremiumStopDate,
    kCreated,
    kUpdated,
    kColumnCount
};

const char* const kColumnNames[kColumnCount] = {
    "id",
    "name",
    "ceo",
    "address",
    "housenumber",
    "zipcode",
    "city",
    "state",
    "phone",
    "fax",
    "mobile",
    "internet",
    "email",
    "taxIdNumber",
    "taxNumber",
    "notes",
    "openingHours",
    "logo",
    "districtCourt",
    "commercialRegister",
    "blog",
    "twitter",
    "facebook",
    "imprintUrl",
    "keywords",
    "description",
    "imprint",
    "staff",
    "startyear",
    "typeofcompany",
    "owner",
    "cooperations",
    "memberships",
    "parking",
    "premium",
    "premiumStartDate",
    "premiumStopDate",
    "created",
    "updated",
};

struct Company {
    std::array<Text, kColumnCount> values;  // id and premium are written as integers
    std::vector<int> sectors;               // ids into kSectors (1-based), distinct
    bool hasLogo = false;
};

// Empty or NULL now and then, as real directories are.
Text Sometimes(Random& random, std::string value, double nullPercent, double emptyPercent = 0.0)
{
    double roll = random.Unit() * 100.0;
    if (roll < nullPercent)
        return std::nullopt;
    if (roll < nullPercent + emptyPercent)
        return std::string();
    return value;
}

std::string PhoneNumber(const std::string& areaCode, const std::string& subscriber, int style)
{
    switch (style) {
        case 0:
            return "0" + areaCode + " " + subscriber;
        case 1:
            return "0" + areaCode + "/" + subscriber;
        case 2:
            return "(0" + areaCode + ") " + subscriber;
        case 3:
            return "+49 " + areaCode + " " + subscriber;
        case 4:
            return "+49 (0)" + areaCode + " " + subscriber;
        default:
            return "0" + areaCode + "-" + subscriber;
    }
}

std::string Digits(Random& random, int count)
{
    std::string digits;
    digits += static_cast<char>('1' + random.Below(9));
    for (int i = 1; i < count; ++i)
        digits += static_cast<char>('0' + random.Below(10));
    return digits;
}

std::string OpeningHours(Random& random)
{
    int variant = random.Below(6);
    int open = random.Range(6, 10), close = random.Range(16, 20);
    switch (variant) {
        case 0:
            return Format("<p>Mo–Fr: %02d:00–%02d:00 Uhr<br />Sa: %02d:00–13:00 Uhr</p>", open,
                          close, open + 1);
        case 1:
            return Format(
                "<table><tr><td>Montag – Freitag</td><td>%d:30 – %d:00 Uhr</td></tr>"
                "<tr><td>Samstag</td><td>nach Vereinbarung</td></tr></table>",
                open, close);
        case 2:
            return Format(
                "<ul><li>Mo, Di, Do: %d–12 und 14–%d Uhr</li><li>Mi, Fr: %d–12 Uhr</li>"
                "<li>Sa, So &amp; Feiertage: geschlossen</li></ul>",
                open, close, open);
        case 3:
            return "<p>Termine nach Vereinbarung</p>";
        case 4:
            return "<p><b>Rund um die Uhr</b> für Sie erreichbar (24/7)</p>";
        default:
            return Format("<p>Täglich %d bis %d Uhr<br />Ruhetag: Montag</p>", open + 4,
                          std::min(23, close + 4));
    }
}

std::string Notes(Random& random, const std::string& htmlName,
                  const std::vector<std::string>& keywords, const std::string& city, int year)
{
    const std::string& a = keywords[random.Below(static_cast<uint32_t>(keywords.size()))];
    const std::string& b = keywords[random.Below(static_cast<uint32_t>(keywords.size()))];
    std::string list;
    for (const std::string& keyword : keywords)
        list += "<li>" + EscapeHtml(keyword) + "</li>";
    switch (random.Below(5)) {
        case 0:
            return "<p><b>" + htmlName + "</b> – Ihr Partner für " + EscapeHtml(a) + " und " +
                   EscapeHtml(b) + " in " + EscapeHtml(city) + ".</p>";
        case 1:
            return Format("<p>Seit %d steht ", year > 0 ? year : 1990) + htmlName +
                   " für Qualität und Zuverlässigkeit.</p><p>Unsere Leistungen:</p><ul>" + list +
                   "</ul>";
        case 2:
            return "<p>Wir bieten:</p><ul>" + list +
                   "</ul><p><i>Wir freuen uns auf Ihren Besuch!</i></p>";
        case 3:
            return "<p>Familienbetrieb in dritter Generation. Schwerpunkt: <b>" + EscapeHtml(a) +
                   "</b>.</p><p>Parkplätze direkt vor dem Haus.<br />Barrierefreier Zugang.</p>";
        default:
            return "Inhabergeführt, persönlich & kompetent – rufen Sie uns an!";
    }
}

// Plain text of one to three sentences.
std::string LeanNotes(Random& random, const std::string& name,
                      const std::vector<std::string>& keywords, const std::string& city, int year)
{
    const std::string& a = keywords[random.Below(static_cast<uint32_t>(keywords.size()))];
    const std::string& b = keywords[random.Below(static_cast<uint32_t>(keywords.size()))];
    std::string notes = name + " – Ihr Partner für " + a + " und " + b + " in " + city + ".";
    if (random.Percent(60))
        notes += Format(" Seit %d für Sie da, mit Beratung vor Ort und fairen Preisen.",
                        year > 0 ? year : 1990);
    if (random.Percent(40))
        notes += "\nParkplätze direkt vor dem Haus, barrierefreier Zugang. Rufen Sie uns an!";
    return notes;
}

class CompanyFactory {
public:
    // A lean directory has short records: plain notes of a few hundred characters, no
    // imprint, small logos.
    CompanyFactory(uint64_t seed, bool lean) : seed(seed), lean(lean) {}

    // Company `id` of the directory; the same id and seed always give the same company.
    Company Make(int id)
    {
        Draft draft(Mix(seed, static_cast<uint64_t>(id)));
        draft.company.values[kId] = std::to_string(id);
        // Rows that exercise rare cases sit at fixed places, so that even a small directory
        // holds each of them.
        draft.slot = (id - 1) % 500;
        ChooseSectorsAndForm(draft);
        NameCompany(draft);
        FillAddressAndTelephone(draft);
        FillWebAndMail(draft);
        FillTaxAndRegister(draft);
        FillTexts(draft);
        FillFacts(draft);
        FillDates(draft);
        // About a third of the companies show a logo.
        Text& logo = draft.company.values[kLogo];
        if (draft.random.Below(3) == 0) {
            const Text& name = draft.company.values[kName];
            logo = Base64(MakeLogo(draft.random, name ? *name : draft.base, lean));
            draft.company.hasLogo = !logo->empty();
        } else {
            logo = Sometimes(draft.random, std::string(), 50.0, 50.0);
        }
        return std::move(draft.company);
    }

private:
    // A company while it is being made, with what its later parts derive from.
    struct Draft {
        explicit Draft(uint64_t seed) : random(seed) {}
        Random random;
        Company company;
        int slot = 0;
        const Sector* sector = nullptr;
        const LegalForm* form = nullptr;
        const City* city = nullptr;
        Person boss;
        std::string base;  // the name without its legal form
        std::string name;
        int year = 0;  // of foundation
    };

    void ChooseSectorsAndForm(Draft& d)
    {
        Random& random = d.random;
        std::vector<int>& sectors = d.company.sectors;
        int filings = random.Below(100);
        int count = filings < 9 ? 0 : filings < 60 ? 1 : filings < 88 ? 2 : 3;
        while (static_cast<int>(sectors.size()) < count) {
            // Related trades stand next to each other in the list: further filings mostly
            // stay near the first one.
            int sector = 1 + static_cast<int>(random.Below(kSectorCount));
            if (!sectors.empty() && random.Percent(75))
                sector = 1 + (sectors[0] - 1 + random.Range(1, 3) * (random.Percent(50) ? 1 : -1) +
                              kSectorCount) %
                                 kSectorCount;
            if (std::find(sectors.begin(), sectors.end(), sector) == sectors.end())
                sectors.push_back(sector);
        }
        // The main sector shapes the name.
        d.sector = &kSectors[sectors.empty() ? random.Below(kSectorCount) : sectors[0] - 1];
        d.form = &kLegalForms[PickWeighted(random, kLegalForms)];
        d.city = &kCities[PickWeighted(random, kCities)];
    }

    void NameCompany(Draft& d)
    {
        Random& random = d.random;
        auto& v = d.company.values;
        d.boss = MakePerson(random);
        if (d.slot == 5)
            d.boss.last = random.Pick(kApostropheSurnames);
        std::string ceo = TitledName(random, d.boss);
        if (random.Percent(8)) {
            Person second = MakePerson(random);
            ceo += random.Percent(50) ? " und " : ", ";
            ceo += TitledName(random, second);
        }

        d.base = NameBase(random, *d.sector, *d.form, d.boss);
        if (d.slot == 3 || random.Percent(0.2))
            d.base = random.Pick(kApostropheNames);
        else if (d.slot == 11 || random.Percent(0.1))
            d.base = random.Pick(kBackslashNames);
        else if (d.slot == 19 || random.Percent(0.05))
            d.base = random.Pick(kWildcardNames);
        d.name = d.base;
        if (*d.form->suffix)
            d.name += std::string(" ") + d.form->suffix;

        v[kName] = d.name;
        v[kCeo] = ceo;
        if (d.slot == 7)
            v[kName] = std::string();
        if (d.slot == 17 || random.Percent(0.1))
            v[kName] = std::nullopt;
        if (d.slot == 29)
            v[kCeo] = std::string();
        if (d.slot == 41 || random.Percent(0.5))
            v[kCeo] = std::nullopt;
        if (d.slot == 123 || random.Percent(0.05)) {
            v[kName] = std::nullopt;
            v[kCeo] = std::nullopt;
        }
    }

    void FillAddressAndTelephone(Draft& d)
    {
        Random& random = d.random;
        auto& v = d.company.values;
        const City& city = *d.city;
        std::string street = random.Percent(25) ? std::string(random.Pick(kNamedStreets))
                                                : std::string(random.Pick(kStreetStems)) +
                                                      random.Pick(kStreetSuffixes);
        int number = random.Percent(70) ? random.Range(1, 60) : random.Range(1, 240);
        std::string houseNumber = std::to_string(number);
        int houseRoll = random.Below(100);
        if (houseRoll < 10)
            houseNumber += static_cast<char>('a' + random.Below(4));
        else if (houseRoll < 15)
            houseNumber += "-" + std::to_string(number + random.Range(1, 4));
        else if (houseRoll < 17)
            houseNumber += " " + std::string(1, static_cast<char>('a' + random.Below(3)));
        v[kAddress] = Sometimes(random, street, 1.0, 0.5);
        v[kHousenumber] = Sometimes(random, houseNumber, 2.0, 1.0);
        v[kZipcode] =
            Sometimes(random, Format("%05d", random.Range(city.zipLow, city.zipHigh)), 1.0);
        v[kCity] = Sometimes(random, city.name, 0.5);
        v[kState] = Sometimes(random, city.state, 8.0, 2.0);

        const std::string area = city.areaCode;
        int subscriberLength = area.size() <= 2   ? random.Range(7, 8)
                               : area.size() == 3 ? random.Range(6, 7)
                                                  : random.Range(5, 6);
        std::string subscriber = Digits(random, subscriberLength);
        int style = random.Below(6);
        bool extension = random.Percent(25);
        std::string phone = PhoneNumber(area, subscriber + (extension ? "-0" : ""), style);
        std::string fax =
            PhoneNumber(area,
                        extension ? subscriber + "-" + std::to_string(random.Range(9, 99))
                                  : Digits(random, subscriberLength),
                        style);
        std::string mobilePrefix = random.Pick(kMobilePrefixes);
        std::string mobileNumber = Digits(random, random.Range(7, 8));
        std::string mobile = random.Percent(50)   ? "0" + mobilePrefix + " " + mobileNumber
                             : random.Percent(50) ? "+49 " + mobilePrefix + " " + mobileNumber
                                                  : "0" + mobilePrefix + "/" + mobileNumber;
        v[kPhone] = Sometimes(random, phone, 3.0, 1.0);
        v[kFax] = Sometimes(random, fax, 35.0, 5.0);
        v[kMobile] = Sometimes(random, mobile, 45.0, 5.0);
    }

    void FillWebAndMail(Draft& d)
    {
        Random& random = d.random;
        auto& v = d.company.values;
        const Person& boss = d.boss;
        // The name without its legal form, as it appears in web and mail addresses.
        std::string slug = Slug(d.base);
        if (slug.size() < 3)
            slug = Slug(d.name);
        if (slug.empty())
            slug = Slug(boss.last);
        static const char* const topLevel[] = {"de",  "de", "de",  "de",  "de",
                                               "com", "eu", "net", "info"};
        const std::string domain = slug + "." + random.Pick(topLevel);
        const bool hasWebsite = random.Percent(80);
        int webStyle = random.Below(100);
        std::string internet = webStyle < 50   ? "www." + domain
                               : webStyle < 70 ? "http://www." + domain
                               : webStyle < 95 ? "https://www." + domain
                                               : "https://" + domain + "/";
        v[kInternet] = hasWebsite ? Text(internet) : Sometimes(random, std::string(), 70.0, 30.0);
        std::string mailUser;
        int mailStyle = random.Below(100);
        if (mailStyle < 45)
            mailUser = "info";
        else if (mailStyle < 55)
            mailUser = "kontakt";
        else if (mailStyle < 60)
            mailUser = "post";
        else if (mailStyle < 65)
            mailUser = "buero";
        else
            mailUser = Slug(boss.first, '-') + "." + Slug(boss.last, '-');
        static const char* const freeMail[] = {"t-online.de", "gmx.de", "web.de", "gmail.com"};
        std::string email =
            hasWebsite ? mailUser + "@" + domain : slug + "@" + random.Pick(freeMail);
        v[kEmail] = Sometimes(random, email, 8.0, 2.0);

        std::string handle = Slug(slug, '_');
        v[kBlog] = random.Percent(8) ? Text(random.Percent(50) ? "https://blog." + domain
                                                               : "https://www." + domain + "/blog/")
                                     : Sometimes(random, std::string(), 80.0, 20.0);
        v[kTwitter] = random.Percent(15) ? Text(random.Percent(80) ? "https://twitter.com/" + handle
                                                                   : "@" + handle)
                                         : Sometimes(random, std::string(), 80.0, 20.0);
        v[kFacebook] = random.Percent(25) ? Text("https://www.facebook.com/" + Slug(slug, '.'))
                                          : Sometimes(random, std::string(), 80.0, 20.0);
        v[kImprintUrl] = hasWebsite && random.Percent(60)
                             ? Text("https://www." + domain + "/impressum")
                             : Sometimes(random, std::string(), 80.0, 20.0);
    }

    void FillTaxAndRegister(Draft& d)
    {
        Random& random = d.random;
        auto& v = d.company.values;
        const LegalForm& form = *d.form;
        const City& city = *d.city;
        v[kTaxIdNumber] = Sometimes(random, "DE" + Digits(random, 9), 25.0, 5.0);
        int taxStyle = random.Below(3);
        std::string taxNumber =
            taxStyle == 0 ? Format("%03d/%03d/%05d", random.Range(100, 299), random.Range(100, 999),
                                   random.Range(10000, 99999))
            : taxStyle == 1 ? Format("%02d/%03d/%05d", random.Range(10, 99), random.Range(100, 999),
                                     random.Range(10000, 99999))
                            : Format("%03d %03d %05d", random.Range(10, 99), random.Range(100, 999),
                                     random.Range(10000, 99999));
        v[kTaxNumber] = Sometimes(random, taxNumber, 20.0, 3.0);
        std::string registerNumber;
        switch (form.reg) {
            case Register::kHrb:
                registerNumber = Format("HRB %d", random.Range(1000, 250000));
                break;
            case Register::kHra:
                registerNumber = Format("HRA %d", random.Range(100, 120000));
                break;
            case Register::kPr:
                registerNumber = Format("PR %d", random.Range(10, 3000));
                break;
            case Register::kGnr:
                registerNumber = Format("GnR %d", random.Range(10, 900));
                break;
            case Register::kNone:
                break;
        }
        if (!registerNumber.empty() && std::strcmp(city.court, "Amtsgericht Charlottenburg") == 0)
            registerNumber += " B";
        if (registerNumber.empty()) {
            v[kDistrictCourt] = Sometimes(random, std::string(), 70.0, 30.0);
            v[kCommercialRegister] = Sometimes(random, std::string(), 70.0, 30.0);
        } else {
            v[kDistrictCourt] = Sometimes(random, city.court, 3.0, 1.0);
            v[kCommercialRegister] = Sometimes(random, registerNumber, 3.0, 1.0);
        }
    }

    void FillTexts(Draft& d)
    {
        Random& random = d.random;
        auto& v = d.company.values;
        const Sector& sector = *d.sector;
        const City& city = *d.city;
        d.year = random.Percent(30) ? random.Range(1850, 1979) : random.Range(1980, 2023);
        std::vector<std::string> keywords = SplitList(sector.keywords);
        const std::string htmlName = EscapeHtml(v[kName] ? *v[kName] : std::string(sector.trade));
        const std::string notes =
            lean ? LeanNotes(random, v[kName] ? *v[kName] : std::string(sector.trade), keywords,
                             city.name, d.year)
                 : Notes(random, htmlName, keywords, city.name, d.year);
        v[kNotes] = Sometimes(random, notes, 12.0, 4.0);
        v[kOpeningHours] = Sometimes(random, OpeningHours(random), 15.0, 5.0);
        v[kImprint] = lean ? Text() : Sometimes(random, Imprint(v, htmlName), 20.0, 5.0);
        std::vector<std::string> chosen;
        for (const std::string& keyword : keywords)
            if (random.Percent(70))
                chosen.push_back(keyword);
        chosen.push_back(city.name);
        v[kKeywords] = Sometimes(random, Join(chosen, ", "), 10.0, 3.0);
        std::string description = std::string(sector.trade) + " in " + city.name;
        if (random.Percent(50)) {
            keywords.resize(std::min<size_t>(2, keywords.size()));
            description = std::string(sector.trade) + " – " + Join(keywords, ", ");
        }
        v[kDescription] = Sometimes(random, description, 10.0, 3.0);
    }

    void FillFacts(Draft& d)
    {
        Random& random = d.random;
        auto& v = d.company.values;
        const LegalForm& form = *d.form;
        const bool large =
            std::strcmp(form.suffix, "AG") == 0 || std::strcmp(form.suffix, "SE") == 0;
        const int staffHigh = large ? 5000 : form.reg == Register::kHrb ? 250 : 25;
        int staff = random.Range(1, staffHigh / (random.Percent(80) ? 5 : 1) + 1);
        int staffStyle = random.Below(100);
        std::string staffText = staffStyle < 80 ? std::to_string(staff)
                                : staffStyle < 90
                                    ? "ca. " + std::to_string(std::max(5, staff / 5 * 5))
                                    : Format("%d-%d", std::max(1, staff / 2), staff + 5);
        v[kStaff] = Sometimes(random, staffText, 6.0, 3.0);
        v[kStartyear] =
            random.Percent(5) ? Text("0") : Sometimes(random, std::to_string(d.year), 5.0, 2.0);
        v[kTypeofcompany] = Sometimes(random,
                                      std::strcmp(form.type, "GmbH") == 0 && random.Percent(10)
                                          ? std::string("Gesellschaft mit beschränkter Haftung")
                                          : std::string(form.type),
                                      3.0, 2.0);
        std::string owner =
            form.reg == Register::kHrb && random.Percent(40)
                ? d.boss.last + " Holding GmbH"
                : (std::strcmp(form.type, "Einzelunternehmen") == 0 ? "Inh. " : "") + d.boss.Full();
        v[kOwner] = Sometimes(random, owner, 20.0, 5.0);
        std::string cooperation;
        if (random.Percent(30)) {
            Person partner = MakePerson(random);
            const Sector& other = kSectors[random.Below(kSectorCount)];
            cooperation = partner.last + " " + other.trade + " " + random.Pick(kLegalForms).suffix;
            while (!cooperation.empty() && cooperation.back() == ' ')
                cooperation.pop_back();
            if (random.Percent(40))
                cooperation += ", " + std::string(random.Pick(kFantasyWords)) + " " +
                               kSectors[random.Below(kSectorCount)].trade;
        }
        v[kCooperations] =
            cooperation.empty() ? Sometimes(random, std::string(), 60.0, 40.0) : Text(cooperation);
        std::vector<std::string> memberships;
        if (random.Percent(70))
            memberships.push_back(std::string(d.sector->chamber) + " " + d.city->name);
        if (random.Percent(25))
            memberships.push_back(random.Pick(kExtraMemberships));
        v[kMemberships] = memberships.empty() ? Sometimes(random, std::string(), 60.0, 40.0)
                                              : Text(Join(memberships, ", "));

        static const char* const parking[] = {"true", "false", "ja", "nein"};
        int parkingRoll = random.Below(100);
        v[kParking] = parkingRoll < 70   ? Text(parking[parkingRoll % 4])
                      : parkingRoll < 95 ? std::nullopt
                                         : Text(std::string());
    }

    // Listing dates: created 2008-2023, updated on or after it; premium listings.
    void FillDates(Draft& d)
    {
        Random& random = d.random;
        auto& v = d.company.values;
        const int64_t firstDay = DaysFromCivil(2008, 1, 1), lastDay = DaysFromCivil(2023, 12, 31);
        int64_t created =
            (firstDay + random.Below(static_cast<uint32_t>(lastDay - firstDay))) * 86400 +
            random.Range(7 * 3600, 19 * 3600) + random.Below(3600);
        int64_t updated = created;
        if (random.Percent(85)) {
            int64_t room = (lastDay + 1) * 86400 - created;
            updated = created + static_cast<int64_t>(random.Unit() * static_cast<double>(room));
        }
        v[kCreated] = FormatTimestamp(created);
        v[kUpdated] = FormatTimestamp(updated);
        int premiumRoll = random.Below(100);
        if (premiumRoll < 17) {
            int64_t start = created / 86400 + random.Below(400);
            v[kPremium] = premiumRoll < 12 ? "1" : "0";  // the rest has run out
            v[kPremiumStartDate] = FormatDate(start);
            v[kPremiumStopDate] = FormatDate(start + 365);
        } else {
            v[kPremium] = "0";
            v[kPremiumStartDate] = Sometimes(random, std::string(), 80.0, 20.0);
            v[kPremiumStopDate] = v[kPremiumStartDate];
        }
    }

private:
    std::string NameBase(Random& random, const Sector& sector, const LegalForm& form,
                         const Person& boss)
    {
        const std::string trade = sector.trade;
        std::string surname = random.Percent(70) ? boss.last : std::string(random.Pick(kSurnames));
        if (std::strcmp(form.suffix, "GbR") == 0 || std::strcmp(form.suffix, "OHG") == 0 ||
            std::strcmp(form.suffix, "PartG mbB") == 0) {
            if (random.Percent(70))
                return surname + " & " + random.Pick(kSurnames) +
                       (random.Percent(50) ? " " + trade : std::string());
        }
        switch (random.Below(7)) {
            case 0:
                return trade + " " + surname;
            case 1:
                return surname + " " + trade;
            case 2:
                return boss.Full() + " " + trade;
            case 3:
                return std::string(random.Pick(kFantasyWords)) + " " + trade;
            case 4:
                return trade + " am " + random.Pick(kPlaces);
            case 5:
                return surname + " & Söhne";
            default:
                return surname + " " + trade + " " + random.Pick(kFantasyWords);
        }
    }

    static std::string Imprint(const std::array<Text, kColumnCount>& v, const std::string& htmlName)
    {
        auto value = [&v](Column column) {
            return v[column] ? EscapeHtml(*v[column]) : std::string();
        };
        std::string imprint = "<p><b>" + htmlName + "</b><br />" + value(kAddress) + " " +
                              value(kHousenumber) + "<br />" + value(kZipcode) + " " +
                              value(kCity) + "</p>";
        std::vector<std::string> contact;
        if (v[kPhone] && !v[kPhone]->empty())
            contact.push_back("Telefon: " + value(kPhone));
        if (v[kFax] && !v[kFax]->empty())
            contact.push_back("Telefax: " + value(kFax));
        if (v[kEmail] && !v[kEmail]->empty())
            contact.push_back("E-Mail: " + value(kEmail));
        if (!contact.empty())
            imprint += "<p>" + Join(contact, "<br />") + "</p>";
        if (v[kCeo] && !v[kCeo]->empty())
            imprint += "<p>Vertreten durch: " + value(kCeo) + "</p>";
        if (v[kCommercialRegister] && !v[kCommercialRegister]->empty())
            imprint += "<p>Registergericht: " + value(kDistrictCourt) +
                       "<br />Registernummer: " + value(kCommercialRegister) + "</p>";
        if (v[kTaxIdNumber] && !v[kTaxIdNumber]->empty())
            imprint += "<p>Umsatzsteuer-Identifikationsnummer gemäß § 27 a Umsatzsteuergesetz: " +
                       value(kTaxIdNumber) + "</p>";
        return imprint;
    }

    uint64_t seed;
    bool lean;
};

// ---------------------------------------------------------------------------------------------
// Writing the database

struct DatabaseCloser {
    void operator()(sqlite3* database) const { sqlite3_close(database); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

class DirectoryWriter {
public:
    bool Open(const std::string& path)
    {
        sqlite3* handle = nullptr;
        int rc = sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr);
        database.reset(handle);
        if (rc != SQLITE_OK)
            return Fail("creating " + path);
        // A scratch file renamed into place at the end needs neither journal nor syncing.
        return Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;", "setting up");
    }

    bool CreateSchema()
    {
        std::string companies = "CREATE TABLE companies (id INTEGER PRIMARY KEY";
        for (int column = 1; column < kColumnCount; ++column) {
            companies += ", ";
            companies += kColumnNames[column];
            companies += column == kPremium ? " INTEGER" : " TEXT";
        }
        companies += ");";
        return Execute(companies, "creating the table companies") &&
               Execute("CREATE TABLE sectors (id INTEGER PRIMARY KEY, sector TEXT);",
                       "creating the table sectors") &&
               Execute("CREATE TABLE company_sectors (company INTEGER, sector INTEGER);",
                       "creating the table company_sectors");
    }

    bool WriteAll(int companyCount, uint64_t seed, bool lean)
    {
        if (!Execute("BEGIN;", "starting the transaction"))
            return false;
        StatementPtr sector = Prepare("INSERT INTO sectors (id, sector) VALUES (?, ?);");
        if (!sector)
            return false;
        for (int i = 0; i < kSectorCount; ++i) {
            sqlite3_bind_int(sector.get(), 1, i + 1);
            sqlite3_bind_text(sector.get(), 2, kSectors[i].name, -1, SQLITE_STATIC);
            if (!Step(sector.get(), "writing the sectors"))
                return false;
        }
        sectorCount = kSectorCount;

        std::string sql = "INSERT INTO companies (";
        for (int column = 0; column < kColumnCount; ++column)
            sql += std::string(column ? ", " : "") + kColumnNames[column];
        sql += ") VALUES (";
        for (int column = 0; column < kColumnCount; ++column)
            sql += column ? ", ?" : "?";
        sql += ");";
        StatementPtr company = Prepare(sql);
        StatementPtr filing =
            Prepare("INSERT INTO company_sectors (company, sector) VALUES (?, ?);");
        if (!company || !filing)
            return false;

        CompanyFactory factory(seed, lean);
        for (int id = 1; id <= companyCount; ++id) {
            Company row = factory.Make(id);
            for (int column = 0; column < kColumnCount; ++column) {
                const Text& value = row.values[column];
                if (!value)
                    sqlite3_bind_null(company.get(), column + 1);
                else if (column == kId || column == kPremium)
                    sqlite3_bind_int64(company.get(), column + 1,
                                       std::strtoll(value->c_str(), nullptr, 10));
                else
                    sqlite3_bind_text(company.get(), column + 1, value->data(),
                                      static_cast<int>(value->size()), SQLITE_STATIC);
            }
            if (!Step(company.get(), "writing company " + std::to_string(id)))
                return false;
            for (int sectorId : row.sectors) {
                sqlite3_bind_int(filing.get(), 1, id);
                sqlite3_bind_int(filing.get(), 2, sectorId);
                if (!Step(filing.get(), "writing the sectors of company " + std::to_string(id)))
                    return false;
                ++filingCount;
            }
            if (row.hasLogo)
                ++logoCount;
        }
        // Without these the sector subquery of the search reads the whole link table once per
        // company.
        return Execute(
                   "CREATE INDEX company_sectors_company ON company_sectors (company);"
                   "CREATE INDEX company_sectors_sector ON company_sectors (sector);",
                   "creating the indexes") &&
               Execute("COMMIT;", "committing") && Execute("ANALYZE;", "analysing");
    }

    bool Close()
    {
        sqlite3* handle = database.release();
        if (handle && sqlite3_close(handle) != SQLITE_OK) {
            error = std::string("closing the database: ") + sqlite3_errmsg(handle);
            return false;
        }
        return true;
    }

    const std::string& Error() const { return error; }
    int SectorCount() const { return sectorCount; }
    long FilingCount() const { return filingCount; }
    long LogoCount() const { return logoCount; }

private:
    bool Fail(const std::string& what)
    {
        error = what + ": " + (database ? sqlite3_errmsg(database.get()) : "out of memory");
        return false;
    }
    bool Execute(const std::string& sql, const std::string& what)
    {
        char* message = nullptr;
        if (sqlite3_exec(database.get(), sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
            return true;
        error = what + ": " + (message ? message : "unknown error");
        sqlite3_free(message);
        return false;
    }
    StatementPtr Prepare(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(database.get(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            Fail("preparing \"" + sql + "\"");
            return StatementPtr();
        }
        return StatementPtr(statement);
    }
    bool Step(sqlite3_stmt* statement, const std::string& what)
    {
        int rc = sqlite3_step(statement);
        sqlite3_reset(statement);
        if (rc != SQLITE_DONE)
            return Fail(what);
        return true;
    }

    std::unique_ptr<sqlite3, DatabaseCloser> database;
    std::string error;
    int sectorCount = 0;
    long filingCount = 0;
    long logoCount = 0;
};

// ---------------------------------------------------------------------------------------------
// The command

// Name of the scratch file, for the signal handler: it may only call async-signal-safe
// functions, so the text is prepared beforehand.
char scratchPath[4096];

extern "C" void RemoveScratchAndStop(int signalNumber)
{
#ifdef NORVEL_GENDIR_POSIX
    if (scratchPath[0])
        unlink(scratchPath);
#endif
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void RemoveScratch(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::filesystem::remove(path + "-journal", ignored);
}

// Makes the finished file durable before it replaces the old one, so that a crash right after
// the rename cannot leave a directory with missing pages behind.
void SyncFile(const std::string& path)
{
#ifdef NORVEL_GENDIR_POSIX
    int fd = open(path.c_str(), O_RDONLY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#else
    (void)path;
#endif
}

bool ParseNumber(const char* text, unsigned long long maximum, unsigned long long& value)
{
    if (!text || !*text || *text == '-' || *text == '+')
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

int Usage(const char* message)
{
    if (message)
        std::fprintf(stderr, "norvel-gendir: %s\n", message);
    std::fprintf(stderr,
                 "usage: norvel-gendir OUTPUT.sqlite [--companies N] [--seed S] [--lean]\n"
                 "  writes a sample directory (default 5000 companies, seed 1); --lean gives\n"
                 "  short records: plain short notes, no imprint, small logos\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string output;
    unsigned long long companies = 5000, seed = 1;
    bool lean = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            Usage(nullptr);
            return 0;
        }
        if (argument == "--lean") {
            lean = true;
        } else if (argument == "--companies" || argument == "--seed") {
            if (i + 1 >= argc)
                return Usage((argument + " needs a value").c_str());
            unsigned long long& target = argument == "--companies" ? companies : seed;
            unsigned long long maximum = argument == "--companies" ? 100000000ull : ~0ull;
            if (!ParseNumber(argv[++i], maximum, target))
                return Usage(("not a valid number for " + argument + ": " + argv[i]).c_str());
        } else if (argument.size() > 1 && argument[0] == '-') {
            return Usage(("unknown option " + argument).c_str());
        } else if (output.empty()) {
            output = argument;
        } else {
            return Usage("more than one output file given");
        }
    }
    if (output.empty())
        return Usage("no output file given");

    // Next to the output, so that the final rename stays on one file system.
    std::string scratch = output + ".part";
#ifdef NORVEL_GENDIR_POSIX
    scratch += "-" + std::to_string(static_cast<long>(getpid()));
#endif
    if (scratch.size() >= sizeof(scratchPath))
        return Usage("output path too long");
    std::memcpy(scratchPath, scratch.c_str(), scratch.size() + 1);
    RemoveScratch(scratch);
    std::signal(SIGINT, RemoveScratchAndStop);
    std::signal(SIGTERM, RemoveScratchAndStop);
#ifdef SIGHUP
    std::signal(SIGHUP, RemoveScratchAndStop);
#endif

    DirectoryWriter writer;
    bool written = writer.Open(scratch) && writer.CreateSchema() &&
                   writer.WriteAll(static_cast<int>(companies), seed, lean);
    bool closed = writer.Close();
    if (!written || !closed) {
        std::fprintf(stderr, "norvel-gendir: SQLite error while %s\n", writer.Error().c_str());
        RemoveScratch(scratch);
        return 1;
    }
    SyncFile(scratch);
    std::error_code error;
    std::filesystem::rename(scratch, output, error);
    if (error) {
        std::fprintf(stderr, "norvel-gendir: cannot move %s to %s: %s\n", scratch.c_str(),
                     output.c_str(), error.message().c_str());
        RemoveScratch(scratch);
        return 1;
    }
    scratchPath[0] = '\0';
    std::filesystem::path directory = std::filesystem::absolute(output).parent_path();
    SyncFile(directory.string());
    uintmax_t size = std::filesystem::file_size(output, error);
    std::printf(
        "norvel-gendir: %s: %llu companies (%ld with logo), %d sectors, %ld filings, %llu bytes\n",
        output.c_str(), companies, writer.LogoCount(), writer.SectorCount(), writer.FilingCount(),
        static_cast<unsigned long long>(error ? 0 : size));
    return 0;
}
