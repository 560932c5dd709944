#include <string>

#include <gtest/gtest.h>

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include "TestSupport.h"
#include "print/Base64Library.h"
#include "print/LogoLibrary.h"

namespace {

// The toolkit's decoders, as the program registers them at start-up.
class Logos : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        wxLogNull quiet;  // handlers registered before are reported as duplicates
        wxInitAllImageHandlers();
    }
};

wxString Base64(const std::string& bytes)
{
    return Base64Library().wxBase64Encode(bytes.data(), bytes.size());
}

wxSize HeaderSize(const std::string& bytes, wxBitmapType* type = nullptr)
{
    wxSize size(-1, -1);
    const wxBitmapType read = LogoLibrary::ReadHeader(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &size);
    if (type)
        *type = read;
    return read == wxBITMAP_TYPE_INVALID ? wxSize(-1, -1) : size;
}

void PutBigEndian32(std::string& bytes, size_t at, unsigned long value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// A GIF whose screen is 10 x 10 with one frame of the given size.
std::string GifWithFrame(unsigned int width, unsigned int height)
{
    std::string bytes = "GIF89a";
    bytes += std::string("\x0a\x00\x0a\x00\x00\x00\x00", 7);
    bytes += std::string("\x2c\x00\x00\x00\x00", 5);
    bytes += static_cast<char>(width & 0xff);
    bytes += static_cast<char>(width >> 8);
    bytes += static_cast<char>(height & 0xff);
    bytes += static_cast<char>(height >> 8);
    bytes += std::string("\x00\x02\x02\x4c\x01\x00\x3b", 7);
    return bytes;
}

}  // namespace

TEST_F(Logos, HeadersOfTheThreeFormatsDeclareTheirSize)
{
    wxBitmapType type;
    EXPECT_EQ(HeaderSize(ImageBytes(37, 21, wxBITMAP_TYPE_PNG), &type), wxSize(37, 21));
    EXPECT_EQ(type, wxBITMAP_TYPE_PNG);
    // The toolkit writes a JFIF segment before the frame.
    EXPECT_EQ(HeaderSize(ImageBytes(300, 17, wxBITMAP_TYPE_JPEG), &type), wxSize(300, 17));
    EXPECT_EQ(type, wxBITMAP_TYPE_JPEG);
    EXPECT_EQ(HeaderSize(ImageBytes(5, 260, wxBITMAP_TYPE_GIF), &type), wxSize(5, 260));
    EXPECT_EQ(type, wxBITMAP_TYPE_GIF);
    // A frame beyond the screen counts: the decoder makes it as large as declared.
    EXPECT_EQ(HeaderSize(GifWithFrame(5000, 3)), wxSize(5000, 10));

    // Other formats, text and headers cut short are not read.
    EXPECT_EQ(HeaderSize(ImageBytes(8, 8, wxBITMAP_TYPE_BMP)), wxSize(-1, -1));
    EXPECT_EQ(HeaderSize("<svg xmlns='http://www.w3.org/2000/svg'/>"), wxSize(-1, -1));
    const std::string png = ImageBytes(8, 8, wxBITMAP_TYPE_PNG);
    EXPECT_EQ(HeaderSize(png.substr(0, 23)), wxSize(-1, -1));
    const std::string jpeg = ImageBytes(8, 8, wxBITMAP_TYPE_JPEG);
    EXPECT_EQ(HeaderSize(jpeg.substr(0, 20)), wxSize(-1, -1));
    EXPECT_EQ(HeaderSize(std::string("\xff\xd8\xff\xda\x00\x08", 6)), wxSize(-1, -1));
    EXPECT_EQ(HeaderSize("GIF89a\x01"), wxSize(-1, -1));
    EXPECT_EQ(LogoLibrary::ReadHeader(nullptr, 10, nullptr), wxBITMAP_TYPE_INVALID);
}

TEST_F(Logos, GoodLogosDecodeAndHostileOnesAreRefusedQuietly)
{
    const wxImage png = LogoLibrary::Decode(Base64(ImageBytes(64, 32, wxBITMAP_TYPE_PNG)));
    ASSERT_TRUE(png.IsOk());
    EXPECT_EQ(png.GetSize(), wxSize(64, 32));
    EXPECT_TRUE(LogoLibrary::Decode(Base64(ImageBytes(20, 10, wxBITMAP_TYPE_JPEG))).IsOk());
    EXPECT_TRUE(LogoLibrary::Decode(Base64(ImageBytes(20, 10, wxBITMAP_TYPE_GIF))).IsOk());
    EXPECT_EQ(LogoLibrary::Decode(Base64(ImageBytes(LogoLibrary::kMaxSide, 1, wxBITMAP_TYPE_PNG)))
                  .GetWidth(),
              LogoLibrary::kMaxSide);

    // A few kilobytes that declare 30000 x 30000 pixels, and a side just over the bound.
    std::string huge = ImageBytes(16, 16, wxBITMAP_TYPE_PNG);
    PutBigEndian32(huge, 16, 30000);
    PutBigEndian32(huge, 20, 30000);
    // Real images one pixel beyond the bound, which the toolkit would decode.
    const std::string wide = ImageBytes(LogoLibrary::kMaxSide + 1, 2, wxBITMAP_TYPE_PNG);
    const std::string high = ImageBytes(2, LogoLibrary::kMaxSide + 1, wxBITMAP_TYPE_JPEG);
    std::string broken = ImageBytes(16, 16, wxBITMAP_TYPE_PNG);
    broken.resize(40);  // a good header, then nothing
    const wxString refused[] = {
        "",
        Base64(huge),
        Base64(wide),
        Base64(high),
        Base64(GifWithFrame(5000, 3)),
        Base64(broken),
        Base64(ImageBytes(8, 8, wxBITMAP_TYPE_BMP)),
        Base64("Unknown image data"),
        "Zm9v YmFy",                                     // not strict Base64
        wxString('A', LogoLibrary::kMaxTextLength + 4),  // too long to even decode
    };
    for (const wxString& logo : refused)
        EXPECT_FALSE(LogoLibrary::Decode(logo).IsOk()) << logo.Left(40);
}

TEST_F(Logos, FittingScalesDownToTheWidthThenTheHeightButNeverToNothing)
{
    const wxImage image(400, 100);
    EXPECT_EQ(LogoLibrary::FitInto(image, 200, 0).GetSize(), wxSize(200, 50));
    EXPECT_EQ(LogoLibrary::FitInto(image, 400, 0).GetSize(), wxSize(400, 100));
    EXPECT_EQ(LogoLibrary::FitInto(image, 500, 80).GetSize(), wxSize(320, 80));
    EXPECT_EQ(LogoLibrary::FitInto(image, 300, 200).GetSize(), wxSize(300, 75));
    // The height is truncated, never below one pixel.
    EXPECT_EQ(LogoLibrary::FitInto(wxImage(300, 100), 200, 0).GetSize(), wxSize(200, 66));
    EXPECT_EQ(LogoLibrary::FitInto(wxImage(1000, 1), 10, 0).GetSize(), wxSize(10, 1));
    EXPECT_EQ(LogoLibrary::FitInto(wxImage(1, 1000), 10, 5).GetSize(), wxSize(1, 5));
    // A control not laid out yet has no width: the image is left alone.
    EXPECT_EQ(LogoLibrary::FitInto(image, 0, 0).GetSize(), wxSize(400, 100));
    EXPECT_FALSE(LogoLibrary::FitInto(wxImage(), 100, 100).IsOk());
}
