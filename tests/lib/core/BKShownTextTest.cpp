#include "lib/core/BKShownText.h"

#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"

using Brenik::BKShownText;

namespace {

const BKShownText::Lines kOne = BKShownText::Lines::kOne;
const BKShownText::Lines kMany = BKShownText::Lines::kMany;

std::string Repeat(const std::string& piece, size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t index = 0; index < times; ++index)
        text += piece;
    return text;
}

}  // namespace

// What a value becomes in one line and in many, each row a kind of trouble a directory can
// hold.
TEST(BKShownText, ValuesAsTheWindowsShowThem)
{
    const std::string accents = Repeat("\xCC\x81", 40);  // U+0301, forty times
    const std::string thirty = Repeat("\xCC\x81", 30);
    struct Row {
        std::string value;
        size_t length;
        const char* oneLine;
        const char* manyLines;
    };
    const Row rows[] = {
        {"Müller GmbH", 500, "Müller GmbH", "Müller GmbH"},
        {"a\nb\r\nc\rd\te", 500, "a b  c d e", "a\nb\nc\nd\te"},
        {"x\r", 500, "x ", "x\n"},
        {"Rechnung\xE2\x80\xAE"
         "fdp.exe",
         500, "Rechnungfdp.exe", "Rechnungfdp.exe"},
        {"a\x1B[31m\x07\x7F\xC2\x85z", 500, "a [31m   z", "a [31m   z"},
        {"\xEF\xBB\xBF"
         "a\xE2\x80\x8B"
         "b\xE2\x81\xA6"
         "c\xE2\x80\xA8"
         "d",
         500, "abc d", "abc\nd"},
        {"e" + accents + "f" + thirty, 500, nullptr, nullptr},
        {"abcdef", 4, "abcd\xE2\x80\xA6", "abcd\xE2\x80\xA6"},
        {"abcd", 4, "abcd", "abcd"},
        {"abcd\xE2\x80\xAE", 4, "abcd", "abcd"},
        {"\xC3\xBC\xFF\xC3", 500, "ü\xEF\xBF\xBD\xEF\xBF\xBD", "ü\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xED\xA0\x80\xC0\xAF", 500,
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", nullptr},
        {"\xF0\x9F\x98\x80", 500, "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"\xEF\xBF\xBD\xE2\x80\xA6", 1, "\xEF\xBF\xBD\xE2\x80\xA6", "\xEF\xBF\xBD\xE2\x80\xA6"},
        {"ab\xE2\x80\x8B", 2, "ab", "ab"},
    };
    for (const Row& row : rows) {
        const std::string expected = row.oneLine ? row.oneLine : "e" + thirty + "f" + thirty;
        // The list takes its cells in UTF-8.
        std::string scratch;
        EXPECT_EQ(BKShownText::Utf8(row.value, kOne, row.length, scratch), expected) << row.value;
        EXPECT_EQ(BKShownText::Of(row.value, kOne, row.length).utf8_string(), expected)
            << row.value;
        if (row.manyLines || !row.oneLine) {
            const std::string many = row.manyLines ? row.manyLines : expected;
            EXPECT_EQ(BKShownText::Of(row.value, kMany, row.length).utf8_string(), many)
                << row.value;
            EXPECT_EQ(BKShownText::Utf8(row.value, kMany, row.length, scratch), many) << row.value;
        }
    }
}

// The rule runs on every value a window shows, so the worst values a directory can hold must
// pass in a moment: its work ends with the shown text, and grows with the value's length
// alone.
TEST(BKShownText, HostileValuesPassQuickly)
{
    const std::string values[] = {
        std::string(20 * 1000 * 1000, 'V'),
        "a" + Repeat("\xCC\x81", 200 * 1000),
        Repeat("\xE2\x80\xAE", 3 * 1000 * 1000),
        Repeat("\n", 5 * 1000 * 1000),
    };
    for (const std::string& value : values) {
        const auto start = std::chrono::steady_clock::now();
        const wxString shown = BKShownText::Of(value, kMany, BKShownText::kPageLength);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LE(shown.length(), BKShownText::kPageLength + 1);
        EXPECT_LT(took, std::chrono::milliseconds(300) * kSanitizerSlowdown) << value.substr(0, 10);
    }
}
