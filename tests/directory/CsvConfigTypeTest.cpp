#include <gtest/gtest.h>

#include "directory/CsvConfigType.h"

TEST(CsvConfigType, DefaultsSettingsResetAndSummary)
{
    CsvConfigType config;
    EXPECT_EQ("", config.GetFilename());
    EXPECT_EQ(";", config.GetFieldDelimiter());
    EXPECT_EQ("\"", config.GetTextDelimiter());
    EXPECT_EQ("\n", config.GetLineBreak());
    EXPECT_FALSE(config.IsReplaceLineBreak());
    EXPECT_EQ("", config.GetReplaceLineBreakWith());
    EXPECT_EQ("", config.ToUtf8().fileStart);  // no byte-order mark unless asked for

    CsvConfigType chosen("/tmp/a.csv", "\t", "'", "\r\n", true, wxString::FromUTF8("\xC2\xB6"));
    CsvConfigType copy = chosen;
    EXPECT_EQ("/tmp/a.csv", copy.GetFilename());
    EXPECT_EQ("\t", copy.GetFieldDelimiter());
    EXPECT_EQ("'", copy.GetTextDelimiter());
    EXPECT_EQ("\r\n", copy.GetLineBreak());
    EXPECT_TRUE(copy.IsReplaceLineBreak());
    EXPECT_EQ("\xC2\xB6", copy.ToUtf8().replaceLineBreakWith);
    EXPECT_EQ("\r\n", copy.ToUtf8().lineBreak);
    copy.SetByteOrderMark(true);
    EXPECT_EQ("\xEF\xBB\xBF", copy.ToUtf8().fileStart);
    EXPECT_EQ(
        "Filename: /tmp/a.csv\nField delimiter: \t\nText delimiter: '\nLine break: \r\n\n"
        "Replace line break: yes\nReplace line break with: \xC2\xB6\n",
        copy.ToString().utf8_string());

    copy.Reset();
    EXPECT_EQ("", copy.GetFilename());
    EXPECT_EQ(";", copy.GetFieldDelimiter());
    EXPECT_EQ("\"", copy.GetTextDelimiter());
    EXPECT_EQ("\n", copy.GetLineBreak());
    EXPECT_FALSE(copy.IsReplaceLineBreak());
    EXPECT_EQ("", copy.GetReplaceLineBreakWith());
    EXPECT_FALSE(copy.IsByteOrderMark());
    EXPECT_EQ("/tmp/a.csv", chosen.GetFilename());  // a copy, not a view
}
