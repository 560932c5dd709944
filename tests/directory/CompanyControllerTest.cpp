#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "DirectoryTestData.h"
#include "TestSupport.h"
#include "directory/CompanyController.h"
#include "directory/SearchKind.h"

using Brenik::BKSQLiteDatabase;
using namespace DirectoryTestData;

namespace {

class CompanyControllerTest : public testing::Test {
protected:
    void SetUp() override
    {
        database = std::make_unique<BKSQLiteDatabase>(dir.Path("directory.sqlite"));
        ASSERT_TRUE(database->Connect());
        ASSERT_NO_FATAL_FAILURE(CreateSchema(database.get()));
        ASSERT_NO_FATAL_FAILURE(AddSector(database.get(), 3,
                                          "B\xC3\xA4"
                                          "ckerei"));
        ASSERT_NO_FATAL_FAILURE(AddSector(database.get(), 7, "Konditorei"));
        ASSERT_NO_FATAL_FAILURE(AddSector(database.get(), 9, "Metzgerei"));
        ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 1, "Mayer Backwaren", "Hans Mayer"));
        ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 2, "O'Neil Sweets", "Mary O'Neil"));
        ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 3, "Schmidt", "Anna Meyer"));
        ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 4, "Back\\slash GmbH", nullptr));
        ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 5, nullptr, nullptr));
        ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 6, "M\xC3\xBCller", "Frau Wei\xC3\x9F"));
        ASSERT_NO_FATAL_FAILURE(
            AddCompany(database.get(), 7, "\xC3\x84rztehaus am Markt", "Dr. \xC3\x96konom"));
        ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 8, "\xC3\x96ko-Bau GmbH", nullptr));
        ASSERT_NO_FATAL_FAILURE(File(database.get(), 1, {3, 7}));
        ASSERT_NO_FATAL_FAILURE(File(database.get(), 2, {7}));
        ASSERT_NO_FATAL_FAILURE(File(database.get(), 3, {9}));
        ASSERT_NO_FATAL_FAILURE(File(database.get(), 6, {3}));
    }

    // Every record of a search, in result order; the records are the caller's.
    std::vector<std::unique_ptr<CompanyEntity>> Search(const wxString& text,
                                                       const wxArrayString& sectors,
                                                       unsigned int* count = nullptr,
                                                       const wxString& place = wxString(),
                                                       SearchKind kind = SearchKind::kNameOrCeo)
    {
        std::vector<std::unique_ptr<CompanyEntity>> found;
        CompanyController factory(database.get());
        CompanyController* search = factory.InitSearch(text, sectors, place, kind);
        EXPECT_NE(nullptr, search);
        if (!search)
            return found;
        if (count)
            *count = search->GetCount();
        while (CompanyEntity* company = search->RunSearch())
            found.emplace_back(company);
        search->DeinitSearch();
        return found;
    }

    static std::multiset<unsigned int> Ids(
        const std::vector<std::unique_ptr<CompanyEntity>>& companies)
    {
        std::multiset<unsigned int> ids;
        for (const auto& company : companies)
            ids.insert(company->Get("id")->ToUnsignedInt());
        return ids;
    }

    static wxArrayString Sectors(std::initializer_list<const char*> ids)
    {
        wxArrayString list;
        for (const char* id : ids)
            list.Add(id);
        return list;
    }

    // The ids a search of that kind finds for the text (UTF-8).
    std::multiset<unsigned int> Found(SearchKind kind, const char* text, const char* place = "")
    {
        return Ids(Search(wxString::FromUTF8(text), wxArrayString(), nullptr,
                          wxString::FromUTF8(place), kind));
    }

    // Sets the column of the companies to the value (UTF-8).
    void Set(const char* column, std::initializer_list<std::pair<unsigned int, const char*>> rows)
    {
        for (const auto& [id, value] : rows) {
            ASSERT_TRUE(Execute(database.get(),
                                wxString::Format("UPDATE companies SET %s = ", column) +
                                    Literal(value) + wxString::Format(" WHERE id = %u", id)));
        }
    }

    TempDir dir;
    std::unique_ptr<BKSQLiteDatabase> database;
};

using IdSet = std::multiset<unsigned int>;
struct Row {
    const char* text;
    IdSet ids;
};

}  // namespace

TEST_F(CompanyControllerTest, EmptySearchListsEveryCompanyWithNameOrDirector)
{
    unsigned int count = 0;
    auto found = Search("", wxArrayString(), &count);
    EXPECT_EQ(7u, count);
    EXPECT_EQ((std::multiset<unsigned int>{1, 2, 3, 4, 6, 7, 8}), Ids(found));
}

TEST_F(CompanyControllerTest, TextMatchesNameOrDirectorAsSubstring)
{
    // "Ärztehaus" reads as "Aerztehaus" too.
    EXPECT_EQ((std::multiset<unsigned int>{1, 3, 6, 7}), Ids(Search("ER", wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{1}), Ids(Search("BACKWAREN", wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{3}), Ids(Search("anna", wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{}), Ids(Search("Mayer Hans", wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{6}),
              Ids(Search(wxString::FromUTF8("M\xC3\xBCller"), wxArrayString())));
    // Case is ignored for every letter, umlauts and accents too.
    EXPECT_EQ((std::multiset<unsigned int>{6}),
              Ids(Search(wxString::FromUTF8("M\xC3\x9CLLER"), wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{7, 8}),
              Ids(Search(wxString::FromUTF8("\xC3\xB6ko"), wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{7}),
              Ids(Search(wxString::FromUTF8("\xC3\xA4rztehaus"), wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{6}),
              Ids(Search(wxString::FromUTF8("wei\xC3\x9F"), wxArrayString())));
    // A match may start inside a failed one ("ler" in "Müller").
    EXPECT_EQ((std::multiset<unsigned int>{6}), Ids(Search("ler", wxArrayString())));
    // % and _ keep their LIKE meaning.
    EXPECT_EQ((std::multiset<unsigned int>{1}), Ids(Search("Mayer%waren", wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{1, 3}), Ids(Search("M_yer", wxArrayString())));
}

TEST_F(CompanyControllerTest, GermanSpellingsWithoutUmlautsFindTheUmlautsAndBack)
{
    ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 9, "Mueller Bau", "Ute Strasser"));
    ASSERT_NO_FATAL_FAILURE(AddCompany(database.get(), 10,
                                       "Bau an der Stra\xC3\x9F"
                                       "e",
                                       nullptr));
    auto found = [this](const char* utf8) {
        return Ids(Search(wxString::FromUTF8(utf8), wxArrayString()));
    };
    using Set = std::multiset<unsigned int>;
    EXPECT_EQ((Set{6, 9}), found("mueller"));
    EXPECT_EQ((Set{6, 9}), found("M\xC3\xBCller"));
    EXPECT_EQ((Set{6, 9}), found("M\xC3\x9C"
                                 "LLER"));
    EXPECT_EQ((Set{6}), found("WEISS"));
    EXPECT_EQ((Set{9, 10}), found("strasse"));
    EXPECT_EQ((Set{9, 10}), found("Stra\xC3\x9F"
                                  "e"));
    EXPECT_EQ((Set{7, 8}), found("oeko"));
    EXPECT_EQ((Set{7}), found("aerzte"));
    // Typing "mueller" letter by letter keeps Müller in the list: "mu" finds it, as "mue" does,
    // while "mul" finds neither spelling.
    EXPECT_EQ((Set{6, 9}), found("mu"));
    EXPECT_EQ((Set{}), found("mul"));
    // "_" stands for one letter, an umlaut or ß included; a match may start inside a spelt-out
    // umlaut after a failed one ("se" in "strasse").
    EXPECT_EQ((Set{6}), found("M_ller"));
    EXPECT_EQ((Set{10}), found("Stra_e"));
    // ... never for the half of one that its spelling leaves ("Mu_ller" is not "Müller").
    EXPECT_EQ((Set{9}), found("Mu_ller"));
    EXPECT_EQ((Set{9}), found("Stras_e"));
    EXPECT_EQ((Set{6, 9}), found("M\xC3\xBC_ler"));
    EXPECT_EQ((Set{9, 10}), found("se"));
}

TEST_F(CompanyControllerTest, IdThatDoesNotFitIsKeptAsTheDirectoryHoldsIt)
{
    ASSERT_TRUE(Execute(database.get(), "UPDATE companies SET id = -5 WHERE id = 1"));
    ASSERT_TRUE(Execute(database.get(), "UPDATE companies SET id = 4294967296 WHERE id = 3"));
    std::set<wxString> unfit;
    for (const auto& company : Search("", wxArrayString()))
        unfit.insert(company->HasLoadableId() ? "" : company->Get("id")->ToString());
    EXPECT_EQ(unfit, (std::set<wxString>{"", "-5", "4294967296"}));
}

TEST_F(CompanyControllerTest, QuotesAndBackslashesInTextStayInsideTheLiteral)
{
    EXPECT_EQ((std::multiset<unsigned int>{2}), Ids(Search("O'Neil", wxArrayString())));
    EXPECT_EQ((std::multiset<unsigned int>{2}), Ids(Search("'", wxArrayString())));
    // Attempts to leave the literal find nothing and break nothing.
    EXPECT_TRUE(Search("x' OR 'a' LIKE 'a", wxArrayString()).empty());
    EXPECT_TRUE(Search("\\' OR 1=1 --", wxArrayString()).empty());
    EXPECT_TRUE(Search("'); DROP TABLE companies; --", wxArrayString()).empty());
    EXPECT_EQ(7u, Search("", wxArrayString()).size());

    // A backslash is an ordinary character in SQLite: it is found as typed.
    EXPECT_EQ((std::multiset<unsigned int>{4}), Ids(Search("k\\s", wxArrayString())));
    wxString statement = CompanyController::BuildSearchStatement("a\\b'c", wxArrayString());
    EXPECT_NE(wxNOT_FOUND, statement.Find("companies.name LIKE '%a\\b''c%'"));
    EXPECT_NE(wxNOT_FOUND, statement.Find("companies.ceo LIKE '%a\\b''c%'"));
}

TEST_F(CompanyControllerTest, StatementIsTheFixedSelectWithTextCondition)
{
    const wxString select =
        "SELECT    companies.*,    (        SELECT \t\tGROUP_CONCAT(sectors.sector, ', ') \t\t"
        "FROM \t\t\tsectors \t\t INNER JOIN \t\t\tcompany_sectors ON company_sectors.sector = "
        "sectors.id \t\tWHERE \t\t\tcompany_sectors.company = companies.id    ) AS sectors "
        "FROM    companies ";
    EXPECT_EQ(select +
                  " WHERE ( \tcompanies.name LIKE '%Mayer%' \tOR \tcompanies.ceo LIKE "
                  "'%Mayer%' )",
              CompanyController::BuildSearchStatement("Mayer", wxArrayString()));
    EXPECT_EQ(select +
                  " WHERE    companies.id IN (SELECT company_sectors.company FROM "
                  "company_sectors WHERE company_sectors.sector IN (3, 7)) AND ( "
                  "\tcompanies.name LIKE '%%' \tOR \tcompanies.ceo LIKE '%%' )",
              CompanyController::BuildSearchStatement("", Sectors({"3", "7"})));
    // An empty place leaves the statement as it is; a place narrows it before the text.
    EXPECT_EQ(CompanyController::BuildSearchStatement("Mayer", Sectors({"3"})),
              CompanyController::BuildSearchStatement("Mayer", Sectors({"3"}), ""));
    EXPECT_EQ(select +
                  " WHERE companies.zipcode LIKE '50%' AND ( \tcompanies.name LIKE '%Mayer%' "
                  "\tOR \tcompanies.ceo LIKE '%Mayer%' )",
              CompanyController::BuildSearchStatement("Mayer", wxArrayString(), "50"));
}

TEST_F(CompanyControllerTest, PlaceNarrowsToPostcodeBeginningOrCity)
{
    ASSERT_TRUE(Execute(
        database.get(),
        wxString::FromUTF8("UPDATE companies SET zipcode = CASE id WHEN 1 THEN '50667' WHEN 2 THEN "
                           "'50999' WHEN 3 THEN '53111' WHEN 6 THEN '05000' END, city = CASE id "
                           "WHEN 1 THEN 'K\xC3\xB6ln' WHEN 2 THEN 'K\xC3\xB6ln' WHEN 6 THEN "
                           "'Sankt Peter''s Dorf' ELSE city END")));
    auto found = [this](const char* text, const char* place, const wxArrayString& sectors) {
        return Ids(Search(text, sectors, nullptr, wxString::FromUTF8(place)));
    };
    using Set = std::multiset<unsigned int>;
    const wxArrayString all;
    EXPECT_EQ((Set{1, 2}), found("", "50", all));
    EXPECT_EQ((Set{6}), found("", "0", all));
    EXPECT_EQ((Set{}), found("", "667", all));
    // Any other text is part of the city, folded as the name search folds.
    EXPECT_EQ((Set{1, 2}), found("", "koeln", all));
    EXPECT_EQ((Set{1, 2}), found("", "K_ln", all));
    // Together with the text and the sectors.
    EXPECT_EQ((Set{1}), found("mayer", "50", all));
    EXPECT_EQ((Set{1}), found("", "k\xC3\xB6ln", Sectors({"3"})));
    // Quotes stay inside the literal.
    EXPECT_EQ((Set{6}), found("", "Peter's", all));
    EXPECT_EQ((Set{}), found("", "x' OR 'a' LIKE 'a", all));
}

TEST_F(CompanyControllerTest, SectorsRestrictAndListEachCompanyOnce)
{
    EXPECT_EQ((std::multiset<unsigned int>{1, 6}), Ids(Search("", Sectors({"3"}))));
    // Company 1 is filed under both chosen sectors: listed and counted once.
    unsigned int count = 0;
    auto found = Search("", Sectors({"3", "7"}), &count);
    EXPECT_EQ((std::multiset<unsigned int>{1, 2, 6}), Ids(found));
    EXPECT_EQ(3u, count);
    // Text and sectors together.
    EXPECT_EQ((std::multiset<unsigned int>{1}), Ids(Search("mayer", Sectors({"3", "7", "9"}))));
    EXPECT_TRUE(Search("", Sectors({"42"})).empty());
}

TEST_F(CompanyControllerTest, SectorEntriesThatAreNotNumbersAreDropped)
{
    auto found =
        Search("", Sectors({"9", "3) OR (1=1", "7; DROP TABLE companies", "", "-1", " 3", "3.0"}));
    EXPECT_EQ((std::multiset<unsigned int>{3}), Ids(found));
    EXPECT_EQ(7u, Search("", wxArrayString()).size());  // the table is still there
    // Chosen sectors that were all dropped match nothing instead of everything.
    EXPECT_TRUE(Search("", Sectors({"x"})).empty());
    EXPECT_EQ((std::multiset<unsigned int>{2, 1}), Ids(Search("", Sectors({"007"}))));
}

TEST_F(CompanyControllerTest, RecordsCarryAllTheirSectorNames)
{
    auto found = Search("", Sectors({"7"}));
    ASSERT_EQ(2u, found.size());
    for (const auto& company : found) {
        wxString sectors = company->Get("sectors")->ToString();
        if (company->Get("id")->ToUnsignedInt() == 1) {
            // All sectors of the company, not only the chosen one, in SQLite's order.
            EXPECT_TRUE(sectors == wxString::FromUTF8("B\xC3\xA4"
                                                      "ckerei, Konditorei") ||
                        sectors == wxString::FromUTF8("Konditorei, B\xC3\xA4"
                                                      "ckerei"))
                << sectors;
            EXPECT_EQ("Mayer Backwaren", company->Get("name")->ToString());
            EXPECT_EQ("Hans Mayer", company->Get("ceo")->ToString());
            EXPECT_TRUE(company->Get("parking")->ToBool());
            EXPECT_EQ(1u, company->Get("premium")->ToUnsignedInt());
        } else {
            EXPECT_EQ("Konditorei", sectors);
        }
        EXPECT_EQ(40u, company->GetCount());
    }
    // A company filed under no sector has an empty list.
    auto unfiled = Search("slash", wxArrayString());
    ASSERT_EQ(1u, unfiled.size());
    EXPECT_EQ(4u, unfiled[0]->Get("id")->ToUnsignedInt());
    EXPECT_EQ("", unfiled[0]->Get("sectors")->ToString());
    EXPECT_EQ("Back\\slash GmbH", unfiled[0]->Get("name")->ToString());

    // A sector name in Latin-1 bytes shows as its letters and keeps the others' names.
    ASSERT_TRUE(Execute(database.get(),
                        "INSERT INTO sectors (id, sector) VALUES (11, "
                        "CAST(X'47656DFC7365' AS TEXT))"));
    ASSERT_NO_FATAL_FAILURE(File(database.get(), 3, {11}));
    auto schmidt = Search("Schmidt", wxArrayString());
    ASSERT_EQ(1u, schmidt.size());
    const wxString sectors = schmidt[0]->Get("sectors")->ToString();
    EXPECT_TRUE(sectors == wxString::FromUTF8("Metzgerei, Gem\xC3\xBCse") ||
                sectors == wxString::FromUTF8("Gem\xC3\xBCse, Metzgerei"))
        << sectors;
}

TEST_F(CompanyControllerTest, SteppingAfterTheLastRecordKeepsReturningNull)
{
    CompanyController factory(database.get());
    CompanyController* search = factory.InitSearch("Schmidt", wxArrayString());
    ASSERT_NE(nullptr, search);
    EXPECT_FALSE(factory.GetRunning());  // the factory itself is not changed
    EXPECT_EQ(1u, search->GetCount());
    std::unique_ptr<CompanyEntity> first(search->RunSearch());
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(nullptr, search->RunSearch());
    EXPECT_EQ(nullptr, search->RunSearch());
    EXPECT_EQ(0u, search->GetCount());
    CompanyController::DeinitSearch(search);
    CompanyController::DeinitSearch(nullptr);
    // Records outlive their search.
    EXPECT_EQ("Schmidt", first->Get("name")->ToString());
}

TEST_F(CompanyControllerTest, FailingStatementGivesNoSearch)
{
    TempDir empty;
    BKSQLiteDatabase bare(empty.Path("bare.sqlite"));
    CompanyController factory(&bare);
    EXPECT_EQ(nullptr, factory.InitSearch("", wxArrayString()));
    EXPECT_EQ(nullptr, factory.InitSearch("x", Sectors({"1"})));
    EXPECT_EQ(nullptr, factory.LoadCompany(1));
}

TEST_F(CompanyControllerTest, LoadsOneCompanyById)
{
    CompanyController controller(database.get());
    std::unique_ptr<CompanyEntity> company(controller.LoadCompany(2));
    ASSERT_NE(nullptr, company);
    EXPECT_EQ(2u, company->Get("id")->ToUnsignedInt());
    EXPECT_EQ("O'Neil Sweets", company->Get("name")->ToString());
    EXPECT_EQ("Bonn", company->Get("city")->ToString());
    // The single-company statement has no sectors column.
    ASSERT_NE(nullptr, company->Get("sectors"));
    EXPECT_EQ("", company->Get("sectors")->ToString());
    EXPECT_EQ(nullptr, controller.LoadCompany(99));
    EXPECT_EQ(nullptr, controller.LoadCompany(0));
}

TEST_F(CompanyControllerTest, LoadsOneCompanyByIdWithItsSectors)
{
    CompanyController controller(database.get());
    std::unique_ptr<CompanyEntity> company(controller.LoadCompanyWithSectors(1));
    ASSERT_NE(nullptr, company);
    EXPECT_EQ(1u, company->Get("id")->ToUnsignedInt());
    EXPECT_EQ("Mayer Backwaren", company->Get("name")->ToString());
    const wxString sectors = company->Get("sectors")->ToString();
    EXPECT_TRUE(sectors == wxString::FromUTF8("Bäckerei, Konditorei") ||
                sectors == wxString::FromUTF8("Konditorei, Bäckerei"))
        << sectors;
    // A company without sectors has an empty field; one that is gone gives nothing.
    company.reset(controller.LoadCompanyWithSectors(4));
    ASSERT_NE(nullptr, company);
    EXPECT_EQ("", company->Get("sectors")->ToString());
    EXPECT_EQ(nullptr, controller.LoadCompanyWithSectors(99));

    TempDir empty;
    BKSQLiteDatabase bare(empty.Path("bare.sqlite"));
    EXPECT_EQ(nullptr, CompanyController(&bare).LoadCompanyWithSectors(1));
}

TEST_F(CompanyControllerTest, PhoneSearchFindsTheNumberHoweverItIsWritten)
{
    Set("phone", {{1, "0351 4711-0"}, {2, "+49 (0)221 123456"}, {3, "0049 30 9876543"}});
    Set("fax", {{2, "0221/654321"}, {6, "(089) 4711 22"}});
    for (const Row& row :
         {Row{"+49 351 / 471 1", {1}}, Row{"(0351) 4711", {1}}, Row{"0351-4711", {1}},
          Row{"4711", {1, 6}}, Row{"0221 123456", {2}}, Row{"+49 221 65 43 21", {2}},
          Row{"030 98765", {3}}, Row{"0049 (0)30 987", {3}}, Row{"+4930", {3}},
          Row{"M\xC3\xBCller", {}}, Row{"", {1, 2, 3, 4, 6, 7, 8}}})
        EXPECT_EQ(row.ids, Found(SearchKind::kPhoneOrFax, row.text)) << row.text;
}

TEST_F(CompanyControllerTest, StreetSearchTakesAbbreviationsAndHouseNumbers)
{
    Set("address", {{1,
                     "Bahnhofstra\xC3\x9F"
                     "e"},
                    {2, "Bahnhofstrasse"},
                    {3, "Bahnhofstr."},
                    {6,
                     "Gro\xC3\x9F"
                     "e Bahnhofstra\xC3\x9F"
                     "e"},
                    {7, "Am Strand"},
                    {8,
                     "Hauptstra\xC3\x9F"
                     "e"}});
    Set("housenumber", {{1, "12"}, {2, "12a"}, {3, "120"}, {6, "5"}, {7, " 12 "}, {8, "12-14"}});
    for (const Row& row :
         {Row{"Bahnhofstr. 12", {1, 2}}, Row{"Bahnhofstr.12", {1, 2}},
          Row{"BAHNHOFSTRASSE", {1, 2, 3, 6}},
          Row{"Bahnhofstra\xC3\x9F"
              "e 12 A",
              {2}},
          Row{"Hauptstr 12", {8}}, Row{"Strand", {7}}, Row{"grosse bahnhofstr", {6}},
          Row{"12", {1, 2, 7, 8}}, Row{"Bahnhofstr. 1", {}}})
        EXPECT_EQ(row.ids, Found(SearchKind::kStreet, row.text)) << row.text;
}

TEST_F(CompanyControllerTest, SectorSearchFindsCompaniesFiledUnderMatchingSectors)
{
    ASSERT_NO_FATAL_FAILURE(AddSector(database.get(), 20, "Bauhandwerk"));
    ASSERT_NO_FATAL_FAILURE(AddSector(database.get(), 21, "Bauberatung"));
    ASSERT_NO_FATAL_FAILURE(AddSector(database.get(), 22, "Hochbau"));
    ASSERT_NO_FATAL_FAILURE(File(database.get(), 2, {21}));
    ASSERT_NO_FATAL_FAILURE(File(database.get(), 3, {22}));
    ASSERT_NO_FATAL_FAILURE(File(database.get(), 8, {20, 22}));
    for (const Row& row : {Row{"bau", {2, 3, 8}}, Row{"HOCHBAU", {3, 8}}, Row{"baeckerei", {1, 6}},
                           Row{"Bau%beratung", {2}}, Row{"xyz", {}}})
        EXPECT_EQ(row.ids, Found(SearchKind::kSector, row.text)) << row.text;
    // Together with the chosen sectors: filed under Konditorei and under a sector with "bau".
    EXPECT_EQ((IdSet{2}), Ids(Search("bau", Sectors({"7"}), nullptr, "", SearchKind::kSector)));
}

TEST_F(CompanyControllerTest, KeywordSearchLooksInKeywordsAndDescription)
{
    Set("keywords", {{1, "Brot, Br\xC3\xB6tchen, Dresden"}, {6, "Torten"}});
    Set("description",
        {{2, "S\xC3\xBC\xC3\x9Fwaren \xE2\x80\x93 Pralinen"}, {3, "Metzgerei in K\xC3\xB6ln"}});
    for (const Row& row :
         {Row{"br\xC3\xB6tchen", {1}}, Row{"BROETCHEN", {1}}, Row{"s\xC3\xBCsswaren", {2}},
          Row{"koeln", {3}}, Row{"Mayer", {}}, Row{"o'neil", {}}})
        EXPECT_EQ(row.ids, Found(SearchKind::kKeywords, row.text)) << row.text;
}

TEST_F(CompanyControllerTest, AllFieldsSearchLooksInEveryKind)
{
    Set("email", {{2, "info@oneil-sweets.de"}});
    Set("internet", {{3, "www.schmidt-wurst.de"}, {8, "www.oeko-bau.de"}});
    Set("phone", {{6, "0351 4711-0"}});
    Set("address", {{7,
                     "Bahnhofstra\xC3\x9F"
                     "e"}});
    Set("housenumber", {{7, "3"}, {6, "4711"}});
    Set("keywords", {{8, "\xC3\x96kologie"}});
    ASSERT_NO_FATAL_FAILURE(AddSector(database.get(), 20, "Bauhandwerk"));
    ASSERT_NO_FATAL_FAILURE(File(database.get(), 4, {20}));
    for (const Row& row : {Row{"oneil-sweets", {2}}, Row{"wurst", {3}}, Row{"0351/4711", {6}},
                           Row{"Bahnhofstr. 3", {7}}, Row{"bauhandwerk", {4}},
                           Row{"oekologie", {8}}, Row{"Mayer", {1}}, Row{"Bau", {4, 8}}})
        EXPECT_EQ(row.ids, Found(SearchKind::kAllFields, row.text)) << row.text;
}

TEST_F(CompanyControllerTest, PlaceFieldTakesWhatPeopleWrite)
{
    Set("zipcode", {{1, "01067"},
                    {2, "04103"},
                    {3, "01069"},
                    {4, "45468"},
                    {6, "60311"},
                    {7, "79098"},
                    {8, "53757"}});
    Set("city", {{1, "Dresden"},
                 {2, "Leipzig"},
                 {3, "Dresden"},
                 {4, "M\xC3\xBClheim an der Ruhr"},
                 {6, "Frankfurt am Main"},
                 {7, "Freiburg im Breisgau"},
                 {8, "Sankt Augustin"}});
    for (const Row& row :
         {Row{"01067 Dresden", {1}}, Row{"Dresden 0106", {1, 3}}, Row{"01067 Leipzig", {}},
          Row{"Dresden, Leipzig", {1, 2, 3}}, Row{"Dresden;Leipzig", {1, 2, 3}},
          Row{"Leipzig, 79098", {2, 7}}, Row{"frankfurt a.m.", {6}}, Row{"Frankfurt a. M.", {6}},
          Row{"St. Augustin", {8}}, Row{"Freiburg i. Br.", {7}}, Row{"Freiburg i.Br.", {7}},
          Row{"muelheim a. d. ruhr", {4}}, Row{"010", {1, 3}}, Row{" , ; ", {1, 2, 3, 4, 6, 7, 8}}})
        EXPECT_EQ(row.ids, Found(SearchKind::kNameOrCeo, "", row.text)) << row.text;
    // The place works with every kind of search.
    EXPECT_EQ((IdSet{1}), Found(SearchKind::kAllFields, "Mayer", "Dresden, Leipzig"));
}

TEST_F(CompanyControllerTest, EveryKindKeepsTheTextInsideItsLiterals)
{
    for (SearchKind kind : kSearchKinds) {
        for (const char* text : {"'); DROP TABLE companies; --", "x' OR 'a' LIKE 'a 1",
                                 "0351' OR '1'='1", ":search: :digits0:"}) {
            EXPECT_EQ((IdSet{}), Found(kind, text, text)) << SearchKindName(kind) << " " << text;
            EXPECT_EQ(SearchKindNamed(SearchKindName(kind)), kind);
        }
    }
    EXPECT_EQ(7u, Search("", wxArrayString()).size());  // the table is still there
    // The name search is the one the program always had, statement and all.
    EXPECT_EQ(CompanyController::BuildSearchStatement("Mayer", Sectors({"3"}), "50"),
              CompanyController::BuildSearchStatement("Mayer", Sectors({"3"}), "50",
                                                      SearchKind::kNameOrCeo));
    EXPECT_EQ(SearchKind::kNameOrCeo, SearchKindNamed("unknown"));
}
