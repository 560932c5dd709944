// The choice of label sheet before address labels are printed: one of the common sheets or
// the user's own sizes, the label to start on, and whether the managing director is named.
// The last choice confirmed is kept for the next labels, and the user settings keep it
// between runs. Borrows its controls.
#pragma once

#include <utility>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/spinctrl.h>

#include "app/XmlDialog.h"
#include "print/LabelFormat.h"

namespace Brenik {
class BKConfiguration;
}
template <typename Window>
class LayoutControl;

class LabelDialog : public XmlDialog {
public:
    // What the user last confirmed; the first sheet offered until then.
    struct Choice {
        int format = 0;
        LabelFormat own = LabelFormat::Offered().back();
        int start = 1;
        bool attention = false;
        // The sheet chosen, with the user's own sizes for the own format.
        LabelFormat Format() const;
        // The choice as the configuration file keeps it between runs.
        void Store(Brenik::BKConfiguration& configuration) const;
        // Takes what the file holds of a choice; a value missing or out of its range leaves
        // that part as it was, and a start beyond the sheet starts on its first label.
        void Restore(const Brenik::BKConfiguration& configuration);
    };

    // What the dialog looks up in its layout "LabelDialog": control names and classes.
    static const std::vector<std::pair<const char*, wxClassInfo*>>& GetLayoutControls();
    // The choice the next dialog starts from.
    static Choice& LastChoice();

    LabelDialog(wxWindow* parent, int id, RuntimeInformationType* rit);

    // The choice as the controls show it.
    Choice GetChoice() const;
    // Shows the chosen sheet's sizes, which only the own format lets change, and keeps the
    // start position on the sheet.
    void UpdateControls();
    // Keeps the choice for the next dialog; false, after a box saying why, when the own
    // labels do not fit on the paper.
    bool Accept();
    // Ends the dialog with OK when Accept does.
    void Preview();
    void Cancel();
    // A modal box over this dialog: text, caption, OK, centred on the screen.
    void ShowError(const wxString& title, const wxString& message);

    void FormatEvent(wxCommandEvent& event);
    void SizeChangedEvent(wxSpinDoubleEvent& event);
    void CountChangedEvent(wxSpinEvent& event);
    void PreviewEvent(wxCommandEvent& event);
    void CancelEvent(wxCommandEvent& event);

private:
    static const std::vector<LayoutControl<LabelDialog>>& LayoutControls();
    void ShowChoice(const Choice& choice);
    void ShowSizes(const LabelFormat& format);
    LabelFormat ShownSizes() const;

    wxPanel* mainPanel = nullptr;
    wxChoice* formatChoice = nullptr;
    wxSpinCtrl* columnsSpinCtrl = nullptr;
    wxSpinCtrl* rowsSpinCtrl = nullptr;
    wxSpinCtrlDouble* widthSpinCtrl = nullptr;
    wxSpinCtrlDouble* heightSpinCtrl = nullptr;
    wxSpinCtrlDouble* leftSpinCtrl = nullptr;
    wxSpinCtrlDouble* topSpinCtrl = nullptr;
    wxSpinCtrlDouble* horizontalGapSpinCtrl = nullptr;
    wxSpinCtrlDouble* verticalGapSpinCtrl = nullptr;
    wxSpinCtrl* startSpinCtrl = nullptr;
    wxCheckBox* attentionCheckBox = nullptr;
    // The own format's sizes as last shown, kept while a common sheet is shown.
    LabelFormat own;

    wxDECLARE_EVENT_TABLE();
};
