#include "ui/SectorFilter.h"

#include <string>
#include <unordered_map>

#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/intl.h>

#include "app/RuntimeInformationType.h"
#include "directory/SectorController.h"
#include "directory/SectorEntities.h"
#include "lib/core/BKCollation.h"
#include "lib/core/BKShownText.h"

using Brenik::BKEntity;

namespace {

wxString FieldText(BKEntity* entity, const char* key)
{
    BKEntity::BKEntityType* field = entity->Get(key);
    return field ? field->ToString() : wxString();
}

// A sector's name as the list shows it, and sorts it: by the rule of every window, as 20 names
// of a megabyte took the list half a minute to lay out.
wxString SectorName(BKEntity* sector)
{
    const BKEntity::BKEntityType* field = sector->Get("sector");
    using Brenik::BKShownText;
    return field ? BKShownText::Of(field->GetUtf8(), BKShownText::Lines::kOne,
                                   BKShownText::kLineLength)
                 : wxString();
}

}  // namespace

SectorFilter::SectorFilter(wxCheckListBox* list, wxCheckBox* allSectors)
    : list(list), allSectors(allSectors)
{
}

SectorFilter::~SectorFilter() = default;
SectorFilter::SectorFilter(SectorFilter&&) noexcept = default;
SectorFilter& SectorFilter::operator=(SectorFilter&&) noexcept = default;

void SectorFilter::Load(RuntimeInformationType* rit)
{
    if (!rit || !rit->GetDatabase())
        return;
    SectorController controller(rit->GetDatabase());
    sectors.reset(controller.LoadSectors());
    if (!sectors || !list)
        return;
    // The database orders names byte by byte, which puts "Bäckereien" after "Buchhandlungen";
    // the list is ordered as a German reader looks for a name, and the records in step with it.
    std::unordered_map<const SQLiteEntity*, std::string> keys;
    for (unsigned int index = 0; index < sectors->GetItemCount(); ++index)
        keys[sectors->GetItem(index)] =
            Brenik::BKCollation::TextKey(SectorName(sectors->GetItem(index)));
    sectors->SortItems(
        [&keys](const SQLiteEntity* a, const SQLiteEntity* b) { return keys[a] < keys[b]; });
    wxArrayString names;
    names.Alloc(sectors->GetItemCount());
    for (unsigned int index = 0; index < sectors->GetItemCount(); ++index)
        names.Add(SectorName(sectors->GetItem(index)));
    list->Append(names);
}

void SectorFilter::FollowAllSectors()
{
    if (allSectors && list)
        list->Enable(!allSectors->IsChecked());
}

wxString SectorFilter::GetChosenText() const
{
    // A later search that finds 2 instead of 51 is no surprise when this is in sight.
    wxArrayInt ticked;
    const bool count = list && list->IsEnabled();
    const int chosen = count ? static_cast<int>(list->GetCheckedItems(ticked)) : 0;
    return chosen
               ? wxString::Format(wxPLURAL("%d sector chosen", "%d sectors chosen", chosen), chosen)
               : wxString();
}

void SectorFilter::ShowCurrent()
{
    if (!list || list->IsEmpty())
        return;
    const int current = list->GetSelection();
    list->EnsureVisible(current == wxNOT_FOUND ? 0 : current);
}

wxArrayString SectorFilter::GetIds() const
{
    wxArrayString ids;
    if (!sectors || !list || (allSectors && allSectors->IsChecked()))
        return ids;
    const unsigned int count = list->GetCount();
    for (unsigned int item = 0; item < count; ++item) {
        if (list->IsChecked(item) && item < sectors->GetItemCount())
            ids.Add(FieldText(sectors->GetItem(item), "id"));
    }
    // Every sector checked is no restriction at all, and the statement is simpler without.
    if (ids.GetCount() == count)
        ids.Clear();
    return ids;
}

wxArrayString SectorFilter::GetNames() const
{
    wxArrayString names;
    if (GetIds().empty())
        return names;
    for (unsigned int item = 0; item < list->GetCount(); ++item)
        if (list->IsChecked(item))
            names.Add(list->GetString(item));
    return names;
}
