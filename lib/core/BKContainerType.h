// An item of a BKContainer: a value with the text key the container finds it by.
// The container that holds it decides whether it is deleted (its clean-up flag).
#pragma once

#include <wx/string.h>

#include "lib/core/BKType.h"

namespace Brenik {

class BKContainerType : public BKType {
public:
    BKContainerType() = default;
    explicit BKContainerType(const wxString& comparison);

    BKClassInfo GetClassInfo() const override;

    void SetComparison(const wxString& comparison) { this->comparison = comparison; }
    // The key; the name keeps the library's historical spelling.
    wxString GetComparision() const { return comparison; }

private:
    wxString comparison;
};

}  // namespace Brenik
