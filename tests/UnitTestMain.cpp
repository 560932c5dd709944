// Runs the unit tests with the toolkit initialised but no windows. Every toolkit assert
// becomes a test failure instead of a dialog or an abort.
#include <gtest/gtest.h>

#include "TestSupport.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk())
        return 2;
    wxSetAssertHandler(FailTestOnAssert);
    // The logo tests decode images as the program does.
    wxInitAllImageHandlers();
    // Log messages would otherwise be collected for a box that never comes.
    wxLog::SetActiveTarget(new wxLogStderr);
    return RUN_ALL_TESTS();
}
