#include <gtest/gtest.h>

#include "TestSupport.h"
#include "directory/CsvConfigType.h"
#include "lib/core/BKConfiguration.h"

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

// The choices come back from the user's configuration file as they were made, also those that
// the file's syntax would otherwise eat: blanks, a comment sign, an empty delimiter.
TEST(CsvConfigType, ChoicesComeBackFromTheConfigurationFile)
{
    const CsvConfigType cases[] = {
        CsvConfigType("/tmp/a b#c.csv", "\t", "", "\r\n", true, " \xC2\xB6 "),
        CsvConfigType("/tmp/l.xlsx", "; ", "#", "\r", false, "%41\""),
        CsvConfigType("/tmp/x.csv", "", "\"", "\n", true, ""),
    };
    TempDir dir;
    const wxString file = dir.Path("conf");
    for (CsvConfigType chosen : cases) {
        const bool workbook = chosen.GetFilename().EndsWith(".xlsx");
        chosen.SetWorkbook(workbook);
        chosen.SetByteOrderMark(!workbook);
        Brenik::BKConfiguration written("#", false);
        chosen.Store(written);
        ASSERT_TRUE(written.Save(file, "\n"));
        Brenik::BKConfiguration read("#", false);
        ASSERT_TRUE(read.Load(file));
        CsvConfigType restored;
        restored.Restore(read);
        EXPECT_EQ(restored.ToString(), chosen.ToString());
        EXPECT_EQ(restored.IsWorkbook(), workbook);
        EXPECT_EQ(restored.IsByteOrderMark(), !workbook);
    }

    // What a hand wrote and the program cannot read leaves the choice as it was.
    ASSERT_TRUE(WriteTextFile(file,
                              "ExportFieldDelimiter ;\nExportTextDelimiter \"%4\"\n"
                              "ExportLineBreak CRCR\nExportFormat pdf\n"
                              "ExportReplaceLineBreakWith \"%FF\"\n"));
    Brenik::BKConfiguration hand("#", false);
    ASSERT_TRUE(hand.Load(file));
    CsvConfigType restored("", "|", "'", "\r", false, "x");
    restored.SetWorkbook(true);
    restored.Restore(hand);
    EXPECT_EQ(restored.ToString(), CsvConfigType("", "|", "'", "\r", false, "x").ToString());
    EXPECT_TRUE(restored.IsWorkbook());
}
