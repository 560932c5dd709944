#include "lib/core/BKClassInfo.h"

namespace Brenik {

namespace {
const char* const kLibraryAuthor = "The Brenik class library authors";
}

BKClassInfo::BKClassInfo(const wxString& name, const wxString& version, const wxString& author)
    : name(name), version(version), author(author)
{
}

BKClassInfo BKClassInfo::GetClassInfo() const
{
    return Make("BKClassInfo", "1.0.1");
}

BKClassInfo BKClassInfo::Make(const char* name, const char* version)
{
    return BKClassInfo(wxString::FromUTF8(name), wxString::FromUTF8(version),
                       wxString::FromUTF8(kLibraryAuthor));
}

}  // namespace Brenik
