// A text control that tells its form when the user edits it (BKChangeInterface), filters
// every edit of the user (typing, pasting, cutting) with a regular expression, pads amounts
// with zeros when it loses the focus, selects its whole text when it gains the focus, and
// reads and writes money values.
// Text the program sets (SetValue, ChangeValue, WriteText) is shown as it is, never filtered.
// Every text change of an editable control raises the change flag, SetValue's included: a form
// clears its flag after filling its controls.
#pragma once

#include <wx/regex.h>
#include <wx/textctrl.h>

#include "lib/core/BKCurrency.h"
#include "lib/gui/BKChangeInterface.h"
#include "lib/gui/BKToolkitClassBase.h"

namespace Brenik {

class BKTextCtrl : public BKToolkitClassBase<wxTextCtrl, BKTextCtrl>, public BKChangeInterface {
public:
    // The expressions the control knows. Amounts with a decimal comma and up to two decimals
    // and whole numbers are right-aligned; amounts with two or three decimals are padded with
    // zeros when the control loses the focus. Any other expression only filters.
    static constexpr const char* kTwoDecimals = "^-?[0-9]*(,[0-9]{0,2}|[0-9]*)$";
    static constexpr const char* kThreeDecimals = "^-?[0-9]*(,[0-9]{0,3}|[0-9]*)$";
    static constexpr const char* kWholeNumber = "^-?[0-9]*$";
    static constexpr const char* kAnyText = "^.*";

    // Two-step creation, used by XRC layouts (subclass="Brenik::BKTextCtrl").
    explicit BKTextCtrl(bool* change = nullptr);
    BKTextCtrl(wxWindow* parent, int id, const wxString& value = wxEmptyString,
               bool* change = nullptr, wxString regularExpression = kAnyText,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = 0, const wxValidator& validator = wxDefaultValidator,
               const wxString& name = wxTextCtrlNameStr);

    using BKChangeInterface::GetClassInfo;

    // Toolkit run-time class record and factory (what wxDECLARE_DYNAMIC_CLASS would declare).
    static wxClassInfo ms_classInfo;
    static wxObject* wxCreateObject();

    // Expressions use the toolkit's extended syntax. The two-decimal and whole-number
    // expressions also right-align the text of a created control. An expression that does not
    // compile filters nothing.
    void SetRegularExpression(wxString regularExpression);
    wxString GetRegularExpression() const { return regularExpression; }
    // True for the empty text, else whether the expression matches the text.
    bool CheckText(const wxString& text) const;

    // The amount with a decimal comma and two decimals.
    void SetCurrencyValue(BKCurrency value);
    // The text read as a number (a decimal comma is accepted); 0 for text that is none.
    BKCurrency GetCurrencyValue() const;

    // Pads the decimals after the comma with zeros up to the given count; an empty text
    // becomes "0," and the zeros, a text without a comma gets the comma and the zeros.
    // A text with more decimals is left as it is.
    void FillUp(unsigned int decimals);

    void InputEvent(wxCommandEvent& event);
    void SetFocusEvent(wxFocusEvent& event);
    void KillFocusEvent(wxFocusEvent& event);

    // Text the program writes is taken as the last accepted text.
    void WriteText(const wxString& text) override;

protected:
    BKClassInfo ChangeClassInfo() const override;
    void DoSetValue(const wxString& value, int flags) override;

private:
    // A user's edit that the expression refuses is undone: the control shows the last
    // accepted text again, with the caret where the edit left it. Every edit of an editable
    // control is reported through the change flag.
    void Input(const wxString& text);
    void LoseFocus();
    // Sets the text when it differs, so that leaving a complete field is no change.
    void ChangeText(const wxString& text);
    // Runs a write by the program with the program-text mark set.
    template <class Write>
    void WriteAsProgram(Write write);

    wxString regularExpression;
    wxRegEx compiled;
    wxString lastAccepted;
    bool filtering = true;  // cleared while the control restores its own text
    bool programText = false;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace Brenik
