// Turns a company's logo, Base64 text from the directory file, into an image to show. The
// logo is untrusted data: it is refused, never decoded, when its text is too long, when it is
// in none of the formats read here, or when its header declares an image too large to hold in
// memory (counted in bytes: an interlaced PNG or a TIFF is held twice while it is decoded), or,
// for a JPEG, more scans than real images have (each costs a pass over the image).
// Accepted: PNG, JPEG, GIF (its first image only), BMP, TIFF, ICO, CUR, PCX, PNM (P2,
// P3, P5, P6), XPM and TGA. Refused among the toolkit's other formats: IFF, whose decoder
// has crashed on a valid image, and ANI, whose decoder decodes every frame. Holds nothing; every
// operation stands alone.
#pragma once

#include <cstddef>

#include <wx/buffer.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

class LogoLibrary {
public:
    // The longest Base64 text and the widest and highest image taken as a logo, and the most
    // memory its decoding may hold at once: what a 4096 by 4096 image takes with its alpha.
    static constexpr size_t kMaxTextLength = 8 * 1024 * 1024;
    static constexpr int kMaxSide = 4096;
    static constexpr size_t kMaxDecodedBytes = 4096 * 4096 * 4;

    // The image type the bytes start with and the size their header declares: PNG's IHDR,
    // JPEG's start-of-frame marker, GIF's screen grown to hold its first image, the bitmap
    // header of a BMP and of every image in an icon or cursor (or their PNG header), TIFF's
    // first directory, the PCX, PNM, XPM and TGA headers. wxBITMAP_TYPE_INVALID for any
    // other data, a header cut short, one the format's decoder would read differently, or a
    // JPEG of more than a few dozen scans.
    static wxBitmapType ReadHeader(const unsigned char* data, size_t length, wxSize* size);

    // The logo's bytes, decoded from Base64, and their image type when the logo passes every
    // check before decoding (text length, format, declared size, memory its decoding holds);
    // wxBITMAP_TYPE_INVALID otherwise. A GIF's bytes are cut after its first image, since the
    // decoder decodes every frame. Decode them with that type's handler alone. The image may
    // still fail to decode.
    static wxBitmapType Check(const wxString& base64, wxMemoryBuffer* bytes);

    // The logo's image; an invalid image for empty, malformed, refused or undecodable logos.
    // Nothing is logged or shown for a bad logo.
    static wxImage Decode(const wxString& base64);

    // The image scaled down to the width, keeping its proportions (the height truncated),
    // when it is wider; then, when it is higher than maxHeight (if that is above 0), scaled
    // down to that height. Never scales to 0 pixels: with a width below 1 the image stays
    // as it is.
    static wxImage FitInto(const wxImage& image, int width, int maxHeight);
};
