#include "directory/SearchKind.h"

namespace {

const char* const kNames[] = {"name", "phone", "street", "sector", "keywords", "all"};

}  // namespace

wxString SearchKindName(SearchKind kind)
{
    return kNames[static_cast<int>(kind)];
}

SearchKind SearchKindNamed(const wxString& name)
{
    for (SearchKind kind : kSearchKinds) {
        if (name == kNames[static_cast<int>(kind)])
            return kind;
    }
    return SearchKind::kNameOrCeo;
}
