#include <gtest/gtest.h>

#include <memory>

#include "DirectoryTestData.h"
#include "TestSupport.h"
#include "directory/CompanyController.h"
#include "directory/CompanyEntity.h"

using namespace DirectoryTestData;

TEST(CompanyEntity, DeclaresTheFortyFieldsInOrder)
{
    // clang-format off
    const char* keys[] = {
        "id", "name", "ceo", "address", "housenumber", "zipcode", "city", "state", "phone",
        "fax", "mobile", "internet", "email", "taxIdNumber", "taxNumber", "notes",
        "openingHours", "logo", "districtCourt", "commercialRegister", "blog", "twitter",
        "facebook", "imprintUrl", "keywords", "description", "imprint", "staff", "startyear",
        "typeofcompany", "owner", "cooperations", "memberships", "parking", "premium",
        "premiumStartDate", "premiumStopDate", "created", "updated", "sectors"};
    // clang-format on
    CompanyEntity company(nullptr, true);
    EXPECT_EQ("companies", company.GetTable());
    EXPECT_EQ("id", company.GetPrimaryKey());
    EXPECT_EQ("", company.GetForeignKey());
    EXPECT_EQ("", company.GetForeignTable());
    EXPECT_EQ(0u, company.GetReference());
    EXPECT_TRUE(company.GetGetAutoSequence());
    ASSERT_EQ(40u, company.GetCount());
    for (unsigned int index = 0; index < 40; ++index) {
        const auto* field = company.Get(index);
        wxString key = keys[index];
        EXPECT_EQ(key, field->GetKey());
        bool number = key == "id" || key == "premium";
        bool truth = key == "parking";
        EXPECT_EQ(number ? 4u : truth ? 11u : 0u, field->GetType()) << key;
        EXPECT_EQ(!number && !truth, field->GetDelimiters()) << key;
        EXPECT_EQ(!number && !truth, field->GetEscape()) << key;
        EXPECT_TRUE(field->GetNull()) << key;
        EXPECT_EQ("", field->GetField());
        EXPECT_EQ(0u, field->GetLength());
        EXPECT_EQ(number ? "0" : truth ? "false" : "", field->ToString()) << key;
    }
    CompanyEntity plain(nullptr, false);
    EXPECT_EQ(39u, plain.GetCount());
    EXPECT_EQ(nullptr, plain.Get("sectors"));
    EXPECT_EQ("updated", plain.Get(38u)->GetKey());
}

TEST(CompanyEntity, AddressWithHousenumber)
{
    CompanyEntity company(nullptr, true);
    EXPECT_EQ("", company.GetAddressWithHousenumber());
    company.SetValue("address", wxString::FromUTF8("Hauptstra\xC3\x9F"
                                                   "e"));
    EXPECT_EQ(wxString::FromUTF8("Hauptstra\xC3\x9F"
                                 "e"),
              company.GetAddressWithHousenumber());
    company.SetValue("housenumber", wxString("12a"));
    EXPECT_EQ(wxString::FromUTF8("Hauptstra\xC3\x9F"
                                 "e 12a"),
              company.GetAddressWithHousenumber());
    company.SetValue("address", wxString());
    EXPECT_EQ(" 12a", company.GetAddressWithHousenumber());

    // Fields in their declared places, as a loaded record has them, and fields found by key
    // after the places have shifted.
    CompanyEntity loaded(nullptr, true);
    loaded.Get("address")->SetUtf8("Am Markt");
    loaded.Get("housenumber")->SetUtf8("3");
    EXPECT_EQ("Am Markt 3", loaded.GetAddressWithHousenumber());
    ASSERT_TRUE(loaded.Remove("id"));
    EXPECT_EQ("Am Markt 3", loaded.GetAddressWithHousenumber());
    ASSERT_TRUE(loaded.Remove("housenumber"));
    EXPECT_EQ("Am Markt", loaded.GetAddressWithHousenumber());
    ASSERT_TRUE(loaded.Remove("address"));
    EXPECT_EQ("", loaded.GetAddressWithHousenumber());
    loaded.Set("housenumber", wxString("7"), true, true, "", 0, true);
    EXPECT_EQ(" 7", loaded.GetAddressWithHousenumber());
}

TEST(CompanyEntity, JoinAddressAddsTheNumberOnlyWhenThereIsOne)
{
    EXPECT_EQ("Hauptweg 3", CompanyEntity::JoinAddress("Hauptweg", "3"));
    EXPECT_EQ("Hauptweg", CompanyEntity::JoinAddress("Hauptweg", ""));
    EXPECT_EQ(" 3", CompanyEntity::JoinAddress("", "3"));
    EXPECT_EQ("", CompanyEntity::JoinAddress("", ""));
    // Blanks of either part are kept as they are; a blank number is a number.
    EXPECT_EQ("Weg   4 ", CompanyEntity::JoinAddress("Weg ", " 4 "));
    EXPECT_EQ("Weg   ", CompanyEntity::JoinAddress("Weg ", " "));
    EXPECT_EQ(wxString::FromUTF8("Stra\xC3\x9F"
                                 "e 1\xC2\xBD"),
              CompanyEntity::JoinAddress(wxString::FromUTF8("Stra\xC3\x9F"
                                                            "e"),
                                         wxString::FromUTF8("1\xC2\xBD")));
}

TEST(CompanyEntity, RowOfNullsGivesEmptyRecord)
{
    TempDir dir;
    Brenik::BKSQLiteDatabase database(dir.Path("n.sqlite"));
    ASSERT_NO_FATAL_FAILURE(CreateSchema(&database));
    ASSERT_TRUE(Execute(&database, "INSERT INTO companies (id) VALUES (8)"));
    CompanyController controller(&database);
    std::unique_ptr<CompanyEntity> company(controller.LoadCompany(8));
    ASSERT_NE(nullptr, company);
    EXPECT_EQ(8u, company->Get("id")->ToUnsignedInt());
    for (unsigned int index = 0; index < company->GetCount(); ++index) {
        const auto* field = company->Get(index);
        if (field->GetType() == 0) {
            EXPECT_EQ("", field->ToString()) << field->GetKey();
        }
    }
    EXPECT_FALSE(company->Get("parking")->ToBool());
    EXPECT_EQ("false", company->Get("parking")->ToString());
    EXPECT_EQ(0u, company->Get("premium")->ToUnsignedInt());
    EXPECT_EQ("8", company->ToSimpleString());
}

namespace {

// The line of a company with these fields set and all others empty, under the settings.
std::string CsvLine(const CsvConfigType& config,
                    std::initializer_list<std::pair<const char*, const char*>> values)
{
    CompanyEntity company(nullptr, true);
    company.SetValue("parking", wxString());  // a new record says "false" there
    for (const auto& [key, value] : values)
        company.SetValue(key, wxString::FromUTF8(value));
    return company.GetCsvContent(config).utf8_string();
}

std::string Repeat(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

}  // namespace

TEST(CompanyEntity, CsvHeaderAndLineUnderTheDefaults)
{
    CompanyEntity company(nullptr, true);
    EXPECT_EQ(
        "\"ID\";\"Name\";\"CEO\";\"Address\";\"Housenumber\";\"Zipcode\";\"City\";"
        "\"State\";\"Phone\";\"Fax\";\"Mobile\";\"Internet\";\"Email\";"
        "\"Tax id number\";\"Tax number\";\"Notes\";\"Opening hours\";"
        "\"District court\";\"Commercial register\";\"Blog\";\"Twitter\";\"Facebook\";"
        "\"Imprint url\";\"Staff\";\"Start year\";\"Type of company\";\"Owner\";"
        "\"Memberships\";\"Parking\";\"Created\";\"Updated\"\n",
        company.GetCsvHeader(CsvConfigType()).utf8_string());

    // The inner quotes are doubled, the field delimiter inside a value stays, the rest is empty.
    EXPECT_EQ("\"7\";\"Drei \"\"W\xC3\xB6rter\"\"; Firma\"" + Repeat(";\"\"", 29) + "\n",
              CsvLine(CsvConfigType(), {{"id", "7"}, {"name", "Drei \"W\xC3\xB6rter\"; Firma"}}));

    // Every column in its place, whatever order the record's fields are in (setting a
    // value moves its field to the end), and nothing of the unexported fields.
    // clang-format off
    const char* keys[] = {
        "id", "name", "ceo", "address", "housenumber", "zipcode", "city", "state", "phone",
        "fax", "mobile", "internet", "email", "taxIdNumber", "taxNumber", "notes",
        "openingHours", "districtCourt", "commercialRegister", "blog", "twitter", "facebook",
        "imprintUrl", "staff", "startyear", "typeofcompany", "owner", "memberships", "parking",
        "created", "updated"};
    // clang-format on
    CompanyEntity full(nullptr, true);
    for (int column = 30; column >= 0; --column)
        full.SetValue(keys[column], wxString::Format("v%d", column + 1));
    for (const char* hidden : {"logo", "keywords", "description", "imprint", "cooperations",
                               "premium", "premiumStartDate", "premiumStopDate", "sectors"})
        full.SetValue(hidden, wxString("hidden"));
    std::string expected;
    for (int column = 1; column <= 31; ++column)
        expected += "\"v" + std::to_string(column) + (column < 31 ? "\";" : "\"\n");
    EXPECT_EQ(expected, full.GetCsvContent(CsvConfigType()).utf8_string());
    // Stored time stamps are written as they are.
    EXPECT_NE(std::string::npos, CsvLine(CsvConfigType(), {{"created", "2019-03-05 10:20:30"}})
                                     .find("\"2019-03-05 10:20:30\";\"\"\n"));
}

TEST(CompanyEntity, CsvFieldRuleOnItsOwn)
{
    // Line breaks are replaced before the text delimiter is doubled, also the one from the
    // replacement; a delimiter of several characters is doubled whole.
    CsvConfigType quoted(wxString(), "; ", "''", "\n", true, "''|");
    EXPECT_EQ("''1''; ''O'Neil''''|''''Partner''" + Repeat("; ''''", 29) + "\n",
              CsvLine(quoted, {{"id", "1"}, {"name", "O'Neil\r\n''Partner"}}));

    // Enclosing and the delimiter after are each optional.
    CsvConfigType config;
    wxString line = "x";
    CompanyEntity::GetCsvField(config, line, "a\"b", false, false);
    EXPECT_EQ("xa\"\"b", line);
    CompanyEntity::GetCsvField(config, line, wxString::FromUTF8("\xE2\x82\xAC"), true, true);
    EXPECT_EQ(wxString::FromUTF8("xa\"\"b\"\xE2\x82\xAC\";"), line);

    // For Excel a value that would run as a formula starts with the apostrophe that makes it
    // text; the plain file keeps every value as it is.
    CsvConfigType excel;
    excel.SetByteOrderMark(true);
    wxString plain, marked;
    for (const char* value :
         {"=HYPERLINK(A1)", "@SUM(1,2)", "\r-2+3", "\tA", "+49 160 1", "-2+3", "K=1"}) {
        CompanyEntity::GetCsvField(CsvConfigType(), plain, value, true, true);
        CompanyEntity::GetCsvField(excel, marked, value, true, true);
    }
    EXPECT_EQ(plain.Find('\''), wxNOT_FOUND);
    EXPECT_EQ(marked,
              "\"'=HYPERLINK(A1)\";\"'@SUM(1,2)\";\"'\r-2+3\";\"'\tA\";\"'+49 160 1\";"
              "\"'-2+3\";\"K=1\";");

    // The mark is chosen for the value as it is written, after every other change; a file for
    // Excel keeps its double quotes when the text delimiter is emptied, since a field
    // delimiter inside a value would start an unmarked cell.
    struct Row {
        const char* value;
        bool replace;
        const char* textDelimiter;
        const char* written;
    };
    const Row rows[] = {
        {"\n=1+1", true, "\"", "\"'=1+1\""},    {"\r\n@A1", true, "\"", "\"'@A1\""},
        {"a\n=1", true, "\"", "\"a=1\""},       {"  =1+1", false, "\"", "\"'  =1+1\""},
        {"\n=1+1", false, "\"", "\"'\n=1+1\""}, {"a;=1+1", false, "", "\"a;=1+1\""},
        {"a\"b", false, "", "\"a\"\"b\""},
    };
    for (const Row& row : rows) {
        CsvConfigType settings(wxString(), ";", row.textDelimiter, "\n", row.replace, "");
        settings.SetByteOrderMark(true);
        wxString written;
        CompanyEntity::GetCsvField(settings, written, row.value, false, true);
        EXPECT_EQ(written, row.written) << row.value;
    }
}
