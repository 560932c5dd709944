#include "print/LogoLibrary.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <utility>

#include <wx/log.h>
#include <wx/mstream.h>

#include "print/Base64Library.h"

namespace {

// Limits of shapes the toolkit's readers handle badly (see where each is used).
constexpr size_t kMaxJpegScans = 32;
constexpr size_t kMaxPaletteColours = 256;
constexpr int kMaxPnmComments = 100;
constexpr int kMaxXpmComments = 32;
constexpr unsigned long kMaxXpmCharsPerPixel = 8;

unsigned int BigEndian16(const unsigned char* p)
{
    return static_cast<unsigned int>(p[0]) << 8 | p[1];
}

unsigned int LittleEndian16(const unsigned char* p)
{
    return static_cast<unsigned int>(p[1]) << 8 | p[0];
}

unsigned long BigEndian32(const unsigned char* p)
{
    return static_cast<unsigned long>(p[0]) << 24 | static_cast<unsigned long>(p[1]) << 16 |
           static_cast<unsigned long>(p[2]) << 8 | p[3];
}

unsigned long LittleEndian32(const unsigned char* p)
{
    return static_cast<unsigned long>(p[3]) << 24 | static_cast<unsigned long>(p[2]) << 16 |
           static_cast<unsigned long>(p[1]) << 8 | p[0];
}

long long SignedLittleEndian32(const unsigned char* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(LittleEndian32(p)));
}

bool StartsWith(const unsigned char* data, size_t length, const char* prefix)
{
    const size_t count = std::strlen(prefix);
    return length >= count && std::equal(data, data + count, prefix, [](unsigned char a, char b) {
               return a == static_cast<unsigned char>(b);
           });
}

// Sizes beyond an int would overflow the toolkit's arithmetic and sizes below 1 are no
// image; both are refused anyway.
wxSize Clamped(long long width, long long height)
{
    const long long limit = 1ll << 30;
    return wxSize(static_cast<int>(std::clamp(width, 0ll, limit)),
                  static_cast<int>(std::clamp(height, 0ll, limit)));
}

bool ReadPng(const unsigned char* data, size_t length, wxSize* size)
{
    // The signature, then the first chunk, which must be IHDR: length 13, name, width, height.
    if (length < 24 || !StartsWith(data, length, "\x89PNG\r\n\x1a\n") ||
        BigEndian32(data + 8) != 13 || !std::equal(data + 12, data + 16, "IHDR"))
        return false;
    *size = Clamped(BigEndian32(data + 16), BigEndian32(data + 20));
    return true;
}

// Markers that start a frame: C0 to CF except C4 (Huffman tables), C8 (reserved) and CC
// (arithmetic coding conditions).
bool IsStartOfFrame(unsigned char marker)
{
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// The scans from the place on to the image's end, found as the decoder finds them: any bytes
// up to the next marker skipped (a scan's coded data, where a 0xFF byte is followed by 0 or
// a restart marker, or bytes it discards), each marker's segment skipped by its length.
// Stops counting once there are more than the decoder is let to work through.
size_t CountJpegScans(const unsigned char* data, size_t length, size_t at)
{
    size_t scans = 0;
    while (scans <= kMaxJpegScans) {
        at = std::find(data + std::min(at, length), data + length, 0xff) - data;
        while (at + 1 < length && data[at + 1] == 0xff)
            ++at;  // fill bytes
        if (at + 1 >= length)
            break;
        const unsigned char marker = data[at + 1];
        at += 2;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7))
            continue;  // coded data, or markers without a segment
        if (marker == 0xd9 || at + 2 > length)
            break;
        if (marker == 0xda)
            ++scans;
        at += BigEndian16(data + at);
    }
    return scans;
}

bool ReadJpeg(const unsigned char* data, size_t length, wxSize* size)
{
    if (length < 4 || data[0] != 0xff || data[1] != 0xd8)
        return false;
    size_t at = 2;
    while (at + 1 < length) {
        if (data[at] != 0xff)
            return false;
        const unsigned char marker = data[at + 1];
        if (marker == 0xff) {  // fill byte before a marker
            ++at;
            continue;
        }
        at += 2;
        if ((marker >= 0xd0 && marker <= 0xd7) || marker == 0x01)
            continue;  // markers without a segment
        if (marker == 0xd9 || marker == 0xda || at + 2 > length)
            return false;  // image end or scan data before any frame
        const size_t segment = BigEndian16(data + at);
        if (segment < 2)
            return false;
        if (IsStartOfFrame(marker)) {
            // Length, precision, height, width.
            if (segment < 7 || at + 7 > length)
                return false;
            *size = Clamped(BigEndian16(data + at + 5), BigEndian16(data + at + 3));
            // The decoder passes over the whole image for each scan: progressive encoders
            // write about ten, a hostile file tens of thousands.
            return CountJpegScans(data, length, at + segment) <= kMaxJpegScans;
        }
        at += segment;
    }
    return false;
}

// Skips a run of data sub-blocks (a length byte, that many bytes, ending with length 0);
// false when the data ends first.
bool SkipSubBlocks(const unsigned char* data, size_t length, size_t& at)
{
    while (at < length) {
        const unsigned char block = data[at++];
        if (block == 0)
            return true;
        at += block;
    }
    return false;
}

size_t ColourTableSize(unsigned char flags)
{
    return flags & 0x80 ? 3u * (2u << (flags & 0x07)) : 0;
}

bool IsGif(const unsigned char* data, size_t length)
{
    return length >= 13 &&
           (StartsWith(data, length, "GIF87a") || StartsWith(data, length, "GIF89a"));
}

// Where the GIF's first image ends (or where its blocks stop making sense or the data ends),
// and the size of the screen grown to hold that image: the decoder makes a frame as large as
// it declares, even outside the screen.
size_t FirstGifImageEnd(const unsigned char* data, size_t length, wxSize* size)
{
    unsigned long width = LittleEndian16(data + 6);
    unsigned long height = LittleEndian16(data + 8);
    size_t at = 13 + ColourTableSize(data[10]);
    while (at < length) {
        const size_t block = at++;
        if (data[block] == 0x21) {  // extension: label, then sub-blocks
            ++at;
            if (!SkipSubBlocks(data, length, at))
                break;
        } else if (data[block] == 0x2c && at + 9 <= length) {  // image descriptor
            width = std::max<unsigned long>(
                width, LittleEndian16(data + at) + LittleEndian16(data + at + 4));
            height = std::max<unsigned long>(
                height, LittleEndian16(data + at + 2) + LittleEndian16(data + at + 6));
            at += 9 + ColourTableSize(data[at + 8]) + 1;  // and the LZW code size
            SkipSubBlocks(data, length, at);
            *size = Clamped(width, height);
            return std::min(at, length);
        } else {
            at = block;  // the trailer, or a block the decoder stops at too
            break;
        }
    }
    *size = Clamped(width, height);
    return std::min(at, length);
}

bool ReadGif(const unsigned char* data, size_t length, wxSize* size)
{
    if (!IsGif(data, length))
        return false;
    FirstGifImageEnd(data, length, size);
    return true;
}

// A device-independent bitmap's header at the offset, as the toolkit reads it in BMP files
// and icons: whatever size the header gives itself, width and height are signed 32-bit
// numbers, a negative height meaning rows from the top and an icon's height counting its
// mask too. The palette is allocated as large as the header's colour count.
bool ReadDib(const unsigned char* data, size_t length, size_t at, bool icon, wxSize* size)
{
    if (at > length || length - at < 36)
        return false;
    const unsigned char* header = data + at;
    if (LittleEndian32(header) < 40 || LittleEndian32(header + 32) > kMaxPaletteColours)
        return false;
    long long height = SignedLittleEndian32(header + 8);
    if (icon)
        height /= 2;
    *size = Clamped(SignedLittleEndian32(header + 4), height < 0 ? -height : height);
    return true;
}

bool ReadBmp(const unsigned char* data, size_t length, wxSize* size)
{
    return StartsWith(data, length, "BM") && ReadDib(data, length, 14, false, size);
}

// Icons and cursors: a directory of entries, each pointing at a bitmap or a PNG image. The
// decoder picks one entry by the directory's own figures, so every entry's image counts; the
// size is the largest width and height among them.
bool ReadIcons(const unsigned char* data, size_t length, wxSize* size)
{
    const size_t count = length >= 6 ? LittleEndian16(data + 4) : 0;
    if (count == 0 || (length - 6) / 16 < count)
        return false;
    wxSize largest(0, 0);
    for (size_t entry = 0; entry < count; ++entry) {
        const size_t at = LittleEndian32(data + 6 + 16 * entry + 12);
        wxSize image;
        if (at > length ||
            (!ReadPng(data + at, length - at, &image) && !ReadDib(data, length, at, true, &image)))
            return false;
        largest.x = std::max(largest.x, image.x);
        largest.y = std::max(largest.y, image.y);
    }
    *size = largest;
    return true;
}

// TIFF: the first directory's width and height tags, each a single SHORT or LONG and given
// once, and no JPEG compression. The decoder reads only that directory.
bool ReadTiff(const unsigned char* data, size_t length, wxSize* size)
{
    const bool little = StartsWith(data, length, "II*");
    if (length < 8 || (!little && !StartsWith(data, length, "MM")) ||
        (little ? data[3] != 0 : data[2] != 0 || data[3] != '*'))
        return false;
    const auto number16 = [little](const unsigned char* p) {
        return little ? LittleEndian16(p) : BigEndian16(p);
    };
    const auto number32 = [little](const unsigned char* p) {
        return little ? LittleEndian32(p) : BigEndian32(p);
    };
    const size_t directory = number32(data + 4);
    if (directory > length || length - directory < 2)
        return false;
    const size_t count = number16(data + directory);
    if ((length - directory - 2) / 12 < count)
        return false;
    long long sides[2] = {-1, -1};  // width, height
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* entry = data + directory + 2 + 12 * i;
        const unsigned int tag = number16(entry);
        // JPEG inside a TIFF is decoded scan by scan as well, up to a hundred in every strip.
        const unsigned int compression = number16(entry + 8);
        if (tag == 259 && (number16(entry + 2) != 3 || compression == 6 || compression == 7))
            return false;
        if (tag != 256 && tag != 257)
            continue;
        const unsigned int type = number16(entry + 2);
        long long& side = sides[tag - 256];
        if (side >= 0 || number32(entry + 4) != 1 || (type != 3 && type != 4))
            return false;
        side = type == 3 ? number16(entry + 8) : number32(entry + 8);
    }
    *size = Clamped(sides[0], sides[1]);
    return true;
}

// PCX: the image spans the corners the header gives. The decoder copies each row's pixels out
// of a line buffer the header's bytes per line long, so that must hold a row.
bool ReadPcx(const unsigned char* data, size_t length, wxSize* size)
{
    if (length < 128 || data[0] != 0x0a || data[2] != 1)
        return false;
    const long long width =
        static_cast<long long>(LittleEndian16(data + 8)) - LittleEndian16(data + 4) + 1;
    const long long height =
        static_cast<long long>(LittleEndian16(data + 10)) - LittleEndian16(data + 6) + 1;
    if (LittleEndian16(data + 66) < width)
        return false;
    *size = Clamped(width, height);
    return true;
}

bool IsAsciiText(unsigned char c)
{
    return c != 0 && c < 0x80;
}

bool IsWordSeparator(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Past the next line end (LF, CR or CR LF); false at anything but plain text.
bool SkipLine(const unsigned char* data, size_t length, size_t& at)
{
    while (at < length) {
        const unsigned char c = data[at++];
        if (!IsAsciiText(c))
            return false;
        if (c == '\n')
            return true;
        if (c == '\r') {
            if (at < length && data[at] == '\n')
                ++at;
            return true;
        }
    }
    return true;
}

// A decimal number as the toolkit's text stream reads a word: separators skipped, then
// everything up to the next separator, which is consumed too. Only plain digits are taken,
// where its number parsing agrees with this one.
bool ReadDecimalWord(const unsigned char* data, size_t length, size_t& at, unsigned long* value)
{
    while (at < length && IsWordSeparator(data[at]))
        ++at;
    const size_t start = at;
    *value = 0;
    while (at < length && std::isdigit(data[at]) && at - start < 9)
        *value = *value * 10 + (data[at++] - '0');
    if (at == start || (at < length && !IsWordSeparator(data[at])))
        return false;
    if (at < length && data[at++] == '\r' && at < length && data[at] == '\n')
        ++at;
    return true;
}

// The toolkit skips comment lines recursively, one call for each.
bool SkipPnmComments(const unsigned char* data, size_t length, size_t& at)
{
    for (int comments = 0; at < length && data[at] == '#'; ++comments)
        if (comments == kMaxPnmComments || !SkipLine(data, length, at))
            return false;
    return true;
}

// PNM in the four kinds the decoder reads, as it reads the header: the magic number and the
// rest of its line, comment lines, width and height, comment lines, the largest sample value
// (one byte's worth).
bool ReadPnm(const unsigned char* data, size_t length, wxSize* size)
{
    if (length < 2 || data[0] != 'P' ||
        (data[1] != '2' && data[1] != '3' && data[1] != '5' && data[1] != '6'))
        return false;
    size_t at = 2;
    unsigned long width = 0;
    unsigned long height = 0;
    unsigned long maxValue = 0;
    if (!SkipLine(data, length, at) || !SkipPnmComments(data, length, at) ||
        !ReadDecimalWord(data, length, at, &width) || !ReadDecimalWord(data, length, at, &height) ||
        !SkipPnmComments(data, length, at) || !ReadDecimalWord(data, length, at, &maxValue) ||
        maxValue < 1 || maxValue > 255)
        return false;
    *size = Clamped(width, height);
    return true;
}

// Up to four decimal numbers separated by blanks, as the XPM values line starts.
bool ReadXpmValues(const unsigned char* text, size_t length, unsigned long (&values)[4])
{
    size_t at = 0;
    for (unsigned long& value : values) {
        const size_t start = at;
        while (at < length && (text[at] == ' ' || text[at] == '\t'))
            ++at;
        if (at == start && &value != values)
            return false;
        const size_t digits = at;
        value = 0;
        while (at < length && std::isdigit(text[at]) && at - digits < 9)
            value = value * 10 + (text[at++] - '0');
        if (at == digits)
            return false;
    }
    return true;
}

// The toolkit's XPM reader strips comments with one pass over the rest of the file for each,
// then keeps what stands between pairs of double quotes, minding escapes in one pass and not
// the other, and skipping the character after each closing quote. Only the plain shape that
// tools write is taken, where that reading cannot go astray: strings without quotes,
// backslashes or line ends, each followed by a comma, brace, semicolon or white space; no
// single quotes outside them; few comments; no NUL bytes. The first string holds width,
// height, colour count and characters per pixel.
bool ReadXpm(const unsigned char* data, size_t length, wxSize* size)
{
    if (!StartsWith(data, length, "/* XPM */") ||
        std::find(data, data + length, 0) != data + length)
        return false;
    const unsigned char* values = nullptr;
    size_t valuesLength = 0;
    int comments = 0;
    for (size_t at = 0; at < length;) {
        if (data[at] == '/' && at + 1 < length && data[at + 1] == '*') {
            static const char close[] = "*/";
            const unsigned char* end = std::search(data + at + 2, data + length, close, close + 2);
            if (++comments > kMaxXpmComments || end == data + length)
                return false;
            at = end + 2 - data;
        } else if (data[at] == '"') {
            size_t end = at + 1;
            while (end < length && data[end] != '"' && data[end] != '\\' && data[end] != '\n' &&
                   data[end] != '\r')
                ++end;
            if (end + 1 >= length || data[end] != '"' || !std::strchr(",}; \t\n\r", data[end + 1]))
                return false;
            if (!values) {
                values = data + at + 1;
                valuesLength = end - at - 1;
            }
            at = end + 1;
        } else if (data[at] == '\'' || data[at] == '\\') {
            return false;
        } else {
            ++at;
        }
    }
    unsigned long numbers[4];
    if (!values || !ReadXpmValues(values, valuesLength, numbers) || numbers[2] < 1 ||
        numbers[3] < 1 || numbers[3] > kMaxXpmCharsPerPixel)
        return false;
    *size = Clamped(numbers[0], numbers[1]);
    return true;
}

// TGA has no signature: colour map kind, image kind and pixel depth as the decoder accepts
// them, then width and height. Tried last, after every format that has one.
bool ReadTga(const unsigned char* data, size_t length, wxSize* size)
{
    static const unsigned char kinds[] = {1, 2, 3, 9, 10, 11};
    static const unsigned char depths[] = {8, 16, 24, 32};
    if (length < 18 || data[1] > 1 || std::find(kinds, kinds + 6, data[2]) == kinds + 6 ||
        std::find(depths, depths + 4, data[16]) == depths + 4)
        return false;
    *size = Clamped(LittleEndian16(data + 12), LittleEndian16(data + 14));
    return true;
}

// The bytes a decoder holds at once for each pixel: the image it makes (colour and alpha),
// and the whole source image where the decoder keeps that too. An interlaced PNG is read whole
// before its rows can be put together, in the file's own depth (up to 16 bits for each of four
// channels); a TIFF is read into a raster of four bytes a pixel, and one of 16 bits a sample is
// held as read besides. The side alone let a 4096 by 4096 logo of those take 130 to 240 MB.
size_t DecodedBytesPerPixel(wxBitmapType type, const unsigned char* data)
{
    constexpr size_t kImage = 4;
    if (type == wxBITMAP_TYPE_PNG && data[28] != 0) {
        static const size_t channels[] = {1, 0, 3, 1, 2, 0, 4};
        const size_t kind = data[25] < 7 ? channels[data[25]] : 4;
        const size_t depth = data[24] > 8 ? 2 : 1;
        return kImage + std::max<size_t>(kind, 1) * depth;
    }
    if (type == wxBITMAP_TYPE_TIFF)
        return kImage + 4 + 8;
    return kImage;
}

}  // namespace

wxBitmapType LogoLibrary::ReadHeader(const unsigned char* data, size_t length, wxSize* size)
{
    if (!data)
        return wxBITMAP_TYPE_INVALID;
    // Icons (kind 1) and cursors (kind 2) share their layout, whose first bytes a TGA may
    // start with too.
    if (length >= 4 && data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) &&
        data[3] == 0 && ReadIcons(data, length, size))
        return data[2] == 1 ? wxBITMAP_TYPE_ICO : wxBITMAP_TYPE_CUR;
    using Reader = bool (*)(const unsigned char*, size_t, wxSize*);
    static const std::pair<Reader, wxBitmapType> readers[] = {
        {ReadPng, wxBITMAP_TYPE_PNG}, {ReadJpeg, wxBITMAP_TYPE_JPEG}, {ReadGif, wxBITMAP_TYPE_GIF},
        {ReadBmp, wxBITMAP_TYPE_BMP}, {ReadTiff, wxBITMAP_TYPE_TIFF}, {ReadPcx, wxBITMAP_TYPE_PCX},
        {ReadPnm, wxBITMAP_TYPE_PNM}, {ReadXpm, wxBITMAP_TYPE_XPM},   {ReadTga, wxBITMAP_TYPE_TGA},
    };
    for (const auto& [read, type] : readers)
        if (read(data, length, size))
            return type;
    return wxBITMAP_TYPE_INVALID;
}

wxBitmapType LogoLibrary::Check(const wxString& base64, wxMemoryBuffer* bytes)
{
    if (base64.empty() || base64.length() > kMaxTextLength)
        return wxBITMAP_TYPE_INVALID;
    *bytes = Base64Library().wxBase64Decode(base64);
    const auto* data = static_cast<const unsigned char*>(bytes->GetData());
    wxSize size;
    const wxBitmapType type = ReadHeader(data, bytes->GetDataLen(), &size);
    if (type == wxBITMAP_TYPE_INVALID || size.x < 1 || size.y < 1 || size.x > kMaxSide ||
        size.y > kMaxSide ||
        static_cast<size_t>(size.x) * static_cast<size_t>(size.y) *
                DecodedBytesPerPixel(type, data) >
            kMaxDecodedBytes)
        return wxBITMAP_TYPE_INVALID;
    if (type == wxBITMAP_TYPE_GIF) {
        // The decoder decodes every frame, whichever is asked for: keep the first alone.
        bytes->SetDataLen(FirstGifImageEnd(data, bytes->GetDataLen(), &size));
        bytes->AppendByte(0x3b);  // trailer
    }
    return type;
}

wxImage LogoLibrary::Decode(const wxString& base64)
{
    wxMemoryBuffer bytes;
    const wxBitmapType type = Check(base64, &bytes);
    if (type == wxBITMAP_TYPE_INVALID)
        return wxImage();

    // A broken image makes the toolkit log an error, which the program would show as a box;
    // a bad logo only shows no picture.
    wxLogNull quiet;
    wxMemoryInputStream stream(bytes.GetData(), bytes.GetDataLen());
    wxImage image;
    if (!image.LoadFile(stream, type) || !image.IsOk())
        return wxImage();
    return image;
}

wxImage LogoLibrary::FitInto(const wxImage& image, int width, int maxHeight)
{
    if (!image.IsOk() || width < 1)
        return image;
    wxImage fitted = image;
    if (fitted.GetWidth() > width) {
        const double height = static_cast<double>(fitted.GetHeight()) / fitted.GetWidth() * width;
        fitted = fitted.Scale(width, std::max(1, static_cast<int>(height)));
    }
    if (maxHeight > 0 && fitted.GetHeight() > maxHeight) {
        const double scaled =
            static_cast<double>(fitted.GetWidth()) / fitted.GetHeight() * maxHeight;
        fitted = fitted.Scale(std::max(1, static_cast<int>(scaled)), maxHeight);
    }
    return fitted;
}
