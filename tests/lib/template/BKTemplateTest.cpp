#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/regex.h>

#include "TestSupport.h"
#include "lib/core/BKDateTime.h"
#include "lib/entity/BKEntity.h"
#include "lib/template/BKTemplate.h"

using Brenik::BKTemplate;

TEST(BKTemplate, ReplacesOnlyExactPlaceholdersOfEachKind)
{
    BKTemplate sheet;
    EXPECT_EQ(sheet.GetClassInfo().GetName(), "BKTemplate");
    EXPECT_EQ(sheet.GetClassInfo().GetVersion(), "2.0.0");

    sheet.SetContent("<p>no placeholders</p>");
    EXPECT_EQ(sheet.Parse(), "<p>no placeholders</p>");
    sheet.ClearParsed();

    sheet.SetContent("{s:name}|{S:name}|{s: name}|{s:Name}|{s:name}|{d:page}|{i:unknown}");
    sheet.SetVariable("name", wxString::FromUTF8("Weiß"));
    sheet.SetDynamicVariable("page", "3");
    EXPECT_EQ(sheet.Parse(),
              wxString::FromUTF8("Weiß|{S:name}|{s: name}|{s:Name}|Weiß|3|{i:unknown}"));

    // Asking for an unknown variable enters it empty, so its placeholder disappears.
    EXPECT_EQ(sheet.GetInternVariable("unknown"), "");
    EXPECT_EQ(sheet.Parse(), wxString::FromUTF8("Weiß|{S:name}|{s: name}|{s:Name}|Weiß|3|"));
}

TEST(BKTemplate, ParsedTextGrowsUntilCleared)
{
    BKTemplate sheet;
    sheet.SetContent("[{s:n}]");
    sheet.SetVariable("n", "1");
    sheet.Parse();
    sheet.SetVariable("n", "2");
    EXPECT_EQ(sheet.Parse(), "[2]");
    EXPECT_EQ(sheet.Get(), "[1][2]");
    EXPECT_EQ(sheet.GetCopy(), "[1][2]");
    sheet.ClearParsed();
    EXPECT_EQ(sheet.Get(), "");
}

TEST(BKTemplate, InternVariablesHoldTheMomentOfCreationAndReachInsertedValues)
{
    const wxString before = Brenik::BKDateTime::Now().ToDatabaseDateTime();
    BKTemplate sheet;
    const wxString after = Brenik::BKDateTime::Now().ToDatabaseDateTime();

    const wxString date = sheet.GetInternVariable("date");
    const wxString time = sheet.GetInternVariable("time");
    EXPECT_EQ(sheet.GetInternVariable("datetime"), date + " " + time);
    EXPECT_TRUE(wxRegEx("^[0-9]{4}-[0-9]{2}-[0-9]{2}$").Matches(date)) << date;
    EXPECT_TRUE(wxRegEx("^[0-9]{2}:[0-9]{2}:[0-9]{2}$").Matches(time)) << time;
    EXPECT_GE(date + " " + time, before);
    EXPECT_LE(date + " " + time, after);
    EXPECT_EQ(sheet.GetInternVariables().size(), 3u);

    // The passes run in the order ordinary, intern, dynamic: a value brings placeholders of
    // the later kinds in.
    sheet.SetContent("{s:text}");
    sheet.SetVariable("text", "am {i:date} auf {d:page}");
    sheet.SetDynamicVariable("page", "Seite 1");
    EXPECT_EQ(sheet.Parse(), "am " + date + " auf Seite 1");
}

TEST(BKTemplate, RootGetsTheSeparatorAndFilesAreReadBelowIt)
{
    const wxString separator = wxFileName::GetPathSeparator();
    EXPECT_EQ(BKTemplate("print").GetRoot(), "print" + separator);
    EXPECT_EQ(BKTemplate("print" + separator).GetRoot(), "print" + separator);
    EXPECT_EQ(BKTemplate().GetRoot(), "");

    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.Path("sheet.tpl"), "<h1>{s:name}</h1>\nÄrger & Söhne"));
    BKTemplate sheet(dir.Path());
    EXPECT_EQ(sheet.SetFile("sheet.tpl"), 0);
    EXPECT_EQ(sheet.GetFilename(), "sheet.tpl");
    EXPECT_EQ(sheet.GetContent(), wxString::FromUTF8("<h1>{s:name}</h1>\nÄrger & Söhne"));

    // A missing file leaves the content as it was; text that is not UTF-8 is refused.
    EXPECT_EQ(sheet.SetFile("missing.tpl"), -2);
    EXPECT_EQ(sheet.GetFilename(), "missing.tpl");
    EXPECT_EQ(sheet.GetContentCopy(), wxString::FromUTF8("<h1>{s:name}</h1>\nÄrger & Söhne"));
    ASSERT_TRUE(WriteTextFile(dir.Path("latin1.tpl"), "M\xfcller"));
    EXPECT_EQ(sheet.SetFile("latin1.tpl"), -3);
    EXPECT_EQ(sheet.GetContentCopy(), wxString::FromUTF8("<h1>{s:name}</h1>\nÄrger & Söhne"));

    // A byte-order mark chooses the encoding.
    ASSERT_TRUE(WriteTextFile(dir.Path("utf16.tpl"), std::string("\xff\xfeW\0e\0i\0\xdf\0", 10)));
    EXPECT_EQ(sheet.SetFile("utf16.tpl"), 0);
    EXPECT_EQ(sheet.GetContent(), wxString::FromUTF8("Weiß"));
    // Bytes after the mark that do not decode are refused as well; a mark alone is empty text.
    ASSERT_TRUE(WriteTextFile(dir.Path("bom-latin1.tpl"), "\xef\xbb\xbfM\xfcller"));
    EXPECT_EQ(sheet.SetFile("bom-latin1.tpl"), -3);
    ASSERT_TRUE(WriteTextFile(dir.Path("utf16-odd.tpl"), std::string("\xff\xfeW\0e", 5)));
    EXPECT_EQ(sheet.SetFile("utf16-odd.tpl"), -3);
    EXPECT_EQ(sheet.GetContent(), wxString::FromUTF8("Weiß"));
    ASSERT_TRUE(WriteTextFile(dir.Path("bom-only.tpl"), "\xef\xbb\xbf"));
    EXPECT_EQ(sheet.SetFile("bom-only.tpl"), 0);
    EXPECT_EQ(sheet.GetContent(), "");

    // An empty root takes the file name as it stands.
    BKTemplate plain;
    EXPECT_EQ(plain.SetFile(dir.Path("sheet.tpl")), 0);
}

TEST(BKTemplate, EntityFieldsBecomeOrdinaryVariablesUnescaped)
{
    Brenik::BKEntity company;
    company.Set("name", wxString::FromUTF8("Müller & Söhne <Bau>"), true, true, "", 0, true);
    company.Set("staff", 0, false, false, "", 0, true);
    BKTemplate sheet;
    sheet.SetVariable("other", "stays");
    sheet.SetVariable("staff", "old");
    sheet.SetEntity(&company);
    sheet.SetEntity(nullptr);
    sheet.SetContent("{s:name}|{s:staff}|{s:other}");
    EXPECT_EQ(sheet.Parse(), wxString::FromUTF8("Müller & Söhne <Bau>|0|stays"));
}
