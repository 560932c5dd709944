// The main window's sector filter: the sectors loaded from the directory in German order into
// the check list, the "all sectors" box that switches the list off, the count of ticked
// sectors and the sector ids a search restricts to. Owns the sector records; borrows the
// controls, either of which may be missing.
#pragma once

#include <memory>

#include <wx/arrstr.h>
#include <wx/string.h>

class RuntimeInformationType;
class SectorEntities;
class wxCheckBox;
class wxCheckListBox;

class SectorFilter {
public:
    SectorFilter(wxCheckListBox* list, wxCheckBox* allSectors);
    ~SectorFilter();
    SectorFilter(SectorFilter&&) noexcept;
    SectorFilter& operator=(SectorFilter&&) noexcept;

    // Loads the directory's sectors into the list, ordered as a German reader looks for a
    // name; nothing without a database.
    void Load(RuntimeInformationType* rit);
    // Enables the list exactly when "all sectors" is not checked.
    void FollowAllSectors();
    // What the status bar says while ticks count: "12 sectors chosen"; empty for none.
    wxString GetChosenText() const;
    // Brings the list's current row into view.
    void ShowCurrent();
    // The sector ids the next search restricts to; empty for no restriction.
    wxArrayString GetIds() const;
    // The names of the sectors the next search restricts to, in the list's order; empty for
    // no restriction.
    wxArrayString GetNames() const;
    // The owned sector records (may be null when there is no database).
    const SectorEntities* GetSectors() const { return sectors.get(); }

private:
    std::unique_ptr<SectorEntities> sectors;
    wxCheckListBox* list;
    wxCheckBox* allSectors;
};
