#include "print/LogoLibrary.h"

#include <algorithm>

#include <wx/log.h>
#include <wx/mstream.h>

#include "print/Base64Library.h"

namespace {

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

// Sizes beyond an int would overflow the toolkit's arithmetic; they are refused anyway.
wxSize Clamped(unsigned long width, unsigned long height)
{
    const unsigned long limit = 1ul << 30;
    return wxSize(static_cast<int>(std::min(width, limit)),
                  static_cast<int>(std::min(height, limit)));
}

bool ReadPng(const unsigned char* data, size_t length, wxSize* size)
{
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    // The signature, then the first chunk, which must be IHDR: length 13, name, width, height.
    if (length < 24 || !std::equal(signature, signature + 8, data) || BigEndian32(data + 8) != 13 ||
        !std::equal(data + 12, data + 16, "IHDR"))
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
            return true;
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

// The decoder makes every frame as large as it declares, even outside the screen, so the
// size is that of the screen grown to hold every frame.
bool ReadGif(const unsigned char* data, size_t length, wxSize* size)
{
    if (length < 13 ||
        (!std::equal(data, data + 6, "GIF87a") && !std::equal(data, data + 6, "GIF89a")))
        return false;
    unsigned long width = LittleEndian16(data + 6);
    unsigned long height = LittleEndian16(data + 8);
    size_t at = 13 + ColourTableSize(data[10]);
    while (at < length) {
        const unsigned char block = data[at++];
        if (block == 0x3b)  // trailer
            break;
        if (block == 0x21) {  // extension: label, then sub-blocks
            ++at;
            if (!SkipSubBlocks(data, length, at))
                break;
        } else if (block == 0x2c) {  // image descriptor
            if (at + 9 > length)
                break;
            width = std::max<unsigned long>(
                width, LittleEndian16(data + at) + LittleEndian16(data + at + 4));
            height = std::max<unsigned long>(
                height, LittleEndian16(data + at + 2) + LittleEndian16(data + at + 6));
            at += 9 + ColourTableSize(data[at + 8]) + 1;  // and the LZW code size
            if (!SkipSubBlocks(data, length, at))
                break;
        } else {
            break;  // the decoder stops here too
        }
    }
    *size = Clamped(width, height);
    return true;
}

}  // namespace

wxBitmapType LogoLibrary::ReadHeader(const unsigned char* data, size_t length, wxSize* size)
{
    if (!data)
        return wxBITMAP_TYPE_INVALID;
    if (ReadPng(data, length, size))
        return wxBITMAP_TYPE_PNG;
    if (ReadJpeg(data, length, size))
        return wxBITMAP_TYPE_JPEG;
    if (ReadGif(data, length, size))
        return wxBITMAP_TYPE_GIF;
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
        size.y > kMaxSide)
        return wxBITMAP_TYPE_INVALID;
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
