// Runs the GUI tests inside a real toolkit event loop (start it under Xvfb). Every toolkit
// assert becomes a test failure, and a modal box that no test expected is answered with
// Cancel and fails the test, so no test can ever hang on a dialog.
#include <gtest/gtest.h>

#include <cstdio>

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "print/PrintSetup.h"

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
        if (IsRealModalAllowed(dialog))
            return wxID_NONE;
        wxString text = dialog->GetTitle();
        if (auto box = dynamic_cast<wxMessageDialog*>(dialog))
            text += ": " + box->GetMessage();
        ADD_FAILURE() << "Unexpected modal dialog: " << text.utf8_string();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

// A top-level window that outlives its test is a window the program would never free (the
// toolkit's list still holds it, so the leak checker cannot see it): each test must leave
// none behind. The windows are destroyed so that the next test starts clean.
class LeftOpenWindowCheck : public testing::EmptyTestEventListener {
public:
    bool Failed() const { return failed; }

private:
    void OnTestEnd(const testing::TestInfo& test) override
    {
        wxTheApp->ProcessIdle();
        for (wxWindow* window : wxTopLevelWindows) {
            if (window->IsBeingDeleted())
                continue;
            std::fprintf(stderr, "[  FAILED  ] %s.%s left a window open: %s \"%s\"\n",
                         test.test_suite_name(), test.name(),
                         wxString(window->GetClassInfo()->GetClassName()).utf8_string().c_str(),
                         window->GetLabel().utf8_string().c_str());
            failed = true;
            window->Destroy();
        }
        wxTheApp->ProcessIdle();
    }

    bool failed = false;
};

// The print setup lasts as long as the process, as in the program: each test starts from the
// program's own, whatever paper and printer the test before chose.
class FreshPrintSetup : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { PrintSetup::Get().Reset(); }
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
        auto* windowCheck = new LeftOpenWindowCheck;
        testing::UnitTest::GetInstance()->listeners().Append(windowCheck);
        testing::UnitTest::GetInstance()->listeners().Append(new FreshPrintSetup);
        CallAfter([this, windowCheck] {
            result = RUN_ALL_TESTS();
            if (windowCheck->Failed())
                result = 1;
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
