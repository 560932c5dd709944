#include "lib/core/BKCurrency.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "lib/core/BKCasts.h"

namespace Brenik {

BKCurrency::BKCurrency(long double amount) : amount(amount) {}

BKCurrency::BKCurrency(const wxString& text) : amount(BKCasts::ToDouble(text)) {}

BKClassInfo BKCurrency::GetClassInfo() const
{
    return BKClassInfo::Make("BKCurrency", "0.8.7");
}

long double BKCurrency::Rounded(long double amount)
{
    // Infinity, not-a-number and amounts whose thousandths do not fit 64 bits have no cents
    // to round, and turning them into an integer would be undefined.
    if (!std::isfinite(amount) || std::fabs(amount) >= 9.0e15L)
        return amount;
    if (amount < 0) {
        // A negative amount that rounds to nothing is zero, not "-0,00".
        long double rounded = -Rounded(-amount);
        return rounded == 0 ? 0 : rounded;
    }
    // Only the third decimal decides: further digits are cut off before rounding.
    auto thousandths = static_cast<std::int64_t>(amount * 1000);
    return std::floor(thousandths / 10.0L + 0.5L) / 100;
}

BKCurrency BKCurrency::Round()
{
    amount = Rounded(amount);
    return *this;
}

double BKCurrency::ToDouble()
{
    Round();
    return static_cast<double>(amount);
}

wxString BKCurrency::ToString()
{
    Round();
    char text[64];
    std::snprintf(text, sizeof text, "%.2Lf", amount);
    for (char* c = text; *c; ++c)
        if (*c == '.')
            *c = ',';
    return wxString::FromUTF8(text);
}

wxString BKCurrency::ToGermanString()
{
    return ToString();
}

wxString BKCurrency::ToAmericanString()
{
    wxString text = ToString();
    text.Replace(",", ".");
    return text;
}

BKCurrency& BKCurrency::operator=(const wxString& text)
{
    amount = BKCasts::ToDouble(text);
    return *this;
}

#define BK_CURRENCY_ARITHMETIC(T, VALUE)                                                  \
    BKCurrency BKCurrency::operator+(T value) const { return BKCurrency(amount + (VALUE)); } \
    BKCurrency BKCurrency::operator-(T value) const { return BKCurrency(amount - (VALUE)); } \
    BKCurrency BKCurrency::operator*(T value) const { return BKCurrency(amount * (VALUE)); } \
    BKCurrency BKCurrency::operator/(T value) const { return BKCurrency(amount / (VALUE)); } \
    BKCurrency BKCurrency::operator+=(T value) { amount += (VALUE); return *this; }        \
    BKCurrency BKCurrency::operator-=(T value) { amount -= (VALUE); return *this; }        \
    BKCurrency BKCurrency::operator*=(T value) { amount *= (VALUE); return *this; }        \
    BKCurrency BKCurrency::operator/=(T value) { amount /= (VALUE); return *this; }        \
    BKCurrency& BKCurrency::operator=(T value) { amount = (VALUE); return *this; }
BK_CURRENCY_ARITHMETIC(const BKCurrency&, value.amount)
BK_CURRENCY_ARITHMETIC(int, static_cast<long double>(value))
BK_CURRENCY_ARITHMETIC(unsigned int, static_cast<long double>(value))
BK_CURRENCY_ARITHMETIC(double, static_cast<long double>(value))
BK_CURRENCY_ARITHMETIC(long double, value)
BK_CURRENCY_ARITHMETIC(long, static_cast<long double>(value))
BK_CURRENCY_ARITHMETIC(unsigned long, static_cast<long double>(value))
#undef BK_CURRENCY_ARITHMETIC

}  // namespace Brenik
