#include "lib/gui/BKBind.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

#include "lib/core/BKCurrency.h"
#include "lib/entity/BKEntity.h"
#include "lib/gui/BKCheckBox.h"
#include "lib/gui/BKComboBox.h"
#include "lib/gui/BKDatePickerCtrl.h"
#include "lib/gui/BKListBox.h"
#include "lib/gui/BKTextCtrl.h"
#include "ui/UiTestSupport.h"

using Brenik::BKBind;
using Brenik::BKCurrency;
using Brenik::BKEntity;

namespace {

// A form with one control of each kind on a frame, and a record of matching fields.
class Binding : public testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "form");
        const wxString items[] = {"rot", wxString::FromUTF8("grün"), "blau"};
        text = new wxTextCtrl(frame, wxID_ANY);
        price = new wxTextCtrl(frame, wxID_ANY);
        combo = new wxComboBox(frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 3, items);
        list = new wxListBox(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, 3, items);
        spin = new wxSpinCtrl(frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                              wxSP_ARROW_KEYS, 0, 1000, 5);
        check = new wxCheckBox(frame, wxID_ANY, "check");
        date = new wxDatePickerCtrl(frame, wxID_ANY, wxDateTime(1, wxDateTime::Jan, 2000));

        const wxString none;
        entity.Set("name", wxString::FromUTF8("Bäckerei"), true, true, none, 0, true);
        entity.Set("price", BKCurrency(1234.5), false, false, none, 0, true);
        entity.Set("colour", wxString::FromUTF8("grün"), true, true, none, 0, true);
        entity.Set("index", 2, false, false, none, 0, true);
        entity.Set("staff", 42, false, false, none, 0, true);
        entity.Set("parking", wxString("ja"), true, true, none, 0, true);
        entity.Set("created", wxString("2019-03-05 10:20:30"), true, true, none, 0, true);
    }

    void TearDown() override { DestroyNow(frame); }

    wxString Field(const char* key) { return entity.Get(key)->ToString(); }

    wxFrame* frame = nullptr;
    wxTextCtrl* text = nullptr;
    wxTextCtrl* price = nullptr;
    wxComboBox* combo = nullptr;
    wxListBox* list = nullptr;
    wxSpinCtrl* spin = nullptr;
    wxCheckBox* check = nullptr;
    wxDatePickerCtrl* date = nullptr;
    BKEntity entity;
};

}  // namespace

TEST_F(Binding, PushShowsEveryFieldInItsControl)
{
    BKBind bind(&entity);
    EXPECT_EQ(bind.GetEntity(), &entity);
    bind.Bind("name", text);
    bind.Bind("price", price);
    bind.Bind("index", combo, BKBind::kIndex);
    bind.Bind("colour", list, BKBind::kString);
    bind.Bind("staff", spin);
    bind.Bind("parking", check);
    bind.Bind("created", date);
    bind.Bind("missing", new wxTextCtrl(frame, wxID_ANY, "kept"));
    bind.Push();

    EXPECT_EQ(text->GetValue(), wxString::FromUTF8("Bäckerei"));
    EXPECT_EQ(price->GetValue(), "1234,50");
    EXPECT_EQ(combo->GetSelection(), 2);
    EXPECT_EQ(list->GetStringSelection(), wxString::FromUTF8("grün"));
    EXPECT_EQ(spin->GetValue(), 42);
    EXPECT_TRUE(check->GetValue());
    EXPECT_EQ(date->GetValue().FormatISODate(), "2019-03-05");
    EXPECT_EQ(wxDynamicCast(bind.Get("missing", false), wxTextCtrl)->GetValue(), "kept");

    // The other kinds of the combo box and list box.
    bind.Bind("colour", combo, BKBind::kString);
    bind.Bind("name", list, BKBind::kValue);  // a list box has no value: nothing moves
    list->SetSelection(wxNOT_FOUND);
    bind.Push();
    EXPECT_EQ(combo->GetStringSelection(), wxString::FromUTF8("grün"));
    EXPECT_EQ(list->GetSelection(), wxNOT_FOUND);
    bind.Bind("name", combo, BKBind::kValue);
    bind.Push();
    EXPECT_EQ(combo->GetValue(), wxString::FromUTF8("Bäckerei"));
    bind.Bind("index", list, BKBind::kIndex);
    bind.Push();
    EXPECT_EQ(list->GetSelection(), 2);
    bind.Get("name", true);
    bind.Bind("colour", combo, 7);  // an unknown kind moves nothing
    combo->SetValue("unchanged");
    bind.Push();
    EXPECT_EQ(combo->GetValue(), "unchanged");
}

TEST_F(Binding, PullStoresEveryControlInItsField)
{
    BKBind bind(&entity);
    bind.Bind("price", price);
    bind.Bind("staff", spin);
    bind.Bind("parking", check);
    bind.Bind("created", date);
    bind.Bind("index", list, BKBind::kIndex);
    bind.Bind("colour", combo, BKBind::kString);
    bind.Bind("missing", text);
    bind.Push();
    EXPECT_EQ(price->GetValue(), "1234,50");
    // A money field shown with its comma reads back as the same amount.
    bind.Pull();
    EXPECT_EQ(Field("price"), "1234,50");
    EXPECT_EQ(entity.Get("price")->ToCurrency().ToString(), "1234,50");

    spin->SetValue(7);
    check->SetValue(false);
    date->SetValue(wxDateTime(24, wxDateTime::Dec, 2023));
    list->SetSelection(0);
    combo->SetSelection(2);
    text->SetValue("nowhere");
    bind.Pull();
    EXPECT_EQ(Field("staff"), "7");
    EXPECT_FALSE(entity.Get("parking")->ToBool());
    EXPECT_EQ(Field("created"), "2023-12-24 00:00:00");
    EXPECT_EQ(Field("index"), "0");
    EXPECT_EQ(Field("colour"), "blau");
    EXPECT_EQ(entity.Get("missing"), nullptr);

    bind.Bind("name", combo, BKBind::kValue);
    combo->SetValue("Schreinerei");
    bind.Bind("colour", list, BKBind::kString);
    bind.Pull();
    EXPECT_EQ(Field("name"), "Schreinerei");
    EXPECT_EQ(Field("colour"), "rot");
    bind.Bind("colour", list, BKBind::kValue);
    list->SetSelection(1);
    bind.Pull();
    EXPECT_EQ(Field("colour"), "rot");
}

TEST_F(Binding, AKeyIsBoundToOneControlThatGetFindsOrRemoves)
{
    BKBind bind(&entity);
    EXPECT_EQ(bind.GetClassInfo().GetName(), "BKBind");
    EXPECT_EQ(bind.GetClassInfo().GetVersion(), "0.0.5");
    EXPECT_EQ(bind.Get("name", false), nullptr);
    EXPECT_EQ(bind.Get("name", true), nullptr);
    bind.Bind("name", text);
    bind.Bind("name", combo, BKBind::kValue);
    EXPECT_EQ(bind.GetCount(), 1u);
    EXPECT_EQ(bind.Get("name", false), combo);
    bind.Push();
    EXPECT_EQ(text->GetValue(), "");  // the first binding is gone
    bind.Bind("staff", spin);
    bind.Bind("created", date);
    EXPECT_EQ(bind.Get("created", true), date);
    EXPECT_EQ(bind.Get("created", false), nullptr);
    EXPECT_EQ(bind.GetCount(), 2u);

    bind.Bind("parking", check);
    bind.EnableAll(false);
    EXPECT_FALSE(combo->IsEnabled());
    EXPECT_FALSE(spin->IsEnabled());
    EXPECT_FALSE(check->IsEnabled());
    EXPECT_TRUE(date->IsEnabled());  // no longer bound
    bind.EnableAll(true);
    EXPECT_TRUE(combo->IsEnabled() && spin->IsEnabled() && check->IsEnabled());

    // Null controls are kept but skipped.
    bind.Bind("index", static_cast<wxListBox*>(nullptr), BKBind::kIndex);
    bind.Push();
    bind.Pull();
    bind.EnableAll(false);
    EXPECT_EQ(bind.Get("index", false), nullptr);

    const BKBind::BKBindDatePickerCtrlType record("created", date);
    EXPECT_EQ(record.GetKey(), "created");
    EXPECT_EQ(record.GetKind(), 0u);
    EXPECT_EQ(record.GetValue(), date);
    EXPECT_EQ(record.GetClassInfo().GetName(), "BKBindDatePickerCtrlType");
}

TEST_F(Binding, ValuesTheControlCannotTakeLeaveItUnchanged)
{
    BKBind bind(&entity);
    // No date at all (an unreadable one reads as the current time, which a picker takes).
    const wxDateTime before = date->GetValue();
    entity.SetValue("created", wxString());
    entity.SetValue("index", 3);
    bind.Bind("created", date);
    bind.Bind("index", combo, BKBind::kIndex);
    bind.Bind("staff", list, BKBind::kIndex);
    list->SetSelection(1);
    combo->SetSelection(0);
    bind.Push();  // every toolkit assert would fail the test
    EXPECT_EQ(date->GetValue(), before);
    EXPECT_EQ(combo->GetSelection(), 0);
    EXPECT_EQ(list->GetSelection(), 1);

    // A date outside the picker's range is not set either.
    date->SetRange(wxDateTime(1, wxDateTime::Jan, 1990), wxDateTime(1, wxDateTime::Jan, 2030));
    entity.SetValue("created", wxString("2050-01-01 00:00:00"));
    bind.Push();
    EXPECT_EQ(date->GetValue(), before);

    // -1 clears a selection; a picker that allows no date is emptied.
    entity.SetValue("index", -1);
    bind.Push();
    EXPECT_EQ(combo->GetSelection(), wxNOT_FOUND);
    auto* optional =
        new wxDatePickerCtrl(frame, wxID_ANY, wxDateTime(1, wxDateTime::Jan, 2000),
                             wxDefaultPosition, wxDefaultSize, wxDP_DEFAULT | wxDP_ALLOWNONE);
    entity.SetValue("created", wxString());
    bind.Bind("created", optional);
    bind.Push();
    EXPECT_FALSE(optional->GetValue().IsValid());
    bind.Pull();
    EXPECT_EQ(Field("created"), "");
}

TEST_F(Binding, MovesValuesThroughTheChangeTrackingControls)
{
    bool changed = false;
    const wxString items[] = {"rot", wxString::FromUTF8("grün"), "blau"};
    auto* amount =
        new Brenik::BKTextCtrl(frame, wxID_ANY, "", &changed, Brenik::BKTextCtrl::kTwoDecimals);
    auto* colours = new Brenik::BKComboBox(frame, wxID_ANY, "", &changed, wxDefaultPosition,
                                           wxDefaultSize, 3, items);
    auto* indexes = new Brenik::BKListBox(frame, wxID_ANY, &changed, wxDefaultPosition,
                                          wxDefaultSize, 3, items);
    auto* parking = new Brenik::BKCheckBox(frame, wxID_ANY, "parking", &changed);
    auto* created = new Brenik::BKDatePickerCtrl(frame, wxID_ANY,
                                                 wxDateTime(1, wxDateTime::Jan, 2000), &changed);
    // A value the field's expression would refuse from the keyboard still arrives as it is.
    entity.Set("price", wxString("12.5"), true, true, wxString(), 0, true);

    BKBind bind(&entity);
    bind.Bind("price", amount);
    bind.Bind("colour", colours, BKBind::kString);
    bind.Bind("index", indexes, BKBind::kIndex);
    bind.Bind("parking", parking);
    bind.Bind("created", created);
    bind.Push();
    EXPECT_EQ(amount->GetValue(), "12.5");
    EXPECT_EQ(colours->GetStringSelection(), wxString::FromUTF8("grün"));
    EXPECT_EQ(indexes->GetSelection(), 2);
    EXPECT_TRUE(parking->GetValue());
    EXPECT_EQ(created->GetValue().FormatISODate(), "2019-03-05");

    // What the form shows goes back unchanged; what the user changed goes back changed.
    bind.Pull();
    EXPECT_EQ(Field("price"), "12.5");
    EXPECT_EQ(Field("colour"), wxString::FromUTF8("grün"));
    EXPECT_EQ(Field("index"), "2");
    indexes->SetSelection(0);
    parking->SetValue(false);
    amount->ChangeValue("7,25");
    bind.Pull();
    EXPECT_EQ(Field("index"), "0");
    EXPECT_FALSE(entity.Get("parking")->ToBool());
    EXPECT_EQ(Field("price"), "7,25");
    EXPECT_EQ(Field("created"), "2019-03-05 00:00:00");
}
