// Lets the user choose an item of a list box by typing the first letters of its text, as in a
// file manager: letters typed less than a second apart make one prefix, compared as the
// dictionary compares (case, accents and umlauts aside). Space is left to the list, which
// ticks a check box with it. Binds itself to the list box's character events and borrows it;
// make it after the list and drop it before.
#pragma once

#include <chrono>

#include <wx/string.h>

class wxKeyEvent;
class wxListBox;

namespace Brenik {

class BKTypeAhead {
public:
    explicit BKTypeAhead(wxListBox* list);
    ~BKTypeAhead();
    BKTypeAhead(const BKTypeAhead&) = delete;
    BKTypeAhead& operator=(const BKTypeAhead&) = delete;

    // Adds the character, typed at that time, to the prefix (a new one after a pause) and
    // selects the first item that starts with the prefix. False for a character that is no
    // part of a prefix (a blank, a control character), which the list then gets.
    bool Type(wxUniChar character, std::chrono::steady_clock::time_point when);

private:
    void CharEvent(wxKeyEvent& event);

    wxListBox* list;
    wxString prefix;
    std::chrono::steady_clock::time_point lastTyped;
};

}  // namespace Brenik
