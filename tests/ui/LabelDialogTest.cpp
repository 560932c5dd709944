#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/spinctrl.h>
#include <wx/xrc/xmlres.h>

#include "GuiTestSupport.h"
#include "app/Norvel.h"
#include "ui/LabelDialog.h"

namespace {

template <typename Control>
Control* Find(wxWindow& dialog, const char* name)
{
    return wxDynamicCast(dialog.FindWindow(XRCID(name)), Control);
}

}  // namespace

// The sheet, start position and attention line confirmed are offered by the next dialog, as
// are the user's own sizes; own labels off the A4 sheet are refused with a box and leave the
// last choice as it was.
TEST(LabelDialog, OffersTheLastChoiceAgainAndRefusesLabelsOffThePaper)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    LabelDialog::LastChoice() = LabelDialog::Choice();
    {
        LabelDialog dialog(nullptr, -1, rit.get());
        ASSERT_EQ(Find<wxChoice>(dialog, "formatChoice")->GetCount(), 5u);
        Find<wxChoice>(dialog, "formatChoice")->SetSelection(2);
        dialog.UpdateControls();
        // The 2 x 8 sheet has sixteen labels to start on.
        EXPECT_EQ(Find<wxSpinCtrl>(dialog, "startSpinCtrl")->GetMax(), 16);
        EXPECT_FALSE(Find<wxSpinCtrl>(dialog, "columnsSpinCtrl")->IsEnabled());
        Find<wxSpinCtrl>(dialog, "startSpinCtrl")->SetValue(9);
        Find<wxCheckBox>(dialog, "attentionCheckBox")->SetValue(true);
        EXPECT_TRUE(dialog.Accept());
    }
    {
        LabelDialog dialog(nullptr, -1, rit.get());
        const LabelDialog::Choice shown = dialog.GetChoice();
        EXPECT_EQ(shown.format, 2);
        EXPECT_EQ(shown.start, 9);
        EXPECT_TRUE(shown.attention);
        EXPECT_EQ(shown.Format().width, 105);

        Find<wxChoice>(dialog, "formatChoice")->SetSelection(4);
        dialog.UpdateControls();
        EXPECT_TRUE(Find<wxSpinCtrl>(dialog, "columnsSpinCtrl")->IsEnabled());
        Find<wxSpinCtrl>(dialog, "columnsSpinCtrl")->SetValue(3);
        Find<wxSpinCtrlDouble>(dialog, "widthSpinCtrl")->SetValue(75);
        wxString message, caption;
        wxTEST_DIALOG(EXPECT_FALSE(dialog.Accept()), ExpectMessageBox(&message, &caption));
        EXPECT_EQ(message, "These labels do not fit on an A4 sheet.");
        EXPECT_EQ(LabelDialog::LastChoice().format, 2);

        Find<wxSpinCtrlDouble>(dialog, "widthSpinCtrl")->SetValue(60);
        EXPECT_TRUE(dialog.Accept());
    }
    LabelDialog dialog(nullptr, -1, rit.get());
    const LabelFormat own = dialog.GetChoice().Format();
    EXPECT_EQ(own.columns, 3);
    EXPECT_EQ(own.width, 60);
}
