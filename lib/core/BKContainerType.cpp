#include "lib/core/BKContainerType.h"

namespace Brenik {

BKContainerType::BKContainerType(const wxString& comparison) : comparison(comparison) {}

BKClassInfo BKContainerType::GetClassInfo() const
{
    return BKClassInfo::Make("BKContainerType", "0.2.1");
}

}  // namespace Brenik
