#include <gtest/gtest.h>

#include <memory>

#include "directory/CompanyAddress.h"
#include "directory/CompanyEntity.h"

namespace {

// A record as the search makes it, with the address fields given.
std::unique_ptr<CompanyEntity> Record(const char* name, const char* street, const char* number,
                                      const char* zipcode, const char* city)
{
    auto company = std::make_unique<CompanyEntity>(nullptr, true);
    company->Get("name")->SetUtf8(name);
    company->Get("address")->SetUtf8(street);
    company->Get("housenumber")->SetUtf8(number);
    company->Get("zipcode")->SetUtf8(zipcode);
    company->Get("city")->SetUtf8(city);
    return company;
}

}  // namespace

TEST(CompanyAddress, MapUrlEncodesEveryByteButTheUnreservedOnes)
{
    const auto full = Record("M\xC3\xBCller & S\xC3\xB6hne",
                             "Stra\xC3\x9F"
                             "e des 17. Juni #3+",
                             "12a", "10623", "Berlin-Charlottenburg");
    EXPECT_EQ(CompanyAddress::GetMapUrl(*full),
              "https://www.openstreetmap.org/search?query="
              "Stra%C3%9Fe%20des%2017.%20Juni%20%233%2B%2012a%2C%2010623%20"
              "Berlin-Charlottenburg");
    EXPECT_EQ(CompanyAddress::PercentEncode("A-z_0.9~ &/?=%"), "A-z_0.9~%20%26%2F%3F%3D%25");

    // What is missing leaves out its separator too.
    EXPECT_EQ(CompanyAddress::GetMapUrl(*Record("", "", "", "", "K\xC3\xB6ln")),
              "https://www.openstreetmap.org/search?query=K%C3%B6ln");
    EXPECT_EQ(CompanyAddress::GetMapUrl(*Record("", " Am Markt ", "", "", "")),
              "https://www.openstreetmap.org/search?query=Am%20Markt");
    EXPECT_TRUE(CompanyAddress::HasPlace(*full));
    EXPECT_TRUE(CompanyAddress::HasPlace(*Record("", "", "", "", "Bonn")));
    EXPECT_FALSE(CompanyAddress::HasPlace(*Record("Firma", " ", "3", "53111", "")));
}

TEST(CompanyAddress, PostalBlockInGermanOrderWithoutEmptyLines)
{
    EXPECT_EQ(CompanyAddress::GetPostalBlock(*Record("B\xC3\xA4"
                                                     "ckerei M\xC3\xBCller GmbH",
                                                     "Hauptstra\xC3\x9F"
                                                     "e",
                                                     "12a", "80331", "M\xC3\xBCnchen")),
              wxString::FromUTF8("B\xC3\xA4"
                                 "ckerei M\xC3\xBCller GmbH\nHauptstra\xC3\x9F"
                                 "e 12a\n80331 M\xC3\xBCnchen"));
    // No street: the block goes from the name to the place; a line break inside a field
    // does not open a line of its own.
    EXPECT_EQ(CompanyAddress::GetPostalBlock(*Record("Kanzlei\r\nNord", "", "", "", "Hamburg")),
              "Kanzlei  Nord\nHamburg");
    EXPECT_EQ(CompanyAddress::GetPostalBlock(*Record("", "Am Markt", "", "20095", "")),
              "Am Markt\n20095");
    EXPECT_EQ(CompanyAddress::GetPostalBlock(*Record("", "", "", "", "")), "");
}
