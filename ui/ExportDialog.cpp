#include "ui/ExportDialog.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include "app/ErrorBox.h"
#include "app/LayoutControl.h"
#include "app/XmlWindowLoader.h"
#include "directory/CsvConfigType.h"
#include "lib/core/BKReplacingFile.h"

namespace {

// The line break for each position of the line-break box.
const char* const kLineBreaks[] = {"\n", "\r\n", "\r"};

const char* const kCsvExtension = "csv";
const char* const kWorkbookExtension = "xlsx";

}  // namespace

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(ExportDialog, XmlDialog)
    EVT_BUTTON(XRCID("browseButton"), ExportDialog::BrowseEvent)
    EVT_BUTTON(XRCID("cancelButton"), ExportDialog::CancelEvent)
    EVT_BUTTON(XRCID("exportButton"), ExportDialog::ExportEvent)
    EVT_CHECKBOX(XRCID("replaceLineFeedCheckBox"), ExportDialog::UpdateControlsEvent)
    EVT_TEXT(XRCID("textDelimiterComboBox"), ExportDialog::UpdateControlsEvent)
    EVT_COMBOBOX(XRCID("textDelimiterComboBox"), ExportDialog::UpdateControlsEvent)
    EVT_RADIOBUTTON(XRCID("csvRadioButton"), ExportDialog::ChangeFormatEvent)
    EVT_RADIOBUTTON(XRCID("workbookRadioButton"), ExportDialog::ChangeFormatEvent)
    EVT_SHOW(ExportDialog::PlaceEvent)
wxEND_EVENT_TABLE()

const std::vector<LayoutControl<ExportDialog>>& ExportDialog::LayoutControls()
{
    static const std::vector<LayoutControl<ExportDialog>> controls = {
        {"mainPanel", &ExportDialog::mainPanel},
        {"fileTextCtrl", &ExportDialog::fileTextCtrl},
        {"fieldDelimiterComboBox", &ExportDialog::fieldDelimiterComboBox},
        {"textDelimiterComboBox", &ExportDialog::textDelimiterComboBox},
        {"lineFeedComboBox", &ExportDialog::lineFeedComboBox},
        {"replaceLineFeedCheckBox", &ExportDialog::replaceLineFeedCheckBox},
        {"replaceLineFeedWithTextCtrl", &ExportDialog::replaceLineFeedWithTextCtrl},
        {"textDelimiterWarningStaticText", &ExportDialog::textDelimiterWarningStaticText},
        {"byteOrderMarkCheckBox", &ExportDialog::byteOrderMarkCheckBox},
        {"selectedOnlyCheckBox", &ExportDialog::selectedOnlyCheckBox},
        {"csvRadioButton", &ExportDialog::csvRadioButton},
        {"workbookRadioButton", &ExportDialog::workbookRadioButton},
        {"browseButton", wxCLASSINFO(wxButton)},
        {"cancelButton", wxCLASSINFO(wxButton)},
        {"exportButton", wxCLASSINFO(wxButton)},
    };
    return controls;
}

const std::vector<std::pair<const char*, wxClassInfo*>>& ExportDialog::GetLayoutControls()
{
    static const auto controls = LayoutControl<ExportDialog>::Contract(LayoutControls());
    return controls;
}
// clang-format on

ExportDialog::ExportDialog(wxWindow* parent, int id, RuntimeInformationType* rit,
                           CsvConfigType* settings, int selectedRows)
    : XmlDialog(parent, id, rit, "ExportDialog"), settings(settings)
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    LayoutControl<ExportDialog>::FindAll(*this, LayoutControls());
    if (selectedOnlyCheckBox) {
        selectedOnlyCheckBox->SetLabel(
            wxString::Format(_("Only selected c&ompanies (%d)"), std::max(selectedRows, 0)));
        // One selected row is most often just where the cursor stands, not a choice.
        selectedOnlyCheckBox->Enable(selectedRows >= 2);
    }
    // Escape presses Cancel, as in every dialog.
    SetEscapeId(XRCID("cancelButton"));

    if (mainPanel && mainPanel->GetSizer()) {
        mainPanel->GetSizer()->SetSizeHints(mainPanel);
        SetClientSize(mainPanel->GetBestSize());
    }
    SetSize(wxSize(650, GetSize().GetHeight()));
    Place();

    if (fileTextCtrl)
        fileTextCtrl->SetFocus();
    ShowSettings();
    UpdateControls();
}

void ExportDialog::ShowSettings()
{
    if (!settings)
        return;
    if (fileTextCtrl)
        fileTextCtrl->ChangeValue(settings->GetFilename());
    if (workbookRadioButton && csvRadioButton)
        (settings->IsWorkbook() ? workbookRadioButton : csvRadioButton)->SetValue(true);
    if (fieldDelimiterComboBox) {
        const wxString delimiter = settings->GetFieldDelimiter();
        fieldDelimiterComboBox->SetValue(delimiter == "\t" ? wxString("{tab}") : delimiter);
    }
    if (textDelimiterComboBox)
        textDelimiterComboBox->SetValue(settings->GetTextDelimiter());
    if (lineFeedComboBox) {
        const auto* found =
            std::find(std::begin(kLineBreaks), std::end(kLineBreaks), settings->GetLineBreak());
        lineFeedComboBox->SetSelection(
            found == std::end(kLineBreaks) ? 0 : static_cast<int>(found - kLineBreaks));
    }
    if (replaceLineFeedCheckBox)
        replaceLineFeedCheckBox->SetValue(settings->IsReplaceLineBreak());
    if (replaceLineFeedWithTextCtrl)
        replaceLineFeedWithTextCtrl->ChangeValue(settings->GetReplaceLineBreakWith());
    if (byteOrderMarkCheckBox)
        byteOrderMarkCheckBox->SetValue(settings->IsByteOrderMark());
}

void ExportDialog::Browse()
{
    if (!fileTextCtrl)
        return;
    // The dialog opens where the current file lies; a name it holds is offered again.
    const wxFileName current(fileTextCtrl->GetValue());
    const bool isDirectory = wxFileName::DirExists(fileTextCtrl->GetValue());
    const wxString directory = isDirectory ? fileTextCtrl->GetValue() : current.GetPath();
    const wxString extension = IsWorkbook() ? kWorkbookExtension : kCsvExtension;
    const wxString name = isDirectory || current.GetFullName().empty()
                              ? wxString("export.") + extension
                              : current.GetFullName();
    const wxString filter =
        (IsWorkbook() ? _("Excel workbooks (*.xlsx)") : _("Files (*.csv)")) + "|*." + extension;
    wxFileDialog dialog(this, _("Choose a file"), directory, name, filter,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    dialog.CentreOnScreen(wxBOTH);
    if (dialog.ShowModal() != wxID_OK)
        return;
    // GTK's save dialog knows a path that was not picked in its own window only as folder
    // and name.
    const wxString path = dialog.GetPath();
    fileTextCtrl->ChangeValue(
        path.empty() ? wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath()
                     : path);
    // The file dialog has asked about replacing it already.
    replaceConfirmed = fileTextCtrl->GetValue();
}

void ExportDialog::Cancel()
{
    EndDialog(wxID_CANCEL);
}

void ExportDialog::Export()
{
    if (Accept())
        EndDialog(wxID_OK);
}

bool ExportDialog::Accept()
{
    wxString name = fileTextCtrl ? fileTextCtrl->GetValue() : wxString();
    if (name.empty()) {
        ShowError(_("Filename empty"), _("Please choose a filename."));
        return false;
    }
    // A folder is no name to complete: it is refused below as before.
    const wxFileName typed(name);
    if (!typed.GetName().empty() && !typed.HasExt() && !wxFileName::DirExists(name)) {
        name += wxString(".") + (IsWorkbook() ? kWorkbookExtension : kCsvExtension);
        fileTextCtrl->ChangeValue(name);
    }
    // Only asks whether the file could be written: the file itself is replaced by the
    // export when it has been written completely, and an existing one stays as it is.
    if (!Brenik::BKReplacingFile::CanWrite(name)) {
        ShowError(_("File unwriteable"), _("Could not create file."));
        return false;
    }
    // A remembered name comes back pre-filled: Enter alone would replace the last export.
    if (name != replaceConfirmed && wxFileName::FileExists(name) && !AskReplace(name))
        return false;
    if (!settings)
        return true;

    settings->SetFilename(name);
    const wxString fieldDelimiter =
        fieldDelimiterComboBox ? fieldDelimiterComboBox->GetValue() : settings->GetFieldDelimiter();
    settings->SetFieldDelimiter(fieldDelimiter == "{tab}" ? wxString("\t") : fieldDelimiter);
    if (textDelimiterComboBox)
        settings->SetTextDelimiter(textDelimiterComboBox->GetValue());
    const int position = lineFeedComboBox ? lineFeedComboBox->GetSelection() : 0;
    settings->SetLineBreak(kLineBreaks[position == 1 || position == 2 ? position : 0]);
    if (replaceLineFeedCheckBox)
        settings->SetReplaceLineBreak(replaceLineFeedCheckBox->GetValue());
    if (replaceLineFeedWithTextCtrl)
        settings->SetReplaceLineBreakWith(replaceLineFeedWithTextCtrl->GetValue());
    settings->SetByteOrderMark(byteOrderMarkCheckBox && byteOrderMarkCheckBox->GetValue());
    settings->SetWorkbook(IsWorkbook());
    return true;
}

bool ExportDialog::AskReplace(const wxString& name)
{
    wxMessageDialog box(this, _("The file ") + name + _(" already exists. Replace it?"),
                        _("Replace file"), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION | wxCENTRE);
    return box.ShowModal() == wxID_YES;
}

void ExportDialog::UpdateControls()
{
    const bool csv = !IsWorkbook();
    for (wxWindow* control : std::initializer_list<wxWindow*>{
             fieldDelimiterComboBox, textDelimiterComboBox, lineFeedComboBox,
             replaceLineFeedCheckBox, byteOrderMarkCheckBox}) {
        if (control)
            control->Enable(csv);
    }
    if (replaceLineFeedCheckBox && replaceLineFeedWithTextCtrl)
        replaceLineFeedWithTextCtrl->Enable(csv && replaceLineFeedCheckBox->GetValue());
    // Nothing protects a value that holds the field delimiter then: the notes' "&amp;"
    // alone would shift the columns after it under ";".
    if (textDelimiterComboBox && textDelimiterWarningStaticText)
        textDelimiterWarningStaticText->Show(csv && textDelimiterComboBox->GetValue().empty());
}

void ExportDialog::ChangeFormat()
{
    if (fileTextCtrl) {
        wxFileName name(fileTextCtrl->GetValue());
        const wxString from = IsWorkbook() ? kCsvExtension : kWorkbookExtension;
        if (!name.GetName().empty() && name.GetExt().IsSameAs(from, false)) {
            name.SetExt(IsWorkbook() ? kWorkbookExtension : kCsvExtension);
            fileTextCtrl->ChangeValue(name.GetFullPath());
        }
    }
    UpdateControls();
}

bool ExportDialog::IsWorkbook() const
{
    return workbookRadioButton && workbookRadioButton->GetValue();
}

bool ExportDialog::IsSelectedOnly() const
{
    return selectedOnlyCheckBox && selectedOnlyCheckBox->IsEnabled() &&
           selectedOnlyCheckBox->GetValue();
}

void ExportDialog::Place()
{
    CentreOnParent(wxBOTH);
}

void ExportDialog::ShowError(const wxString& title, const wxString& message)
{
    ShowErrorBox(this, title, message);
}

void ExportDialog::BrowseEvent(wxCommandEvent&)
{
    Browse();
}

void ExportDialog::CancelEvent(wxCommandEvent&)
{
    Cancel();
}

void ExportDialog::ExportEvent(wxCommandEvent&)
{
    Export();
}

void ExportDialog::UpdateControlsEvent(wxCommandEvent&)
{
    UpdateControls();
}

void ExportDialog::ChangeFormatEvent(wxCommandEvent&)
{
    ChangeFormat();
}

void ExportDialog::PlaceEvent(wxShowEvent& event)
{
    event.Skip();
    // Once more when it is on the screen: a window manager may put a new window where it
    // likes, whatever position it was given before.
    if (event.IsShown())
        CallAfter(&ExportDialog::Place);
}
