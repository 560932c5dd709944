#include "ui/UiTestSupport.h"
#include "GuiTestSupport.h"

#include <csignal>
#include <cstdlib>

#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "app/Norvel.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "ui/ScreenPixels.h"

unsigned long XWindowOf(wxTopLevelWindow* window);

namespace {

const char* const kSchema = R"(
CREATE TABLE companies (
  id INTEGER PRIMARY KEY, name TEXT, ceo TEXT, address TEXT, housenumber TEXT, zipcode TEXT,
  city TEXT, state TEXT, phone TEXT, fax TEXT, mobile TEXT, internet TEXT, email TEXT,
  taxIdNumber TEXT, taxNumber TEXT, notes TEXT, openingHours TEXT, logo TEXT,
  districtCourt TEXT, commercialRegister TEXT, blog TEXT, twitter TEXT, facebook TEXT,
  imprintUrl TEXT, keywords TEXT, description TEXT, imprint TEXT, staff TEXT, startyear TEXT,
  typeofcompany TEXT, owner TEXT, cooperations TEXT, memberships TEXT, parking TEXT,
  premium INTEGER, premiumStartDate TEXT, premiumStopDate TEXT, created TEXT, updated TEXT);
CREATE TABLE sectors (id INTEGER PRIMARY KEY, sector TEXT);
CREATE TABLE company_sectors (company INTEGER, sector INTEGER);
CREATE INDEX company_sectors_company ON company_sectors(company);
CREATE INDEX company_sectors_sector ON company_sectors(sector);
)";

bool Exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Text or NULL: an empty test value is stored as NULL, as the real data often has.
void BindText(sqlite3_stmt* statement, int index, const std::string& text)
{
    if (text.empty())
        sqlite3_bind_null(statement, index);
    else
        sqlite3_bind_text(statement, index, text.c_str(), -1, SQLITE_TRANSIENT);
}

}  // namespace

bool WriteDirectory(const wxString& path, const std::vector<TestSector>& sectors,
                    const std::vector<TestCompany>& companies)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.utf8_string().c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    bool ok = Exec(db, kSchema) && Exec(db, "BEGIN");
    sqlite3_stmt* sector = nullptr;
    sqlite3_stmt* company = nullptr;
    sqlite3_stmt* filing = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "INSERT INTO sectors VALUES (?, ?)", -1, &sector, nullptr) ==
                   SQLITE_OK;
    ok =
        ok && sqlite3_prepare_v2(db,
                                 "INSERT INTO companies (id, name, ceo, address, housenumber, "
                                 "zipcode, city, state, phone, fax, mobile, internet, email, "
                                 "notes, parking, premium, created, updated) VALUES (?, ?, ?, ?, "
                                 "?, ?, ?, 'Bayern', ?, ?, ?, ?, ?, '<p>Notiz</p>', 'ja', 0, ?, ?)",
                                 -1, &company, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_prepare_v2(db, "INSERT INTO company_sectors VALUES (?, ?)", -1, &filing,
                                  nullptr) == SQLITE_OK;
    for (const TestSector& s : sectors) {
        if (!ok)
            break;
        sqlite3_bind_int(sector, 1, s.id);
        BindText(sector, 2, s.name);
        ok = sqlite3_step(sector) == SQLITE_DONE && sqlite3_reset(sector) == SQLITE_OK;
    }
    for (const TestCompany& c : companies) {
        if (!ok)
            break;
        sqlite3_bind_int(company, 1, c.id);
        const std::string* texts[] = {&c.name,  &c.ceo,     &c.address, &c.housenumber, &c.zipcode,
                                      &c.city,  &c.phone,   &c.fax,     &c.mobile,      &c.internet,
                                      &c.email, &c.created, &c.updated};
        int index = 2;
        for (const std::string* text : texts)
            BindText(company, index++, *text);
        ok = sqlite3_step(company) == SQLITE_DONE && sqlite3_reset(company) == SQLITE_OK;
        for (int s : c.sectors) {
            sqlite3_bind_int(filing, 1, c.id);
            sqlite3_bind_int(filing, 2, s);
            ok = ok && sqlite3_step(filing) == SQLITE_DONE && sqlite3_reset(filing) == SQLITE_OK;
        }
    }
    sqlite3_finalize(sector);
    sqlite3_finalize(company);
    sqlite3_finalize(filing);
    ok = ok && Exec(db, "COMMIT");
    sqlite3_close(db);
    return ok;
}

bool WriteEmptyDatabase(const wxString& path)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.utf8_string().c_str(), &db) == SQLITE_OK &&
              Exec(db, "CREATE TABLE scratch (x); DROP TABLE scratch;");
    sqlite3_close(db);
    return ok;
}

std::vector<TestCompany> ManyCompanies(int count, const std::vector<TestSector>& sectors)
{
    std::vector<TestCompany> companies;
    companies.reserve(count);
    for (int n = 1; n <= count; ++n) {
        TestCompany c;
        c.id = n;
        c.name = "Firma " + std::to_string(n) + " GmbH";
        c.ceo = "Chef " + std::to_string(n);
        c.address = "Weg";
        c.housenumber = std::to_string(n);
        c.zipcode = "80331";
        c.city = "München";
        c.created = "2020-01-02 03:04:05";
        c.updated = "2021-02-03 04:05:06";
        if (!sectors.empty())
            c.sectors.push_back(sectors[n % sectors.size()].id);
        companies.push_back(c);
    }
    return companies;
}

ScopedHome::ScopedHome(const wxString& directory)
{
    const char* home = std::getenv("HOME");
    hadPrevious = home != nullptr;
    if (home)
        previous = home;
    setenv("HOME", directory.utf8_string().c_str(), 1);
}

ScopedHome::~ScopedHome()
{
    if (hadPrevious)
        setenv("HOME", previous.c_str(), 1);
    else
        unsetenv("HOME");
}

std::unique_ptr<RuntimeInformationType> OpenRuntime(const wxString& databasePath)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    auto* database = new Brenik::BKSQLiteDatabase(databasePath);
    rit->SetDatabase(database, true);
    if (!database->Connect())
        return nullptr;
    return rit;
}

void DestroyNow(wxWindow* window)
{
    window->Destroy();
    wxTheApp->ProcessIdle();
}

void Settle()
{
    wxYield();
    wxTheApp->ProcessIdle();
}

int PaintedPixels(wxWindow* window, const wxRect& rect)
{
    // GTK draws on its frame clock: give it a few turns before reading the screen.
    window->Update();
    RunEventsFor(100);
    const wxRect visible =
        wxRect(window->ClientToScreen(rect.GetPosition()), rect.GetSize())
            .Intersect(wxRect(window->ClientToScreen(wxPoint()), window->GetClientSize()));
    return CountPixelsOffTheCommonColour(visible.x, visible.y, visible.width, visible.height);
}

ScopedWindowManager::ScopedWindowManager()
{
    if (WindowManagerRuns())
        return;  // one is there already: leave it alone
    pid = fork();
    if (pid == 0) {
        // The child shares the test's display; its talk is of no interest here.
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0)
        return;
    running = WaitFor("openbox to manage the display", [] { return WindowManagerRuns(); });
}

ScopedWindowManager::~ScopedWindowManager()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    FocusFollowsPointer();
    // The windows it framed are given back to the bare display, and the toolkit learns that
    // nobody answers its requests for the focus any more.
    RunEventsFor(200);
}

wxPoint ShownPlace(wxWindow* window, bool* framed)
{
    auto* top = wxDynamicCast(window, wxTopLevelWindow);
    int x = 0, y = 0;
    bool isFramed = false;
    // By its own X window: a window of the same title that an earlier test closed may still
    // be on the X server.
    if (!top || !TopLevelPlace(XWindowOf(top), &x, &y, &isFramed))
        return wxDefaultPosition;
    if (framed)
        *framed = isFramed;
    return wxPoint(x, y);
}

wxString ClipboardText()
{
    wxClipboardLocker clipboard;
    wxTextDataObject text;
    return !clipboard || !wxTheClipboard->GetData(text) ? wxString() : text.GetText();
}

// Last: Xlib's macros clash with the toolkit's names.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

unsigned long XWindowOf(wxTopLevelWindow* window)
{
    GdkWindow* shown = window->GetHandle() ? gtk_widget_get_window(window->GetHandle()) : nullptr;
    return shown ? GDK_WINDOW_XID(shown) : 0;
}
