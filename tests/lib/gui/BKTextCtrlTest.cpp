#include "GuiTestSupport.h"
#include "lib/gui/BKTextCtrl.h"

#include <gtest/gtest.h>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "GuiTestSupport.h"
#include "lib/gui/ControlWindow.h"

using Brenik::BKCurrency;
using Brenik::BKTextCtrl;

namespace {

BKTextCtrl* Field(ControlWindow& window, const wxString& expression, bool* change = nullptr,
                  long style = 0, const wxString& value = "")
{
    return window.Add(new BKTextCtrl(window.panel, wxID_ANY, value, change, expression,
                                     wxDefaultPosition, wxDefaultSize, style));
}

// Gives the focus to another window, so that the field loses it as when the user moves on.
void Leave(wxWindow* other)
{
    other->SetFocus();
    WaitFor("the focus on the other control", [other] { return wxWindow::FindFocus() == other; });
    ControlWindow::Flush();
}

}  // namespace

TEST(BKTextCtrl, RefusedKeystrokesRestoreTheTextForEachKnownExpression)
{
    ControlWindow window;
    bool changed = false;
    BKTextCtrl* amount = Field(window, BKTextCtrl::kTwoDecimals, &changed);
    BKTextCtrl* decimals = Field(window, BKTextCtrl::kThreeDecimals);
    BKTextCtrl* whole = Field(window, BKTextCtrl::kWholeNumber);
    BKTextCtrl* anything = Field(window, BKTextCtrl::kAnyText);
    BKTextCtrl* letters = Field(window, "^[a-c]*$");

    ASSERT_TRUE(window.Click(amount));
    window.Type("12,5");
    EXPECT_EQ("12,5", amount->GetValue());
    EXPECT_TRUE(changed);
    changed = false;
    window.Type("a");
    EXPECT_EQ("12,5", amount->GetValue());
    EXPECT_EQ(4, amount->GetInsertionPoint());
    EXPECT_TRUE(changed);  // a refused keystroke is still an edit
    window.Type("78");     // 8 would be a third decimal
    EXPECT_EQ("12,57", amount->GetValue());
    // The caret stays where the refused keystroke left it.
    amount->SetInsertionPoint(1);
    window.Type("x");
    EXPECT_EQ("12,57", amount->GetValue());
    EXPECT_EQ(2, amount->GetInsertionPoint());
    window.Type("+");
    window.Type("-");  // a sign only in front
    EXPECT_EQ("12,57", amount->GetValue());
    amount->SetInsertionPoint(0);
    window.Type("-");
    EXPECT_EQ("-12,57", amount->GetValue());
    amount->SetInsertionPoint(amount->GetLastPosition());
    for (int i = 0; i < 6; ++i)
        window.Key(WXK_BACK);
    EXPECT_EQ("", amount->GetValue());  // an empty field is always accepted

    ASSERT_TRUE(window.Click(decimals));
    window.Type("1,2345");
    EXPECT_EQ("1,234", decimals->GetValue());

    ASSERT_TRUE(window.Click(whole));
    window.Type("-12,3");
    EXPECT_EQ("-123", whole->GetValue());

    ASSERT_TRUE(window.Click(anything));
    window.Type("a,b+1");
    EXPECT_EQ("a,b+1", anything->GetValue());

    ASSERT_TRUE(window.Click(letters));
    window.Type("abdc");
    EXPECT_EQ("abc", letters->GetValue());
}

TEST(BKTextCtrl, FocusSelectsTheTextAndLeavingPadsAmounts)
{
    ControlWindow window;
    bool changed = false;
    BKTextCtrl* amount = Field(window, BKTextCtrl::kTwoDecimals, &changed);
    BKTextCtrl* decimals = Field(window, BKTextCtrl::kThreeDecimals, &changed);
    BKTextCtrl* whole = Field(window, BKTextCtrl::kWholeNumber, &changed);
    wxTextCtrl* other = window.Add(new wxTextCtrl(window.panel, wxID_ANY));

    ASSERT_TRUE(window.Click(amount));
    window.Type("7");
    Leave(other);
    EXPECT_EQ("7,00", amount->GetValue());
    ASSERT_TRUE(window.Click(amount));
    amount->SetInsertionPoint(amount->GetLastPosition());
    for (int i = 0; i < 2; ++i)
        window.Key(WXK_BACK);
    EXPECT_EQ("7,", amount->GetValue());
    window.Type("5");
    Leave(other);
    EXPECT_EQ("7,50", amount->GetValue());
    amount->Clear();
    Leave(amount);
    Leave(other);
    EXPECT_EQ("0,00", amount->GetValue());

    // Gaining the focus selects the whole text.
    Leave(amount);
    long from = -1;
    long to = -1;
    amount->GetSelection(&from, &to);
    EXPECT_EQ(0, from);
    EXPECT_EQ(4, to);
    // Leaving a complete amount is no change.
    changed = false;
    Leave(other);
    EXPECT_EQ("0,00", amount->GetValue());
    EXPECT_FALSE(changed);

    ASSERT_TRUE(window.Click(decimals));
    window.Type("1,2");
    Leave(other);
    EXPECT_EQ("1,200", decimals->GetValue());
    decimals->SetValue("1,2345");  // more decimals than the field pads to stay as they are
    Leave(decimals);
    Leave(other);
    EXPECT_EQ("1,2345", decimals->GetValue());

    ASSERT_TRUE(window.Click(whole));
    window.Type("7");
    Leave(other);
    EXPECT_EQ("7", whole->GetValue());
}

TEST(BKTextCtrl, TextTheProgramSetsIsShownAsItIsAndSurvivesRefusedKeystrokes)
{
    ControlWindow window;
    bool changed = false;
    BKTextCtrl* amount = Field(window, BKTextCtrl::kTwoDecimals, &changed);
    BKTextCtrl* created = Field(window, BKTextCtrl::kTwoDecimals, nullptr, 0, "1.5");

    // What a binding pushes through the plain toolkit interface.
    wxTextCtrl* plain = amount;
    plain->SetValue("12.5");
    EXPECT_EQ("12.5", amount->GetValue());
    EXPECT_TRUE(changed);
    ASSERT_TRUE(window.Click(amount));
    amount->SetInsertionPoint(amount->GetLastPosition());
    window.Type("x");
    EXPECT_EQ("12.5", plain->GetValue());

    plain->ChangeValue("abc");
    amount->SetInsertionPoint(amount->GetLastPosition());
    window.Type("y");
    EXPECT_EQ("abc", amount->GetValue());
    plain->AppendText(".");
    window.Type("z");
    EXPECT_EQ("abc.", amount->GetValue());

    ASSERT_TRUE(window.Click(created));
    created->SetInsertionPoint(created->GetLastPosition());
    window.Type("q");
    EXPECT_EQ("1.5", created->GetValue());
}

TEST(BKTextCtrl, PastedAndCutTextIsFilteredLikeTyping)
{
    ControlWindow window;
    bool changed = false;
    BKTextCtrl* amount = Field(window, BKTextCtrl::kTwoDecimals, &changed);
    BKTextCtrl* digits = Field(window, "^-?[0-9]+$", &changed);
    const auto paste = [&](const char* text) {
        ASSERT_TRUE(wxTheClipboard->Open());
        wxTheClipboard->SetData(new wxTextDataObject(text));
        wxTheClipboard->Close();
        changed = false;
        window.Key('v', wxMOD_CONTROL);
        WaitFor("the paste", [&] { return changed; });
    };

    ASSERT_TRUE(window.Click(amount));
    window.Type("12,5");
    amount->SelectAll();
    paste("abc");
    EXPECT_EQ("12,5", amount->GetValue());
    EXPECT_EQ(BKCurrency(12.5), amount->GetCurrencyValue());
    amount->SetInsertionPoint(amount->GetLastPosition());
    paste("7");
    EXPECT_EQ("12,57", amount->GetValue());
    paste("9");  // a third decimal
    EXPECT_EQ("12,57", amount->GetValue());

    digits->SetValue("-12");
    ASSERT_TRUE(window.Click(digits));
    digits->SetSelection(1, 3);
    window.Key('x', wxMOD_CONTROL);  // would leave no digit
    EXPECT_EQ("-12", digits->GetValue());
    digits->SetSelection(0, 1);
    window.Key('x', wxMOD_CONTROL);
    EXPECT_EQ("12", digits->GetValue());
}

TEST(BKTextCtrl, ReadOnlyFieldIsNeitherFilteredNorPaddedNorCounted)
{
    ControlWindow window;
    bool changed = false;
    BKTextCtrl* amount = Field(window, BKTextCtrl::kTwoDecimals, &changed, wxTE_READONLY);
    wxTextCtrl* other = window.Add(new wxTextCtrl(window.panel, wxID_ANY));

    amount->SetValue("7");
    EXPECT_FALSE(changed);
    ASSERT_TRUE(window.Click(amount));
    window.Type("1x");
    Leave(other);
    EXPECT_EQ("7", amount->GetValue());
    EXPECT_FALSE(changed);

    // An amount the form locks after it was typed.
    BKTextCtrl* locked = Field(window, BKTextCtrl::kTwoDecimals, &changed);
    ASSERT_TRUE(window.Click(locked));
    window.Type("3");
    locked->SetEditable(false);
    changed = false;
    locked->SetValue("3.5");
    Leave(other);
    EXPECT_EQ("3.5", locked->GetValue());
    EXPECT_FALSE(changed);
}

TEST(BKTextCtrl, MoneyValuesGoInAndOut)
{
    ControlWindow window;
    BKTextCtrl* amount = Field(window, BKTextCtrl::kTwoDecimals);
    wxTextCtrl* other = window.Add(new wxTextCtrl(window.panel, wxID_ANY));

    amount->SetCurrencyValue(BKCurrency(1234.5));
    EXPECT_EQ("1234,50", amount->GetValue());
    EXPECT_EQ(BKCurrency(1234.5), amount->GetCurrencyValue());
    amount->SetCurrencyValue(BKCurrency(-0.125));
    EXPECT_EQ("-0,13", amount->GetValue());

    amount->Clear();
    EXPECT_EQ(BKCurrency(0), amount->GetCurrencyValue());
    ASSERT_TRUE(window.Click(amount));
    window.Type("99,9");
    Leave(other);
    EXPECT_EQ("99,90", amount->GetValue());
    EXPECT_EQ(BKCurrency(99.9), amount->GetCurrencyValue());
}
