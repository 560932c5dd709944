// Runs the GUI tests inside a real toolkit event loop (start it under Xvfb). Every toolkit
// assert becomes a test failure, and a modal box that no test expected is answered with
// Cancel and fails the test, so no test can ever hang on a dialog.
#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstdio>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/xrc/xmlres.h>

namespace {

// Consulted after the hooks of wxTEST_DIALOG blocks, so it only sees unexpected boxes.
class UnexpectedDialogHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        wxString text = dialog->GetTitle();
        if (auto box = dynamic_cast<wxMessageDialog*>(dialog))
            text += ": " + box->GetMessage();
        ADD_FAILURE() << "Unexpected modal dialog: " << text.utf8_string();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

// In the program every logged warning or error becomes a box in front of the user: here each
// one fails the running test, unless the test silenced the log on purpose (wxLogNull).
class FailingLog : public wxLog {
protected:
    void DoLogRecord(wxLogLevel level, const wxString& message,
                     const wxLogRecordInfo& info) override
    {
        if (level <= wxLOG_Warning)
            ADD_FAILURE() << "Logged " << (level == wxLOG_Warning ? "warning" : "error") << ": "
                          << message.utf8_string();
        else
            wxLog::DoLogRecord(level, message, info);
    }
    void DoLogTextAtLevel(wxLogLevel, const wxString& message) override
    {
        fputs(message.utf8_string().c_str(), stderr);
        fputc('\n', stderr);
    }
};

class GuiTestApp : public wxApp {
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        wxSetAssertHandler(FailTestOnAssert);
        wxLog::SetActiveTarget(new FailingLog);
        SetExitOnFrameDelete(false);
        hook.Register();
        CallAfter([this] {
            result = RUN_ALL_TESTS();
            ExitMainLoop();
        });
        return true;
    }

    int OnRun() override
    {
        wxApp::OnRun();
        return result;
    }

    int OnExit() override
    {
        hook.Unregister();
        return wxApp::OnExit();
    }

private:
    UnexpectedDialogHook hook;
    int result = 1;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(GuiTestApp);

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return wxEntry(argc, argv);
}
