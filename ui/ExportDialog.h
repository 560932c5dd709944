// The settings dialog of an export: target file, CSV file or Excel workbook, and for a CSV file
// the delimiters, line break, the handling of line breaks inside values and the byte-order
// mark. Borrows the settings it fills (the main window's) and its controls; the settings
// change only when the user confirms.
#pragma once

#include <utility>
#include <vector>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/XmlDialog.h"

class CsvConfigType;

template <typename Window>
class LayoutControl;

class ExportDialog : public XmlDialog {
public:
    // What the dialog looks up in its layout "ExportDialog": control names and classes.
    static const std::vector<std::pair<const char*, wxClassInfo*>>& GetLayoutControls();

    // Shows the settings, centred on the parent. From two selected rows on, the user may
    // export just those.
    ExportDialog(wxWindow* parent, int id, RuntimeInformationType* rit, CsvConfigType* settings,
                 int selectedRows = 0);

    // Lets the user pick the target file in the file dialog.
    void Browse();
    void Cancel();
    // Ends the dialog with OK when Accept does.
    void Export();
    // Checks that a file name is given and can be written, without touching the file, asks
    // before an existing file is replaced, and stores the choices into the settings; a name
    // without an extension gets the format's (".csv", ".xlsx"). False, after a box saying why
    // or a No, when the dialog has to stay open.
    bool Accept();
    // Asks whether the existing file may be replaced; No is the default answer.
    bool AskReplace(const wxString& name);
    // Lets the CSV settings be changed only for a CSV file, the replacement only while line
    // breaks are replaced, and shows the warning about an empty text delimiter only while it
    // is empty and matters.
    void UpdateControls();
    // Gives a file name with the other format's extension the chosen format's.
    void ChangeFormat();
    bool IsWorkbook() const;
    // Whether the user chose to export only the selected rows; never remembered.
    bool IsSelectedOnly() const;
    // Centres the dialog on its parent.
    void Place();
    // A modal box over this dialog: text, caption, OK, centred on the screen.
    void ShowError(const wxString& title, const wxString& message);

    void BrowseEvent(wxCommandEvent& event);
    void CancelEvent(wxCommandEvent& event);
    void ExportEvent(wxCommandEvent& event);
    void UpdateControlsEvent(wxCommandEvent& event);
    void ChangeFormatEvent(wxCommandEvent& event);
    void PlaceEvent(wxShowEvent& event);

private:
    // Puts the settings into the controls.
    void ShowSettings();
    // The controls of the layout, each with the member that keeps it.
    static const std::vector<LayoutControl<ExportDialog>>& LayoutControls();
    CsvConfigType* settings;

    wxPanel* mainPanel = nullptr;
    wxTextCtrl* fileTextCtrl = nullptr;
    wxComboBox* fieldDelimiterComboBox = nullptr;
    wxComboBox* textDelimiterComboBox = nullptr;
    wxComboBox* lineFeedComboBox = nullptr;
    wxCheckBox* replaceLineFeedCheckBox = nullptr;
    wxTextCtrl* replaceLineFeedWithTextCtrl = nullptr;
    wxStaticText* textDelimiterWarningStaticText = nullptr;
    wxCheckBox* byteOrderMarkCheckBox = nullptr;
    wxCheckBox* selectedOnlyCheckBox = nullptr;
    wxRadioButton* csvRadioButton = nullptr;
    wxRadioButton* workbookRadioButton = nullptr;
    // The name the file dialog last confirmed, replacing included; only another is asked about.
    wxString replaceConfirmed;

    wxDECLARE_EVENT_TABLE();
};
