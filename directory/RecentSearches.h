// The last searches a user ran (text, place and what the text was looked for in), newest
// first, as the configuration file keeps them between program runs. A plain value.
#pragma once

#include <vector>

#include <wx/string.h>

#include "directory/SearchKind.h"

namespace Brenik {
class BKConfiguration;
}  // namespace Brenik

struct RecentSearch {
    wxString text;
    wxString place;
    SearchKind kind = SearchKind::kNameOrCeo;

    bool operator==(const RecentSearch& other) const
    {
        return text == other.text && place == other.place && kind == other.kind;
    }
};

class RecentSearches {
public:
    static constexpr size_t kMost = 10;

    // Puts the search first; the same search run before moves up instead of standing twice,
    // and the oldest beyond ten is dropped. A search without text and place is not kept.
    void Add(const RecentSearch& search);
    void Clear() { searches.clear(); }
    const std::vector<RecentSearch>& Get() const { return searches; }

    // Takes the searches the configuration holds, replacing these; entries that cannot be
    // read are left out.
    void Read(const Brenik::BKConfiguration& configuration);
    // Puts these searches into the configuration, under keys of their own.
    void Write(Brenik::BKConfiguration& configuration) const;

private:
    std::vector<RecentSearch> searches;
};
