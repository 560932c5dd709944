#include <cstdio>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/core/BKClassInfo.h"
#include "lib/core/BKLib.h"
#include "lib/core/BKType.h"

using namespace Brenik;

namespace {

wxArrayString Array(std::initializer_list<const char*> texts)
{
    wxArrayString array;
    for (const char* text : texts)
        array.Add(wxString::FromUTF8(text));
    return array;
}

// Feeds a file to standard input for the scope.
class ScopedStandardInput {
public:
    explicit ScopedStandardInput(const wxString& fileName)
    {
        std::fflush(stdin);
        saved = ::dup(::fileno(stdin));
        opened = std::freopen(fileName.utf8_str(), "r", stdin) != nullptr;
    }
    ~ScopedStandardInput()
    {
        ::dup2(saved, ::fileno(stdin));
        ::close(saved);
        std::clearerr(stdin);
    }
    bool IsOpened() const { return opened; }

private:
    int saved;
    bool opened;
};

}  // namespace

TEST(BKLib, SplitKeepsEmptyPieces)
{
    EXPECT_EQ(Array({"a", "", "b", ""}), BKLib::Split("a,,b,", L','));
    EXPECT_EQ(Array({"", "a"}), BKLib::Split(",a", L','));
    EXPECT_TRUE(BKLib::Split(wxString(), L',').empty());
    EXPECT_EQ(Array({"abc"}), BKLib::Split("abc", L','));
    EXPECT_EQ(Array({"", ""}), BKLib::Split(",", L','));
    EXPECT_EQ(Array({"\xC3\xA4", "\xC3\xB6"}),
              BKLib::Split(wxString::FromUTF8("\xC3\xA4\xE2\x82\xAC\xC3\xB6"), L'\u20AC'));
}

TEST(BKLib, HtmlSpecialCharsEscapesEachCharacterOnce)
{
    EXPECT_EQ("a&amp;b&quot;c&#039;d&lt;e&gt;f", BKLib::HtmlSpecialChars("a&b\"c'd<e>f"));
    EXPECT_EQ("&amp;amp;", BKLib::HtmlSpecialChars("&amp;"));
    EXPECT_EQ("&lt;&lt;&gt;&gt;", BKLib::HtmlSpecialChars("<<>>"));
    EXPECT_EQ("plain text", BKLib::HtmlSpecialChars("plain text"));
    EXPECT_EQ("", BKLib::HtmlSpecialChars(wxString()));
}

TEST(BKLib, Nl2brReplacesEveryLineBreakOnce)
{
    EXPECT_EQ("a<br />b", BKLib::nl2br("a\r\nb"));
    EXPECT_EQ("a<br />b<br />c<br />", BKLib::nl2br("a\rb\nc\r\n"));
    // LF CR is two breaks, CR LF only one.
    EXPECT_EQ("<br /><br />", BKLib::nl2br("\n\r"));
    EXPECT_EQ("<br /><br />", BKLib::nl2br("\r\n\r\n"));
    EXPECT_EQ("none", BKLib::nl2br("none"));
}

TEST(BKLib, ParseSearchWordsGivesEachWordItsOperator)
{
    wxArrayString operators;
    wxArrayString words;
    EXPECT_EQ(3, BKLib::ParseSearchWords("+alpha beta -gamma", &operators, &words));
    EXPECT_EQ(Array({"AND", "OR", "NOT"}), operators);
    EXPECT_EQ(Array({"alpha", "beta", "gamma"}), words);

    // The arrays are added to; the operator sticks until the next sign or blank.
    EXPECT_EQ(2, BKLib::ParseSearchWords("alpha+beta", &operators, &words));
    EXPECT_EQ(Array({"AND", "OR", "NOT", "OR", "AND"}), operators);
    EXPECT_EQ(Array({"alpha", "beta", "gamma", "alpha", "beta"}), words);

    operators.clear();
    words.clear();
    EXPECT_EQ(2, BKLib::ParseSearchWords("\"new york\" -\"a+b c\"", &operators, &words));
    EXPECT_EQ(Array({"OR", "NOT"}), operators);
    EXPECT_EQ(Array({"new york", "a+b c"}), words);

    // A quote inside a word joins the quoted text to it; an open quote runs to the end.
    operators.clear();
    words.clear();
    BKLib::ParseSearchWords("x\"y z\"w -\"open end", &operators, &words);
    EXPECT_EQ(Array({"OR", "NOT"}), operators);
    EXPECT_EQ(Array({"xy zw", "open end"}), words);

    // A backslash does not protect a quote.
    operators.clear();
    words.clear();
    BKLib::ParseSearchWords("\"a\\\" b\"", &operators, &words);
    EXPECT_EQ(Array({"a\\", "b"}), words);

    // Several blanks and signs make no empty words.
    operators.clear();
    words.clear();
    BKLib::ParseSearchWords("  one  +-two ", &operators, &words);
    EXPECT_EQ(Array({"OR", "NOT"}), operators);
    EXPECT_EQ(Array({"one", "two"}), words);
}

TEST(BKLib, ParseSearchWordsOfNothingAddsNothing)
{
    wxArrayString operators;
    wxArrayString words;
    EXPECT_EQ(0, BKLib::ParseSearchWords(wxString(), &operators, &words));
    BKLib::ParseSearchWords("    ", &operators, &words);
    BKLib::ParseSearchWords("+ - \"\"", &operators, &words);
    EXPECT_TRUE(operators.empty());
    EXPECT_TRUE(words.empty());
    EXPECT_EQ(0, BKLib::ParseSearchWords("alpha", nullptr, &words));
    EXPECT_EQ(0, BKLib::ParseSearchWords("alpha", &operators, nullptr));
    EXPECT_TRUE(words.empty());
    EXPECT_TRUE(operators.empty());
}

TEST(BKLib, VersionTextsAreValidatedAndComparedAsNumbers)
{
    EXPECT_EQ("1.10.0", BKLib::VersionToString(1, 10, 0));
    for (const char* valid : {"1.2.3", "1.2", "7", "", "10.200.3000"})
        EXPECT_TRUE(BKLib::IsValidVersion(valid)) << valid;
    for (const char* invalid : {".1.2", "1.2.", "1.2.3.4", "1.a.3", "1 .2", "-1.2"})
        EXPECT_FALSE(BKLib::IsValidVersion(invalid)) << invalid;

    unsigned int major = 9, minor = 9, patch = 9;
    EXPECT_TRUE(BKLib::SplitVersion("4.5.6", major, minor, patch));
    EXPECT_EQ(4u, major);
    EXPECT_EQ(5u, minor);
    EXPECT_EQ(6u, patch);
    // Missing and empty pieces count as 0.
    EXPECT_TRUE(BKLib::SplitVersion("1.2", major, minor, patch));
    EXPECT_EQ(0u, patch);
    EXPECT_TRUE(BKLib::SplitVersion("1..2", major, minor, patch));
    EXPECT_EQ(1u, major);
    EXPECT_EQ(0u, minor);
    EXPECT_EQ(2u, patch);
    EXPECT_FALSE(BKLib::SplitVersion("x", major, minor, patch));

    EXPECT_TRUE(BKLib::IsLesserVersion("1.2.3", "1.10.0"));
    EXPECT_TRUE(BKLib::IsGreaterVersion("1.10.0", "1.9.9"));
    EXPECT_FALSE(BKLib::IsGreaterVersion("1.9.9", "1.10.0"));
    EXPECT_TRUE(BKLib::IsEqualVersion("1.2", "1.2.0"));
    EXPECT_FALSE(BKLib::IsEqualVersion("1.2.1", "1.2.0"));
    EXPECT_TRUE(BKLib::IsLesserVersion("0.21.2", "1"));
    for (const char* invalid : {"1.2.3.4", "a"}) {
        EXPECT_FALSE(BKLib::IsEqualVersion(invalid, invalid));
        EXPECT_FALSE(BKLib::IsLesserVersion(invalid, "9.9.9"));
        EXPECT_FALSE(BKLib::IsGreaterVersion("9.9.9", invalid));
    }
    EXPECT_TRUE(BKLib::CompareVersion("1.2.3", "1.2.3", 0));
    EXPECT_TRUE(BKLib::CompareVersion("2.0.0", "1.2.3", 1));
    EXPECT_TRUE(BKLib::CompareVersion("1.0.0", "1.2.3", 2));
    EXPECT_FALSE(BKLib::CompareVersion("1.2.3", "1.2.3", 1));
    EXPECT_FALSE(BKLib::CompareVersion("1.2.3", "1.2.3", 3));
    EXPECT_FALSE(BKLib::CompareVersion("1.2.3", "1.2.3", -1));
}

TEST(BKLib, ResourceFileGivesNamedTexts)
{
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.Path("queries.res"),
                              "Select\n\tSELECT *\n\tFROM t\n\nEmpty\nUpdate\r\n\tUPDATE t\r\n"));
    BKType holder;
    EXPECT_EQ(3, holder.LoadResource(dir.Path("queries.res")));
    EXPECT_EQ("SELECT *\nFROM t\n", holder.res("Select"));
    EXPECT_EQ("UPDATE t\n", holder.GetResourceByName("Update"));
    EXPECT_EQ("", holder.res("Empty"));
    EXPECT_EQ(3u, holder.GetResource()->size());

    // An unknown name answers the empty text and is in the table from then on.
    EXPECT_EQ("", holder.res("Other"));
    EXPECT_EQ(1u, holder.GetResource()->count("Other"));

    // Loading adds; appending empties the table first.
    ASSERT_TRUE(WriteTextFile(dir.Path("more.res"), "Select\n\tSELECT 1\nDelete\n\tDELETE\n"));
    EXPECT_EQ(2, holder.LoadResource(dir.Path("more.res")));
    EXPECT_EQ("SELECT 1\n", holder.res("Select"));
    EXPECT_EQ("UPDATE t\n", holder.res("Update"));
    EXPECT_EQ(2, holder.AppendResource(dir.Path("more.res")));
    EXPECT_EQ(2u, holder.GetResource()->size());

    // A copy has its own table.
    BKType copy(holder);
    holder.ClearResource();
    EXPECT_TRUE(holder.GetResource()->empty());
    EXPECT_EQ("DELETE\n", copy.res("Delete"));

    // A missing file: -1, and appending has emptied the table all the same.
    EXPECT_EQ(-1, copy.AppendResource(dir.Path("missing.res")));
    EXPECT_TRUE(copy.GetResource()->empty());
    EXPECT_EQ(-1, holder.LoadResource(dir.Path("missing.res")));
}

TEST(BKLib, ResourceFileEdgeCases)
{
    TempDir dir;
    // Tab lines before the first name belong to it; a repeated name replaces the earlier
    // text but counts as stored; names are not trimmed.
    ASSERT_TRUE(WriteTextFile(dir.Path("odd.res"),
                              "\tfirst\nName \n\tsecond\nName \n\tthird\n\t\n\t\tindented"));
    BKStringHashMap table;
    table["Kept"] = "kept";
    EXPECT_EQ(2, BKLib::LoadResourceFile(dir.Path("odd.res"), &table));
    EXPECT_EQ("third\n\n\tindented\n", table["Name "]);
    EXPECT_EQ(0u, table.count("Name"));
    EXPECT_EQ("kept", table["Kept"]);

    ASSERT_TRUE(WriteTextFile(dir.Path("first.res"), "\tlead\nA\n\tbody\n"));
    BKStringHashMap first;
    EXPECT_EQ(1, BKLib::LoadResourceFile(dir.Path("first.res"), &first));
    EXPECT_EQ("lead\nbody\n", first["A"]);

    ASSERT_TRUE(WriteTextFile(dir.Path("umlaut.res"),
                              "Gr\xC3\xBC\xC3\x9F"
                              "e\n\t\xE2\x82\xAC 5\n"));
    BKStringHashMap umlaut;
    EXPECT_EQ(1, BKLib::LoadResourceFile(dir.Path("umlaut.res"), &umlaut));
    EXPECT_EQ(wxString::FromUTF8("\xE2\x82\xAC 5\n"), umlaut[wxString::FromUTF8("Gr\xC3\xBC\xC3\x9F"
                                                                                "e")]);

    ASSERT_TRUE(WriteTextFile(dir.Path("empty.res"), ""));
    EXPECT_EQ(0, BKLib::LoadResourceFile(dir.Path("empty.res"), &umlaut));
    EXPECT_EQ(-1, BKLib::LoadResourceFile(dir.Path("empty.res"), nullptr));
}

TEST(BKLib, PrintsUtf8Lines)
{
    testing::internal::CaptureStdout();
    BKLib::Print(wxString::FromUTF8("\xC3\xA4"));
    BKLib::Print("-");
    BKLib::PrintLine(wxString("one"));
    BKLib::PrintLine("two");
    wxArrayString lines = Array({"x", "y"});
    EXPECT_TRUE(BKLib::PrintArrayString(&lines));
    EXPECT_FALSE(BKLib::PrintArrayString(nullptr));
    EXPECT_EQ("\xC3\xA4-one\ntwo\nx\ny\n", testing::internal::GetCapturedStdout());

    testing::internal::CaptureStderr();
    BKLib::PrintLineError(wxString("bad"));
    BKLib::PrintLineError("worse");
    EXPECT_EQ("bad\nworse\n", testing::internal::GetCapturedStderr());
}

TEST(BKLib, ReadLineReadsUpToTheLineFeed)
{
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.Path("input.txt"), "first line\r\nzweite \xC3\xBC\nlast"));
    ScopedStandardInput input(dir.Path("input.txt"));
    ASSERT_TRUE(input.IsOpened());
    testing::internal::CaptureStdout();
    EXPECT_EQ("first line\r", BKLib::ReadLine("> "));
    EXPECT_EQ(wxString::FromUTF8("zweite \xC3\xBC"), BKLib::ReadLine(wxString()));
    EXPECT_EQ("last", BKLib::ReadLine(wxString()));
    EXPECT_EQ("", BKLib::ReadLine(wxString()));
    EXPECT_EQ("> ", testing::internal::GetCapturedStdout());
}

TEST(BKLib, ClassRecordsNameTheLibraryAndItsClasses)
{
    BKClassInfo library = BKLib::GetInfo();
    EXPECT_EQ("BKLib", library.GetName());
    EXPECT_EQ("0.21.2", library.GetVersion());
    EXPECT_FALSE(library.GetAuthor().empty());
    EXPECT_TRUE(BKLib::IsValidVersion(library.GetVersion()));

    BKClassInfo record = library.GetClassInfo();
    EXPECT_EQ("BKClassInfo", record.GetName());
    EXPECT_EQ("1.0.1", record.GetVersion());
    EXPECT_EQ(library.GetAuthor(), record.GetAuthor());
    record.SetName("X");
    record.SetVersion("1.2.3");
    record.SetAuthor("me");
    EXPECT_EQ("X", record.GetName());
    EXPECT_EQ("1.2.3", record.GetVersion());
    EXPECT_EQ("me", record.GetAuthor());

    BKType type;
    EXPECT_EQ("BKType", type.GetClassInfo().GetName());
    EXPECT_EQ("1.0.1", type.GetClassInfo().GetVersion());
    EXPECT_EQ(nullptr, type.GetDatabase());
}
