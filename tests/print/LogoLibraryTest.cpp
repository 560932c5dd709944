#include <cstring>
#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <wx/anidecod.h>
#include <wx/imaggif.h>

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/palette.h>
#include <wx/stopwatch.h>

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

void PutLittleEndian32(std::string& bytes, size_t at, unsigned long value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

std::string LittleEndian32(unsigned long value)
{
    std::string bytes(4, '\0');
    PutLittleEndian32(bytes, 0, value);
    return bytes;
}

// An icon of one entry holding the image bytes (a PNG).
std::string IconOf(const std::string& image)
{
    return std::string("\0\0\1\0\1\0\0\0\0\0\1\0\x20\0", 14) + LittleEndian32(image.size()) +
           LittleEndian32(22) + image;
}

// A width x 2 grey or colour PNM, in text (P2, P3) or binary (P5, P6), with a comment line.
std::string Pnm(char kind, int width)
{
    const bool colour = kind == '3' || kind == '6';
    std::string bytes =
        std::string("P") + kind + "\n# a comment\n" + std::to_string(width) + " 2\n255\n";
    for (int sample = 0; sample < width * 2 * (colour ? 3 : 1); ++sample)
        bytes += kind < '5' ? std::string("7 ") : std::string(1, '\7');
    return bytes;
}

// A GIF of the given number of frames, each a whole 4096 x 4096 image: the toolkit's encoding
// of one frame, its blocks (from its graphic control extension on) repeated.
std::string GifAnimation(size_t frames)
{
    const int side = LogoLibrary::kMaxSide;
    wxImage image(side, side);
    unsigned char red[] = {200, 0}, green[] = {40, 0}, blue[] = {40, 0};
    image.SetPalette(wxPalette(2, red, green, blue));
    wxImageArray images;
    images.Add(image);
    wxMemoryOutputStream stream;
    EXPECT_TRUE(wxGIFHandler().SaveAnimation(images, &stream, false));
    std::string bytes(stream.GetLength() - 1, '\0');  // without the trailer
    stream.CopyTo(bytes.data(), bytes.size());
    const std::string frame = bytes.substr(bytes.find("\x21\xf9\x04"));
    for (size_t i = 1; i < frames; ++i)
        bytes += frame;
    return bytes + '\x3b';
}

// A grey progressive JPEG of 4096 x 4096 pixels: a scan of DC values, then scans of AC values
// that end every block at once, cheap to write but each a pass over the image to decode. Each
// AC scan's marker may follow fill bytes (0xFF), which the decoder skips.
std::string ProgressiveJpeg(size_t scans, size_t fillBytes = 0)
{
    const std::string oneCode = '\1' + std::string(15, '\0');  // the code "0" in each table
    std::string bytes =
        std::string("\xff\xd8\xff\xdb\0\x43\0", 7) + std::string(64, '\1') +
        std::string("\xff\xc2\0\x0b\x08\x10\0\x10\0\1\1\x11\0\xff\xc4\0\x26\0", 18) + oneCode +
        std::string("\0\x10", 2) + oneCode + std::string("\xe0\xff\xda\0\x08\1\1\0\0\0\0", 11) +
        std::string(32768, '\0');
    const std::string acScan =
        std::string(fillBytes, '\xff') +
        std::string(
            "\xff\xda\0\x08\1\1\0\1\x3f\0\x7f\xfe\xff\0\xfd\xff\0\xfb\xff\0\xf7\xff\0\xef\xff\0\xdf"
            "\xff\0\xbf\xff\0\x7f\xff\0",
            35);
    for (size_t scan = 1; scan < scans; ++scan)
        bytes += acScan;
    return bytes + "\xff\xd9";
}

// The most memory, in kB, that decoding the logo (a whole 4096 pixels wide) holds at once: the
// growth of the peak resident size of a child process that does nothing else; -1 when it fails.
long DecodingPeakKb(const wxString& logo)
{
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
        const long before = ProcessStatusKb("VmHWM:");
        const bool decoded = LogoLibrary::Decode(logo).GetWidth() == LogoLibrary::kMaxSide;
        const long peak = decoded ? ProcessStatusKb("VmHWM:") - before : -1;
        _exit(write(channel[1], &peak, sizeof peak) == sizeof peak ? 0 : 1);
    }
    close(channel[1]);
    long peak = -1;
    if (read(channel[0], &peak, sizeof peak) != sizeof peak)
        peak = -1;
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return peak;
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

    // Text and headers cut short are not read.
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
    // Sides within the bound, but the decoder holds the image twice: an interlaced PNG of 16
    // bits a sample, and a TIFF of 16 bits a sample.
    std::string interlaced = huge;
    PutBigEndian32(interlaced, 16, 4096);
    PutBigEndian32(interlaced, 20, 4096);
    interlaced[24] = 16;  // bits a sample
    interlaced[25] = 6;   // colour and alpha
    interlaced[28] = 1;   // interlaced
    const std::string tiff(
        "II*\0\x08\0\0\0\x03\0"
        "\x00\x01\x03\0\x01\0\0\0\x00\x10\0\0"
        "\x01\x01\x03\0\x01\0\0\0\x00\x10\0\0"
        "\x02\x01\x03\0\x01\0\0\0\x10\0\0\0\0\0\0\0",
        50);
    EXPECT_EQ(HeaderSize(tiff), wxSize(4096, 4096));
    wxMemoryBuffer bytes;
    EXPECT_EQ(LogoLibrary::Check(Base64(interlaced), &bytes), wxBITMAP_TYPE_INVALID);
    EXPECT_EQ(LogoLibrary::Check(Base64(tiff), &bytes), wxBITMAP_TYPE_INVALID);
    interlaced[24] = 8;  // the same side, read row by row in 8 bits a sample
    interlaced[28] = 0;
    EXPECT_EQ(LogoLibrary::Check(Base64(interlaced), &bytes), wxBITMAP_TYPE_PNG);
    const wxString refused[] = {
        "",
        Base64(huge),
        Base64(wide),
        Base64(high),
        Base64(GifWithFrame(5000, 3)),
        Base64(broken),
        Base64("Unknown image data"),
        "Zm9v YmFy",                                     // not strict Base64
        wxString('A', LogoLibrary::kMaxTextLength + 4),  // too long to even decode
    };
    for (const wxString& logo : refused)
        EXPECT_FALSE(LogoLibrary::Decode(logo).IsOk()) << logo.Left(40);
}

TEST_F(Logos, EveryAcceptedFormatDecodesAndAnOverLargeOneIsRefusedUndecoded)
{
    const int over = LogoLibrary::kMaxSide + 1;
    std::string largeIcon = ImageBytes(7, 2, wxBITMAP_TYPE_ICO);
    PutLittleEndian32(largeIcon, 22 + 4, over);  // the bitmap's width, not the directory's
    std::string largeCursor = ImageBytes(7, 2, wxBITMAP_TYPE_CUR);
    PutLittleEndian32(largeCursor, 22 + 4, over);
    struct Format {
        wxBitmapType type;
        std::string small;  // 7 x 2 pixels
        std::string large;  // over the bound, which the toolkit would decode
    };
    const Format formats[] = {
        {wxBITMAP_TYPE_BMP, ImageBytes(7, 2, wxBITMAP_TYPE_BMP),
         ImageBytes(over, 2, wxBITMAP_TYPE_BMP)},
        {wxBITMAP_TYPE_TIFF, ImageBytes(7, 2, wxBITMAP_TYPE_TIFF),
         ImageBytes(over, 2, wxBITMAP_TYPE_TIFF)},
        {wxBITMAP_TYPE_PCX, ImageBytes(7, 2, wxBITMAP_TYPE_PCX),
         ImageBytes(over, 2, wxBITMAP_TYPE_PCX)},
        {wxBITMAP_TYPE_XPM, ImageBytes(7, 2, wxBITMAP_TYPE_XPM),
         ImageBytes(over, 2, wxBITMAP_TYPE_XPM)},
        {wxBITMAP_TYPE_TGA, ImageBytes(7, 2, wxBITMAP_TYPE_TGA),
         ImageBytes(over, 2, wxBITMAP_TYPE_TGA)},
        {wxBITMAP_TYPE_PNM, Pnm('2', 7), Pnm('2', over)},
        {wxBITMAP_TYPE_PNM, Pnm('3', 7), Pnm('3', over)},
        {wxBITMAP_TYPE_PNM, Pnm('5', 7), Pnm('5', over)},
        {wxBITMAP_TYPE_PNM, ImageBytes(7, 2, wxBITMAP_TYPE_PNM),
         ImageBytes(over, 2, wxBITMAP_TYPE_PNM)},
        {wxBITMAP_TYPE_ICO, ImageBytes(7, 2, wxBITMAP_TYPE_ICO), largeIcon},
        {wxBITMAP_TYPE_CUR, ImageBytes(7, 2, wxBITMAP_TYPE_CUR), largeCursor},
        {wxBITMAP_TYPE_ICO, IconOf(ImageBytes(7, 2, wxBITMAP_TYPE_PNG)),
         IconOf(ImageBytes(over, 2, wxBITMAP_TYPE_PNG))},
    };
    for (const Format& format : formats) {
        SCOPED_TRACE(format.small.substr(0, 4));
        wxMemoryBuffer bytes;
        EXPECT_EQ(LogoLibrary::Check(Base64(format.small), &bytes), format.type);
        EXPECT_EQ(LogoLibrary::Decode(Base64(format.small)).GetSize(), wxSize(7, 2));
        EXPECT_EQ(LogoLibrary::Check(Base64(format.large), &bytes), wxBITMAP_TYPE_INVALID);
    }

    // Formats whose decoders are not trusted with a logo, though the toolkit reads these.
    std::string iff = std::string("FORM\0\0\0\x2eILBMBMHD\0\0\0\x14\0\x40\0\x30", 24) +
                      std::string(16, '\0') + std::string("BODY\0\0\0\2\0\0", 10);
    std::string ani = std::string("RIFF\0\0\0\0ACONanih\x24\0\0\0\x24", 21) +
                      std::string(35, '\0') + IconOf(ImageBytes(7, 2, wxBITMAP_TYPE_PNG));
    const std::pair<wxBitmapType, std::string> refused[] = {{wxBITMAP_TYPE_IFF, iff},
                                                            {wxBITMAP_TYPE_ANI, ani}};
    for (const auto& [type, data] : refused) {
        wxMemoryInputStream stream(data.data(), data.size());
        EXPECT_TRUE(wxImage::FindHandler(type)->CanRead(stream)) << type;
        EXPECT_EQ(HeaderSize(data), wxSize(-1, -1)) << type;
    }
}

TEST_F(Logos, AJpegOfMoreScansThanRealImagesHaveIsRefusedUndecoded)
{
    // The decoder passes over the whole image for each scan; this one took 91 s. The bound
    // is loose enough for a loaded machine and the sanitizers (the logo at the limit takes
    // 0.4 s alone) and still far below what one unchecked logo costs.
    wxStopWatch watch;
    EXPECT_FALSE(LogoLibrary::Decode(Base64(ProgressiveJpeg(80820))).IsOk());
    EXPECT_FALSE(LogoLibrary::Decode(Base64(ProgressiveJpeg(33))).IsOk());
    EXPECT_FALSE(LogoLibrary::Decode(Base64(ProgressiveJpeg(3000, 2))).IsOk());
    EXPECT_EQ(LogoLibrary::Decode(Base64(ProgressiveJpeg(32))).GetSize(), wxSize(4096, 4096));
    EXPECT_LT(watch.Time(), 5000);
    for (const char compression : {6, 7}) {  // JPEG inside TIFF, old style and new
        std::string jpegTiff = ImageBytes(7, 2, wxBITMAP_TYPE_TIFF);
        jpegTiff.at(jpegTiff.find(std::string("\x03\x01\x03\0\1\0\0\0", 8)) + 8) = compression;
        EXPECT_EQ(HeaderSize(jpegTiff), wxSize(-1, -1)) << int(compression);
    }
}

TEST_F(Logos, AnAnimatedGifTakesTheMemoryOfItsFirstFrameAlone)
{
    // About 180 KB of Base64 that the decoder would make into 10 images of 16 million pixels.
    const long firstFrame = DecodingPeakKb(Base64(GifAnimation(1)));
    const long everyFrame = DecodingPeakKb(Base64(GifAnimation(10)));
    ASSERT_GT(firstFrame, 0);
    EXPECT_GT(everyFrame, 0);
    EXPECT_LT(everyFrame, firstFrame * 1.1) << firstFrame;
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
