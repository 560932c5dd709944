// A money amount. Stored unrounded; reading it out (Round, ToDouble, ToString) rounds to
// cents, half away from zero by the third decimal, and keeps the rounded amount.
#pragma once

#include <wx/string.h>

#include "lib/core/BKType.h"

namespace Brenik {

class BKCurrency : public BKType {
public:
    BKCurrency(long double amount = 0);
    BKCurrency(const wxString& text);

    BKClassInfo GetClassInfo() const override;

    BKCurrency Round();
    double ToDouble();
    // "%.2f" with a decimal comma, no thousands separators.
    wxString ToString();
    wxString ToGermanString();
    // As ToString with a decimal point.
    wxString ToAmericanString();

    // The stored amount as it is, unrounded.
    long double GetAmount() const { return amount; }

#define BK_CURRENCY_ARITHMETIC(T)        \
    BKCurrency operator+(T value) const; \
    BKCurrency operator-(T value) const; \
    BKCurrency operator*(T value) const; \
    BKCurrency operator/(T value) const; \
    BKCurrency operator+=(T value);      \
    BKCurrency operator-=(T value);      \
    BKCurrency operator*=(T value);      \
    BKCurrency operator/=(T value);      \
    BKCurrency& operator=(T value);
    BK_CURRENCY_ARITHMETIC(const BKCurrency&)
    BK_CURRENCY_ARITHMETIC(int)
    BK_CURRENCY_ARITHMETIC(unsigned int)
    BK_CURRENCY_ARITHMETIC(double)
    BK_CURRENCY_ARITHMETIC(long double)
    BK_CURRENCY_ARITHMETIC(long)
    BK_CURRENCY_ARITHMETIC(unsigned long)
#undef BK_CURRENCY_ARITHMETIC
    BKCurrency(const BKCurrency&) = default;
    BKCurrency& operator=(const wxString& text);

    bool operator<(const BKCurrency& other) const
    {
        return amount < other.amount;
    }
    bool operator>(const BKCurrency& other) const
    {
        return amount > other.amount;
    }
    bool operator<=(const BKCurrency& other) const
    {
        return amount <= other.amount;
    }
    bool operator>=(const BKCurrency& other) const
    {
        return amount >= other.amount;
    }
    bool operator==(const BKCurrency& other) const
    {
        return amount == other.amount;
    }
    bool operator!=(const BKCurrency& other) const
    {
        return amount != other.amount;
    }
    bool operator<(long double value) const
    {
        return amount < value;
    }
    bool operator>(long double value) const
    {
        return amount > value;
    }
    bool operator<=(long double value) const
    {
        return amount <= value;
    }
    bool operator>=(long double value) const
    {
        return amount >= value;
    }
    bool operator==(long double value) const
    {
        return amount == value;
    }

private:
    static long double Rounded(long double amount);

    long double amount;
};

}  // namespace Brenik
