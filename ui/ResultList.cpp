#include "ui/ResultList.h"

#include <algorithm>

#include <wx/menu.h>

#include "app/RuntimeInformationType.h"
#include "directory/CompanyController.h"
#include "directory/CompanyEntity.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/ProgressGuard.h"
#include "ui/ResultRows.h"

namespace {

// The text with an access key on its first letter that no text before it has taken; the
// letters taken are kept in taken.
wxString WithAccessKey(const wxString& text, wxString& taken)
{
    for (size_t at = 0; at < text.length(); ++at) {
        const wxString letter = wxString(text[at]).Lower();
        if (wxIsalnum(text[at]) && !taken.Contains(letter)) {
            taken += letter;
            return text.Left(at) + "&" + text.Mid(at);
        }
    }
    return text;
}

}  // namespace

void ResultList::InsertColumns()
{
    if (list)
        ResultRows::InsertColumns(*list);
}

void ResultList::FillSortMenu(wxMenu& menu, int firstId, int count) const
{
    if (!list)
        return;
    // The headings change with the language: their access keys are chosen as they come.
    wxString taken;
    const int columns = std::min(list->GetColumnCount(), count);
    for (int column = 0; column < columns; ++column) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(column, heading);
        menu.Append(firstId + column, WithAccessKey(heading.GetText(), taken));
    }
}

ResultList::Outcome ResultList::Fill(wxWindow* parent, RuntimeInformationType* rit,
                                     const Query& query,
                                     const std::function<void(unsigned int total)>& counted)
{
    Outcome outcome;
    if (!list)
        return outcome;
    // The search yields to the toolkit after every record.
    ProgressGuard progress(parent, rit, _("Searching companies"));

    CompanyController factory(rit->GetDatabase());
    // Blanks around the text are invisible in the field, and no name starts or ends with one.
    CompanyController* search =
        factory.InitSearch(query.text.Strip(wxString::both), query.sectorIds,
                           query.place.Strip(wxString::both), query.kind);
    outcome.failed = search == nullptr;
    if (!search)
        return outcome;
    outcome.total = search->GetCount();
    progress->SetCount(outcome.total);
    counted(outcome.total);

    // The list is covered by the modal progress window and disabled anyway; painting its rows
    // on every yield would cost more than reading them, so it paints once, when the listing
    // is done.
    list->Freeze();
    for (;;) {
        CompanyEntity* company = search->RunSearch();
        if (!company)
            break;
        // The record of the step in which the cancel is seen is not listed; nobody else holds
        // it.
        if (progress->IsCanceled()) {
            delete company;
            break;
        }
        ++outcome.shown;
        if (outcome.shown % 10 == 0)
            progress->SetLevel(static_cast<int>(outcome.shown));
        if (!ResultRows::Append(*list, company))
            delete company;
    }
    search->DeinitSearch();
    list->Thaw();
    // A disabled window takes no focus: the keyboard would be lost until the next click.
    progress.End();

    // The list takes the keyboard once the progress window has gone: while that is modal the
    // list is disabled, and the row made current then is not the one the keys go on from.
    progress.End();
    if (outcome.total != 0 && list->GetItemCount() > 0) {
        list->SetFocus();
        list->SelectOnly(0);
    }
    return outcome;
}

void ResultList::Clear()
{
    if (list)
        list->CleanUp();
}

int ResultList::GetCount() const
{
    return list ? list->GetItemCount() : 0;
}

int ResultList::GetSelectedCount() const
{
    return list ? list->GetSelectedItemCount() : 0;
}

CompanyEntity* ResultList::GetSelectedCompany() const
{
    return list ? static_cast<CompanyEntity*>(list->GetSingleSelectionPointer()) : nullptr;
}

CompanyEntity* ResultList::GetCurrentCompany() const
{
    return list ? static_cast<CompanyEntity*>(list->GetCurrentSelectionPointer()) : nullptr;
}

std::vector<const CompanyEntity*> ResultList::GetSelectedCompanies() const
{
    std::vector<const CompanyEntity*> companies;
    if (!list)
        return companies;
    for (long row = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
         row = list->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        if (auto* company =
                static_cast<const CompanyEntity*>(list->GetPointer(static_cast<int>(row), 0)))
            companies.push_back(company);
    }
    return companies;
}

std::vector<const CompanyEntity*> ResultList::GetCompanies(bool selectedOnly) const
{
    if (selectedOnly)
        return GetSelectedCompanies();
    std::vector<const CompanyEntity*> companies;
    const int count = GetCount();
    companies.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        if (auto* company = static_cast<const CompanyEntity*>(list->GetPointer(row, 0)))
            companies.push_back(company);
    }
    return companies;
}

bool ResultList::GetMenuPlace(wxPoint& screen) const
{
    const int row = list ? list->GetSingleSelectionPosition() : -1;
    if (row < 0)
        return false;
    list->EnsureVisible(row);
    wxRect place;
    list->GetItemRect(row, place);
    screen = list->ClientToScreen(place.GetBottomLeft());
    return true;
}

bool ResultList::Contains(const wxWindow* window) const
{
    return list && window && (window == list || window->GetParent() == list);
}

void ResultList::CopySelection()
{
    if (list)
        list->CopySelection();
}

void ResultList::SelectAll()
{
    if (list)
        list->SelectAll(true);
}

void ResultList::SortBy(int column)
{
    if (list)
        list->SortAsHeaderClick(column);
}

void ResultList::Focus()
{
    if (list && list->GetItemCount() > 0)
        list->SetFocus();
}
