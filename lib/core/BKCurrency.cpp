#include "lib/core/BKCurrency.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

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
    // A huge amount from outside data has hundreds of digits: a fixed buffer would cut them
    // and write out a different number.
    const int length = std::snprintf(nullptr, 0, "%.2Lf", amount);
    if (length <= 0)
        return wxString();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.2Lf", amount);
    text.resize(static_cast<size_t>(length));
    std::replace(text.begin(), text.end(), '.', ',');
    return wxString::FromUTF8(text.data(), text.size());
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

#define BK_CURRENCY_ARITHMETIC(T, VALUE)            \
    BKCurrency BKCurrency::operator+(T value) const \
    {                                               \
        return BKCurrency(amount + (VALUE));        \
    }                                               \
    BKCurrency BKCurrency::operator-(T value) const \
    {                                               \
        return BKCurrency(amount - (VALUE));        \
    }                                               \
    BKCurrency BKCurrency::operator*(T value) const \
    {                                               \
        return BKCurrency(amount * (VALUE));        \
    }                                               \
    BKCurrency BKCurrency::operator/(T value) const \
    {                                               \
        return BKCurrency(amount / (VALUE));        \
    }                                               \
    BKCurrency BKCurrency::operator+=(T value)      \
    {                                               \
        amount += (VALUE);                          \
        return *this;                               \
    }                                               \
    BKCurrency BKCurrency::operator-=(T value)      \
    {                                               \
        amount -= (VALUE);                          \
        return *this;                               \
    }                                               \
    BKCurrency BKCurrency::operator*=(T value)      \
    {                                               \
        amount *= (VALUE);                          \
        return *this;                               \
    }                                               \
    BKCurrency BKCurrency::operator/=(T value)      \
    {                                               \
        amount /= (VALUE);                          \
        return *this;                               \
    }                                               \
    BKCurrency& BKCurrency::operator=(T value)      \
    {                                               \
        amount = (VALUE);                           \
        return *this;                               \
    }
BK_CURRENCY_ARITHMETIC(const BKCurrency&, value.amount)
BK_CURRENCY_ARITHMETIC(int, static_cast<long double>(value))
BK_CURRENCY_ARITHMETIC(unsigned int, static_cast<long double>(value))
BK_CURRENCY_ARITHMETIC(double, static_cast<long double>(value))
BK_CURRENCY_ARITHMETIC(long double, value)
BK_CURRENCY_ARITHMETIC(long, static_cast<long double>(value))
BK_CURRENCY_ARITHMETIC(unsigned long, static_cast<long double>(value))
#undef BK_CURRENCY_ARITHMETIC

}  // namespace Brenik
