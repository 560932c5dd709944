#include <memory>

#include <gtest/gtest.h>

#include "directory/CompanyEntity.h"
#include "ui/ResultRows.h"

// A record laid out otherwise (loaded without its sector names) gets its own texts too, and
// its missing field an empty one.
TEST(ResultRows, RowHoldsTheCompanyAndItsThirteenTextsInColumnOrder)
{
    CompanyEntity found(nullptr, true);
    const char* const values[][2] = {{"sectors", "Bäckereien"},
                                     {"name", "Bäckerei Özdemir"},
                                     {"ceo", "Ayşe Özdemir"},
                                     {"address", "Hauptstraße"},
                                     {"housenumber", "12a"},
                                     {"zipcode", "10115"},
                                     {"city", "Berlin"},
                                     {"phone", "030 1"},
                                     {"fax", "030 2"},
                                     {"mobile", "0170 3"},
                                     {"internet", "example.de"},
                                     {"email", "a@example.de"},
                                     {"created", "2019-03-04 10:00:00"},
                                     {"updated", "2020-12-31 23:59:59"}};
    for (const auto& value : values)
        found.SetValue(wxString(value[0]), wxString::FromUTF8(value[1]));
    CompanyEntity loaded(nullptr, false);
    loaded.SetValue(wxString("address"), wxString("Ring"));

    std::unique_ptr<Brenik::BKListCtrl::BKListCtrlRow> first(ResultRows::Build(&found));
    std::unique_ptr<Brenik::BKListCtrl::BKListCtrlRow> second(ResultRows::Build(&loaded));
    EXPECT_EQ(first->GetPointer(), &found);
    const char* const expected[] = {
        "Bäckereien", "Bäckerei Özdemir", "Ayşe Özdemir", "Hauptstraße 12a",
        "10115",      "Berlin",           "030 1",        "030 2",
        "0170 3",     "example.de",       "a@example.de", "04.03.2019",
        "31.12.2020"};
    ASSERT_EQ(first->GetCount(), 13u);
    for (size_t column = 0; column < 13; ++column)
        EXPECT_EQ((*first)[column], wxString::FromUTF8(expected[column])) << column;
    ASSERT_EQ(second->GetCount(), 13u);
    EXPECT_EQ((*second)[0], "");
    EXPECT_EQ((*second)[3], "Ring");
    EXPECT_EQ((*second)[1], "");
}
