#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "app/Norvel.h"
#include "directory/CompanyEntity.h"
#include "directory/CsvConfigType.h"
#include "lib/db/BKSQLiteDatabase.h"

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
    EXPECT_TRUE(rit->GetCompanyUrl().EndsWith("/company/"));
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

TEST(NorvelStartUp, ExistingDatabaseWithoutTablesConnects)
{
    TempDir dir;
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("db"), wxS_DIR_DEFAULT, 0));
    ASSERT_TRUE(WriteTextFile(dir.Path("db/norvel.sqlite"), ""));
    auto rit = RitFor(dir.Path());
    EXPECT_TRUE(Norvel::OpenDatabase(rit.get()));
    ASSERT_NE(rit->GetDatabase(), nullptr);
    EXPECT_TRUE(rit->GetDatabase()->IsConnected());
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
    // The German program writes German CSV headers.
    EXPECT_TRUE(
        CompanyEntity(nullptr, false)
            .GetCsvHeader(CsvConfigType())
            .StartsWith(wxString::FromUTF8("\"ID\";\"Name\";\"Gesch\xC3\xA4"
                                           "ftsf\xC3\xBChrer\";\"Adresse\";\"Hausnummer\";")));
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
