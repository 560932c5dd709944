#include "GuiTestSupport.h"
#include "lib/gui/BKChangeInterface.h"

#include <gtest/gtest.h>

#include <wx/xrc/xmlres.h>

#include "TestSupport.h"
#include "lib/gui/BKCheckBox.h"
#include "lib/gui/BKComboBox.h"
#include "lib/gui/BKDatePickerCtrl.h"
#include "lib/gui/BKListBox.h"
#include "lib/gui/BKTextCtrl.h"
#include "lib/gui/ControlWindow.h"
#include "ui/UiTestSupport.h"

using namespace Brenik;

TEST(BKChangeInterface, EachControlKindReportsTheUsersChangeOnly)
{
    ControlWindow window;
    bool changed = false;
    const wxString items[] = {"eins", "zwei", "drei"};
    auto* list = window.Add(new BKListBox(window.panel, wxID_ANY, &changed, wxDefaultPosition,
                                          wxSize(-1, 90), 3, items));
    auto* check = window.Add(new BKCheckBox(window.panel, wxID_ANY, "Aktiv", &changed));
    auto* date = window.Add(new BKDatePickerCtrl(window.panel, wxID_ANY,
                                                 wxDateTime(15, wxDateTime::Jan, 2020), &changed));
    auto* combo = window.Add(new BKComboBox(window.panel, wxID_ANY, "", &changed, wxDefaultPosition,
                                            wxDefaultSize, 3, items));

    // What the program sets raises no change.
    list->SetSelection(2);
    check->SetValue(true);
    date->SetValue(wxDateTime(1, wxDateTime::Feb, 2021));
    EXPECT_FALSE(changed);

    ASSERT_TRUE(window.Click(list));
    EXPECT_TRUE(WaitFor("the change reported", [&] { return changed; }));
    EXPECT_NE(2, list->GetSelection());

    changed = false;
    window.Click(check);
    EXPECT_TRUE(WaitFor("the change reported", [&] { return changed; }));
    EXPECT_FALSE(check->IsChecked());

    // A date typed over the year of the one shown.
    changed = false;
    ASSERT_TRUE(window.Click(date));
    const wxDateTime before = date->GetValue();
    window.Key(WXK_END);
    window.Key(WXK_BACK);
    window.Type("3");
    EXPECT_TRUE(changed);
    EXPECT_EQ(2023, date->GetValue().GetYear());
    EXPECT_EQ(before.GetDay(), date->GetValue().GetDay());

    changed = false;
    ASSERT_TRUE(window.Click(combo));
    window.Type("vier");
    EXPECT_EQ("vier", combo->GetValue());
    EXPECT_TRUE(changed);
    // Choosing from the open list is out of the simulator's reach: the toolkit's selection
    // event stands in for it.
    changed = false;
    combo->SetSelection(1);
    wxCommandEvent selected(wxEVT_COMBOBOX, combo->GetId());
    selected.SetEventObject(combo);
    selected.SetString("zwei");
    selected.SetInt(1);
    combo->GetEventHandler()->ProcessEvent(selected);
    EXPECT_TRUE(changed);

    // A control without a flag edits as well and tracks nothing.
    list->SetChange(nullptr);
    EXPECT_EQ(nullptr, list->GetChange());
    EXPECT_FALSE(list->SetChanged(true));
    changed = false;
    window.Click(list, wxPoint(8, -30));
    window.Flush();
    EXPECT_FALSE(changed);
    list->SetChange(&changed);
    EXPECT_TRUE(list->SetChanged(true));
    EXPECT_TRUE(changed);
}

TEST(BKChangeInterface, ComboBoxWithMaximumCountsOnlyValuesThatFitAndNeverCuts)
{
    ControlWindow window;
    bool changed = false;
    auto* combo = window.Add(new BKComboBox(window.panel, wxID_ANY, "", &changed));
    combo->SetMaxLength(3);
    EXPECT_EQ(3u, combo->GetMaxLength());

    ASSERT_TRUE(window.Click(combo));
    window.Type("abc");
    EXPECT_TRUE(changed);
    changed = false;
    window.Type("d");
    EXPECT_EQ("abcd", combo->GetValue());
    EXPECT_FALSE(changed);
    window.Key(WXK_BACK);
    EXPECT_EQ("abc", combo->GetValue());
    EXPECT_TRUE(changed);

    // Through the plain toolkit interface too the limit is only compared.
    wxComboBox* plain = combo;
    plain->SetMaxLength(2);
    EXPECT_EQ(2u, combo->GetMaxLength());
    window.Type("e");
    EXPECT_EQ("abce", combo->GetValue());

    combo->SetMaxLength(0);
    changed = false;
    window.Type("fghij");
    EXPECT_TRUE(changed);
}

TEST(BKChangeInterface, LayoutCreatesEachControlThroughItsRegisteredName)
{
    TempDir dir;
    const wxString path = dir.Path("controls.xrc");
    ASSERT_TRUE(WriteTextFile(path, R"(<?xml version="1.0" encoding="UTF-8"?>
<resource xmlns="http://www.wxwidgets.org/wxxrc" version="2.5.3.0">
  <object class="wxPanel" name="ControlsTestPanel">
    <object class="wxBoxSizer">
      <orient>wxVERTICAL</orient>
      <object class="sizeritem">
        <object class="wxTextCtrl" name="amountTextCtrl" subclass="Brenik::BKTextCtrl"/>
      </object>
      <object class="sizeritem">
        <object class="wxListBox" name="sectorListBox" subclass="Brenik::BKListBox">
          <content><item>eins</item></content>
        </object>
      </object>
      <object class="sizeritem">
        <object class="wxCheckBox" name="activeCheckBox" subclass="Brenik::BKCheckBox">
          <label>Aktiv</label>
        </object>
      </object>
      <object class="sizeritem">
        <object class="wxDatePickerCtrl" name="createdDatePickerCtrl"
                subclass="Brenik::BKDatePickerCtrl"/>
      </object>
      <object class="sizeritem">
        <object class="wxComboBox" name="cityComboBox" subclass="Brenik::BKComboBox">
          <value>Wien</value>
        </object>
      </object>
    </object>
  </object>
</resource>
)"));
    ASSERT_TRUE(wxXmlResource::Get()->Load(path));
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Layout");
    wxPanel* panel = wxXmlResource::Get()->LoadPanel(frame, "ControlsTestPanel");
    ASSERT_NE(nullptr, panel);

    struct Expected {
        const char* name;
        const char* registered;
        const wxClassInfo* toolkitBase;
        const char* library;
        const char* version;
    };
    const Expected expected[] = {
        {"amountTextCtrl", "Brenik::BKTextCtrl", wxCLASSINFO(wxTextCtrl), "BKTextCtrl", "0.0.6"},
        {"sectorListBox", "Brenik::BKListBox", wxCLASSINFO(wxListBox), "BKListBox", "0.0.1"},
        {"activeCheckBox", "Brenik::BKCheckBox", wxCLASSINFO(wxCheckBox), "BKCheckBox", "0.0.1"},
        {"createdDatePickerCtrl", "Brenik::BKDatePickerCtrl", wxCLASSINFO(wxDatePickerCtrl),
         "BKDatePickerCtrl", "0.0.1"},
        {"cityComboBox", "Brenik::BKComboBox", wxCLASSINFO(wxComboBox), "BKComboBox", "0.0.3"},
    };
    for (const Expected& control : expected) {
        SCOPED_TRACE(control.name);
        wxWindow* window = panel->FindWindow(XRCID(control.name));
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(control.registered, wxString(window->GetClassInfo()->GetClassName()));
        EXPECT_TRUE(window->IsKindOf(control.toolkitBase));
        auto* library = dynamic_cast<BKChangeInterface*>(window);
        ASSERT_NE(nullptr, library);
        EXPECT_EQ(control.library, library->GetClassInfo().GetName());
        EXPECT_EQ(control.version, library->GetClassInfo().GetVersion());
    }
    EXPECT_EQ("BKChangeInterface", BKChangeInterface().GetClassInfo().GetName());

    // A created text control takes its expression and flag afterwards.
    auto* amount = XRCCTRL(*panel, "amountTextCtrl", BKTextCtrl);
    ASSERT_NE(nullptr, amount);
    EXPECT_EQ(BKTextCtrl::kAnyText, amount->GetRegularExpression());
    EXPECT_FALSE(amount->HasFlag(wxTE_RIGHT));
    amount->SetRegularExpression(BKTextCtrl::kThreeDecimals);
    EXPECT_FALSE(amount->HasFlag(wxTE_RIGHT));
    amount->SetRegularExpression(BKTextCtrl::kTwoDecimals);
    EXPECT_TRUE(amount->HasFlag(wxTE_RIGHT));
    EXPECT_FALSE(amount->CheckText("1,234"));
    EXPECT_TRUE(amount->CheckText(""));
    bool changed = false;
    amount->SetChange(&changed);
    amount->SetValue("1,5");
    EXPECT_TRUE(changed);
    EXPECT_EQ("Wien", XRCCTRL(*panel, "cityComboBox", BKComboBox)->GetValue());

    DestroyNow(frame);
    wxXmlResource::Get()->Unload(path);
}
