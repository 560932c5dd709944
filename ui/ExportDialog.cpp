#include "ui/ExportDialog.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include "app/ErrorBox.h"
#include "app/XmlWindowLoader.h"
#include "directory/CsvConfigType.h"
#include "lib/core/BKReplacingFile.h"

namespace {

// The line break for each position of the line-break box.
const char* const LineBreaks[] = {"\n", "\r\n", "\r"};

}  // namespace

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(ExportDialog, XmlDialog)
    EVT_BUTTON(XRCID("browseButton"), ExportDialog::BrowseEvent)
    EVT_BUTTON(XRCID("cancelButton"), ExportDialog::CancelEvent)
    EVT_BUTTON(XRCID("exportButton"), ExportDialog::ExportEvent)
wxEND_EVENT_TABLE()

const std::vector<std::pair<const char*, wxClassInfo*>>& ExportDialog::GetLayoutControls()
{
    static const std::vector<std::pair<const char*, wxClassInfo*>> controls = {
        {"mainPanel", wxCLASSINFO(wxPanel)},
        {"fileTextCtrl", wxCLASSINFO(wxTextCtrl)},
        {"fieldDelimiterComboBox", wxCLASSINFO(wxComboBox)},
        {"textDelimiterComboBox", wxCLASSINFO(wxComboBox)},
        {"lineFeedComboBox", wxCLASSINFO(wxComboBox)},
        {"replaceLineFeedCheckBox", wxCLASSINFO(wxCheckBox)},
        {"replaceLineFeedWithTextCtrl", wxCLASSINFO(wxTextCtrl)},
        {"browseButton", wxCLASSINFO(wxButton)},
        {"cancelButton", wxCLASSINFO(wxButton)},
        {"exportButton", wxCLASSINFO(wxButton)},
    };
    return controls;
}
// clang-format on

ExportDialog::ExportDialog(wxWindow* parent, int id, RuntimeInformationType* rit,
                           CsvConfigType* settings)
    : XmlDialog(parent, id, rit, "ExportDialog"), settings(settings)
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    mainPanel = XmlWindowLoader::FindControl<wxPanel>(this, "mainPanel");
    fileTextCtrl = XmlWindowLoader::FindControl<wxTextCtrl>(this, "fileTextCtrl");
    fieldDelimiterComboBox =
        XmlWindowLoader::FindControl<wxComboBox>(this, "fieldDelimiterComboBox");
    textDelimiterComboBox = XmlWindowLoader::FindControl<wxComboBox>(this, "textDelimiterComboBox");
    lineFeedComboBox = XmlWindowLoader::FindControl<wxComboBox>(this, "lineFeedComboBox");
    replaceLineFeedCheckBox =
        XmlWindowLoader::FindControl<wxCheckBox>(this, "replaceLineFeedCheckBox");
    replaceLineFeedWithTextCtrl =
        XmlWindowLoader::FindControl<wxTextCtrl>(this, "replaceLineFeedWithTextCtrl");
    // Escape presses Cancel, as in every dialog.
    SetEscapeId(XRCID("cancelButton"));

    if (mainPanel && mainPanel->GetSizer()) {
        mainPanel->GetSizer()->SetSizeHints(mainPanel);
        SetClientSize(mainPanel->GetBestSize());
    }
    SetSize(wxSize(650, GetSize().GetHeight()));

    if (fileTextCtrl) {
        fileTextCtrl->SetFocus();
        if (settings)
            fileTextCtrl->ChangeValue(settings->GetFilename());
    }
}

void ExportDialog::Browse()
{
    if (!fileTextCtrl)
        return;
    // The dialog opens where the current file lies; a name it holds is offered again.
    const wxFileName current(fileTextCtrl->GetValue());
    const bool isDirectory = wxFileName::DirExists(fileTextCtrl->GetValue());
    const wxString directory = isDirectory ? fileTextCtrl->GetValue() : current.GetPath();
    const wxString name = isDirectory || current.GetFullName().empty() ? wxString("export.csv")
                                                                       : current.GetFullName();
    wxFileDialog dialog(this, _("Choose a file"), directory, name, "*.csv",
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
    const wxString name = fileTextCtrl ? fileTextCtrl->GetValue() : wxString();
    if (name.empty()) {
        ShowError(_("Filename empty"), _("Please choose a filename."));
        return false;
    }
    // Only asks whether the file could be written: the file itself is replaced by the
    // export when it has been written completely, and an existing one stays as it is.
    if (!Brenik::BKReplacingFile::CanWrite(name)) {
        ShowError(_("File unwriteable"), _("Could not create file."));
        return false;
    }
    if (!settings)
        return true;

    settings->SetFilename(name);
    const wxString fieldDelimiter =
        fieldDelimiterComboBox ? fieldDelimiterComboBox->GetValue() : settings->GetFieldDelimiter();
    settings->SetFieldDelimiter(fieldDelimiter == "{tab}" ? wxString("\t") : fieldDelimiter);
    if (textDelimiterComboBox)
        settings->SetTextDelimiter(textDelimiterComboBox->GetValue());
    const int position = lineFeedComboBox ? lineFeedComboBox->GetSelection() : 0;
    settings->SetLineBreak(LineBreaks[position == 1 || position == 2 ? position : 0]);
    if (replaceLineFeedCheckBox)
        settings->SetReplaceLineBreak(replaceLineFeedCheckBox->GetValue());
    if (replaceLineFeedWithTextCtrl)
        settings->SetReplaceLineBreakWith(replaceLineFeedWithTextCtrl->GetValue());
    return true;
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
