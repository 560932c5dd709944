// What the user's configuration file keeps between program runs: the main window's position,
// What the user's configuration file keeps between program runs: the main window's position,
// size and maximised state, the choices of the last export and labels, the "Search in"
// choice and the recent searches. The file is read and written here and nowhere else (the
// choices name their own keys), and the window is placed as it says. Borrows the window.
#pragma once

#include <chrono>

#include <wx/gdicmn.h>
#include <wx/string.h>
#include <wx/timer.h>

#include "directory/RecentSearches.h"
#include "ui/LabelDialog.h"

class CsvConfigType;
class wxTopLevelWindow;

class UserSettings {
public:
    explicit UserSettings(wxTopLevelWindow* window);

    // Reads the file and places the window as it says, its size cut to the display and
    // raised to the window's minimum, and gives the export and label choices it holds.
    // Without a file the window keeps its layout's geometry and the choices stay as they were.
    void Restore(const wxString& file, CsvConfigType& exportSettings, LabelDialog::Choice& labels);
    // Writes exactly these settings afresh: a maximised window's normal geometry beside its
    // maximised state, and the export and label choices. False when the file cannot be
    // written.
    bool Save(const wxString& file, const CsvConfigType& exportSettings,
              const LabelDialog::Choice& labels) const;

    // What the search text was last looked for in, and the searches run before.
    SearchKind GetSearchKind() const { return searchKind; }
    void SetSearchKind(SearchKind kind) { searchKind = kind; }
    RecentSearches* GetRecentSearches() { return &recentSearches; }

    // The window has just been shown: a window manager's placement may follow.
    void Shown();
    // The window moved: a window manager's first placement is answered with the saved
    // geometry. Then, as after a change of size, the geometry of a window that is neither
    // maximised nor iconised is kept as the one to save.
    void Moved();
    void Resized();

private:
    // Puts the window where the configuration says once a window manager has placed it.
    void ApplyRestoredGeometry();
    void KeepNormalGeometry();
    void Settled();

    wxTopLevelWindow* window;
    // The geometry un-maximising returns to, and whether the restored one still waits for
    // the window manager's first placement (or, for a maximised window, for its
    // un-maximising on the way).
    enum class Placement { kDone, kFirstMove, kUnmaximized };
    wxRect normalGeometry;
    // The last normal geometry reported, which counts once it has held for a moment.
    wxRect settling;
    wxTimer settle;
    bool restoredMaximized = false;
    Placement placement = Placement::kDone;
    std::chrono::steady_clock::time_point shownAt;
    SearchKind searchKind = SearchKind::kNameOrCeo;
    RecentSearches recentSearches;
};
