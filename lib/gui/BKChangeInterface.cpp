#include "lib/gui/BKChangeInterface.h"

namespace Brenik {

bool BKChangeInterface::SetChanged(bool value)
{
    if (!change)
        return false;
    *change = value;
    return true;
}

BKClassInfo BKChangeInterface::ChangeClassInfo() const
{
    return BKClassInfo::Make("BKChangeInterface", "0.0.1");
}

}  // namespace Brenik
