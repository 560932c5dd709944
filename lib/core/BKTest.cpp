#include "lib/core/BKTest.h"

namespace Brenik {

BKTest::BKTest(const wxString& testName) : BKLib(nullptr), testName(testName) {}

BKClassInfo BKTest::GetClassInfo() const
{
    return BKClassInfo::Make("BKTest", "0.0.2");
}

}  // namespace Brenik
