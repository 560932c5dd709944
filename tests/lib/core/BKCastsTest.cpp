#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "NumericLocales.h"
#include "lib/core/BKCasts.h"
#include "lib/core/BKCurrency.h"
#include "lib/core/BKDateTime.h"

using namespace Brenik;

TEST(BKCasts, FloatingPointTextFollowsTheNumericLocale)
{
    UnderPointAndCommaLocales([](bool german) {
        EXPECT_EQ(german ? "1,500000" : "1.500000", BKCasts::ToString(1.5));
        EXPECT_EQ(german ? "1,500000" : "1.500000", BKCasts(1.5).ToString());
        EXPECT_EQ(german ? "-0,250000" : "-0.250000", BKCasts::ToString(-0.25f));
        EXPECT_EQ(german ? "2,000000" : "2.000000", BKCasts::Convert(2.0f).ToString());
        std::unique_ptr<char[]> text(BKCasts::ToChar(0.5));
        EXPECT_STREQ(german ? "0,500000" : "0.500000", text.get());
    });
}

TEST(BKCasts, DoubleAcceptsCommaAndPointUnderEitherLocale)
{
    UnderPointAndCommaLocales([](bool) {
        EXPECT_DOUBLE_EQ(3.25, BKCasts::ToDouble(wxString("3,25")));
        EXPECT_DOUBLE_EQ(3.25, BKCasts::ToDouble(wxString("3.25")));
        EXPECT_DOUBLE_EQ(12.5, BKCasts("12,5").ToDouble());
        EXPECT_DOUBLE_EQ(-7.125, BKCasts::ToDouble("-7.125"));
        EXPECT_DOUBLE_EQ(0.0, BKCasts::ToDouble(wxString("abc")));
        EXPECT_DOUBLE_EQ(0.0, BKCasts::ToDouble(wxString()));
        // More decimals than the six of the check format: the second reading decides.
        EXPECT_DOUBLE_EQ(0.1234567, BKCasts::ToDouble(wxString("0.1234567")));
        EXPECT_DOUBLE_EQ(0.1234567, BKCasts::ToDouble(wxString("0,1234567")));
        EXPECT_DOUBLE_EQ(1000.0, BKCasts::ToDouble(wxString("1e3")));
        EXPECT_DOUBLE_EQ(42.0, BKCasts::ToDouble(wxString("42")));
        // A number's own text reads back as the number.
        EXPECT_DOUBLE_EQ(1.5, BKCasts(1.5).ToDouble());
        EXPECT_DOUBLE_EQ(3.5, BKCasts("3,5").ToCurrency().ToDouble());
        EXPECT_DOUBLE_EQ(3.5, BKCasts("3.5").ToCurrency().ToDouble());
    });
}

TEST(BKCasts, FloatReadsOnlyTheLocaleSeparator)
{
    UnderPointAndCommaLocales([](bool german) {
        EXPECT_FLOAT_EQ(german ? 2.0f : 2.5f, BKCasts::ToFloat(wxString("2.5")));
        EXPECT_FLOAT_EQ(german ? 2.5f : 2.0f, BKCasts::ToFloat("2,5"));
        EXPECT_FLOAT_EQ(0.0f, BKCasts("x1").ToFloat());
        // Money text has a decimal comma, so the float rule reads its cents only where the
        // locale's separator is the comma.
        EXPECT_FLOAT_EQ(german ? 12.5f : 12.0f, BKCasts::ToFloat(BKCurrency(12.5)));
        EXPECT_DOUBLE_EQ(12.5, BKCasts::ToDouble(BKCurrency(12.5)));
    });
}

TEST(BKCasts, IntegerTextReadsTheLeadingNumberUnderEitherLocale)
{
    UnderPointAndCommaLocales([](bool) {
        EXPECT_EQ(-42, BKCasts::ToInt(wxString("  -42xyz")));
        EXPECT_EQ(0, BKCasts::ToInt(wxString()));
        EXPECT_EQ(0, BKCasts("abc").ToInt());
        EXPECT_EQ(12, BKCasts::ToInt("12abc"));
        EXPECT_EQ(12, BKCasts::ToInt(wxString("12,75")));
        EXPECT_EQ(12, BKCasts::ToLong(wxString("12.75")));
        // Beyond the long range strtol clamps; a narrower target keeps the low bits, and
        // strtoul wraps a minus.
        EXPECT_EQ(4464, BKCasts::ToShort(wxString("70000")));
        EXPECT_EQ(-4464, BKCasts::ToShort(wxString("-70000")));
        EXPECT_EQ(65535, BKCasts::ToUnsignedShort(wxString("-1")));
        EXPECT_EQ(4464, BKCasts::ToUnsignedShort("70000"));
        EXPECT_EQ(-1, BKCasts("65535").ToShort());
        EXPECT_EQ(4294967295u, BKCasts::ToUnsignedInt(wxString("-1")));
        EXPECT_EQ(18446744073709551615ul, BKCasts::ToUnsignedLong(wxString("-1")));
        EXPECT_EQ(4294967295ul, BKCasts::ToUnsignedLong(wxString("4294967295")));
        EXPECT_EQ(9223372036854775807l, BKCasts::ToLong(wxString("99999999999999999999")));
        EXPECT_EQ(18446744073709551615ul, BKCasts::ToUnsignedLong("99999999999999999999"));
        EXPECT_EQ(-1, BKCasts::ToInt(wxString("99999999999999999999")));
        EXPECT_EQ(0, BKCasts::ToInt(wxString("-99999999999999999999")));
        EXPECT_EQ(1, BKCasts::ToInt(wxString("4294967297")));
        EXPECT_EQ(-1, BKCasts::ToInt(wxString("-4294967297")));
        EXPECT_EQ(0u, BKCasts::ToUnsignedInt(wxString("4294967296")));
        // Money is read by its integral part.
        EXPECT_EQ(12, BKCasts::ToInt(BKCurrency(12.99)));
        EXPECT_EQ(-3, BKCasts::ToLong(BKCurrency(-3.5)));
    });
}

TEST(BKCasts, IntegersWriteTheirDecimalDigits)
{
    EXPECT_EQ("65535", BKCasts::ToString(static_cast<unsigned short>(65535)));
    EXPECT_EQ("-1", BKCasts::ToString(static_cast<short>(-1)));
    EXPECT_EQ("4294967295", BKCasts::ToString(4294967295ul));
    EXPECT_EQ("18446744073709551615", BKCasts::ToString(18446744073709551615ul));
    EXPECT_EQ("4294967295", BKCasts::ToString(4294967295u));
    EXPECT_EQ("-2147483648", BKCasts::ToString(-2147483647 - 1));
    EXPECT_EQ("-9223372036854775808", BKCasts(-9223372036854775807l - 1).ToString());
    std::unique_ptr<char[]> text(BKCasts::ToChar(123u));
    EXPECT_STREQ("123", text.get());
}

TEST(BKCasts, NumbersConvertByTheBuiltInRules)
{
    EXPECT_EQ(3, BKCasts::ToInt(3.99f));
    EXPECT_EQ(-3, BKCasts::ToInt(-3.99));
    // Floating-point values beyond the range saturate, NaN gives 0.
    EXPECT_EQ(2147483647, BKCasts::ToInt(1e12));
    EXPECT_EQ(-32768, BKCasts::ToShort(-1e9f));
    EXPECT_EQ(0u, BKCasts::ToUnsignedInt(-5.0));
    EXPECT_EQ(18446744073709551615ul, BKCasts::ToUnsignedLong(HUGE_VAL));
    EXPECT_EQ(0l, BKCasts::ToLong(std::nan("")));
    EXPECT_EQ(4464, BKCasts::ToShort(70000));
    EXPECT_EQ(4294967295ul, BKCasts::ToUnsignedLong(static_cast<unsigned int>(-1)));
    EXPECT_EQ(18446744073709551615ul, BKCasts::ToUnsignedLong(static_cast<short>(-1)));
    EXPECT_DOUBLE_EQ(0.5, BKCasts::ToDouble(0.5f));
}

TEST(BKCasts, BooleansUseTheFixedWordList)
{
    EXPECT_EQ("true", BKCasts(true).ToString());
    EXPECT_EQ("false", BKCasts(false).ToString());
    EXPECT_FALSE(BKCasts(false).ToBool());
    EXPECT_TRUE(BKCasts(true).ToBool());
    for (const char* yes : {"JA", "Ok", "y", "t", "TRUE", "Yes", "j", "on"})
        EXPECT_TRUE(BKCasts::ToBool(yes)) << yes;
    for (const char* no : {"1", "", " yes", "yes ", "no", "off", "0", "jaa"})
        EXPECT_FALSE(BKCasts::ToBool(wxString(no))) << no;
    EXPECT_FALSE(BKCasts::ToBool(static_cast<const char*>(nullptr)));
    EXPECT_EQ("T", BKCasts::ToString(true, true, true));
    EXPECT_EQ("f", BKCasts::ToString(false, false, true));
    EXPECT_EQ("FALSE", BKCasts::ToString(false, true, false));
    EXPECT_EQ("false", BKCasts::ToString(false, false, false));
}

TEST(BKCasts, TextIsHeldAsUtf8)
{
    std::unique_ptr<char[]> umlaut(BKCasts::ToChar(wxString::FromUTF8("\xC3\xA4")));
    ASSERT_NE(nullptr, umlaut.get());
    EXPECT_EQ('\xC3', umlaut[0]);
    EXPECT_EQ('\xA4', umlaut[1]);
    EXPECT_EQ('\0', umlaut[2]);

    EXPECT_EQ("", BKCasts(static_cast<const char*>(nullptr)).ToString());
    EXPECT_EQ("", BKCasts::ToString(static_cast<const char*>(nullptr)));
    EXPECT_EQ(wxString::FromUTF8("Gr\xC3\xBC\xC3\x9F"), BKCasts("Gr\xC3\xBC\xC3\x9F").ToString());
    // Bytes that are not UTF-8 read as Latin-1, next to well-formed letters, and are held as
    // well-formed UTF-8 from then on.
    const BKCasts mixed("Gr\xFC\xDF \xC3\xA4\xE2\x82");
    EXPECT_EQ(wxString::FromUTF8("Gr\xC3\xBC\xC3\x9F \xC3\xA4\xC3\xA2\xC2\x82"), mixed.ToString());
    EXPECT_TRUE(BKCasts::IsValidUtf8(mixed.GetUtf8().data(), mixed.GetUtf8().size()));
    EXPECT_TRUE(BKCasts().IsEmpty());
    EXPECT_EQ("", BKCasts().ToString());
}

TEST(BKCasts, MoneyAndDatesUseTheirTextForms)
{
    UnderPointAndCommaLocales([](bool) {
        EXPECT_EQ("12,50", BKCasts(BKCurrency(12.5)).ToString());
        EXPECT_EQ("-0,05", BKCasts::ToString(BKCurrency(-0.05)));
    });

    BKDateTime date(wxString("2008-03-07 09:05:00"), L'-');
    EXPECT_EQ("2008-03-07 09:05:00", BKCasts(date).ToString());
    EXPECT_EQ("2008-03-07 09:05:00", BKCasts::ToString(date));
    BKDateTime back = BKCasts("2008-03-07 09:05:00").ToDateTime(L'-');
    EXPECT_TRUE(back.IsValid());
    EXPECT_EQ(date, back);
    // An unset date has no text.
    EXPECT_EQ("", BKCasts(BKDateTime()).ToString());
}

TEST(BKCasts, ReportsItsClassAndSize)
{
    BKCasts value;
    EXPECT_EQ("BKCasts", value.GetClassInfo().GetName());
    EXPECT_EQ("0.3.5", value.GetClassInfo().GetVersion());
    EXPECT_FALSE(value.GetClassInfo().GetAuthor().empty());
    // Every database cell arrives as one of these, so its size is worth watching.
    std::printf("[ figures  ] sizeof(BKCasts) = %zu bytes\n", sizeof(BKCasts));
    EXPECT_LE(sizeof(BKCasts), 64u);
}

TEST(BKCasts, DecodesUtf8LikeTheToolkitAtAnyLength)
{
    // Every kind of sequence, in a text short enough for the stack buffer and in one longer.
    const std::string mixed = "A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80z";  // A ä € 😀 z
    std::string longText;
    while (longText.size() <= 600)
        longText += mixed;
    for (const std::string& text : {mixed, longText}) {
        BKCasts value;
        value.SetUtf8(text);
        EXPECT_EQ(wxString::FromUTF8(text.data(), text.size()), value.ToString());
        EXPECT_TRUE(BKCasts::IsValidUtf8(text.data(), text.size()));
    }
    EXPECT_EQ(5u, BKCasts(mixed.c_str()).ToString().length());

    // What the toolkit refuses (an overlong slash, a surrogate, a code point past U+10FFFF, a
    // cut sequence) is not UTF-8 here either, and each of its bytes reads as Latin-1.
    for (const char* bad : {"a\xC0\xAF", "a\xED\xA0\x80", "a\xF4\x90\x80\x80", "a\xE2\x82"}) {
        BKCasts value;
        value.SetUtf8(bad);
        EXPECT_EQ(wxString(bad, wxConvISO8859_1), value.ToString()) << bad;
        EXPECT_FALSE(BKCasts::IsValidUtf8(bad, std::strlen(bad))) << bad;
    }
}
