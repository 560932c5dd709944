// Runs a group of checks once under the point locale "C" and once under the German comma
// locale. Missing German locale: a failure where the machine is meant to have it, else a skip.
#pragma once

#include <gtest/gtest.h>

#include "TestSupport.h"

// checks(bool german) is called inside the locale; its failures carry the locale's name.
template <typename Checks>
void UnderPointAndCommaLocales(Checks checks)
{
    {
        ScopedNumericLocale point("C");
        ASSERT_TRUE(point.IsAvailable());
        SCOPED_TRACE("LC_NUMERIC=C");
        checks(false);
    }
    ScopedNumericLocale comma(GermanLocaleName());
    if (!comma.IsAvailable()) {
        if (GermanLocaleRequired())
            FAIL() << "the locale " << GermanLocaleName() << " is missing on this machine";
        else
            GTEST_SKIP() << "the locale " << GermanLocaleName() << " is not installed";
    }
    SCOPED_TRACE(GermanLocaleName());
    checks(true);
}
