#include <cmath>

#include <gtest/gtest.h>

#include "NumericLocales.h"
#include "lib/core/BKCurrency.h"

using namespace Brenik;

TEST(BKCurrency, WritesCentsWithCommaOrPointUnderEitherLocale)
{
    UnderPointAndCommaLocales([](bool) {
        EXPECT_EQ("0,00", BKCurrency().ToString());
        EXPECT_EQ("0,00", BKCurrency(0).ToGermanString());
        BKCurrency amount(12.5);
        EXPECT_EQ("12,50", amount.ToString());
        EXPECT_EQ("12.50", amount.ToAmericanString());
        EXPECT_EQ("1234,50", BKCurrency(1234.5).ToString());
        EXPECT_EQ("-0,05", BKCurrency(-0.05).ToString());
        EXPECT_EQ("1234567,89", BKCurrency(1234567.891).ToString());
        // Text in either form reads the same amount.
        EXPECT_EQ(BKCurrency(wxString("3,5")).GetAmount(), BKCurrency(wxString("3.5")).GetAmount());
        EXPECT_DOUBLE_EQ(3.5, BKCurrency(wxString("3,5")).ToDouble());
        BKCurrency assigned;
        assigned = wxString("7,25");
        EXPECT_EQ("7.25", assigned.ToAmericanString());
    });
}

TEST(BKCurrency, WritesEveryDigitOfAHugeAmount)
{
    // 1e70 has 71 digits before the comma; all of them must be written, and read back.
    BKCurrency huge(wxString("1e70"));
    const wxString text = huge.ToString();
    EXPECT_EQ(74u, text.length());
    EXPECT_TRUE(text.StartsWith("1000")) << text;
    EXPECT_TRUE(text.EndsWith(",00")) << text;
    EXPECT_EQ(text, BKCurrency(text).ToString());
    EXPECT_EQ(wxString('-') + text, BKCurrency(wxString("-1e70")).ToString());
}

TEST(BKCurrency, RoundsHalfAwayFromZeroByTheThirdDecimal)
{
    EXPECT_EQ("0,13", BKCurrency(0.125).ToString());
    EXPECT_EQ("0,12", BKCurrency(0.1249).ToString());
    EXPECT_EQ("-0,13", BKCurrency(-0.125).ToString());
    EXPECT_EQ("0,00", BKCurrency(0.0049).ToString());
    EXPECT_EQ("0,00", BKCurrency(-0.0049).ToString());
    EXPECT_EQ("0.00", BKCurrency(-0.001).ToAmericanString());
    EXPECT_DOUBLE_EQ(0.13, BKCurrency(0.125).ToDouble());
    EXPECT_DOUBLE_EQ(-0.13, BKCurrency(-0.125).Round().ToDouble());
    // The stored binary value decides: 2.675 is held as 2.67499999..., cut to 2.674.
    EXPECT_EQ("2,67", BKCurrency(2.675).ToString());
    EXPECT_EQ("1,01", BKCurrency(1.0051).ToString());
}

TEST(BKCurrency, ReadingOutKeepsTheRoundedAmount)
{
    BKCurrency amount(0.125);
    EXPECT_EQ(0.125L, amount.GetAmount());
    amount.ToString();
    EXPECT_EQ(BKCurrency(13).GetAmount() / 100, amount.GetAmount());

    // Rounding after every step loses the small additions; adding first does not.
    BKCurrency stepwise(1.0);
    BKCurrency atOnce(1.0);
    for (int i = 0; i < 3; ++i) {
        stepwise += 0.004;
        EXPECT_EQ("1,00", stepwise.ToString());
        atOnce += 0.004;
    }
    EXPECT_EQ("1,01", atOnce.ToString());
}

TEST(BKCurrency, ComparesAndComputesUnroundedAmounts)
{
    BKCurrency small(0.001);
    BKCurrency zero(0);
    EXPECT_FALSE(small == zero);
    EXPECT_TRUE(small != zero);
    EXPECT_TRUE(small > zero);
    small.Round();
    EXPECT_TRUE(small == zero);
    EXPECT_TRUE(small == 0.0L);

    BKCurrency ten(10);
    BKCurrency quarter = ten / 4;
    EXPECT_EQ(2.5L, quarter.GetAmount());
    EXPECT_EQ(10.0L, ten.GetAmount());  // the operand is unchanged
    EXPECT_EQ(12.5L, (ten + quarter).GetAmount());
    EXPECT_EQ(7.5L, (ten - quarter).GetAmount());
    EXPECT_EQ(30.0L, (ten * 3u).GetAmount());
    EXPECT_EQ(9.0L, (ten - 1l).GetAmount());
    BKCurrency changed = ten;
    BKCurrency result = (changed *= 2);
    EXPECT_EQ(20.0L, changed.GetAmount());
    EXPECT_EQ(20.0L, result.GetAmount());
    EXPECT_TRUE(quarter < ten);
    EXPECT_TRUE(quarter <= 2.5L);
    EXPECT_TRUE(ten >= quarter);
}

TEST(BKCurrency, DivisionByZeroFollowsFloatingPointRules)
{
    BKCurrency infinite = BKCurrency(1) / 0;
    EXPECT_TRUE(std::isinf(infinite.GetAmount()));
    // Reading it out must not turn infinity into an integer (undefined) on the way.
    infinite.Round();
    EXPECT_TRUE(std::isinf(infinite.GetAmount()));
    BKCurrency nothing = BKCurrency(0) / 0;
    nothing.Round();
    EXPECT_TRUE(std::isnan(nothing.GetAmount()));
    // Amounts too large for cents stay as they are.
    BKCurrency huge(1e17L);
    EXPECT_EQ(1e17L, huge.Round().GetAmount());
}

TEST(BKCurrency, ReportsItsClass)
{
    EXPECT_EQ("BKCurrency", BKCurrency().GetClassInfo().GetName());
    EXPECT_EQ("0.8.7", BKCurrency().GetClassInfo().GetVersion());
}
