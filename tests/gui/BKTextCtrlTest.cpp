#include "lib/gui/BKTextCtrl.h"

#include <gtest/gtest.h>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "gui/ControlWindow.h"

using Brenik::BKCurrency;
using Brenik::BKTextCtrl;

namespace {

// A field of the window with the given expression, clicked into and emptied.
BKTextCtrl* Field(ControlWindow& window, const wxString& expression, bool* change = nullptr)
{
    return window.Add(new BKTextCtrl(window.panel, wxID_ANY, "", change, expression));
}

}  // namespace

TEST(BKTextCtrl, RefusedKeystrokesRestoreTheTextForEachKnownExpression)
{
    ControlWindow window;
    bool changed = false;
    BKTextCtrl* amount = Field(window, BKTextCtrl::kTwoDecimals, &changed);
    ASSERT_TRUE(window.Click(amount));

    window.Type("12,5");
    EXPECT_EQ("12,5", amount->GetValue());
    EXPECT_TRUE(changed);
    window.Type("a");
    EXPECT_EQ("12,5", amount->GetValue());
    EXPECT_EQ(4, amount->GetInsertionPoint());
    window.Type("7");
    window.Type("8");  // a third decimal
    EXPECT_EQ("12,57", amount->GetValue());

    // The caret stays where the refused keystroke left it.
    amount->SetInsertionPoint(1);
    window.Type("x");
    EXPECT_EQ("12,57", amount->GetValue());
    EXPECT_EQ(2, amount->GetInsertionPoint());
    window.Type("+");
    EXPECT_EQ("12,57", amount->GetValue());
    window.Type("-");
    EXPECT_EQ("12,57", amount->GetValue());
}
