// The library's self-test base: a named object whose __Test() a test runner may call.
// By default the test does nothing.
#pragma once

#include <wx/string.h>

#include "lib/core/BKLib.h"

namespace Brenik {

class BKTest : public BKLib {
public:
    explicit BKTest(const wxString& testName);

    BKClassInfo GetClassInfo() const override;

    wxString GetTestName() const { return testName; }
    virtual void __Test() {}

private:
    wxString testName;
};

}  // namespace Brenik
