#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include <wx/filename.h>

#include "TestSupport.h"
#include "print/Base64Library.h"

using Mode = Base64Library::wxBase64DecodeMode;

namespace {

const std::pair<const char*, const char*> kRfc4648Vectors[] = {{"", ""},
                                                               {"f", "Zg=="},
                                                               {"fo", "Zm8="},
                                                               {"foo", "Zm9v"},
                                                               {"foob", "Zm9vYg=="},
                                                               {"fooba", "Zm9vYmE="},
                                                               {"foobar", "Zm9vYmFy"}};

std::string Decoded(const wxString& text, Mode mode = Mode::Strict, size_t* error = nullptr)
{
    const wxMemoryBuffer bytes = Base64Library().wxBase64Decode(text, mode, error);
    return std::string(static_cast<const char*>(bytes.GetData()), bytes.GetDataLen());
}

// The decoding's result and error position for an 8-bit text.
struct Outcome {
    size_t result;
    size_t position;
};

Outcome Decode(const char* text, Mode mode)
{
    unsigned char output[64];
    Outcome outcome{0, 999};
    outcome.result = Base64Library().wxBase64Decode(output, sizeof output, text,
                                                    Base64Library::kToNul, mode, &outcome.position);
    return outcome;
}

}  // namespace

TEST(Base64Library, EncodesAndDecodesTheStandardVectors)
{
    Base64Library base64;
    for (const auto& [plain, encoded] : kRfc4648Vectors) {
        EXPECT_EQ(base64.wxBase64Encode(plain, std::strlen(plain)), encoded) << plain;
        EXPECT_EQ(Decoded(encoded), plain) << encoded;
        // The low-level forms: measuring, then writing without a terminating NUL.
        const size_t length = std::strlen(encoded);
        EXPECT_EQ(base64.wxBase64Encode(nullptr, 0, plain, std::strlen(plain)), length);
        char text[16];
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(base64.wxBase64Encode(text, length, plain, std::strlen(plain)), length);
        EXPECT_EQ(std::string(text, length), encoded);
        EXPECT_EQ(text[length], '#');
        EXPECT_EQ(base64.wxBase64Decode(nullptr, 0, encoded), std::strlen(plain));
    }
    wxMemoryBuffer buffer;
    buffer.AppendData("foob", 4);
    EXPECT_EQ(base64.wxBase64Encode(buffer), "Zm9vYg==");
    // Non-ASCII characters of a string become "_", which is no Base64.
    EXPECT_EQ(Decoded(wxString::FromUTF8("Zm9vYmF\xc3\xa4")), "");
}

TEST(Base64Library, RefusesNullInputAndOutputsTooSmall)
{
    Base64Library base64;
    char text[8];
    EXPECT_EQ(base64.wxBase64Encode(text, sizeof text, nullptr, 3), Base64Library::kFailed);
    EXPECT_EQ(base64.wxBase64Encode(text, 3, "foo", 3), Base64Library::kFailed);
    EXPECT_EQ(base64.wxBase64Encode(nullptr, 3), "");
    unsigned char bytes[8];
    EXPECT_EQ(base64.wxBase64Decode(bytes, 5, "Zm9vYmFy"), Base64Library::kFailed);
    EXPECT_EQ(base64.wxBase64Decode(bytes, 3, "Zm9vYg=="), Base64Library::kFailed);
    EXPECT_EQ(base64.wxBase64Decode(bytes, 4, "Zm9vYg=="), 4u);
    EXPECT_EQ(base64.wxBase64Decode(bytes, 8, static_cast<const char*>(nullptr)),
              Base64Library::kFailed);
    // An explicit length stops before the rest of the text.
    EXPECT_EQ(base64.wxBase64Decode(bytes, 8, "Zm9v!!!!", 4), 3u);
}

TEST(Base64Library, ModesDecideAboutWhiteSpaceAndOtherCharacters)
{
    struct Case {
        const char* text;
        Mode mode;
        size_t result;  // bytes, or kFailed
        size_t position;
    };
    const size_t failed = Base64Library::kFailed;
    const Case cases[] = {
        {"Zm9v\nYmFy", Mode::Strict, failed, 4},
        {"Zm9v\nYmFy", Mode::SkipWhiteSpace, 6, 999},
        {"Zm9v\nYmFy", Mode::Relaxed, 6, 999},
        {" Zm9v\t\r\f YmFy ", Mode::SkipWhiteSpace, 6, 999},
        {"Zm9v*YmFy", Mode::SkipWhiteSpace, failed, 4},
        {"Zm9v*YmFy", Mode::Relaxed, 6, 999},
        {"Zm9v\vYmFy", Mode::SkipWhiteSpace, failed, 4},  // a vertical tab is no white space
        {"Zm9v\vYmFy", Mode::Relaxed, 6, 999},
        {"Zg=x", Mode::Strict, failed, 3},           // one padding character in third place
        {"Zg= =", Mode::SkipWhiteSpace, failed, 3},  // nothing between the two
        {"Zg=", Mode::Strict, failed, 2},
        {"Z", Mode::Strict, failed, 0},  // a single character: incomplete group
        {"Zm9vY", Mode::Strict, failed, 4},
        {"Zm9vYm", Mode::Relaxed, failed, 5},
        {"Zg==Zg==", Mode::Strict, failed, 4},  // data after padding
        {"Zg== ", Mode::SkipWhiteSpace, 1, 999},
        {"Zm9=", Mode::Strict, 2, 999},
        {"Z===", Mode::Strict, failed, 1},  // padding in second place
        {"=Zm9", Mode::Strict, failed, 0},
        {"Zm9v====", Mode::Strict, failed, 4},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Decode(c.text, c.mode);
        EXPECT_EQ(outcome.result, c.result) << c.text << " mode " << static_cast<int>(c.mode);
        EXPECT_EQ(outcome.position, c.position) << c.text << " mode " << static_cast<int>(c.mode);
    }
    // A text with a NUL inside, given with its length: NUL is white space.
    unsigned char bytes[8];
    EXPECT_EQ(
        Base64Library().wxBase64Decode(bytes, sizeof bytes, "Zm9v\0YmFy", 9, Mode::SkipWhiteSpace),
        6u);
}

TEST(Base64Library, RandomBytesSurviveTheRoundTrip)
{
    std::mt19937 random(4648);
    Base64Library base64;
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        const wxString text = base64.wxBase64Encode(bytes.data(), bytes.size());
        EXPECT_EQ(text.length(), (bytes.size() + 2) / 3 * 4);
        EXPECT_EQ(Decoded(text), bytes);
        // Broken into lines, the text is only read outside strict mode.
        wxString lines;
        for (size_t at = 0; at < text.length(); at += 76)
            lines += text.Mid(at, 76) + "\r\n";
        EXPECT_EQ(Decoded(lines, Mode::SkipWhiteSpace), bytes);
        if (text.length() > 76) {
            EXPECT_EQ(Decoded(lines), "");
        }
    }
}

TEST(Base64Library, FilesAreReadAndWrittenOnlyForGoodText)
{
    TempDir dir;
    Base64Library base64;
    const wxString file = dir.Path("logo.bin");
    const std::string bytes("\x89PNG\r\n\x1a\n\0\xff", 10);
    ASSERT_TRUE(WriteTextFile(file, bytes));

    wxString text = "unchanged";
    EXPECT_FALSE(base64.FileToBase64(dir.Path("missing"), text));
    EXPECT_EQ(text, "unchanged");
    ASSERT_TRUE(base64.FileToBase64(file, text));
    EXPECT_EQ(Decoded(text), bytes);

    const wxString copy = dir.Path("copy.bin");
    ASSERT_TRUE(base64.Base64ToFile(copy, text));
    EXPECT_EQ(ReadTextFile(copy), bytes);

    // Malformed text is a failure and leaves the existing file as it was.
    EXPECT_FALSE(base64.Base64ToFile(copy, "Zm9v\nYmFy"));
    EXPECT_EQ(ReadTextFile(copy), bytes);
    EXPECT_FALSE(base64.Base64ToFile(dir.Path("new.bin"), "!"));
    EXPECT_FALSE(wxFileName::FileExists(dir.Path("new.bin")));
    EXPECT_FALSE(base64.Base64ToFile(dir.Path("no/such/dir/file"), text));

    ASSERT_TRUE(base64.Base64ToFile(copy, ""));
    EXPECT_EQ(ReadTextFile(copy), "");
}

TEST(Base64Library, TemporaryFilesTakeTheNextFreeNumberAndNeverFollowALink)
{
    TempDir dir;
    Base64Library base64;
    const wxString folder = dir.Path() + "/";
    ASSERT_TRUE(WriteTextFile(folder + "0", "taken"));
    ASSERT_TRUE(WriteTextFile(folder + "1", "taken"));
    // A link planted under the next name must not lead the write to its target.
    const wxString target = dir.Path("target");
    ASSERT_TRUE(WriteTextFile(target, "precious"));
    ASSERT_EQ(symlink(target.utf8_string().c_str(), (folder + "2").utf8_string().c_str()), 0);

    const wxString name = base64.Base64ToTemporaryFile("Zm9vYmFy", folder);
    EXPECT_EQ(name, folder + "3");
    EXPECT_EQ(ReadTextFile(name), "foobar");
    EXPECT_EQ(ReadTextFile(target), "precious");
    EXPECT_EQ(ReadTextFile(folder + "0"), "taken");

    EXPECT_EQ(base64.Base64ToTemporaryFile("Zm9v*", folder), "");
    EXPECT_FALSE(wxFileName::FileExists(folder + "4"));
    EXPECT_EQ(base64.Base64ToTemporaryFile("Zm9v", dir.Path("missing") + "/"), "");

    // Without a directory the system's temporary directory is used, with a separator.
    const wxString system = base64.Base64ToTemporaryFile("Zm9v", "");
    ASSERT_FALSE(system.empty());
    EXPECT_EQ(ReadTextFile(system), "foo");
    EXPECT_TRUE(wxFileName(system).GetName().IsNumber());
    wxRemoveFile(system);
}
