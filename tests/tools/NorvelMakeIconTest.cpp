// Runs norvel-makeicon and reads the icon back byte by byte and through the toolkit's loader.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <wx/image.h>

#include "TestSupport.h"
#include "tools/ToolProcess.h"

namespace {

uint32_t LittleEndian(const std::string& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

TEST(NorvelMakeIcon, WritesFourBgraSizesWithMasksTheToolkitReads)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    const wxString icon = dir.Path("NorvelIcon.ico");
    ASSERT_EQ(0,
              RunTool(NORVEL_MAKEICON, ShellQuote(icon), dir.Path("out.txt"), dir.Path("err.txt")))
        << ReadTextFile(dir.Path("err.txt"));

    const std::string bytes = ReadTextFile(icon);
    ASSERT_GE(bytes.size(), 6u + 4 * 16);
    EXPECT_EQ(0u, LittleEndian(bytes, 0, 2));
    EXPECT_EQ(1u, LittleEndian(bytes, 2, 2));  // an icon, not a cursor
    ASSERT_EQ(4u, LittleEndian(bytes, 4, 2));
    const uint32_t sizes[] = {16, 32, 48, 64};
    size_t expectedOffset = 6 + 4 * 16;
    for (int i = 0; i < 4; ++i) {
        const size_t entry = 6 + 16 * i;
        const uint32_t size = sizes[i];
        EXPECT_EQ(size, LittleEndian(bytes, entry, 1));
        EXPECT_EQ(size, LittleEndian(bytes, entry + 1, 1));
        EXPECT_EQ(32u, LittleEndian(bytes, entry + 6, 2));
        const uint32_t length = LittleEndian(bytes, entry + 8, 4);
        const uint32_t offset = LittleEndian(bytes, entry + 12, 4);
        EXPECT_EQ(expectedOffset, offset);
        // Header, colour rows and a mask whose rows are padded to 32 bits.
        EXPECT_EQ(40 + size * size * 4 + (size + 31) / 32 * 4 * size, length);
        ASSERT_LE(offset + length, bytes.size());
        EXPECT_EQ(40u, LittleEndian(bytes, offset, 4));
        EXPECT_EQ(size, LittleEndian(bytes, offset + 4, 4));
        EXPECT_EQ(2 * size, LittleEndian(bytes, offset + 8, 4));  // colours and mask
        EXPECT_EQ(32u, LittleEndian(bytes, offset + 14, 2));
        EXPECT_EQ(0u, LittleEndian(bytes, offset + 16, 4));  // uncompressed
        // The first mask byte covers the bottom-left corner, which is transparent.
        const size_t mask = offset + 40 + size * size * 4;
        EXPECT_NE(0, bytes[mask] & 0x80);
        expectedOffset = offset + length;
    }
    EXPECT_EQ(expectedOffset, bytes.size());

    if (!wxImage::FindHandler(wxBITMAP_TYPE_ICO))
        wxImage::AddHandler(new wxICOHandler);
    EXPECT_EQ(4, wxImage::GetImageCount(icon, wxBITMAP_TYPE_ICO));
    for (int i = 0; i < 4; ++i) {
        wxImage image;
        ASSERT_TRUE(image.LoadFile(icon, wxBITMAP_TYPE_ICO, i)) << i;
        const int size = static_cast<int>(sizes[i]);
        ASSERT_EQ(size, image.GetWidth());
        ASSERT_EQ(size, image.GetHeight());
        ASSERT_TRUE(image.HasAlpha());
        EXPECT_EQ(0, image.GetAlpha(0, 0)) << size;
        EXPECT_EQ(0, image.GetAlpha(size - 1, size - 1)) << size;
        // Blue near the top edge, white on the lens ring, and soft edges in between.
        const int middle = size / 2;
        EXPECT_EQ(255, image.GetAlpha(middle, 2)) << size;
        EXPECT_GT(image.GetBlue(middle, 2), image.GetRed(middle, 2) + 60) << size;
        bool white = false, partial = false;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                white = white || (image.GetRed(x, y) > 240 && image.GetGreen(x, y) > 240 &&
                                  image.GetBlue(x, y) > 240 && image.GetAlpha(x, y) == 255);
                partial = partial || (image.GetAlpha(x, y) > 0 && image.GetAlpha(x, y) < 255);
            }
        EXPECT_TRUE(white) << size;
        EXPECT_TRUE(partial) << size;
    }

    EXPECT_EQ(1, RunTool(NORVEL_MAKEICON, ShellQuote(dir.Path("missing/x.ico")),
                         dir.Path("out.txt"), dir.Path("err.txt")));
    EXPECT_EQ(2, RunTool(NORVEL_MAKEICON, "", dir.Path("out.txt"), dir.Path("err.txt")));
}
