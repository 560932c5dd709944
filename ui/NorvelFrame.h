// The program's main window: search field, sector list and the result list of found
// companies, with the menus and tools for the selected company. It sets the window up and
// hands each job to its own part: the sector filter, the result list, the command table,
// the company windows, the settings kept between runs. Borrows its controls and the
// runtime information.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "app/XmlFrame.h"
#include "directory/CsvConfigType.h"
#include "ui/CompanyWindows.h"
#include "ui/MainCommands.h"
#include "ui/ResultList.h"
#include "ui/SearchFields.h"
#include "ui/SectorFilter.h"
#include "ui/UserSettings.h"

namespace Brenik {
class BKTypeAhead;
class BKListCtrl;
}  // namespace Brenik
class CompanyEntity;
class SectorEntities;

template <typename Window>
class LayoutControl;

class NorvelFrame : public XmlFrame {
public:
    // The ids of the results list's context menu: plain numbers, not layout names.
    enum ContextMenuId {
        kContextOpenCompany = MainCommands::kOpenCompany,
        kContextOpenAtNorvel = MainCommands::kOpenAtNorvel,
        kContextExport = MainCommands::kExport,
        kContextCopy = MainCommands::kCopy,
        kContextSelectAll = MainCommands::kSelectAll,
        kContextShowOnMap = MainCommands::kShowOnMap,
        kContextCopyAddress = MainCommands::kCopyAddress,
        kContextSaveVCard = MainCommands::kSaveVCard,
        kContextOpenWebsite = MainCommands::kOpenWebsite,
        kContextWriteEmail = MainCommands::kWriteEmail
    };
    // The ids of the "Sort by" menu's items: the first plus the column.
    enum SortMenuId { kSortByFirstColumn = 100, kSortByLastColumn = kSortByFirstColumn + 12 };

    // What the window looks up in its layout "NorvelFrame", by name: the controls with
    // their classes, the menu items and the tools.
    static const std::vector<std::pair<const char*, wxClassInfo*>>& GetLayoutControls();
    static std::vector<const char*> GetLayoutMenuItems();
    static std::vector<const char*> GetLayoutTools();

    explicit NorvelFrame(RuntimeInformationType* rit);
    ~NorvelFrame() override;

    // Shows the window; a window manager that places it elsewhere than the saved geometry
    // says is overruled once, when the window is placed.
    bool Show(bool show = true) override;

    // Saves position, size, maximised state and export file name, then lets the close go on.
    void Exit(wxCloseEvent* event);
    // Asks the window to close, as its close box does.
    void Quit();
    void About();
    void PlaceCursor();
    // The export settings the next export starts from.
    const CsvConfigType& GetCsvConfig() const { return csvConfig; }
    // A modal box over this window: text, caption, OK, centred on the screen.
    void ShowError(const wxString& title, const wxString& message);

    // Enables the sector list exactly when "all sectors" is not checked.
    void AllSectors();
    // Lists the companies matching the search text in the fields chosen under "Search in",
    // the place and the checked sectors, and keeps the search among the recent ones.
    void Search();
    // The drop-down of the recent searches, below its button.
    void ShowRecentSearches();
    // Runs the recent search of the drop-down's item again, or clears the list.
    void ChooseRecentSearch(int menuId);
    // Releases the rows and the company records of the last search.
    void ClearResultsListCtrl() { results.Clear(); }
    // Enables the commands that need a selected company exactly when one is selected.
    void SelectCompany();
    // Opens the company in a window of its own; null asks for a selection.
    void OpenCompany(CompanyEntity* company);
    // Opens the company's page on the directory website; null asks for a selection.
    void OpenNorvel(CompanyEntity* company);
    // Prints the selected companies' sheets, or previews them; asks for a selection when none.
    void Print(bool preview);
    // Previews the listed companies, or the selected ones, as a table or on address labels.
    void PrintResults(bool labels);
    // Shows the context menu when a row is selected.
    void ResultsRightClick();
    // Shows the context menu below the selected row, as the keyboard asks for it.
    void ShowResultsMenuAtSelection();
    // Sorts the results by the column as a click on its heading does.
    void SortBy(int column) { results.SortBy(column); }
    // The window's own key: Ctrl+F from every control, also from the sector list, which would
    // take it for a search of its own. False for any other key.
    bool PressKey(int modifiers, int keyCode);
    // Says in the status bar how many sectors are ticked, while the ticks count.
    void ShowChosenSectors();
    // Brings the sector list's current row into view.
    void ShowCurrentSector();
    // Gives the keyboard to the result list, where the user goes on after a command.
    void FocusResults() { results.Focus(); }
    // Asks for the export settings, then writes the listed companies to the chosen file.
    void Export();
    // Copies the selected rows, with the headings, as tab-separated text.
    void CopyResults() { results.CopySelection(); }
    void SelectAllResults() { results.SelectAll(); }
    // Opens the selected company's address in a map search; nothing when it has no place.
    void ShowOnMap();
    // Puts the selected company's postal address on the clipboard.
    void CopyAddress();
    // Opens one of the current company's own links (CompanyCommands::OpenWebsite, WriteEmail).
    void OpenLink(void (*open)(RuntimeInformationType*, const CompanyEntity&));
    // Writes the selected companies to a vCard file chosen in a save dialog.
    void SaveVCards();

    // The company of the selected row; null when no row is selected.
    CompanyEntity* GetSelectedCompany() const { return results.GetSelectedCompany(); }
    // The companies of all selected rows, in list order.
    std::vector<const CompanyEntity*> GetSelectedCompanies() const
    {
        return results.GetSelectedCompanies();
    }
    // The context menu of the results list (the caller owns it).
    wxMenu* CreateResultsMenu() const;
    // The sector ids the next search restricts to; empty for no restriction.
    wxArrayString GetSectorFilter() const { return sectorFilter.GetIds(); }
    // The owned sector records (may be null when there is no database).
    const SectorEntities* GetSectors() const { return sectorFilter.GetSectors(); }

    void ExitEvent(wxCloseEvent& event);
    void MoveEvent(wxMoveEvent& event);
    void SizeEvent(wxSizeEvent& event);
    void UnsplitEvent(wxSplitterEvent& event);
    void AllSectorsEvent(wxCommandEvent& event);
    void SearchEvent(wxCommandEvent& event);
    void ShowRecentSearchesEvent(wxCommandEvent& event);
    void RecentSearchEvent(wxCommandEvent& event);
    void SelectCompanyEvent(wxListEvent& event);
    void OpenCompanyListEvent(wxListEvent& event);
    void ResultsRightClickEvent(wxListEvent& event);
    void SortByEvent(wxCommandEvent& event);
    void ContextMenuEvent(wxContextMenuEvent& event);
    void CharHookEvent(wxKeyEvent& event);
    void SectorTickedEvent(wxCommandEvent& event);
    void ChildFocusEvent(wxChildFocusEvent& event);

private:
    // The controls of the layout, each with the member that keeps it.
    static const std::vector<LayoutControl<NorvelFrame>>& LayoutControls();
    // Runs a command of the table, from its menu item, tool or context menu item.
    void Run(MainCommands::Id command);
    void RestoreSettings();
    // The box saying that the command needs a selected company.
    void AskForSelection();
    // False, after the box "Could not load company", for a company that its id cannot name.
    bool HasLoadableId(const CompanyEntity& company);
    void SetStatus(const wxString& text, int field);
    // Says in the status bar how many companies went into which file.
    void ShowWritten(size_t count, const wxString& name);
    // "5 selected" in the status bar while more than one row is selected.
    void ShowSelectedCount();
    // The company a command for one company acts on: the current row's. With several rows
    // selected the status bar says which one it is.
    CompanyEntity* GetCompanyForCommand();

    // A search, an export, a save or a printout yields to the event loop as it goes; none
    // may start inside another, which would change the list under it.
    bool busy = false;
    // What found the listed rows, for the printed list.
    wxString listedSearch;
    // The export settings; only the file name is kept across program runs.
    CsvConfigType csvConfig;
    UserSettings settings{this};
    // Each given its controls once the layout's are found.
    SectorFilter sectorFilter{nullptr, nullptr};
    // Typing in the sector list selects a sector by its first letters.
    std::unique_ptr<Brenik::BKTypeAhead> sectorTypeAhead;
    // The selected count is shown once after a run of selection events (Ctrl+A raises one
    // per row).
    bool selectedCountPending = false;
    ResultList results{nullptr};
    MainCommands commands{nullptr, nullptr};
    CompanyWindows companyWindows;

    wxMenuBar* menuBar = nullptr;
    wxStatusBar* statusBar = nullptr;
    wxToolBar* toolBar = nullptr;
    wxPanel* mainPanel = nullptr;
    wxSplitterWindow* mainSplitterWindow = nullptr;
    wxPanel* searchPanel = nullptr;
    wxTextCtrl* searchTextCtrl = nullptr;
    // Narrows the search to postcodes or cities; not kept between runs.
    wxTextCtrl* placeTextCtrl = nullptr;
    wxChoice* searchKindChoice = nullptr;
    wxButton* recentSearchesButton = nullptr;
    wxCheckBox* allSectorsCheckBox = nullptr;
    wxCheckListBox* sectorsCheckListBox = nullptr;
    wxPanel* resultsPanel = nullptr;
    Brenik::BKListCtrl* resultsListCtrl = nullptr;
    // Given the controls above once they are found.
    SearchFields searchFields{nullptr, nullptr, nullptr, settings.GetRecentSearches()};

    wxDECLARE_EVENT_TABLE();
};
