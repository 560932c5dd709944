#include "lib/gui/BKTypeAhead.h"

#include <wx/listbox.h>

#include "lib/core/BKCollation.h"

namespace {

// How long a pause may be before the next letter starts a new prefix.
constexpr std::chrono::milliseconds kPause(1000);

// The text as the dictionary compares it: case and accents aside.
std::string Folded(const wxString& text)
{
    std::string key = Brenik::BKCollation::TextKey(text);
    key.resize(key.find('\0'));
    return key;
}

}  // namespace

namespace Brenik {

BKTypeAhead::BKTypeAhead(wxListBox* list) : list(list)
{
    if (list)
        list->Bind(wxEVT_CHAR, &BKTypeAhead::CharEvent, this);
}

BKTypeAhead::~BKTypeAhead()
{
    if (list)
        list->Unbind(wxEVT_CHAR, &BKTypeAhead::CharEvent, this);
}

bool BKTypeAhead::Type(wxUniChar character, std::chrono::steady_clock::time_point when)
{
    if (!list || character.GetValue() <= ' ' || character.GetValue() == 0x7F)
        return false;
    if (when - lastTyped > kPause)
        prefix.clear();
    lastTyped = when;
    prefix += character;
    const std::string wanted = Folded(prefix);
    for (unsigned int item = 0; item < list->GetCount(); ++item) {
        if (Folded(list->GetString(item)).compare(0, wanted.size(), wanted) == 0) {
            list->SetSelection(static_cast<int>(item));
            list->EnsureVisible(static_cast<int>(item));
            break;
        }
    }
    // A prefix that matches nothing keeps the selection: the letters are used up anyway.
    return true;
}

void BKTypeAhead::CharEvent(wxKeyEvent& event)
{
    const bool plain = !(event.GetModifiers() & (wxMOD_CONTROL | wxMOD_ALT | wxMOD_META));
    if (!plain || !Type(event.GetUnicodeKey(), std::chrono::steady_clock::now()))
        event.Skip();
}

}  // namespace Brenik
