// The library's string-to-string map: keys are compared exactly (case-sensitive).
#pragma once

#include <wx/hashmap.h>
#include <wx/string.h>

namespace Brenik {

WX_DECLARE_STRING_HASH_MAP(wxString, BKStringHashMap);

}  // namespace Brenik
