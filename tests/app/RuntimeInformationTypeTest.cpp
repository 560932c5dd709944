#include <gtest/gtest.h>

#include <wx/log.h>
#include <wx/utils.h>

#include "app/RuntimeInformationType.h"
#include "lib/db/BKSQLiteDatabase.h"

namespace {

RuntimeInformationType MakeRit()
{
    return RuntimeInformationType("norvel", "resources/", ".Norvel.conf",
                                  "https://directory.example.org/company/", nullptr, true);
}

// Records whether the owner let go of the connection.
class WatchedDatabase : public Brenik::BKSQLiteDatabase {
public:
    WatchedDatabase(bool* disconnected, bool* destroyed)
        : Brenik::BKSQLiteDatabase(wxString(":memory:")),
          disconnected(disconnected),
          destroyed(destroyed)
    {
    }
    ~WatchedDatabase() override { *destroyed = true; }
    bool Disconnect() override
    {
        *disconnected = true;
        return Brenik::BKSQLiteDatabase::Disconnect();
    }

private:
    bool* disconnected;
    bool* destroyed;
};

}  // namespace

TEST(RuntimeInformationType, ComposesResourcePathsWithOneSeparator)
{
    RuntimeInformationType rit = MakeRit();
    EXPECT_EQ(rit.GetResourcePath("db", "norvel.sqlite"), "resources/db/norvel.sqlite");
    EXPECT_EQ(rit.GRP("gui", "NorvelFrame.xml"), "resources/gui/NorvelFrame.xml");
    EXPECT_EQ(rit.GetResourcePath("languages", ""), "resources/languages/");
    EXPECT_EQ(rit.GetResourcePath("", "x"), "resources//x");
    EXPECT_EQ(rit.GetResourcePath("print", "de"), "resources/print/de");
    EXPECT_EQ(rit.GetResourcePath(), "resources/");
    EXPECT_EQ(RuntimeInformationType::GetSep(), "/");
}

TEST(RuntimeInformationType, UserFilesLieInTheHomeDirectory)
{
    RuntimeInformationType rit = MakeRit();
    wxString home;
    ASSERT_TRUE(wxGetEnv("HOME", &home));
    EXPECT_EQ(rit.GetUserConfigurationFileWithPath(), home + "/.Norvel.conf");
    EXPECT_EQ(rit.GetUserConfigurationDirectory(false), home);
    EXPECT_TRUE(rit.GetTemporaryPath().EndsWith("/"));
}

TEST(RuntimeInformationType, TranslateWithoutLocaleReturnsTheText)
{
    RuntimeInformationType rit = MakeRit();
    EXPECT_EQ(rit.Translate("Database error"), "Database error");
}

TEST(RuntimeInformationType, OpensTheCompanyPageByNumber)
{
    RuntimeInformationType rit = MakeRit();
    wxString opened;
    rit.SetBrowserLauncher([&opened](const wxString& url) {
        opened = url;
        return false;
    });
    EXPECT_FALSE(rit.OpenCompanyAtNorvel(42));
    EXPECT_EQ(opened, "https://directory.example.org/company/42");
    rit.SetBrowserLauncher([&opened](const wxString& url) {
        opened = url;
        return true;
    });
    EXPECT_TRUE(rit.OpenCompanyAtNorvel(7));
    EXPECT_EQ(opened, "https://directory.example.org/company/7");
}

TEST(RuntimeInformationType, BrowserThatDoesNotStartIsNotReportedToTheUser)
{
    // No browser can be found; whatever the toolkit would say about that would reach the user
    // as an English box.
    struct CountingLog : wxLog {
        int messages = 0;
        void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override
        {
            ++messages;
        }
    } log;
    wxLog* previous = wxLog::SetActiveTarget(&log);
    wxString path;
    wxGetEnv("PATH", &path);
    wxSetEnv("PATH", "/nonexistent");
    wxUnsetEnv("BROWSER");

    RuntimeInformationType rit = MakeRit();
    rit.SetBrowserLauncher(nullptr);  // the toolkit's own launcher
    EXPECT_FALSE(rit.OpenCompanyAtNorvel(42));
    wxLog::FlushActive();
    wxSetEnv("PATH", path);
    wxLog::SetActiveTarget(previous);
    EXPECT_EQ(log.messages, 0);
}

TEST(RuntimeInformationType, ReleasesOnlyTheConnectionItOwns)
{
    bool disconnected = false, destroyed = false;
    auto* owned = new WatchedDatabase(&disconnected, &destroyed);
    {
        RuntimeInformationType rit = MakeRit();
        rit.SetDatabase(owned, true);
        EXPECT_EQ(rit.GetDatabase(), owned);
    }
    EXPECT_TRUE(disconnected);
    EXPECT_TRUE(destroyed);

    bool keptDisconnected = false, keptDestroyed = false;
    WatchedDatabase kept(&keptDisconnected, &keptDestroyed);
    bool replacedDisconnected = false, replacedDestroyed = false;
    WatchedDatabase replaced(&replacedDisconnected, &replacedDestroyed);
    {
        RuntimeInformationType rit = MakeRit();
        rit.SetDatabase(&replaced, true);
        // Replacing leaves the old connection alone.
        rit.SetDatabase(&kept, false);
    }
    EXPECT_FALSE(replacedDisconnected);
    EXPECT_FALSE(replacedDestroyed);
    EXPECT_FALSE(keptDisconnected);
    EXPECT_FALSE(keptDestroyed);
}
