#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <sqlite3.h>

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "app/DirectorySite.h"
#include "app/Norvel.h"
#include "directory/CompanyEntity.h"
#include "directory/CsvConfigType.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"

namespace {

// Start-up's runtime information, pointed at a resource directory of the test's own.
std::unique_ptr<RuntimeInformationType> RitFor(const wxString& resourceDirectory)
{
    return std::make_unique<RuntimeInformationType>(
        "norvel", resourceDirectory + "/", ".Norvel.conf", Norvel::CompanyUrl, nullptr, true);
}

// Runs the database step of start-up, which must refuse and say why in one box; returns the
// box's text and checks its caption.
wxString RefusedDatabaseMessage(RuntimeInformationType* rit)
{
    wxString message, caption;
    bool opened = true;
    wxTEST_DIALOG(opened = Norvel::OpenDatabase(rit), ExpectMessageBox(&message, &caption));
    EXPECT_FALSE(opened);
    EXPECT_EQ(caption, "Database error");
    return message;
}

// A database file made of the statements; false on any SQLite error.
bool WriteSchema(const wxString& path, const std::string& statements)
{
    sqlite3* db = nullptr;
    bool written = sqlite3_open(path.utf8_str(), &db) == SQLITE_OK &&
                   sqlite3_exec(db, statements.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return written;
}

std::string ReadBytes(const wxString& path)
{
    std::ifstream in(path.fn_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Counts the errors and warnings the toolkit logs, which a GUI program shows as boxes.
class CountingLog : public wxLog {
public:
    int errors = 0;

protected:
    void DoLogRecord(wxLogLevel level, const wxString&, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Warning)
            ++errors;
    }
};

}  // namespace

TEST(NorvelStartUp, UsesTheFixedResourceDirectoryAndConfigurationName)
{
    auto rit = Norvel::CreateRuntimeInformation("/usr/bin/norvel");
    EXPECT_EQ(rit->GetExecutableFile(), "/usr/bin/norvel");
    EXPECT_EQ(rit->GetResourcePath("db", "norvel.sqlite"), "resources/db/norvel.sqlite");
    EXPECT_EQ(rit->GetUserConfigurationFile(), ".Norvel.conf");
    // The site the build was configured for (its test builds set another than the default).
    EXPECT_EQ(rit->GetCompanyUrl(), NORVEL_COMPANY_URL);
    EXPECT_EQ(rit->GetDatabase(), nullptr);
}

TEST(NorvelStartUp, MissingDatabaseFileIsReportedAndNeverCreated)
{
    TempDir dir;
    auto rit = RitFor(dir.Path());
    const wxString path = dir.Path() + "/db/norvel.sqlite";
    EXPECT_EQ(RefusedDatabaseMessage(rit.get()),
              "Could not find database file: " + path + ". Cannot start application.");
    EXPECT_FALSE(wxFileName::FileExists(path));
    EXPECT_EQ(rit->GetDatabase(), nullptr);
}

TEST(NorvelStartUp, DirectoryInPlaceOfTheDatabaseIsNotADatabaseFile)
{
    TempDir dir;
    const wxString path = dir.Path("db/norvel.sqlite");
    ASSERT_TRUE(wxFileName::Mkdir(path, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
    auto rit = RitFor(dir.Path());
    EXPECT_EQ(RefusedDatabaseMessage(rit.get()),
              "Could not find database file: " + path + ". Cannot start application.");
}

TEST(NorvelStartUp, FileThatHoldsNoDirectoryCannotBeOpened)
{
    // SQLite opens any file; start-up refuses each of these as it refuses a file it cannot
    // open, instead of opening a window whose every search fails. None is changed.
    TempDir dir;
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("db"), wxS_DIR_DEFAULT, 0));
    const wxString path = dir.Path("db/norvel.sqlite");
    const std::vector<std::pair<const char*, std::string>> files = {
        {"empty file", ""},
        {"text file", "Firma;Ort\nMüller;Köln\n"},
        {"no sectors table",
         "CREATE TABLE companies (id INTEGER PRIMARY KEY, name, ceo);"
         "CREATE TABLE company_sectors (company, sector);"},
        {"no ceo column",
         "CREATE TABLE companies (id INTEGER PRIMARY KEY, name);"
         "CREATE TABLE sectors (id, sector);"
         "CREATE TABLE company_sectors (company, sector);"}};
    for (const auto& [what, content] : files) {
        std::remove(path.utf8_str());
        if (content.rfind("CREATE", 0) == 0)
            ASSERT_TRUE(WriteSchema(path, content)) << what;
        else
            ASSERT_TRUE(WriteTextFile(path, content)) << what;
        const std::string before = ReadBytes(path);
        auto rit = RitFor(dir.Path());
        EXPECT_EQ(RefusedDatabaseMessage(rit.get()),
                  "Could not open database: " + path + ". Cannot start application.")
            << what;
        rit.reset();
        EXPECT_EQ(ReadBytes(path), before) << what;
    }

    // The three tables with the columns the search reads are a directory.
    std::remove(path.utf8_str());
    ASSERT_TRUE(WriteSchema(path,
                            "CREATE TABLE companies (id INTEGER PRIMARY KEY, name, ceo);"
                            "CREATE TABLE sectors (id, sector);"
                            "CREATE TABLE company_sectors (company, sector);"));
    auto rit = RitFor(dir.Path());
    EXPECT_TRUE(Norvel::OpenDatabase(rit.get()));
    ASSERT_NE(rit->GetDatabase(), nullptr);
    EXPECT_TRUE(rit->GetDatabase()->IsConnected());
}

TEST(NorvelStartUp, DirectoryIsOnlyReadAndAnInterruptedChangeIsNotRolledBackIntoIt)
{
    // SQLite gives a database in WAL mode a log and its index beside it even to read it.
    TempDir dir;
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("db"), wxS_DIR_DEFAULT, 0));
    const wxString path = dir.Path("db/norvel.sqlite");
    const std::string schema =
        "CREATE TABLE companies (id INTEGER PRIMARY KEY, name, ceo);"
        "CREATE TABLE sectors (id, sector); CREATE TABLE company_sectors (company, sector);";
    ASSERT_TRUE(WriteSchema(path, "PRAGMA journal_mode = WAL;" + schema));
    auto rit = RitFor(dir.Path());
    EXPECT_TRUE(Norvel::OpenDatabase(rit.get()));
    EXPECT_EQ(wxJoin(FilesIn(dir.Path("db")), ' '), "norvel.sqlite");
    {
        // Rows committed to the log of a writer still at work are read through it.
        Brenik::BKSQLiteDatabase writer(path);
        ASSERT_TRUE(Brenik::BKSQLiteQuery(&writer).Query(
            "PRAGMA wal_autocheckpoint = 0; INSERT INTO companies (name) VALUES ('a'), ('b')",
            false));
        rit = RitFor(dir.Path());
        ASSERT_TRUE(Norvel::OpenDatabase(rit.get()));
        Brenik::BKSQLiteQuery count(rit->GetDatabase());
        ASSERT_TRUE(count.Query("SELECT count(*) FROM companies", true) && count.NextRecord());
        EXPECT_EQ(count.GetField(0).ToInt(), 2);
        rit.reset();
    }
    // The file as a change has already rewritten it, with the journal that would roll it back.
    Brenik::BKSQLiteDatabase writer(dir.Path("source"));
    ASSERT_TRUE(Brenik::BKSQLiteQuery(&writer).Query(
        schema + "PRAGMA cache_size = 1; BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                 "i + 1 FROM n WHERE i < 300) INSERT INTO companies (name) SELECT "
                 "hex(randomblob(250)) FROM n",
        false));
    const std::string file = ReadBytes(dir.Path("source")),
                      journal = ReadBytes(dir.Path("source-journal"));
    ASSERT_TRUE(WriteTextFile(path, file) && WriteTextFile(path + "-journal", journal));
    rit = RitFor(dir.Path());
    EXPECT_TRUE(RefusedDatabaseMessage(rit.get()).Contains(". It holds an unfinished change"));
    rit.reset();
    EXPECT_TRUE(ReadBytes(path) == file && ReadBytes(path + "-journal") == journal);
}

TEST(NorvelStartUp, GermanCatalogueTranslatesTheMessages)
{
    if (!ScopedNumericLocale(GermanLocaleName()).IsAvailable() && !GermanLocaleRequired())
        GTEST_SKIP() << "German locale not installed";
    auto rit = Norvel::CreateRuntimeInformation("norvel");
    std::unique_ptr<wxLocale> locale(Norvel::SetUpLocale(rit.get()));
    EXPECT_EQ(rit->GetLocale(), locale.get());
    EXPECT_TRUE(locale->IsOk());
    EXPECT_EQ(rit->Translate("Database error"), "Datenbankfehler");
    EXPECT_EQ(wxGetTranslation("Search error"), "Suchfehler");
    EXPECT_EQ(wxGetTranslation("companies"), "Firmen");
    // The German program writes German CSV headers.
    EXPECT_TRUE(
        CompanyEntity(nullptr, false)
            .GetCsvHeader(CsvConfigType())
            .StartsWith(wxString::FromUTF8("\"ID\";\"Name\";\"Gesch\xC3\xA4"
                                           "ftsf\xC3\xBChrer\";\"Adresse\";\"Hausnummer\";")));

    // One word for one field: the window's label and the CSV header say what the sheet says.
    struct Term {
        const char* windowLabel;
        const char* csvHeader;  // null: not exported
        const char* key;
    };
    const Term terms[] = {{"Owner:", "Owner", "owner"},
                          {"Keywords:", nullptr, "keywords"},
                          {"Type of company:", "Type of company", "typeofcompany"},
                          {"VAT ID:", "Tax id number", "taxIdNumber"},
                          {"Imprint page:", "Imprint url", "imprintUrl"},
                          {"Founded:", "Start year", "startyear"},
                          {"Commercial register:", "Commercial register", "commercialRegister"}};
    CompanyEntity company(nullptr, true);
    for (const Term& term : terms)
        company.Get(wxString(term.key))->SetUtf8("1987");
    const wxString sheet =
        "<br />" + company.GetContactBlock() + "<br />" + company.GetMoreBlock() + "<br />";
    const wxString header = company.GetCsvHeader(CsvConfigType());
    for (const Term& term : terms) {
        const wxString label = wxGetTranslation(term.windowLabel);
        EXPECT_TRUE(sheet.Contains("<br />" + label + " 1987<br />")) << label;
        if (term.csvHeader) {
            EXPECT_TRUE(header.Contains("\"" + label.BeforeLast(':') + "\"")) << label;
        }
    }
    rit->SetLocale(nullptr);
}

TEST(NorvelStartUp, MissingLocaleOrCatalogueShowsNothing)
{
    TempDir empty;
    // glibc looks for locales only under LOCPATH when it is set: German is then missing.
    wxString previous;
    const bool hadLocPath = wxGetEnv("LOCPATH", &previous);
    wxSetEnv("LOCPATH", empty.Path());
    auto rit = RitFor(empty.Path());
    auto* counter = new CountingLog;
    wxLog* old = wxLog::SetActiveTarget(counter);
    std::unique_ptr<wxLocale> locale(Norvel::SetUpLocale(rit.get()));
    wxLog::FlushActive();
    wxLog::SetActiveTarget(old);
    EXPECT_EQ(counter->errors, 0);
    delete counter;
    EXPECT_EQ(rit->GetLocale(), locale.get());
    locale.reset();
    if (hadLocPath)
        wxSetEnv("LOCPATH", previous);
    else
        wxUnsetEnv("LOCPATH");
}
