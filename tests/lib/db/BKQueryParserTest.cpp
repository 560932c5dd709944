#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/db/BKQueryParser.h"

using Brenik::BKCurrency;
using Brenik::BKQueryParser;

TEST(BKQueryParser, BindsIdentifiersAndNumbersIntoTemplate)
{
    BKQueryParser parser;
    parser.Prepare("SELECT * FROM :table: WHERE :field: = :value:");
    EXPECT_TRUE(parser.Bind("table", wxString("companies"), false, true));
    EXPECT_TRUE(parser.Bind("field", wxString("id"), false, true));
    EXPECT_TRUE(parser.Bind("value", 7u));
    EXPECT_EQ("SELECT * FROM companies WHERE id = 7", parser.GetParsedQuery());
    // Parsing does not consume the bindings.
    EXPECT_EQ("SELECT * FROM companies WHERE id = 7", parser.GetParsedQuery());
    EXPECT_EQ("SELECT * FROM :table: WHERE :field: = :value:", parser.GetQuery());
}

TEST(BKQueryParser, PlaceholderUsedTwiceGetsOneValue)
{
    BKQueryParser parser;
    parser.Prepare("name LIKE '%:search:%' OR ceo LIKE '%:search:%'");
    EXPECT_TRUE(parser.Bind("search", wxString("Mayer"), false, true));
    EXPECT_EQ("name LIKE '%Mayer%' OR ceo LIKE '%Mayer%'", parser.GetParsedQuery());
}

TEST(BKQueryParser, EscapesBackslashesThenQuotes)
{
    BKQueryParser parser;
    parser.Prepare("v = :v:");
    parser.Bind("v", wxString("O'Neil"), true, true);
    EXPECT_EQ("v = 'O''Neil'", parser.GetParsedQuery());
    parser.Bind("v", wxString("a\\b"), false, true);
    EXPECT_EQ("v = a\\\\b", parser.GetParsedQuery());
    // A backslash before a quote cannot swallow the doubled quote.
    parser.Bind("v", wxString("x\\'"), true, true);
    EXPECT_EQ("v = 'x\\\\'''", parser.GetParsedQuery());
    // Without escaping the value goes in as it is, quoted on request.
    parser.Bind("v", wxString("O'Neil"), true, false);
    EXPECT_EQ("v = 'O'Neil'", parser.GetParsedQuery());

    EXPECT_EQ("it''s a \\\\ test", BKQueryParser::Escape("it's a \\ test"));
    wxString text = "'\\";
    EXPECT_EQ("''\\\\", BKQueryParser::EscapeReference(text));
    EXPECT_EQ("''\\\\", text);
}

TEST(BKQueryParser, BindsUtf8Text)
{
    BKQueryParser parser;
    parser.Prepare("v = :v:");
    EXPECT_TRUE(parser.Bind("v", "M\xC3\xBCller", true, true));
    EXPECT_EQ(wxString::FromUTF8("v = 'M\xC3\xBCller'"), parser.GetParsedQuery());
    EXPECT_TRUE(parser.Bind("v", static_cast<const char*>(nullptr), true, true));
    EXPECT_EQ("v = ''", parser.GetParsedQuery());
}

TEST(BKQueryParser, NullBindingsWriteNullForNoValue)
{
    BKQueryParser parser;
    parser.Prepare(":a: :b: :c: :d: :e: :f:");
    EXPECT_TRUE(parser.BindNull("a", wxString()));
    EXPECT_TRUE(parser.BindNull("b", 0));
    EXPECT_TRUE(parser.BindNull("c", 5));
    EXPECT_TRUE(parser.BindNull("d", wxString("O'Neil")));
    EXPECT_TRUE(parser.BindNull("e"));
    EXPECT_TRUE(parser.BindNull("f", BKCurrency(0)));
    EXPECT_EQ("NULL NULL 5 'O''Neil' NULL NULL", parser.GetParsedQuery());

    parser.BindNull("a", 0.0);
    parser.BindNull("b", 2.5);
    parser.BindNull("c", 0ul);
    parser.BindNull("d", static_cast<unsigned short>(3));
    parser.BindNull("e", static_cast<short>(-2));
    parser.BindNull("f", BKCurrency(1.5));
    EXPECT_EQ("NULL 2.500000 NULL 3 -2 1.500000", parser.GetParsedQuery());
    EXPECT_FALSE(parser.BindNull("missing"));
    EXPECT_FALSE(parser.BindNull("missing", 0));
}

TEST(BKQueryParser, NumbersAreWrittenWithDecimalPointUnderAnyLocale)
{
    BKQueryParser parser;
    parser.Prepare(":a: :b: :c: :d: :e: :f:");
    parser.Bind("a", 2.5);
    parser.Bind("b", 0.25f);
    parser.Bind("c", true);
    parser.Bind("d", static_cast<short>(-1));
    parser.Bind("e", 4000000000ul);
    parser.Bind("f", BKCurrency(12.5));
    EXPECT_EQ("2.500000 0.250000 true -1 4000000000 12.500000", parser.GetParsedQuery());

    ScopedNumericLocale german(GermanLocaleName());
    if (!german.IsAvailable()) {
        if (GermanLocaleRequired())
            FAIL() << "the German locale is missing";
        GTEST_SKIP() << "no German locale on this machine";
    }
    parser.Bind("a", 2.5);
    parser.Bind("b", -0.5f);
    parser.Bind("c", false);
    parser.Bind("f", BKCurrency(3.1));
    EXPECT_EQ("2.500000 -0.500000 false -1 4000000000 3.100000", parser.GetParsedQuery());
}

TEST(BKQueryParser, ColonsInLiteralsBecomePlaceholders)
{
    BKQueryParser parser;
    parser.Prepare("SELECT * FROM t WHERE at = '10:30:00'");
    EXPECT_EQ("SELECT * FROM t WHERE at = '1000'", parser.GetParsedQuery());
}

TEST(BKQueryParser, BindBeforePrepareFailsAndLeavesTemplate)
{
    BKQueryParser parser("SELECT :x: FROM t");
    EXPECT_FALSE(parser.Bind("x", wxString("a"), false, false));
    EXPECT_FALSE(parser.Bind("x", 1));
    EXPECT_EQ("SELECT :x: FROM t", parser.GetParsedQuery());
    parser.ExtractFields();
    EXPECT_TRUE(parser.Bind("x", wxString("a"), false, false));
    EXPECT_EQ("SELECT a FROM t", parser.GetParsedQuery());
}

TEST(BKQueryParser, UnknownOrUnboundPlaceholders)
{
    BKQueryParser parser;
    parser.Prepare("SELECT :field: FROM :table:");
    // Names are case-sensitive; the misspelt binding is lost and the placeholder empty.
    EXPECT_FALSE(parser.Bind("Table", wxString("t"), false, true));
    EXPECT_TRUE(parser.Bind("field", wxString("a"), false, true));
    EXPECT_EQ("SELECT a FROM ", parser.GetParsedQuery());
}

TEST(BKQueryParser, InsertedValueIsNotScannedAgain)
{
    BKQueryParser parser;
    parser.Prepare("a = :value: AND b = :other:");
    parser.Bind("value", wxString(":other:"), false, false);
    parser.Bind("other", wxString("2"), false, false);
    EXPECT_EQ("a = :other: AND b = 2", parser.GetParsedQuery());
    parser.Bind("value", wxString(":value:"), true, true);
    EXPECT_EQ("a = ':value:' AND b = 2", parser.GetParsedQuery());
}

TEST(BKQueryParser, SecondBindingReplacesFirst)
{
    BKQueryParser parser;
    parser.Prepare("x = :x:");
    parser.Bind("x", 1);
    parser.Bind("x", wxString("two"), true, false);
    EXPECT_EQ("x = 'two'", parser.GetParsedQuery());
}

TEST(BKQueryParser, AdjacentPlaceholdersBothGetValues)
{
    BKQueryParser parser;
    parser.Prepare(":a::b: and :c:");
    parser.Bind("a", wxString("1"), false, false);
    parser.Bind("b", wxString("2"), false, false);
    parser.Bind("c", wxString("3"), false, false);
    EXPECT_EQ("12 and 3", parser.GetParsedQuery());
    // Also when the first value is empty.
    parser.Bind("a", wxString(), false, false);
    EXPECT_EQ("2 and 3", parser.GetParsedQuery());
}

TEST(BKQueryParser, UnBindLeavesPlaceholderText)
{
    BKQueryParser parser;
    parser.Prepare(":a: :b: :a:");
    parser.Bind("a", 1);
    parser.Bind("b", 2);
    EXPECT_TRUE(parser.UnBind("a"));
    EXPECT_FALSE(parser.UnBind("a"));
    EXPECT_EQ(":a: 2 :a:", parser.GetParsedQuery());
    EXPECT_FALSE(parser.Bind("a", 1));
}

TEST(BKQueryParser, PrepareResetsValuesOfItsPlaceholders)
{
    BKQueryParser parser;
    parser.Prepare("x = :x:");
    parser.Bind("x", 1);
    parser.Prepare("x = :x: OR :x:");
    EXPECT_EQ("x =  OR ", parser.GetParsedQuery());
    // An unclosed placeholder at the end is dropped and stays as written.
    parser.Prepare("SELECT :a");
    EXPECT_FALSE(parser.Bind("a", 1));
    EXPECT_EQ("SELECT :a", parser.GetParsedQuery());
    // An empty name between two colons is a placeholder too.
    parser.Prepare("a::b");
    EXPECT_TRUE(parser.Bind("", wxString("-"), false, false));
    EXPECT_EQ("a-b", parser.GetParsedQuery());
}

TEST(BKQueryParser, RemoveFieldsReturnsTemplateUnchanged)
{
    BKQueryParser parser;
    parser.Prepare("x = :x:");
    parser.Bind("x", 1);
    parser.RemoveFields();
    EXPECT_EQ("x = :x:", parser.GetParsedQuery());
    EXPECT_FALSE(parser.Bind("x", 1));
}

TEST(BKQueryParser, PrepareByResourceTakesNamedText)
{
    BKQueryParser parser;
    (*parser.GetResource())["select"] = "SELECT :what:";
    parser.PrepareByResource("select");
    EXPECT_TRUE(parser.Bind("what", 1));
    EXPECT_EQ("SELECT 1", parser.GetParsedQuery());
}

TEST(BKQueryParser, FindInArrayStringIsExact)
{
    BKQueryParser parser;
    wxArrayString list;
    list.Add("name");
    EXPECT_TRUE(parser.FindInArrayString(list, "name"));
    EXPECT_FALSE(parser.FindInArrayString(list, "Name"));
    EXPECT_FALSE(parser.FindInArrayString(list, "nam"));
    EXPECT_EQ("BKQueryParser", parser.GetClassInfo().GetName());
    EXPECT_EQ("1.0.3", parser.GetClassInfo().GetVersion());
}
