#include "lib/gui/BKTextCtrl.h"

#include <wx/intl.h>
#include <wx/log.h>

#include "lib/core/BKCasts.h"

namespace Brenik {

wxClassInfo BKTextCtrl::ms_classInfo(wxT("Brenik::BKTextCtrl"), &wxTextCtrl::ms_classInfo, nullptr,
                                     static_cast<int>(sizeof(BKTextCtrl)),
                                     BKTextCtrl::wxCreateObject);

wxObject* BKTextCtrl::wxCreateObject()
{
    return new BKTextCtrl;
}

BKTextCtrl::BKTextCtrl(bool* change) : BKChangeInterface(change)
{
    SetRegularExpression(kAnyText);
}

BKTextCtrl::BKTextCtrl(wxWindow* parent, int id, const wxString& value, bool* change,
                       wxString regularExpression, const wxPoint& pos, const wxSize& size,
                       long style, const wxValidator& validator, const wxString& name)
    : BKToolkitClassBase(parent, id, value, pos, size, style, validator, name),
      BKChangeInterface(change)
{
    // The toolkit set the first value before this class existed.
    lastAccepted = GetValue();
    SetRegularExpression(regularExpression);
}

BKClassInfo BKTextCtrl::ChangeClassInfo() const
{
    return BKClassInfo::Make("BKTextCtrl", "0.0.6");
}

void BKTextCtrl::SetRegularExpression(wxString regularExpression)
{
    this->regularExpression = regularExpression;
    {
        wxLogNull quiet;  // an expression that does not compile filters nothing
        compiled.Compile(regularExpression, wxRE_EXTENDED | wxRE_NOSUB);
    }
    // Before two-step creation there is no native control to align yet.
    if ((regularExpression == kTwoDecimals || regularExpression == kWholeNumber) && m_widget)
        SetWindowStyleFlag(GetWindowStyleFlag() | wxTE_RIGHT);
}

bool BKTextCtrl::CheckText(const wxString& text) const
{
    return text.empty() || !compiled.IsValid() || compiled.Matches(text);
}

void BKTextCtrl::SetCurrencyValue(BKCurrency value)
{
    SetValue(value.ToString());
}

BKCurrency BKTextCtrl::GetCurrencyValue() const
{
    return BKCurrency(BKCasts::ToDouble(GetValue()));
}

void BKTextCtrl::FillUp(unsigned int decimals)
{
    const wxString separator = _(",");
    const wxString text = GetValue();
    const wxString zeros(wxUniChar('0'), decimals);
    if (text.empty()) {
        ChangeText(_("0,") + zeros);
        return;
    }
    const size_t comma = text.find(separator);
    if (comma == wxString::npos) {
        ChangeText(text + separator + zeros);
        return;
    }
    const wxString digits = text.substr(comma + separator.length());
    if (digits.length() <= decimals)
        ChangeText(text.substr(0, comma) + separator + digits +
                   wxString(wxUniChar('0'), decimals - digits.length()));
}

void BKTextCtrl::ChangeText(const wxString& text)
{
    if (text != GetValue())
        SetValue(text);
}

void BKTextCtrl::InputEvent(wxCommandEvent& event)
{
    Input(event.GetString());
    event.Skip();
}

void BKTextCtrl::Input(const wxString& text)
{
    if (!filtering || !IsEditable())
        return;
    filtering = false;
    const long insertion = GetInsertionPoint();
    // Pasted and cut text is filtered like a keystroke: an amount field must never hold
    // text that reads as 0.
    if (programText || CheckText(text))
        lastAccepted = text;
    if (text != lastAccepted) {
        ChangeValue(lastAccepted);
        SetInsertionPoint(insertion);
    }
    SetChanged(true);
    filtering = true;
}

void BKTextCtrl::SetFocusEvent(wxFocusEvent& event)
{
    SelectAll();
    event.Skip();
}

void BKTextCtrl::KillFocusEvent(wxFocusEvent& event)
{
    LoseFocus();
    event.Skip();
}

void BKTextCtrl::LoseFocus()
{
    // Only an amount in the field's own form is padded: "12.5" set by the program would
    // become "12.5,00", which no longer reads as a number.
    if (!IsEditable() || !CheckText(GetValue()))
        return;
    if (regularExpression == kTwoDecimals)
        FillUp(2);
    else if (regularExpression == kThreeDecimals)
        FillUp(3);
}

template <class Write>
void BKTextCtrl::WriteAsProgram(Write write)
{
    const bool outer = programText;
    programText = true;
    write();
    programText = outer;
    lastAccepted = GetValue();
}

void BKTextCtrl::DoSetValue(const wxString& value, int flags)
{
    WriteAsProgram([&] { BKToolkitClassBase::DoSetValue(value, flags); });
}

void BKTextCtrl::WriteText(const wxString& text)
{
    WriteAsProgram([&] { BKToolkitClassBase::WriteText(text); });
}

// clang-format off
wxBEGIN_EVENT_TABLE(BKTextCtrl, wxTextCtrl)
    EVT_SET_FOCUS(BKTextCtrl::SetFocusEvent)
    EVT_KILL_FOCUS(BKTextCtrl::KillFocusEvent)
    EVT_TEXT(wxID_ANY, BKTextCtrl::InputEvent)
wxEND_EVENT_TABLE()

}  // namespace Brenik
// clang-format on
