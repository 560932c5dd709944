#include "lib/core/BKCollation.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

using Brenik::BKCollation;

namespace {

std::vector<wxString> SortedBy(std::vector<wxString> texts,
                               std::string (*key)(const wxString& text))
{
    std::sort(texts.begin(), texts.end(),
              [key](const wxString& a, const wxString& b) { return key(a) < key(b); });
    return texts;
}

}  // namespace

TEST(BKCollation, TextsFollowGermanDictionaryOrder)
{
    const std::vector<wxString> expected = {
        wxString::FromUTF8("apotheken"),
        wxString::FromUTF8("Backen"),
        wxString::FromUTF8("Bäckereien"),
        wxString::FromUTF8("Backstuben"),
        wxString::FromUTF8("Buchhandlungen"),
        wxString::FromUTF8("Fußpflege"),
        wxString::FromUTF8("Fusspflege mobil"),
        wxString::FromUTF8("Lukas"),
        wxString::FromUTF8("Łukasz"),
        wxString::FromUTF8("Lutz"),
        wxString::FromUTF8("Übersetzungsbüros"),
        wxString::FromUTF8("Zahnärzte"),
    };
    std::vector<wxString> shuffled(expected.rbegin(), expected.rend());
    EXPECT_EQ(SortedBy(shuffled, BKCollation::TextKey), expected);

    // Equal apart from case or umlauts: still one fixed order, whatever came first.
    EXPECT_NE(BKCollation::TextKey("Muller"), BKCollation::TextKey(wxString::FromUTF8("Müller")));
    EXPECT_EQ(SortedBy({"muller", "Muller"}, BKCollation::TextKey),
              SortedBy({"Muller", "muller"}, BKCollation::TextKey));
}

TEST(BKCollation, CellsSortNumbersByValueAndDatesByDate)
{
    const std::vector<wxString> expected = {
        "",           "9",        " 10",        "01067",        "80331",
        "31.12.2019", "2.1.2020", "15.01.2020", "10115 Berlin", "abc",
    };
    std::vector<wxString> shuffled(expected.rbegin(), expected.rend());
    EXPECT_EQ(SortedBy(shuffled, BKCollation::CellKey), expected);

    // Numbers of any length, where a length prefix of fixed width would wrap.
    const std::vector<wxString> longer = {"5", wxString('9', 99), "1" + wxString('0', 10000)};
    EXPECT_EQ(SortedBy({longer.rbegin(), longer.rend()}, BKCollation::CellKey), longer);
}
