// Runs the unit tests with the toolkit initialised but no windows. Every toolkit assert
// becomes a test failure instead of a dialog or an abort.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

namespace {

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "wx assert in " << func.utf8_string() << ": " << cond.utf8_string() << " "
        << msg.utf8_string();
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk())
        return 2;
    wxSetAssertHandler(FailOnAssert);
    // Log messages would otherwise be collected for a box that never comes.
    wxLog::SetActiveTarget(new wxLogStderr);
    return RUN_ALL_TESTS();
}
