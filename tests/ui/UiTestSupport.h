// Helpers for the window tests: small directory databases written with SQLite itself, and a
// main window opened on such a database with the user configuration in a scratch home.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/filedlg.h>
#include <wx/gdicmn.h>
#include <wx/string.h>
#include <wx/testing.h>
#include <wx/window.h>
#include <wx/xrc/xmlres.h>

#include "TestSupport.h"
#include "app/RuntimeInformationType.h"

class NorvelFrame;
class wxRect;

struct TestSector {
    int id;
    std::string name;
};

// One row of the companies table, its fields in this order; the other columns are filled
// with plausible texts.
struct TestCompany {
    int id = 0;
    std::string name;
    std::string ceo;
    std::string address;
    std::string housenumber;
    std::string zipcode;
    std::string city;
    std::string phone;
    std::string fax;
    std::string mobile;
    std::string internet;
    std::string email;
    std::string created;
    std::string updated;
    std::vector<int> sectors;
};

// Writes a directory database with the full schema; false on any SQLite error.
bool WriteDirectory(const wxString& path, const std::vector<TestSector>& sectors,
                    const std::vector<TestCompany>& companies);
// A valid SQLite file that holds no tables at all.
bool WriteEmptyDatabase(const wxString& path);
// count companies named "Firma <n> GmbH" with managing director "Chef <n>", spread over
// the given sectors (company n under sector n modulo the count, when there are sectors).
std::vector<TestCompany> ManyCompanies(int count, const std::vector<TestSector>& sectors);

// Points HOME (the user configuration directory) at a directory for the scope.
class ScopedHome {
public:
    explicit ScopedHome(const wxString& directory);
    ~ScopedHome();
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

private:
    std::string previous;
    bool hadPrevious;
};

// Runtime information as the program builds it (resources below the working directory),
// connected to the given database file. Null when the connection fails.
std::unique_ptr<RuntimeInformationType> OpenRuntime(const wxString& databasePath);

// The control of that layout name in the window, null when it has none of that class.
template <typename T>
T* Control(wxWindow* window, const char* name)
{
    return wxDynamicCast(window->FindWindow(XRCID(name)), T);
}

// Destroys a top-level window now, the way the toolkit would at its next idle time.
void DestroyNow(wxWindow* window);
// Lets the toolkit handle what is pending (repaints, posted events, idle work).
void Settle();

// How many pixels of the rectangle (client coordinates of the window) differ from the
// rectangle's most common colour, as the X server shows them after the window has painted
// what is pending: 0 for a blank area, many for text. A frozen window paints nothing.
int PaintedPixels(wxWindow* window, const wxRect& rect);

// A window manager (openbox) on the test's display while it lives, for what only shows under
// one: where windows really go. Stopped at the end of the scope; later tests run without.
class ScopedWindowManager {
public:
    ScopedWindowManager();
    ~ScopedWindowManager();
    ScopedWindowManager(const ScopedWindowManager&) = delete;
    ScopedWindowManager& operator=(const ScopedWindowManager&) = delete;

    // Whether it runs and manages the display.
    bool IsRunning() const { return running; }

private:
    int pid = -1;
    bool running = false;
};

// Where the X server shows the top-level window, frame included (see TopLevelPlace); the
// default point when it is not shown. *framed tells whether a window manager frames it.
wxPoint ShownPlace(wxWindow* window, bool* framed = nullptr);
// Answers the next save dialog with the path (an empty path cancels) and records the folder
// it opened in and the file name it proposed.
class SaveFileAs : public wxExpectModalBase<wxFileDialog, SaveFileAs> {
public:
    explicit SaveFileAs(const wxString& path, wxString* openedIn = nullptr,
                        wxString* proposed = nullptr)
        : path(path), openedIn(openedIn), proposed(proposed)
    {
    }

protected:
    int OnInvoked(wxFileDialog* dialog) const override
    {
        if (openedIn)
            *openedIn = dialog->GetDirectory();
        if (proposed)
            *proposed = dialog->GetFilename();
        if (path.empty())
            return wxID_CANCEL;
        dialog->SetPath(path);
        return wxID_OK;
    }

private:
    wxString path;
    wxString* openedIn;
    wxString* proposed;
};

// The text on the clipboard; empty when there is none.
wxString ClipboardText();
