// The main window's search inputs around the text: the "Search in" choice and the drop-down
// of recent searches, which puts a search run before back into the text, place and choice.
// Borrows the controls (any may be missing from a layout) and the recent searches, which
// the user settings own and keep between runs.
#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include "directory/RecentSearches.h"

class SearchFields {
public:
    // The ids of the drop-down's items: one per recent search, newest first, then "clear".
    enum MenuId { kFirstRecent = 200, kClearRecent = kFirstRecent + RecentSearches::kMost };

    SearchFields(wxTextCtrl* text, wxTextCtrl* place, wxChoice* kind, RecentSearches* recent);

    // What the next search asks for.
    RecentSearch Get() const;
    // Shows the kind in the choice.
    void SetKind(SearchKind kind);
    // Keeps the search as the newest of the recent ones.
    void Remember();
    // The drop-down of recent searches (the caller owns it), under the given button.
    void ShowRecent(wxWindow* under);
    // Puts the recent search of a drop-down item back into the fields, or clears the list;
    // false for any other id.
    bool Choose(int menuId);

private:
    wxMenu* CreateRecentMenu() const;
    // The drop-down's text for a search: the text, the place and the kind when not the name.
    wxString LabelOf(const RecentSearch& search) const;

    wxTextCtrl* text;
    wxTextCtrl* place;
    wxChoice* kind;
    RecentSearches* recent;
};
