#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

#include "GuiTestSupport.h"
#include "app/Norvel.h"
#include "ui/ProgressFrame.h"
#include "ui/ProgressGuard.h"
#include "ui/ScreenPixels.h"
#include "ui/UiTestSupport.h"

namespace {

class ProgressWindow : public testing::Test {
protected:
    void SetUp() override
    {
        rit = Norvel::CreateRuntimeInformation("norvel");
        // Off the screen's centre, so that centring on it differs from centring on the screen.
        parent = new wxFrame(nullptr, wxID_ANY, "Parent", wxPoint(40, 30), wxSize(700, 500));
        parent->Show();
        progress = new ProgressFrame(parent, -1, rit.get());
        ASSERT_NE(progress->GetHandle(), nullptr);
        gauge = wxDynamicCast(progress->FindWindow(XRCID("progressGauge")), wxGauge);
        info = wxDynamicCast(progress->FindWindow(XRCID("infoStaticText")), wxStaticText);
        cancel = wxDynamicCast(progress->FindWindow(XRCID("cancelButton")), wxButton);
        ASSERT_TRUE(gauge && info && cancel);
    }

    void TearDown() override
    {
        if (progress)
            progress->MakeModal(false);
        DestroyNow(parent);  // the progress window goes with its parent
    }

    std::unique_ptr<RuntimeInformationType> rit;
    wxFrame* parent = nullptr;
    ProgressFrame* progress = nullptr;
    wxGauge* gauge = nullptr;
    wxStaticText* info = nullptr;
    wxButton* cancel = nullptr;
};

}  // namespace

TEST_F(ProgressWindow, StartsEmptyAndDisabledUntilItKnowsTheTotal)
{
    EXPECT_EQ(progress->GetParent(), parent);
    // Over the window whose work it shows, where the user looks.
    EXPECT_TRUE(
        parent->GetRect().Contains(progress->GetRect().GetPosition() + progress->GetSize() / 2));
    EXPECT_EQ(progress->GetSize().GetWidth(), 400);
    EXPECT_GT(progress->GetSize().GetHeight(), 0);
    EXPECT_FALSE(progress->IsCanceled());
    EXPECT_EQ(progress->GetCount(), 0u);
    EXPECT_EQ(info->GetLabel(), "");
    EXPECT_FALSE(gauge->IsEnabled());
    EXPECT_FALSE(cancel->IsEnabled());

    progress->SetCount(0);
    EXPECT_EQ(gauge->GetValue(), 0);
    EXPECT_EQ(info->GetLabel(), "");  // a total of 0 never shows a counter
    EXPECT_TRUE(cancel->IsEnabled());
}

TEST_F(ProgressWindow, GuardedWindowIsPaintedBeforeTheJobStarts)
{
    // A window manager maps the window a while after Show, and the job that follows the
    // guard runs without yielding until its first step: the window must be drawn by then.
    ScopedWindowManager manager;
    ASSERT_TRUE(manager.IsRunning());
    ProgressGuard guard(parent, rit.get(), "Searching companies");
    EXPECT_EQ(guard->GetTitle(), "Searching companies");
    const wxPoint corner = guard->ClientToScreen(wxPoint(0, 0));
    const wxSize size = guard->GetClientSize();
    EXPECT_GT(CountPixelsOffTheCommonColour(corner.x, corner.y, size.x, size.y), 20);
}

TEST_F(ProgressWindow, CounterShowsLevelOfTotal)
{
    progress->Show();
    progress->SetCount(25);
    EXPECT_TRUE(gauge->IsEnabled());
    EXPECT_TRUE(info->IsEnabled());
    EXPECT_TRUE(cancel->IsEnabled());
    EXPECT_EQ(gauge->GetRange(), 25);
    EXPECT_EQ(progress->GetDefaultItem(), cancel);

    progress->SetLevel(10);
    EXPECT_EQ(gauge->GetValue(), 10);
    EXPECT_EQ(info->GetLabel(), "10 of 25");
    progress->SetLevel(20);
    EXPECT_EQ(gauge->GetValue(), 20);
    EXPECT_EQ(info->GetLabel(), "20 of 25");

    // A level past the total keeps the gauge full instead of upsetting it.
    progress->SetLevel(30);
    EXPECT_EQ(gauge->GetValue(), 25);
    EXPECT_EQ(info->GetLabel(), "30 of 25");
}

TEST_F(ProgressWindow, CancelButtonSetsTheFlagForGood)
{
    progress->Show();
    progress->SetCount(100);
    wxCommandEvent click(wxEVT_BUTTON, cancel->GetId());
    click.SetEventObject(cancel);
    cancel->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(progress->IsCanceled());
    progress->SetLevel(10);
    EXPECT_TRUE(progress->IsCanceled());
    EXPECT_TRUE(progress->IsShown());  // the window never closes itself
}

TEST_F(ProgressWindow, EscapeCancelsAsTheButtonDoes)
{
    progress->Show();
    progress->SetCount(100);
    cancel->SetFocus();
    Settle();
    // Where the display lets the keyboard follow the pointer, the pointer goes to the window.
    wxUIActionSimulator user;
    user.MouseMove(progress->GetScreenRect().GetLeftTop() + wxPoint(20, 20));
    Settle();
    user.Char(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor("the cancel seen", [this] { return progress->IsCanceled(); }));
}

TEST_F(ProgressWindow, CloseFromOutsideIsTakenAsCancel)
{
    progress->Show();
    progress->SetCount(10);
    EXPECT_FALSE(progress->Close(false));
    EXPECT_TRUE(progress->IsCanceled());
    EXPECT_FALSE(progress->IsBeingDeleted());
    EXPECT_TRUE(progress->IsShown());
}

TEST_F(ProgressWindow, ModalDisablesTheOtherWindowsUntilEnded)
{
    progress->Show();
    progress->MakeModal(true);
    EXPECT_TRUE(progress->IsModal());
    EXPECT_FALSE(parent->IsEnabled());
    EXPECT_TRUE(progress->IsEnabled());
    progress->MakeModal(false);
    EXPECT_FALSE(progress->IsModal());
    EXPECT_TRUE(parent->IsEnabled());
}

TEST_F(ProgressWindow, LargeTotalsRepaintAtMostAHundredTimesAndNotFasterThanTheEye)
{
    progress->Show();
    progress->SetCount(100000);
    int changes = 0;
    wxString last = info->GetLabel();
    for (int level = 10; level <= 100000; level += 10) {
        progress->SetLevel(level);
        if (info->GetLabel() != last) {
            ++changes;
            last = info->GetLabel();
        }
    }
    EXPECT_LE(changes, 102);
    // The first and the last level are always shown.
    EXPECT_EQ(last, "100000 of 100000");
    EXPECT_EQ(gauge->GetValue(), 100000);

    // A hundredth of the work is shown once the eye can take it in, not sooner.
    progress->SetCount(1000);
    progress->SetLevel(10);
    EXPECT_EQ(info->GetLabel(), "10 of 1000");
    progress->SetLevel(20);
    EXPECT_EQ(info->GetLabel(), "10 of 1000");
    wxMilliSleep(50);
    progress->SetLevel(30);
    EXPECT_EQ(info->GetLabel(), "30 of 1000");
}
