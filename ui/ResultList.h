// The main window's result list: its columns and the sort menu made from their headings, the
// rows filled from a search, the selection, the companies handed to export and print, and
// where the keyboard's context menu opens. Owns, through the list control, the company
// records of the last search; borrows the control, which may be missing.
#pragma once

#include <functional>
#include <vector>

#include <wx/arrstr.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include "directory/SearchKind.h"

namespace Brenik {
class BKListCtrl;
}  // namespace Brenik
class CompanyEntity;
class RuntimeInformationType;
class wxMenu;
class wxWindow;

class ResultList {
public:
    // What a search asks for; blanks around the texts are dropped.
    struct Query {
        wxString text;
        wxString place;
        // What the text is looked for in.
        SearchKind kind = SearchKind::kNameOrCeo;
        // The sectors to restrict to; empty for every sector.
        wxArrayString sectorIds;
    };
    // How a search went: the companies found and the rows listed before a cancel.
    struct Outcome {
        bool failed = false;
        unsigned int total = 0;
        unsigned int shown = 0;
    };

    explicit ResultList(Brenik::BKListCtrl* list) : list(list) {}

    // Inserts the headed columns.
    void InsertColumns();
    // Appends one item per column to the menu, ids from firstId, with access keys chosen
    // from the headings as they come in the language shown; at most count items.
    void FillSortMenu(wxMenu& menu, int firstId, int count) const;

    // Lists the companies the query finds, under the progress window with its cancel, which
    // has gone when this returns. counted hears the number found before the rows come. The
    // first row is then selected and has the keyboard.
    Outcome Fill(wxWindow* parent, RuntimeInformationType* rit, const Query& query,
                 const std::function<void(unsigned int total)>& counted);
    // Releases the rows and their company records.
    void Clear();

    int GetCount() const;
    int GetSelectedCount() const;
    // The company of the only selected row; null unless exactly one row is selected.
    CompanyEntity* GetSelectedCompany() const;
    // The company a command for one company takes: the current row's when it is selected
    // (where a click or the arrow keys went), else the first selected; null for none.
    CompanyEntity* GetCurrentCompany() const;
    // The companies of all selected rows, in list order.
    std::vector<const CompanyEntity*> GetSelectedCompanies() const;
    // The companies of every row, or of the selected rows only, in list order.
    std::vector<const CompanyEntity*> GetCompanies(bool selectedOnly) const;

    // Where, on the screen, the context menu opens for the keyboard: below the selected row,
    // which is scrolled into view. False when not exactly one row is selected.
    bool GetMenuPlace(wxPoint& screen) const;
    // Whether the window is the list or a part of it.
    bool Contains(const wxWindow* window) const;

    // Copies the selected rows, with the headings, as tab-separated text.
    void CopySelection();
    void SelectAll();
    // Sorts as a click on the column's heading does.
    void SortBy(int column);
    // Gives the list the keyboard when it has rows.
    void Focus();

private:
    Brenik::BKListCtrl* list;
};
