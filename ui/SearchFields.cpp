#include "ui/SearchFields.h"

#include <memory>

#include <wx/intl.h>

namespace {

// A long text would make the drop-down wider than the screen.
const size_t kLabelLength = 60;

// The text as a menu shows it literally: "&" marks an access key and a tab an accelerator.
wxString MenuText(wxString text)
{
    text.Replace("&", "&&");
    text.Replace("\t", " ");
    if (text.length() > kLabelLength)
        text = text.Left(kLabelLength - 1) + wxString::FromUTF8("\xE2\x80\xA6");
    return text;
}

}  // namespace

SearchFields::SearchFields(wxTextCtrl* text, wxTextCtrl* place, wxChoice* kind,
                           RecentSearches* recent)
    : text(text), place(place), kind(kind), recent(recent)
{
}

RecentSearch SearchFields::Get() const
{
    RecentSearch search;
    // Blanks around the texts are invisible in the field, and no name starts or ends with one.
    if (text)
        search.text = text->GetValue().Strip(wxString::both);
    if (place)
        search.place = place->GetValue().Strip(wxString::both);
    const int chosen = kind ? kind->GetSelection() : wxNOT_FOUND;
    if (chosen >= 0 && size_t(chosen) < std::size(kSearchKinds))
        search.kind = kSearchKinds[chosen];
    return search;
}

void SearchFields::SetKind(SearchKind searchKind)
{
    if (kind && kind->GetCount() == std::size(kSearchKinds))
        kind->SetSelection(static_cast<int>(searchKind));
}

void SearchFields::Remember()
{
    recent->Add(Get());
}

void SearchFields::ShowRecent(wxWindow* under)
{
    std::unique_ptr<wxMenu> menu(CreateRecentMenu());
    under->PopupMenu(menu.get(), 0, under->GetSize().GetHeight());
}

bool SearchFields::Choose(int menuId)
{
    if (menuId == kClearRecent) {
        recent->Clear();
        return true;
    }
    const size_t index = size_t(menuId - kFirstRecent);
    if (menuId < kFirstRecent || index >= recent->Get().size())
        return false;
    const RecentSearch search = recent->Get()[index];
    if (text)
        text->ChangeValue(search.text);
    if (place)
        place->ChangeValue(search.place);
    SetKind(search.kind);
    return true;
}

wxMenu* SearchFields::CreateRecentMenu() const
{
    auto* menu = new wxMenu;
    const std::vector<RecentSearch>& searches = recent->Get();
    for (size_t i = 0; i < searches.size(); ++i)
        menu->Append(kFirstRecent + int(i), LabelOf(searches[i]));
    if (searches.empty())
        menu->Append(kFirstRecent, _("No recent searches"))->Enable(false);
    menu->AppendSeparator();
    menu->Append(kClearRecent, _("&Clear recent searches"))->Enable(!searches.empty());
    return menu;
}

wxString SearchFields::LabelOf(const RecentSearch& search) const
{
    wxString label = search.text;
    if (!search.place.empty())
        label += (label.empty() ? wxString() : wxString(", ")) + search.place;
    label = MenuText(label);
    if (search.kind != SearchKind::kNameOrCeo && kind &&
        kind->GetCount() == std::size(kSearchKinds))
        label += " (" + kind->GetString(static_cast<unsigned int>(search.kind)) + ")";
    return label;
}
