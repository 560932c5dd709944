#include <memory>

#include "ui/MainWindowFixture.h"
#include "ui/ResultRows.h"

// A record laid out otherwise (loaded without its sector names) gets its own texts too, and
// its missing field an empty one. A control character of either range shows as a blank.
TEST(ResultRows, RowHoldsTheCompanyAndItsThirteenTextsInColumnOrder)
{
    auto* found = new CompanyEntity(nullptr, true);
    const char* const values[][2] = {{"sectors", "Bäckereien"},
                                     {"name", "Bäckerei Özdemir"},
                                     {"ceo", "Ayşe Özdemir"},
                                     {"address", "Hauptstraße"},
                                     {"housenumber", "12a"},
                                     {"zipcode", "10115"},
                                     {"city", "Berlin"},
                                     {"phone", "030 1"},
                                     {"fax",
                                      "A\u0085B\x7F"
                                      "C"},
                                     {"mobile", "0170 3"},
                                     {"internet", "example.de"},
                                     {"email", "a@example.de"},
                                     {"created", "2019-03-04 10:00:00"},
                                     {"updated", "2020-12-31 23:59:59"}};
    for (const auto& value : values)
        found->SetValue(wxString(value[0]), wxString::FromUTF8(value[1]));
    auto* loaded = new CompanyEntity(nullptr, false);
    loaded->SetValue(wxString("address"), wxString("Ring"));

    auto* frame = new wxFrame(nullptr, wxID_ANY, "rows");
    auto* list = new Brenik::BKListCtrl(frame);
    ResultRows::InsertColumns(*list);
    ASSERT_TRUE(ResultRows::Append(*list, found));
    ASSERT_TRUE(ResultRows::Append(*list, loaded));
    EXPECT_EQ(list->GetPointer(0, 0), found);
    const char* const expected[] = {
        "Bäckereien", "Bäckerei Özdemir", "Ayşe Özdemir", "Hauptstraße 12a",
        "10115",      "Berlin",           "030 1",        "A B C",
        "0170 3",     "example.de",       "a@example.de", "04.03.2019",
        "31.12.2020"};
    for (int column = 0; column < 13; ++column)
        EXPECT_EQ(list->GetText(0, column), wxString::FromUTF8(expected[column])) << column;
    EXPECT_EQ(list->GetText(1, 0), "");
    EXPECT_EQ(list->GetText(1, 3), "Ring");
    EXPECT_EQ(list->GetText(1, 1), "");
    list->CleanUp();
    DestroyNow(frame);
}

// The main window, named for what this file checks.
class ResultListRows : public MainWindow {};

TEST_F(ResultListRows, TimeStampsShowAsTheDateTheLibraryReads)
{
    // The program's users live in Berlin, and so does the suite: a stamp just after
    // midnight there is still the day before in UTC.
    const time_t julyFourth = 1625356800;  // 2021-07-04 00:00:00 UTC
    struct tm local;
    ASSERT_NE(localtime_r(&julyFourth, &local), nullptr);
    ASSERT_EQ(local.tm_gmtoff, 7200) << "the tests must run with TZ=Europe/Berlin";

    // Stamps of one day with plain, odd and broken times, and broken days: each row shows
    // exactly the German date the value conversion gives, however often its day recurs.
    const std::vector<std::string> stamps = {"2021-07-04 10:00:00",
                                             "2021-07-04 25:00:00",
                                             "2021-07-04 23:59:59",
                                             "2021-07-04",
                                             "2021-02-30 10:00:00",
                                             "2021-02-28 10:00:00",
                                             "not a date",
                                             "",
                                             "2021-07-04 10:00:00.5",
                                             "2021-07-04 10:00",
                                             "1999-12-31 00:00:00",
                                             "2021-07-04 00:30:00",
                                             "2021-03-28 02:30:00",
                                             "2020-02-29 12:00:00",
                                             "2100-02-29 12:00:00",
                                             "1899-12-31 23:59:59",
                                             "2021-07-04 10:00:60",
                                             "2021-07-04T10:00:00",
                                             "+021-07-04 10:00:00"};
    std::vector<TestCompany> companies;
    for (size_t i = 0; i < stamps.size(); ++i) {
        TestCompany c;
        c.id = static_cast<int>(i + 1);
        c.name = "Firma " + std::to_string(i + 1);
        c.created = stamps[i];
        c.updated = stamps[stamps.size() - 1 - i];
        companies.push_back(c);
    }
    Open(kSectors, companies);
    SearchFor("Firma");
    ASSERT_EQ(list->GetItemCount(), static_cast<int>(stamps.size()));
    for (int row = 0; row < list->GetItemCount(); ++row) {
        auto* company = static_cast<CompanyEntity*>(list->GetPointer(row, 0));
        ASSERT_NE(company, nullptr);
        const size_t i = company->Get("id")->ToUnsignedInt() - 1;
        const wxString created =
            Brenik::BKCasts(wxString::FromUTF8(stamps[i])).ToDateTime('-').ToGermanDate();
        const wxString updated = Brenik::BKCasts(wxString::FromUTF8(stamps[stamps.size() - 1 - i]))
                                     .ToDateTime('-')
                                     .ToGermanDate();
        EXPECT_EQ(list->GetText(row, 11), created) << stamps[i];
        EXPECT_EQ(list->GetText(row, 12), updated) << stamps[stamps.size() - 1 - i];
    }
    const int first = RowOf("Firma 1");
    ASSERT_GE(first, 0);
    EXPECT_EQ(list->GetText(first, 11), "04.07.2021");
    EXPECT_EQ(list->GetText(RowOf("Firma 2"), 11), "");  // hour 25 is no time
    EXPECT_EQ(list->GetText(RowOf("Firma 5"), 11), "");  // 30 February is no day
    EXPECT_EQ(list->GetText(RowOf("Firma 11"), 11), "31.12.1999");
    EXPECT_EQ(list->GetText(RowOf("Firma 12"), 11), "04.07.2021");
}

TEST_F(ResultListRows, TextsOfEveryScriptShowAsStored)
{
    // Two-, three- and four-byte characters, and texts longer than any short-cut takes.
    const std::vector<std::string> names = {"Café Größe", "北京饭店 GmbH",
                                            "Pizza \xF0\x9F\x8D\x95 Express", std::string(300, 'x'),
                                            "Ärger & Söhne " + std::string(250, 'y') + " Ü"};
    std::vector<TestCompany> companies;
    for (size_t i = 0; i < names.size(); ++i) {
        TestCompany c;
        c.id = static_cast<int>(i + 1);
        c.name = names[i];
        c.ceo = "Chef";
        c.address = names[i];
        c.housenumber = "1";
        companies.push_back(c);
    }
    // Values of megabytes, with line breaks that would draw over the next rows.
    TestCompany big;
    big.id = 99;
    big.name = big.city = "Erste\r\nZeile\tund\x01mehr\xE2\x80\xA8" + std::string(5 << 20, 'n');
    big.ceo = big.name;
    companies.push_back(big);
    Open(kSectors, companies);
    SearchFor("Chef");
    ASSERT_EQ(list->GetItemCount(), static_cast<int>(names.size()));
    for (int row = 0; row < list->GetItemCount(); ++row) {
        auto* company = static_cast<CompanyEntity*>(list->GetPointer(row, 0));
        ASSERT_NE(company, nullptr);
        const std::string& name = names[company->Get("id")->ToUnsignedInt() - 1];
        EXPECT_EQ(list->GetText(row, 1), wxString::FromUTF8(name));
        EXPECT_EQ(list->GetText(row, 3), wxString::FromUTF8(name) + " 1");
    }

    // A screen's worth of each on one line, soon, in bounded memory; the record keeps it all.
    const ScopedCost cost;
    SearchFor("Erste");
    EXPECT_LT(cost.Seconds(), 3.0);
    EXPECT_LT(cost.PeakMb(), 150 + kSanitizerQuarantineMb);
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_TRUE(list->GetText(0, 2).StartsWith("Erste  Zeile und mehr nnn"));
    EXPECT_LT(list->GetText(0, 5).length(), 1000u);
    EXPECT_EQ(static_cast<CompanyEntity*>(list->GetPointer(0, 0))->Utf8(CompanyField::kName),
              big.name);
}
