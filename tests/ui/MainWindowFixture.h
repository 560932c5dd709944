// The main window on a small directory of its own, shared by the tests of the window, its
// placement, its result rows and its record files; the sample companies and sectors, and the
// answer to the export dialog.
#pragma once

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/splitter.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

#include "GuiTestSupport.h"
#include "app/Norvel.h"
#include "directory/CompanyEntity.h"
#include "directory/SectorEntities.h"
#include "lib/core/BKCasts.h"
#include "lib/core/BKDateTime.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/AboutDialog.h"
#include "ui/ExportDialog.h"
#include "ui/NorvelFrame.h"
#include "ui/ProgressFrame.h"
#include "ui/UiTestSupport.h"

using Brenik::BKListCtrl;

inline const std::vector<TestSector> kSectors = {
    {1, "Steuerberater"}, {2, "Bäckereien"}, {3, "Rechtsanwälte"}};

// Laid out by hand: the formatter would give each field a line of its own.
// clang-format off
inline TestCompany Baeckerei()
{
    return {7, "Bäckerei Müller GmbH", "Jürgen Müller", "Hauptstraße", "12a", "80331", "München",
            "089 123456", "089 123457", "0171 1234567", "www.baeckerei-mueller.de",
            "info@baeckerei-mueller.de", "2019-03-05 10:20:30", "2023-11-28 08:00:00", {2}};
}

inline TestCompany Kanzlei()
{
    return {42, "Kanzlei O'Neil & Partner", "Sören Müller", "Am Markt", "", "20095", "Hamburg",
            "", "", "", "", "", "2020-01-31 00:00:00", "2020-02-01 12:00:00", {1, 3}};
}

inline TestCompany Schreinerei()
{
    return {9, "Schreinerei Weiß", "Anna Weiß", "Lindenweg", "7-9", "50667", "Köln", "", "", "",
            "", "", "2018-06-01 09:00:00", "2018-06-02 09:00:00", {}};
}
// clang-format on

// The user's answers in the export dialog: the controls are filled with them and the dialog
// confirmed (or cancelled); what the dialog showed when it opened is recorded.
struct ExportAnswers {
    wxString file;
    wxString fieldDelimiter = ";";
    wxString textDelimiter = "\"";
    int lineBreak = 0;
    bool replace = false;
    wxString replacement{};
    bool forExcel = false;
    bool selectedOnly = false;  // ticked only where the dialog offers it
    bool cancel = false;
    bool workbook = false;
};

struct ExportDialogShown {
    wxString file, fieldDelimiter, textDelimiter, replacement;
    int lineBreak = -1;
    bool replace = true;
    bool forExcel = true;
    // From the parent's centre to the dialog's.
    wxPoint offCentre;
    wxString selectedOnly;  // its label, or "ticked"
    bool workbook = true;
};

template <>
class wxExpectModal<ExportDialog> : public wxExpectModalBase<ExportDialog> {
public:
    explicit wxExpectModal(const ExportAnswers& answers, ExportDialogShown* shown = nullptr)
        : answers(answers), shown(shown)
    {
    }

protected:
    int OnInvoked(ExportDialog* dialog) const override
    {
        auto* file = Control<wxTextCtrl>(dialog, "fileTextCtrl");
        auto* field = Control<wxComboBox>(dialog, "fieldDelimiterComboBox");
        auto* text = Control<wxComboBox>(dialog, "textDelimiterComboBox");
        auto* lineBreak = Control<wxComboBox>(dialog, "lineFeedComboBox");
        auto* replace = Control<wxCheckBox>(dialog, "replaceLineFeedCheckBox");
        auto* replacement = Control<wxTextCtrl>(dialog, "replaceLineFeedWithTextCtrl");
        auto* forExcel = Control<wxCheckBox>(dialog, "byteOrderMarkCheckBox");
        auto* selectedOnly = Control<wxCheckBox>(dialog, "selectedOnlyCheckBox");
        auto* csv = Control<wxRadioButton>(dialog, "csvRadioButton");
        auto* workbook = Control<wxRadioButton>(dialog, "workbookRadioButton");
        if (!file || !field || !text || !lineBreak || !replace || !replacement || !forExcel ||
            !selectedOnly || !csv || !workbook) {
            ADD_FAILURE() << "the export dialog lacks a control";
            return wxID_CANCEL;
        }
        if (shown)
            *shown = {file->GetValue(),
                      field->GetValue(),
                      text->GetValue(),
                      replacement->GetValue(),
                      lineBreak->GetSelection(),
                      replace->GetValue(),
                      forExcel->GetValue(),
                      dialog->GetRect().GetPosition() + dialog->GetSize() / 2 -
                          dialog->GetParent()->GetRect().GetPosition() -
                          dialog->GetParent()->GetSize() / 2,
                      selectedOnly->GetValue() ? wxString("ticked") : selectedOnly->GetLabel(),
                      workbook->GetValue()};
        if (answers.cancel)
            return wxID_CANCEL;
        // The format first, as the user picks it: it changes the extension of the name.
        (answers.workbook ? workbook : csv)->SetValue(true);
        dialog->ChangeFormat();
        file->ChangeValue(answers.file);
        field->SetValue(answers.fieldDelimiter);
        text->SetValue(answers.textDelimiter);
        lineBreak->SetSelection(answers.lineBreak);
        replace->SetValue(answers.replace);
        replacement->ChangeValue(answers.replacement);
        forExcel->SetValue(answers.forExcel);
        selectedOnly->SetValue(selectedOnly->IsEnabled() && answers.selectedOnly);
        // What the export button does, without the end of a modal loop the test never ran.
        return dialog->Accept() ? wxID_OK : wxID_CANCEL;
    }

private:
    ExportAnswers answers;
    ExportDialogShown* shown;
};

using ExportDialogAnswer = wxExpectModal<ExportDialog>;

// The progress window while one shows.
inline ProgressFrame* ShownProgress()
{
    return wxDynamicCast(wxWindow::FindWindowByName("ProgressFrame"), ProgressFrame);
}

// The main window on a small directory of its own, with the user configuration in a
// scratch home directory.
class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wxFileName::Mkdir(dir.Path("home"), wxS_DIR_DEFAULT, 0));
        home = std::make_unique<ScopedHome>(dir.Path("home"));
    }

    void TearDown() override
    {
        if (frame)
            DestroyNow(frame);
        frame = nullptr;
        rit.reset();
        home.reset();
    }

    void Open(const std::vector<TestSector>& sectors, const std::vector<TestCompany>& companies)
    {
        ASSERT_TRUE(WriteDirectory(dir.Path("norvel.sqlite"), sectors, companies));
        OpenOn(dir.Path("norvel.sqlite"));
    }

    void OpenOn(const wxString& database)
    {
        rit = OpenRuntime(database);
        ASSERT_NE(rit, nullptr);
        rit->SetBrowserLauncher([this](const wxString& url) {
            openedUrls.push_back(url);
            return true;
        });
        Reopen();
    }

    // A new main window on the same runtime, as the next start of the program.
    void Reopen()
    {
        frame = new NorvelFrame(rit.get());
        ASSERT_NE(frame->GetHandle(), nullptr);
        frame->Show();
        Settle();
        list = Control<BKListCtrl>(frame, "resultsListCtrl");
        searchText = Control<wxTextCtrl>(frame, "searchTextCtrl");
        placeText = Control<wxTextCtrl>(frame, "placeTextCtrl");
        allSectors = Control<wxCheckBox>(frame, "allSectorsCheckBox");
        sectorList = Control<wxCheckListBox>(frame, "sectorsCheckListBox");
        ASSERT_TRUE(list && searchText && placeText && allSectors && sectorList);
    }

    // Closes the window the way the user does, which writes the configuration.
    void CloseByUser()
    {
        ASSERT_TRUE(frame->Close(false));
        wxTheApp->ProcessIdle();
        frame = nullptr;
    }

    // Types the text into the search field and presses Enter there.
    void SearchFor(const wxString& text)
    {
        searchText->SetFocus();
        searchText->ChangeValue(text);
        wxCommandEvent enter(wxEVT_TEXT_ENTER, searchText->GetId());
        enter.SetEventObject(searchText);
        enter.SetString(text);
        searchText->GetEventHandler()->ProcessEvent(enter);
        Settle();
    }

    void ClickAllSectors(bool checked)
    {
        allSectors->SetValue(checked);
        wxCommandEvent click(wxEVT_CHECKBOX, allSectors->GetId());
        click.SetEventObject(allSectors);
        click.SetInt(checked ? 1 : 0);
        allSectors->GetEventHandler()->ProcessEvent(click);
    }

    void SendMenu(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        frame->GetEventHandler()->ProcessEvent(event);
    }

    // What the user sees of the list, read through the plain toolkit interface and from the
    // screen: a list that thaws, the toolkit's own row count and texts in step with the rows
    // held, and painted text where the first row stands (and none there when empty).
    void ExpectListShowsItsRows()
    {
        EXPECT_FALSE(list->IsFrozen());
        wxListCtrl& plain = *list;
        ASSERT_EQ(plain.wxListCtrl::GetItemCount(), list->GetItemCount());
        for (int row = 0; row < list->GetItemCount(); ++row) {
            for (int column = 0; column < list->GetColumnCount(); ++column) {
                EXPECT_EQ(plain.GetItemText(row, column), list->GetText(row, column))
                    << row << ", " << column;
            }
        }
        if (list->GetItemCount() > 0) {
            ASSERT_TRUE(plain.GetItemRect(0, firstRow));
        }
        ASSERT_FALSE(firstRow.IsEmpty()) << "no row seen yet";
        const int painted = PaintedPixels(list, firstRow);
        if (list->GetItemCount() > 0) {
            EXPECT_GT(painted, 100) << "the first row shows no text";
        } else {
            EXPECT_EQ(painted, 0) << "an empty list still shows a row";
        }
    }

    // Activated again, as by a window manager, the window has the keyboard in the result list.
    void ActivateAndExpectListFocus()
    {
        RunEventsFor(200);
        frame->Raise();
        WaitFor("the list to have the keyboard", [&] { return wxWindow::FindFocus() == list; });
    }

    wxString Status(int field) { return frame->GetStatusBar()->GetStatusText(field); }
    bool MenuEnabled(const char* name) { return frame->GetMenuBar()->IsEnabled(XRCID(name)); }
    bool ToolEnabled(const char* name) { return frame->GetToolBar()->GetToolEnabled(XRCID(name)); }
    int SectorIndex(const wxString& name) { return sectorList->FindString(name, true); }

    std::vector<wxString> RowTexts(int row)
    {
        std::vector<wxString> texts;
        for (int column = 0; column < list->GetColumnCount(); ++column)
            texts.push_back(list->GetText(row, column));
        return texts;
    }

    // The row showing the company of that name, -1 when none.
    int RowOf(const wxString& name)
    {
        for (int row = 0; row < list->GetItemCount(); ++row) {
            if (list->GetText(row, 1) == name)
                return row;
        }
        return -1;
    }

    TempDir dir;
    std::unique_ptr<ScopedHome> home;
    std::unique_ptr<RuntimeInformationType> rit;
    NorvelFrame* frame = nullptr;
    BKListCtrl* list = nullptr;
    wxTextCtrl* searchText = nullptr;
    wxTextCtrl* placeText = nullptr;
    wxCheckBox* allSectors = nullptr;
    wxCheckListBox* sectorList = nullptr;
    std::vector<wxString> openedUrls;
    wxRect firstRow;
};
