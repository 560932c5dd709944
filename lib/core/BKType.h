// Marker base of the library's value classes (money, container items, list rows).
#pragma once

#include "lib/core/BKLib.h"

namespace Brenik {

class BKType : public BKLib {
public:
    BKType() : BKLib(nullptr) {}
    BKClassInfo GetClassInfo() const override { return BKClassInfo::Make("BKType", "1.0.1"); }
};

}  // namespace Brenik
