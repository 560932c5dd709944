#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

#include "GuiTestSupport.h"
#include "app/Norvel.h"
#include "directory/CsvConfigType.h"
#include "ui/ExportDialog.h"
#include "ui/UiTestSupport.h"

namespace {

// Answers the file dialog with a path (or a cancel) and records how it was opened.
class ChooseFile : public wxExpectModalBase<wxFileDialog, ChooseFile> {
public:
    ChooseFile(const wxString& path, int id, wxFileDialog** seen) : path(path), id(id), seen(seen)
    {
    }

protected:
    int OnInvoked(wxFileDialog* dialog) const override
    {
        *seen = dialog;
        title = dialog->GetMessage();
        directory = dialog->GetDirectory();
        name = dialog->GetFilename();
        wildcard = dialog->GetWildcard();
        style = dialog->GetWindowStyle();
        if (id == wxID_OK)
            dialog->SetPath(path);
        return id;
    }

public:
    mutable wxString title, directory, name, wildcard;
    mutable long style = 0;

private:
    wxString path;
    int id;
    wxFileDialog** seen;
};

class ExportSettings : public testing::Test {
protected:
    void SetUp() override
    {
        rit = Norvel::CreateRuntimeInformation("norvel");
        // Off the screen's centre, so that centring on it differs from centring on the screen.
        parent = new wxFrame(nullptr, wxID_ANY, "Parent", wxPoint(40, 30), wxSize(900, 700));
        parent->Show();
        // Settings of an earlier export, which come back in the dialog.
        settings = CsvConfigType(dir.Path("old.csv"), "|", "'", "\r", false, "+");
        dialog = new ExportDialog(parent, -1, rit.get(), &settings);
        ASSERT_NE(dialog->GetHandle(), nullptr);
        file = Control<wxTextCtrl>(dialog, "fileTextCtrl");
        field = Control<wxComboBox>(dialog, "fieldDelimiterComboBox");
        text = Control<wxComboBox>(dialog, "textDelimiterComboBox");
        lineBreak = Control<wxComboBox>(dialog, "lineFeedComboBox");
        replace = Control<wxCheckBox>(dialog, "replaceLineFeedCheckBox");
        replacement = Control<wxTextCtrl>(dialog, "replaceLineFeedWithTextCtrl");
        warning = Control<wxStaticText>(dialog, "textDelimiterWarningStaticText");
        forExcel = Control<wxCheckBox>(dialog, "byteOrderMarkCheckBox");
        ASSERT_TRUE(file && field && text && lineBreak && replace && replacement && warning &&
                    forExcel);
        dialog->Show();
        Settle();
    }

    void TearDown() override { DestroyNow(parent); }

    void Click(const char* name)
    {
        wxWindow* button = dialog->FindWindow(XRCID(name));
        ASSERT_NE(button, nullptr) << name;
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
    }

    TempDir dir;
    std::unique_ptr<RuntimeInformationType> rit;
    wxFrame* parent = nullptr;
    CsvConfigType settings;
    ExportDialog* dialog = nullptr;
    wxTextCtrl* file = nullptr;
    wxComboBox* field = nullptr;
    wxComboBox* text = nullptr;
    wxComboBox* lineBreak = nullptr;
    wxCheckBox* replace = nullptr;
    wxTextCtrl* replacement = nullptr;
    wxStaticText* warning = nullptr;
    wxCheckBox* forExcel = nullptr;
};

}  // namespace

TEST_F(ExportSettings, OpensWithTheLastChoicesAndOffersTheUsualDelimiters)
{
    EXPECT_EQ(dialog->GetSize().GetWidth(), 650);
    EXPECT_EQ(wxWindow::FindFocus(), file);
    EXPECT_EQ(file->GetValue(), dir.Path("old.csv"));
    EXPECT_EQ(wxJoin(field->GetStrings(), ' '), "; , {tab} |");
    EXPECT_EQ(wxJoin(text->GetStrings(), ' '), "\" ' ");
    EXPECT_EQ(lineBreak->GetCount(), 3u);
    EXPECT_TRUE(lineBreak->HasFlag(wxCB_READONLY));
    EXPECT_FALSE(replacement->IsEnabled());
    EXPECT_FALSE(warning->IsShown());
    EXPECT_FALSE(forExcel->GetValue());
    const wxPoint offCentre = dialog->GetRect().GetPosition() + dialog->GetSize() / 2 -
                              parent->GetRect().GetPosition() - parent->GetSize() / 2;
    EXPECT_LE(std::abs(offCentre.x), 1);
    EXPECT_LE(std::abs(offCentre.y), 1);

    // Every box and button has an access key (that each is used once, the layout contract
    // sees to).
    std::function<void(wxWindow*)> expectKeys = [&](wxWindow* window) {
        // dynamic_cast: the toolkit's own cast first casts the pointer statically, which the
        // sanitizer build reports for any window of another class.
        if (dynamic_cast<wxCheckBox*>(window) || dynamic_cast<wxRadioButton*>(window) ||
            dynamic_cast<wxButton*>(window)) {
            EXPECT_TRUE(window->GetLabel().Contains("&")) << window->GetLabel();
        }
        for (wxWindow* child : window->GetChildren())
            expectKeys(child);
    };
    expectKeys(dialog);

    // The workbook takes none of the CSV settings, and the name follows the format.
    auto* workbook = Control<wxRadioButton>(dialog, "workbookRadioButton");
    auto* csv = Control<wxRadioButton>(dialog, "csvRadioButton");
    ASSERT_TRUE(workbook && csv);
    for (wxRadioButton* format : {workbook, csv}) {
        format->SetValue(true);
        dialog->ChangeFormat();
        const bool chosen = format == workbook;
        EXPECT_EQ(file->GetValue(), dir.Path(chosen ? "old.xlsx" : "old.csv"));
        for (wxWindow* control :
             std::initializer_list<wxWindow*>{field, text, lineBreak, replace, forExcel})
            EXPECT_EQ(control->IsEnabled(), !chosen) << control->GetName();
    }
}

TEST_F(ExportSettings, ReplacementAndWarningFollowTheBoxesTheUserChanges)
{
    dialog->Raise();
    Settle();
    wxUIActionSimulator user;
    // The check box's own square sits at its left end.
    const wxRect box = replace->GetScreenRect();
    user.MouseMove(box.GetLeft() + box.GetHeight() / 2, box.GetTop() + box.GetHeight() / 2);
    Settle();
    user.MouseClick();
    WaitFor("the replacement to take input", [&] { return replacement->IsEnabled(); });
    user.MouseClick();
    WaitFor("the replacement to take no input", [&] { return !replacement->IsEnabled(); });

    // Emptying the text delimiter shows the warning; typing one hides it again.
    text->SetFocus();
    text->SelectAll();
    Settle();
    user.Char(WXK_BACK);
    WaitFor("the warning about an empty text delimiter", [&] { return warning->IsShown(); });
    EXPECT_EQ(text->GetValue(), "");
    user.Char('\'');
    WaitFor("the warning to go", [&] { return !warning->IsShown(); });
    EXPECT_EQ(text->GetValue(), "'");
}

TEST_F(ExportSettings, ButtonsKeepTheDialogOpenOnAWrongNameAndStoreOnlyOnExport)
{
    wxString message, caption;
    file->ChangeValue("");
    wxTEST_DIALOG(Click("exportButton"), ExpectMessageBox(&message, &caption));
    EXPECT_EQ(caption, "Filename empty");
    EXPECT_TRUE(dialog->IsShown());

    field->SetValue("{tab}");
    file->ChangeValue(dir.Path("new.csv"));
    Click("cancelButton");
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(settings.GetFilename(), dir.Path("old.csv"));
    EXPECT_EQ(settings.GetFieldDelimiter(), "|");

    // Enter on the name of an existing file asks first, on the pre-filled name of the last
    // export too: No keeps the dialog open, Yes goes on; the check that the file can be
    // written leaves it as it is.
    ASSERT_TRUE(WriteTextFile(dir.Path("kept.csv"), "kept\n"));
    ASSERT_TRUE(WriteTextFile(dir.Path("old.csv"), "old\n"));
    dialog->Show();
    dialog->Raise();
    message.clear();
    const std::pair<const char*, int> answers[] = {
        {"old.csv", wxID_NO}, {"kept.csv", wxID_NO}, {"kept.csv", wxID_YES}};
    for (const auto& [name, answer] : answers) {
        file->ChangeValue(dir.Path(name));
        file->SetFocus();
        Settle();
        wxTEST_DIALOG(
            {
                wxUIActionSimulator().Char(WXK_RETURN);
                WaitFor("the question", [&] { return !message.empty(); });
            },
            ExpectMessageBox(&message, &caption, answer));
        EXPECT_EQ(message, "The file " + dir.Path(name) + " already exists. Replace it?");
        EXPECT_EQ(dialog->IsShown(), answer == wxID_NO);
        message.clear();
    }
    EXPECT_EQ(settings.GetFilename(), dir.Path("kept.csv"));
    EXPECT_EQ(settings.GetFieldDelimiter(), "\t");
    EXPECT_EQ(ReadTextFile(dir.Path("kept.csv")), "kept\n");
    EXPECT_EQ(wxJoin(FilesIn(dir.Path()), ' '), "kept.csv old.csv");

    // A name typed without an extension gets ".csv"; another extension stays.
    for (const char* typed : {"liste", "liste.txt"}) {
        dialog->Show();
        file->ChangeValue(dir.Path(typed));
        Click("exportButton");
        const wxString expected = dir.Path(typed) + (wxString(typed).Contains(".") ? "" : ".csv");
        EXPECT_EQ(settings.GetFilename(), expected);
        EXPECT_EQ(file->GetValue(), expected);
    }
}

TEST_F(ExportSettings, BrowseOpensTheFileDialogWhereTheFileLiesAndTakesTheChoice)
{
    wxFileDialog* seen = nullptr;
    ChooseFile choose(dir.Path("chosen.csv"), wxID_OK, &seen);
    wxTEST_DIALOG(Click("browseButton"), choose);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(choose.title, "Choose a file");
    EXPECT_EQ(choose.directory, dir.Path());
    EXPECT_EQ(choose.name, "old.csv");
    EXPECT_EQ(choose.wildcard, "Files (*.csv)|*.csv");
    EXPECT_TRUE(choose.style & wxFD_SAVE);
    EXPECT_TRUE(choose.style & wxFD_OVERWRITE_PROMPT);
    EXPECT_EQ(file->GetValue(), dir.Path("chosen.csv"));

    // From an empty field the dialog offers "export" with the format's extension; a cancel
    // keeps the field.
    file->ChangeValue("");
    ChooseFile cancel(wxString(), wxID_CANCEL, &seen);
    wxTEST_DIALOG(Click("browseButton"), cancel);
    EXPECT_EQ(cancel.name, "export.csv");
    EXPECT_EQ(file->GetValue(), "");
    Control<wxRadioButton>(dialog, "workbookRadioButton")->SetValue(true);
    wxTEST_DIALOG(Click("browseButton"), cancel);
    EXPECT_EQ(cancel.name, "export.xlsx");
    EXPECT_EQ(cancel.wildcard, "Excel workbooks (*.xlsx)|*.xlsx");
}
