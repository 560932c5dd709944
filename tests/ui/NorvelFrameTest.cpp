#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/menu.h>
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

namespace {

const std::vector<TestSector> kSectors = {
    {1, "Steuerberater"}, {2, "Bäckereien"}, {3, "Rechtsanwälte"}};

TestCompany Baeckerei()
{
    TestCompany c;
    c.id = 7;
    c.name = "Bäckerei Müller GmbH";
    c.ceo = "Jürgen Müller";
    c.address = "Hauptstraße";
    c.housenumber = "12a";
    c.zipcode = "80331";
    c.city = "München";
    c.phone = "089 123456";
    c.fax = "089 123457";
    c.mobile = "0171 1234567";
    c.internet = "www.baeckerei-mueller.de";
    c.email = "info@baeckerei-mueller.de";
    c.created = "2019-03-05 10:20:30";
    c.updated = "2023-11-28 08:00:00";
    c.sectors = {2};
    return c;
}

TestCompany Kanzlei()
{
    TestCompany c;
    c.id = 42;
    c.name = "Kanzlei O'Neil & Partner";
    c.ceo = "Sören Müller";
    c.address = "Am Markt";
    c.zipcode = "20095";
    c.city = "Hamburg";
    c.created = "2020-01-31 00:00:00";
    c.updated = "2020-02-01 12:00:00";
    c.sectors = {1, 3};
    return c;
}

TestCompany Schreinerei()
{
    TestCompany c;
    c.id = 9;
    c.name = "Schreinerei Weiß";
    c.ceo = "Anna Weiß";
    c.address = "Lindenweg";
    c.housenumber = "7-9";
    c.zipcode = "50667";
    c.city = "Köln";
    c.created = "2018-06-01 09:00:00";
    c.updated = "2018-06-02 09:00:00";
    return c;
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
        list = wxDynamicCast(frame->FindWindow(XRCID("resultsListCtrl")), BKListCtrl);
        searchText = wxDynamicCast(frame->FindWindow(XRCID("searchTextCtrl")), wxTextCtrl);
        placeText = wxDynamicCast(frame->FindWindow(XRCID("placeTextCtrl")), wxTextCtrl);
        allSectors = wxDynamicCast(frame->FindWindow(XRCID("allSectorsCheckBox")), wxCheckBox);
        sectorList = wxDynamicCast(frame->FindWindow(XRCID("sectorsCheckListBox")), wxCheckListBox);
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

const char* const kCompanyMenuItems[] = {"openCompanyMenuItem", "openAtNorvelMenuItem",
                                         "printCompanyMenuItem", "printPreviewCompanyMenuItem"};
const char* const kCompanyTools[] = {"openCompanyTool", "openAtNorvelTool", "printCompanyTool",
                                     "printPreviewCompanyTool"};

}  // namespace

TEST_F(MainWindow, OpensWithTitleColumnsStatusFieldsAndSortedSectors)
{
    Open(kSectors, {Baeckerei()});
    EXPECT_TRUE(frame->GetTitle().Contains(" - norvel - Ved Avadirizaziz Version "));
    EXPECT_EQ(frame->GetStatusBar()->GetFieldsCount(), 3);

    const char* headings[] = {"Sectors", "Company", "CEO",    "Address", "Zipcode",
                              "City",    "Phone",   "Fax",    "Mobile",  "Internet",
                              "E-Mail",  "Created", "Updated"};
    ASSERT_EQ(list->GetColumnCount(), 13);
    int right = 0;  // of the columns so far
    for (int column = 0; column < 13; ++column) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        ASSERT_TRUE(list->GetColumn(column, item));
        EXPECT_EQ(item.GetText(), headings[column]);
        right += list->GetColumnWidth(column);
        // Company, postcode and city show in the window as it first opens.
        if (column == 5) {
            EXPECT_LE(right, list->GetClientSize().GetWidth());
        }
    }
    EXPECT_EQ(placeText->GetValue(), "");

    // The sector list in the order of the sector names, item i being sector record i.
    ASSERT_EQ(sectorList->GetCount(), 3u);
    EXPECT_EQ(sectorList->GetString(0), wxString::FromUTF8("Bäckereien"));
    EXPECT_EQ(sectorList->GetString(1), wxString::FromUTF8("Rechtsanwälte"));
    EXPECT_EQ(sectorList->GetString(2), wxString::FromUTF8("Steuerberater"));
    ASSERT_NE(frame->GetSectors(), nullptr);
    EXPECT_EQ(frame->GetSectors()->GetItemCount(), 3u);

    // Menu and tool help would not fit beside the counts: the first field shows none.
    frame->DoGiveHelp(wxString::FromUTF8("Öffnet die Seite der Firma im Browser"), true);
    EXPECT_EQ(Status(0), "");

    // Before any search: an empty list and no company command.
    EXPECT_EQ(list->GetItemCount(), 0);
    for (const char* name : kCompanyMenuItems)
        EXPECT_FALSE(MenuEnabled(name)) << name;
    for (const char* name : kCompanyTools)
        EXPECT_FALSE(ToolEnabled(name)) << name;
    EXPECT_FALSE(MenuEnabled("exportMenuItem"));
    EXPECT_FALSE(ToolEnabled("exportTool"));
}

TEST_F(MainWindow, SearchByTextListsTheMatchesWithTheirThirteenTexts)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});
    SearchFor(wxString::FromUTF8("Müller"));

    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(Status(1), "Results: 2");
    EXPECT_EQ(Status(2), "Results shown: 2");

    const int row = RowOf(wxString::FromUTF8("Bäckerei Müller GmbH"));
    ASSERT_GE(row, 0);
    const std::vector<wxString> expected = {wxString::FromUTF8("Bäckereien"),
                                            wxString::FromUTF8("Bäckerei Müller GmbH"),
                                            wxString::FromUTF8("Jürgen Müller"),
                                            wxString::FromUTF8("Hauptstraße 12a"),
                                            "80331",
                                            wxString::FromUTF8("München"),
                                            "089 123456",
                                            "089 123457",
                                            "0171 1234567",
                                            "www.baeckerei-mueller.de",
                                            "info@baeckerei-mueller.de",
                                            "05.03.2019",
                                            "28.11.2023"};
    EXPECT_EQ(RowTexts(row), expected);

    // A company without house number shows the street alone; one under two sectors shows
    // both names.
    const int kanzlei = RowOf("Kanzlei O'Neil & Partner");
    ASSERT_GE(kanzlei, 0);
    EXPECT_EQ(list->GetText(kanzlei, 3), "Am Markt");
    wxString sectorsText = list->GetText(kanzlei, 0);
    EXPECT_TRUE(sectorsText == wxString::FromUTF8("Steuerberater, Rechtsanwälte") ||
                sectorsText == wxString::FromUTF8("Rechtsanwälte, Steuerberater"))
        << sectorsText;
    EXPECT_EQ(list->GetText(kanzlei, 6), "");  // NULL phone reads as empty
    EXPECT_EQ(list->GetText(kanzlei, 11), "31.01.2020");

    // Each row points at its company record.
    auto* company = static_cast<CompanyEntity*>(list->GetPointer(row, 0));
    ASSERT_NE(company, nullptr);
    EXPECT_EQ(company->Get("id")->ToUnsignedInt(), 7u);

    // An apostrophe in the text finds the name that holds it.
    SearchFor("O'Neil");
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetText(0, 1), "Kanzlei O'Neil & Partner");

    // An empty text lists everything.
    SearchFor("");
    EXPECT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(Status(1), "Results: 3");
    ExpectListShowsItsRows();

    // Blanks around the text cannot be seen in the field and do not count.
    SearchFor(wxString::FromUTF8(" \tSchreinerei Weiß "));
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetText(0, 1), wxString::FromUTF8("Schreinerei Weiß"));

    // A search without hits leaves nothing of the previous rows on the screen.
    SearchFor("nobody");
    EXPECT_EQ(list->GetItemCount(), 0);
    ExpectListShowsItsRows();
}

TEST_F(MainWindow, SearchSelectsTheFirstRowAndEnablesWhatIsAvailable)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetSingleSelectionPosition(), 0);
    EXPECT_EQ(wxWindow::FindFocus(), list);

    // Every command works now with a selection.
    for (const char* name : {"openAtNorvelMenuItem", "openCompanyMenuItem", "printCompanyMenuItem",
                             "printPreviewCompanyMenuItem", "exportMenuItem", "showOnMapMenuItem",
                             "copyAddressMenuItem", "saveVCardMenuItem"})
        EXPECT_TRUE(MenuEnabled(name)) << name;
    for (const char* name : {"openAtNorvelTool", "openCompanyTool", "printCompanyTool",
                             "printPreviewCompanyTool", "exportTool"})
        EXPECT_TRUE(ToolEnabled(name)) << name;

    // Taking the selection away disables the company commands again; a new selection
    // enables them.
    list->SelectAll(false);
    Settle();
    EXPECT_EQ(list->GetSingleSelectionPointer(), nullptr);
    EXPECT_FALSE(MenuEnabled("openAtNorvelMenuItem"));
    EXPECT_FALSE(ToolEnabled("openAtNorvelTool"));
    EXPECT_FALSE(MenuEnabled("printCompanyMenuItem"));
    EXPECT_FALSE(ToolEnabled("printPreviewCompanyTool"));
    for (const char* name : {"showOnMapMenuItem", "copyAddressMenuItem", "saveVCardMenuItem"})
        EXPECT_FALSE(MenuEnabled(name)) << name;
    list->SetSelection(2);
    Settle();
    EXPECT_TRUE(MenuEnabled("openAtNorvelMenuItem"));
    EXPECT_TRUE(ToolEnabled("openAtNorvelTool"));
}

TEST_F(MainWindow, SearchWithoutResultsShowsZeroCountsAndSelectsNothing)
{
    Open(kSectors, {Baeckerei(), Kanzlei()});
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_TRUE(MenuEnabled("openAtNorvelMenuItem"));

    SearchFor("nobody is called like this");
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(Status(1), "Results: 0");
    EXPECT_EQ(Status(2), "Results shown: 0");
    EXPECT_EQ(list->GetSingleSelectionPointer(), nullptr);
    // The selection of the previous search went with its rows.
    EXPECT_FALSE(MenuEnabled("openAtNorvelMenuItem"));
    EXPECT_FALSE(ToolEnabled("openAtNorvelTool"));
    EXPECT_FALSE(MenuEnabled("exportMenuItem"));
    EXPECT_FALSE(ToolEnabled("exportTool"));
}

TEST_F(MainWindow, SectorChoiceRestrictsTheSearch)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});

    // "All sectors" starts checked and the sector list disabled; unchecking enables it.
    EXPECT_TRUE(allSectors->IsChecked());
    EXPECT_FALSE(sectorList->IsEnabled());
    ClickAllSectors(false);
    EXPECT_TRUE(sectorList->IsEnabled());

    sectorList->Check(SectorIndex("Steuerberater"), true);
    EXPECT_EQ(frame->GetSectorFilter(), wxArrayString(1, "1"));
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetText(0, 1), "Kanzlei O'Neil & Partner");

    // A company filed under both chosen sectors is listed once.
    sectorList->Check(SectorIndex(wxString::FromUTF8("Rechtsanwälte")), true);
    SearchFor("");
    EXPECT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(Status(1), "Results: 1");

    sectorList->Check(SectorIndex(wxString::FromUTF8("Bäckereien")), true);
    SearchFor("");
    EXPECT_EQ(list->GetItemCount(), 3);  // every sector checked: no restriction
    EXPECT_TRUE(frame->GetSectorFilter().IsEmpty());

    // Text and sectors together.
    sectorList->Check(SectorIndex("Steuerberater"), false);
    sectorList->Check(SectorIndex(wxString::FromUTF8("Rechtsanwälte")), false);
    SearchFor(wxString::FromUTF8("Müller"));
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetText(0, 1), wxString::FromUTF8("Bäckerei Müller GmbH"));

    // Checking "all sectors" again ignores the checked sectors.
    ClickAllSectors(true);
    EXPECT_FALSE(sectorList->IsEnabled());
    EXPECT_TRUE(frame->GetSectorFilter().IsEmpty());
    SearchFor(wxString::FromUTF8("Müller"));
    EXPECT_EQ(list->GetItemCount(), 2);

    // No sector checked is no restriction either.
    ClickAllSectors(false);
    sectorList->Check(SectorIndex(wxString::FromUTF8("Bäckereien")), false);
    EXPECT_TRUE(frame->GetSectorFilter().IsEmpty());
    SearchFor("");
    EXPECT_EQ(list->GetItemCount(), 3);
}

TEST_F(MainWindow, SectorListServesTheKeyboard)
{
    std::vector<TestSector> sectors;
    for (int id = 1; id <= 60; ++id)
        sectors.push_back({id, wxString::Format("Branche %02d", id).utf8_string()});
    Open(sectors, ManyCompanies(120, sectors));
    ClickAllSectors(false);
    frame->Raise();
    sectorList->SetSelection(50);
    sectorList->EnsureVisible(0);
    allSectors->SetFocus();
    Settle();
    ASSERT_LE(sectorList->GetTopItem() + sectorList->GetCountPerPage(), 50);
    // Tab into the list shows its current row; ticks are counted in the status bar, Enter
    // searches in them, Ctrl+F goes back to the search field.
    wxUIActionSimulator user;
    user.Char(WXK_TAB);
    WaitFor("the current sector in view",
            [&] { return sectorList->GetTopItem() + sectorList->GetCountPerPage() > 50; });
    user.Char(' ');
    WaitFor("one sector counted", [&] { return Status(0) == "1 sector chosen"; });
    user.Char(WXK_DOWN);
    user.Char(' ');
    WaitFor("two sectors counted", [&] { return Status(0) == "2 sectors chosen"; });
    user.Char(WXK_RETURN);
    WaitFor("the search in two sectors", [&] { return Status(1) == "Results: 4"; });
    sectorList->SetFocus();
    Settle();
    user.Char('f', wxMOD_CONTROL);
    WaitFor("the search field", [&] { return wxWindow::FindFocus() == searchText; });
}

TEST_F(MainWindow, CompanyCommandsWithoutSelectionAskForOne)
{
    Open(kSectors, {Baeckerei()});
    struct Case {
        int id;
        const char* what;
    };
    const Case cases[] = {
        {NorvelFrame::kContextOpenAtNorvel, "context web page"},
        {NorvelFrame::kContextOpenCompany, "context open"},
        {XRCID("openAtNorvelMenuItem"), "web page menu"},
        {XRCID("openCompanyTool"), "open tool"},
        {XRCID("printCompanyMenuItem"), "print menu"},
        {XRCID("printPreviewCompanyTool"), "preview tool"},
        {NorvelFrame::kContextShowOnMap, "context map"},
        {NorvelFrame::kContextCopyAddress, "context address"},
        {NorvelFrame::kContextSaveVCard, "context vCard"},
        {XRCID("showOnMapMenuItem"), "map menu"},
        {XRCID("copyAddressMenuItem"), "address menu"},
        {XRCID("saveVCardMenuItem"), "vCard menu"},
    };
    for (const Case& c : cases) {
        wxString message, caption;
        wxTEST_DIALOG(SendMenu(c.id), ExpectMessageBox(&message, &caption));
        EXPECT_EQ(caption, "Selection") << c.what;
        EXPECT_EQ(message, "Please select the company you want to open.") << c.what;
    }
    // Activating a row with nothing selected asks too.
    wxString message, caption;
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, list->GetId());
    activated.SetEventObject(list);
    wxTEST_DIALOG(list->GetEventHandler()->ProcessEvent(activated),
                  ExpectMessageBox(&message, &caption));
    EXPECT_EQ(caption, "Selection");
    EXPECT_TRUE(openedUrls.empty());
}

TEST_F(MainWindow, WebPageCommandOpensTheSelectedCompanysAddress)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});
    SearchFor("");
    const int row = RowOf("Kanzlei O'Neil & Partner");
    ASSERT_GE(row, 0);
    list->SelectAll(false);
    list->SetSelection(row);
    Settle();

    SendMenu(NorvelFrame::kContextOpenAtNorvel);
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], wxString::FromUTF8(Norvel::CompanyUrl) + "42");

    SendMenu(XRCID("openAtNorvelTool"));
    ASSERT_EQ(openedUrls.size(), 2u);
    EXPECT_EQ(openedUrls[1], openedUrls[0]);
}

TEST_F(MainWindow, ContextMenuOffersTheCommandsOnlyWithASelection)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});
    std::unique_ptr<wxMenu> menu(frame->CreateResultsMenu());
    ASSERT_EQ(menu->GetMenuItemCount(), 11u);
    EXPECT_EQ(menu->FindItemByPosition(0)->GetId(), 0);
    EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabel(), "&Open company");
    EXPECT_EQ(menu->FindItemByPosition(1)->GetId(), 1);
    EXPECT_EQ(menu->FindItemByPosition(1)->GetItemLabel(), "Open at &norvel");
    EXPECT_TRUE(menu->FindItemByPosition(2)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(3)->GetId(), 2);
    EXPECT_EQ(menu->FindItemByPosition(3)->GetItemLabel(), "&Export company list");
    EXPECT_TRUE(menu->FindItemByPosition(4)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(5)->GetId(), 3);
    EXPECT_EQ(menu->FindItemByPosition(5)->GetItemLabelText(), "Copy");
    EXPECT_EQ(menu->FindItemByPosition(6)->GetId(), 4);
    EXPECT_EQ(menu->FindItemByPosition(6)->GetItemLabelText(), "Select all");
    EXPECT_TRUE(menu->FindItemByPosition(7)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(8)->GetId(), 5);
    EXPECT_EQ(menu->FindItemByPosition(8)->GetItemLabel(), "Show on &map");
    EXPECT_EQ(menu->FindItemByPosition(9)->GetId(), 6);
    EXPECT_EQ(menu->FindItemByPosition(9)->GetItemLabel(), "Copy &address");
    EXPECT_EQ(menu->FindItemByPosition(10)->GetId(), 7);
    EXPECT_EQ(menu->FindItemByPosition(10)->GetItemLabel(), "Save as &vCard...");
    EXPECT_TRUE(menu->IsEnabled(1));
    EXPECT_TRUE(menu->IsEnabled(0));
    EXPECT_TRUE(menu->IsEnabled(2));

    // With nothing selected a right click shows no menu (a shown menu would block here).
    int menusOpened = 0;
    frame->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        ++menusOpened;
        event.Skip();
    });
    wxListEvent click(wxEVT_LIST_ITEM_RIGHT_CLICK, list->GetId());
    click.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(menusOpened, 0);

    // "Select all" and "Copy" from the menu: the headings and every row on the clipboard.
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 3);
    SendMenu(NorvelFrame::kContextSelectAll);
    EXPECT_EQ(list->GetSelectedItemCount(), 3);
    SendMenu(NorvelFrame::kContextCopy);
    wxTextDataObject copied;
    {
        wxClipboardLocker clipboard;
        ASSERT_FALSE(!clipboard);
        ASSERT_TRUE(wxTheClipboard->GetData(copied));
    }
    const wxArrayString lines = wxSplit(copied.GetText().BeforeLast('\n'), '\n', 0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[0].StartsWith("Sectors\tCompany\tCEO\tAddress\tZipcode\t"));
    EXPECT_EQ(wxSplit(lines[1], '\t', 0).size(), 13u);
    EXPECT_NE(copied.GetText().Find(wxString::FromUTF8("\tBäckerei Müller GmbH\tJürgen Müller\t")),
              wxNOT_FOUND);

    // From the keyboard, File > Sort by > Company sorts as a click on the heading does, the
    // second time in reverse.
    frame->Raise();
    for (const int first : {0, 2}) {
        for (const char key : {'f', 's', 'c'}) {
            wxUIActionSimulator().Char(key, key == 'f' ? wxMOD_ALT : wxMOD_NONE);
            RunEventsFor(100);
        }
        WaitFor("the list sorted by company",
                [&] { return list->GetText(first, 1).StartsWith(wxString::FromUTF8("Bäckerei")); });
    }
}

TEST_F(MainWindow, CompanyGoesToTheMapTheClipboardAndAVCardFile)
{
    TestCompany nowhere;
    nowhere.id = 50;
    nowhere.name = "Ohne Ort AG";
    nowhere.zipcode = "12345";
    TestCompany odd;
    odd.id = 51;
    odd.name = "A/B\\C \u202Efdp.exe " + std::string(100, 'x');
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei(), nowhere, odd});
    SearchFor("");
    list->SelectAll(false);
    list->SetSelection(RowOf(wxString::FromUTF8("Bäckerei Müller GmbH")));
    Settle();

    SendMenu(XRCID("showOnMapMenuItem"));
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0],
              "https://www.openstreetmap.org/search?query="
              "Hauptstra%C3%9Fe%2012a%2C%2080331%20M%C3%BCnchen");
    SendMenu(NorvelFrame::kContextCopyAddress);
    EXPECT_EQ(ClipboardText(),
              wxString::FromUTF8("Bäckerei Müller GmbH\nHauptstraße 12a\n80331 München"));

    // A company with neither street nor city has no place on the map.
    list->SelectAll(false);
    list->SetSelection(RowOf("Ohne Ort AG"));
    Settle();
    EXPECT_FALSE(MenuEnabled("showOnMapMenuItem"));
    SendMenu(NorvelFrame::kContextShowOnMap);
    EXPECT_EQ(openedUrls.size(), 1u);
    SendMenu(XRCID("copyAddressMenuItem"));
    EXPECT_EQ(ClipboardText(), "Ohne Ort AG\n12345");

    // Every selected company gets its card; the next dialog opens in the folder chosen.
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("cards"), wxS_DIR_DEFAULT, 0));
    list->SelectAll(true);
    wxString proposed;  // "x.vcf" typed over the proposed stem keeps one extension
    wxTEST_DIALOG(SendMenu(XRCID("saveVCardMenuItem")),
                  SaveFileAs(dir.Path("cards/all.vcf.vcf"), nullptr, &proposed));
    EXPECT_EQ(proposed, "companies.vcf");
    const std::string all = ReadTextFile(dir.Path("cards/all.vcf"));
    size_t cards = 0;
    for (size_t at = all.find("BEGIN:VCARD\r\n"); at != std::string::npos;
         at = all.find("BEGIN:VCARD\r\n", at + 1))
        ++cards;
    EXPECT_EQ(cards, 5u);
    EXPECT_NE(all.find("ORG:Kanzlei O'Neil & Partner\r\n"), std::string::npos);
    EXPECT_NE(all.find("CATEGORIES:Bäckereien\r\n"), std::string::npos);
    EXPECT_EQ(FilesIn(dir.Path("cards")).size(), 1u);

    list->SelectAll(false);
    list->SetSelection(RowOf("Kanzlei O'Neil & Partner"));
    Settle();
    wxString openedIn;
    searchText->SetFocus();  // the keyboard goes to the list after the command
    wxTEST_DIALOG(SendMenu(NorvelFrame::kContextSaveVCard),
                  SaveFileAs(dir.Path("cards/one"), &openedIn, &proposed));
    ActivateAndExpectListFocus();
    EXPECT_EQ(openedIn, dir.Path("cards"));
    const std::string one = ReadTextFile(dir.Path("cards/one.vcf"));
    EXPECT_EQ(one.find("BEGIN:VCARD"), 0u);
    EXPECT_EQ(one.find("BEGIN:VCARD", 1), std::string::npos);
    EXPECT_NE(one.find("FN:Kanzlei O'Neil & Partner\r\n"), std::string::npos);

    // A name proposed from a value is short, shows as stored and stays in the folder; a file
    // that only the added extension names is not replaced without asking.
    list->SelectAll(false);
    list->SetSelection(RowOf(wxString::FromUTF8(odd.name)));
    Settle();
    wxTEST_DIALOG(SendMenu(XRCID("saveVCardMenuItem")),
                  SaveFileAs(dir.Path("cards/all"), nullptr, &proposed),
                  ExpectMessageBox(nullptr, nullptr, wxID_NO));
    EXPECT_EQ(proposed, "A_B_C fdp.exe " + wxString(50, 'x') + ".vcf");
    EXPECT_EQ(ReadTextFile(dir.Path("cards/all.vcf")), all);

    // A cancelled dialog writes nothing; a target that cannot be written is reported.
    wxTEST_DIALOG(SendMenu(XRCID("saveVCardMenuItem")), SaveFileAs(wxString()));
    EXPECT_EQ(FilesIn(dir.Path("cards")).size(), 2u);
    wxString message, caption;
    wxTEST_DIALOG(SendMenu(XRCID("saveVCardMenuItem")), SaveFileAs(dir.Path("cards")),
                  ExpectMessageBox(&message, &caption));
    EXPECT_EQ(caption, "File unwriteable");
    EXPECT_EQ(message, "The file " + dir.Path("cards") + " could not been opened.");

    // The folder is remembered for this run only: the configuration keeps its six keys.
    CloseByUser();
    const std::string configuration = ReadTextFile(dir.Path("home/.Norvel.conf"));
    EXPECT_EQ(std::count(configuration.begin(), configuration.end(), '\n'), 6);
    EXPECT_EQ(configuration.find("cards"), std::string::npos);
}

TEST_F(MainWindow, ManyVCardsShowTheProgressAndACancelWritesNone)
{
    Open(kSectors, ManyCompanies(150, kSectors));
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 150);
    list->SelectAll(true);
    wxTEST_DIALOG(SendMenu(XRCID("saveVCardMenuItem")), SaveFileAs(dir.Path("all.vcf")));
    EXPECT_NE(ReadTextFile(dir.Path("all.vcf")).find("FN:Firma 150 GmbH\r\n"), std::string::npos);
    Settle();  // the progress window of that save goes

    // The user presses Cancel as soon as the progress window is there: its first yield runs
    // what was queued.
    bool pressed = false;
    frame->CallAfter([&] {
        auto* progress = wxDynamicCast(wxWindow::FindWindowByName("ProgressFrame"), ProgressFrame);
        ASSERT_NE(progress, nullptr);
        EXPECT_FALSE(frame->IsEnabled());
        progress->Cancel();
        pressed = true;
    });
    wxTEST_DIALOG(SendMenu(XRCID("saveVCardMenuItem")), SaveFileAs(dir.Path("part.vcf")));
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(wxFileName::FileExists(dir.Path("part.vcf")));
    EXPECT_TRUE(frame->IsEnabled());
    Settle();
    EXPECT_EQ(wxWindow::FindWindowByName("ProgressFrame"), nullptr);
}

TEST_F(MainWindow, SectorsAreListedInGermanDictionaryOrder)
{
    Open({{1, "Zahnärzte"},
          {2, "Übersetzungsbüros"},
          {3, "Buchhandlungen"},
          {4, "Bäckereien"},
          {5, "apotheken"}},
         {});
    const char* expected[] = {"apotheken", "Bäckereien", "Buchhandlungen", "Übersetzungsbüros",
                              "Zahnärzte"};
    const int ids[] = {5, 4, 3, 2, 1};
    ClickAllSectors(false);
    ASSERT_EQ(sectorList->GetCount(), 5u);
    for (unsigned int item = 0; item < 5; ++item) {
        EXPECT_EQ(sectorList->GetString(item), wxString::FromUTF8(expected[item]));
        // Item i is still sector record i: checking it filters by its id.
        sectorList->Check(item, true);
        EXPECT_EQ(frame->GetSectorFilter(), wxArrayString(1, wxString::Format("%d", ids[item])));
        sectorList->Check(item, false);
    }
}

TEST_F(MainWindow, DatabaseWithoutTablesReportsASearchError)
{
    ASSERT_TRUE(WriteEmptyDatabase(dir.Path("empty.sqlite")));
    OpenOn(dir.Path("empty.sqlite"));
    EXPECT_EQ(sectorList->GetCount(), 0u);  // the window opens anyway

    wxString message, caption;
    wxTEST_DIALOG(SearchFor("x"), ExpectMessageBox(&message, &caption));
    EXPECT_EQ(caption, "Search error");
    EXPECT_EQ(message, "An error while searching occured. Please try again or call us.");
    EXPECT_EQ(list->GetItemCount(), 0);
    // The counts say what the list shows: nothing.
    EXPECT_EQ(Status(1), "Results: 0");
    EXPECT_EQ(Status(2), "Results shown: 0");
    EXPECT_FALSE(MenuEnabled("exportMenuItem"));
    // The progress window has gone and the main window takes input again.
    Settle();
    EXPECT_EQ(wxWindow::FindWindowByName("ProgressFrame"), nullptr);
    EXPECT_TRUE(frame->IsEnabled());
}

TEST_F(MainWindow, CancelInTheProgressWindowKeepsTheRowsSoFar)
{
    Open(kSectors, ManyCompanies(100, kSectors));
    // The search yields to the toolkit after every record; a user pressing Cancel is
    // played by an idle handler that presses it once 25 rows are listed.
    int progressWindowsSeen = 0;
    bool pressed = false;
    auto pressCancel = [&](wxIdleEvent& event) {
        event.Skip();
        auto* progress = wxDynamicCast(wxWindow::FindWindowByName("ProgressFrame"), ProgressFrame);
        if (!progress || progress->IsBeingDeleted())
            return;
        if (!pressed)
            ++progressWindowsSeen;
        if (!pressed && list->GetItemCount() >= 25) {
            EXPECT_FALSE(frame->IsEnabled());  // the progress window is modal
            EXPECT_EQ(progress->GetCount(), 100u);
            wxButton* cancel = wxDynamicCast(progress->FindWindow(XRCID("cancelButton")), wxButton);
            ASSERT_NE(cancel, nullptr);
            wxCommandEvent click(wxEVT_BUTTON, cancel->GetId());
            click.SetEventObject(cancel);
            cancel->GetEventHandler()->ProcessEvent(click);
            pressed = true;
        }
    };
    wxTheApp->Bind(wxEVT_IDLE, pressCancel);
    SearchFor("");
    wxTheApp->Unbind(wxEVT_IDLE, pressCancel);

    EXPECT_TRUE(pressed);
    EXPECT_GT(progressWindowsSeen, 0);
    EXPECT_EQ(list->GetItemCount(), 25);
    ExpectListShowsItsRows();
    EXPECT_EQ(Status(1), "Results: 100");
    EXPECT_EQ(Status(2), "Results shown: 25");
    EXPECT_EQ(list->GetSingleSelectionPosition(), 0);
    for (int row = 0; row < 25; ++row)
        EXPECT_NE(list->GetPointer(row, 0), nullptr);
    EXPECT_TRUE(frame->IsEnabled());
    EXPECT_EQ(wxWindow::FindWindowByName("ProgressFrame"), nullptr);
}

TEST_F(MainWindow, NewSearchReleasesTheRecordsOfThePreviousOne)
{
    // Enough records that their memory stands far above what the toolkit allocates on the
    // side while a search yields.
    Open(kSectors, ManyCompanies(2000, kSectors));
    SearchFor("nobody");
    const size_t before = mallinfo2().uordblks;
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 2000);
    const size_t withRecords = mallinfo2().uordblks;
    for (int round = 0; round < 5; ++round)
        SearchFor("");
    const size_t afterMore = mallinfo2().uordblks;
    EXPECT_EQ(list->GetItemCount(), 2000);
    // Heap use after five more searches of the same result stays near one search's worth;
    // records kept from earlier searches would add a whole result's worth each time.
    // (Builds whose allocator the C library does not see report 0; leaks show there through
    // the leak checker instead.)
    if (before != 0) {
        ASSERT_GT(withRecords, before);
        const size_t oneResult = withRecords - before;
        EXPECT_LT(afterMore, withRecords + oneResult / 2)
            << "records of earlier searches were kept";
    }
}

TEST_F(MainWindow, FirstStartWithoutConfigurationWritesExactlySixKeysOnClose)
{
    Open(kSectors, {Baeckerei()});
    const wxString file = dir.Path("home/.Norvel.conf");
    EXPECT_FALSE(wxFileName::FileExists(file));
    EXPECT_EQ(frame->GetSize(), wxSize(1024, 600));  // the layout's size

    frame->SetSize(wxSize(900, 500));
    frame->Move(60, 70);
    placeText->ChangeValue("50667");  // not kept
    Settle();
    const wxPoint position = frame->GetPosition();
    const wxSize size = frame->GetSize();
    CloseByUser();

    ASSERT_TRUE(wxFileName::FileExists(file));
    wxArrayString lines = wxSplit(wxString::FromUTF8(ReadTextFile(file)), '\n');
    ASSERT_EQ(lines.Last(), "");  // every line ends with a line break
    lines.RemoveAt(lines.GetCount() - 1);
    std::map<wxString, wxString> entries;
    for (const wxString& line : lines)
        entries[line.BeforeFirst(' ')] = line.AfterFirst(' ');
    EXPECT_EQ(lines.GetCount(), 6u);
    const std::map<wxString, wxString> expected = {
        {"PositionX", wxString::Format("%d", position.x)},
        {"PositionY", wxString::Format("%d", position.y)},
        {"Width", wxString::Format("%d", size.GetWidth())},
        {"Height", wxString::Format("%d", size.GetHeight())},
        {"Maximized", "false"},
        {"ExportFilename", ""}};
    EXPECT_EQ(entries, expected);
}

TEST_F(MainWindow, NextStartRestoresGeometryAndReducesTheFileToSixKeys)
{
    const wxString file = dir.Path("home/.Norvel.conf");
    ASSERT_TRUE(WriteTextFile(file,
                              "# written by hand\n"
                              "Width 800\n"
                              "Height 450 # pixels\n"
                              "PositionX 40\n"
                              "PositionY 50\n"
                              "Maximized false\n"
                              "ExportFilename /tmp/firmen.csv\n"
                              "Colour blue\n"));
    Open(kSectors, {Baeckerei()});
    EXPECT_EQ(frame->GetSize(), wxSize(800, 450));
    EXPECT_EQ(frame->GetPosition(), wxPoint(40, 50));
    EXPECT_FALSE(frame->IsMaximized());
    CloseByUser();

    const std::string content = ReadTextFile(file);
    EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 6);
    EXPECT_NE(content.find("Width 800\n"), std::string::npos);
    EXPECT_NE(content.find("Height 450\n"), std::string::npos);
    EXPECT_NE(content.find("PositionX 40\n"), std::string::npos);
    EXPECT_NE(content.find("PositionY 50\n"), std::string::npos);
    EXPECT_NE(content.find("ExportFilename /tmp/firmen.csv\n"), std::string::npos);
    EXPECT_EQ(content.find("Colour"), std::string::npos);
    EXPECT_EQ(content.find("#"), std::string::npos);
}

TEST_F(MainWindow, SavedGeometryIsCutToTheDisplayAndRaisedToTheMinimum)
{
    Open(kSectors, {Baeckerei()});
    const wxSize minimum = frame->GetMinSize();
    const wxRect area = wxDisplay(0u).GetClientArea();
    // The layout's least size is a usable window, well within the screen.
    EXPECT_GT(minimum.GetWidth(), 300);
    EXPECT_GT(minimum.GetHeight(), 200);
    EXPECT_LT(minimum.GetWidth(), 1024);
    EXPECT_LT(minimum.GetHeight(), 600);
    const auto fitted = [&](long long width, long long height) {
        return wxSize(std::max(std::min(static_cast<int>(width), area.width), minimum.x),
                      std::max(std::min(static_cast<int>(height), area.height), minimum.y));
    };
    // What the library reads from a number beyond an int, however it reads it.
    const int huge = Brenik::BKCasts("4294967297").ToInt();
    const struct {
        const char* file;
        wxRect expected;
    } cases[] = {
        // A geometry that fits stays as saved, also partly off the screen.
        {"Width 800\nHeight 450\nPositionX -100\nPositionY 50\n", wxRect(-100, 50, 800, 450)},
        {"Width 800\nHeight 450\nPositionX 1500\nPositionY 1100\n", wxRect(1500, 1100, 800, 450)},
        // Too small: "wide" reads as 0, an empty value as the default.
        {"Width wide\nHeight\n", wxRect(wxPoint(30, 30), fitted(0, 600))},
        {"Width 1\nHeight -7\n", wxRect(wxPoint(30, 30), minimum)},
        // Too large for the display, or for an int.
        {"Width 99999\nHeight 99999\n", wxRect(wxPoint(30, 30), area.GetSize())},
        {"Width 4294967297\nHeight 600\n", wxRect(wxPoint(30, 30), fitted(huge, 600))},
        // A top edge on no display: the window comes back at (30, 30).
        {"Width 800\nHeight 450\nPositionX 20000\nPositionY 15000\n", wxRect(30, 30, 800, 450)},
        {"Width 800\nHeight 450\nPositionX 100\nPositionY -20\n", wxRect(30, 30, 800, 450)},
        {"Width 800\nHeight 450\nPositionX -2147483647\nPositionY 10\n", wxRect(30, 30, 800, 450)},
    };
    for (const auto& c : cases) {
        DestroyNow(frame);
        frame = nullptr;
        ASSERT_TRUE(WriteTextFile(dir.Path("home/.Norvel.conf"), c.file));
        Reopen();
        EXPECT_EQ(frame->GetRect(), c.expected) << c.file;
    }
}

TEST_F(MainWindow, ConfigurationThatCannotBeWrittenIsReportedAndTheWindowStillCloses)
{
    Open(kSectors, {Baeckerei()});
    // A home directory that does not exist: the file cannot be created.
    ScopedHome missing(dir.Path("no/such/home"));
    wxString message, caption;
    wxTEST_DIALOG(CloseByUser(), ExpectMessageBox(&message, &caption));
    EXPECT_EQ(caption, "Configuration error");
    EXPECT_EQ(message, "Could not write configuration. Maybe you have no permission on file: " +
                           dir.Path("no/such/home") + "/.Norvel.conf");
    EXPECT_EQ(wxWindow::FindWindowByName("NorvelFrame"), nullptr);
}

TEST_F(MainWindow, QuitMenuClosesAndSavesWhileFindPlacesTheCursor)
{
    Open(kSectors, {Baeckerei(), Kanzlei()});
    SearchFor("");
    EXPECT_EQ(wxWindow::FindFocus(), list);
    SendMenu(XRCID("placeCursorMenuItem"));
    EXPECT_EQ(wxWindow::FindFocus(), searchText);

    // The splitter keeps both panes.
    auto* splitter =
        wxDynamicCast(frame->FindWindow(XRCID("mainSplitterWindow")), wxSplitterWindow);
    ASSERT_NE(splitter, nullptr);
    wxSplitterEvent unsplit(wxEVT_SPLITTER_UNSPLIT, splitter);
    unsplit.SetId(splitter->GetId());
    splitter->GetEventHandler()->ProcessEvent(unsplit);
    EXPECT_FALSE(unsplit.IsAllowed());
    EXPECT_TRUE(splitter->IsSplit());

    SendMenu(XRCID("quitMenuItem"));
    wxTheApp->ProcessIdle();
    frame = nullptr;
    EXPECT_EQ(wxWindow::FindWindowByName("NorvelFrame"), nullptr);
    EXPECT_TRUE(wxFileName::FileExists(dir.Path("home/.Norvel.conf")));
}

TEST_F(MainWindow, TypingIntoTheSearchFieldAndPressingEnterSearches)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});
    frame->Raise();
    Settle();
    // Real input through the X server: click into the field, type, press Enter.
    wxUIActionSimulator user;
    user.MouseMove(searchText->GetScreenRect().GetLeftTop() + wxPoint(10, 10));
    Settle();
    user.MouseClick();
    Settle();
    user.Text("Kanzlei");
    user.Char(WXK_RETURN);
    WaitFor("the search's rows", [this] { return list->GetItemCount() > 0; });
    EXPECT_EQ(searchText->GetValue(), "Kanzlei");
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetText(0, 1), "Kanzlei O'Neil & Partner");
    EXPECT_EQ(Status(2), "Results shown: 1");

    // The place field below narrows the search, by the city (the Kanzlei is in Hamburg) or by
    // the postcode's beginning; Enter there searches too.
    auto searchAt = [&](const char* typed, const char* found) {
        user.MouseMove(placeText->GetScreenRect().GetLeftTop() + wxPoint(10, 10));
        Settle();
        user.MouseClick();
        Settle();
        if (*typed)
            user.Text(typed);
        user.Char(WXK_RETURN);
        const wxString name = wxString::FromUTF8(found);
        WaitFor(*found ? found : "an empty list", [&] {
            return list->GetItemCount() == (name.empty() ? 0 : 1) &&
                   (name.empty() || list->GetText(0, 1) == name);
        });
    };
    searchAt("koeln", "");
    searchText->ChangeValue("");
    searchAt("", "Schreinerei Weiß");
    placeText->ChangeValue("");
    searchAt("80", "Bäckerei Müller GmbH");
}

TEST_F(MainWindow, MaximizedStateIsRestoredAndSaved)
{
    ASSERT_TRUE(
        WriteTextFile(dir.Path("home/.Norvel.conf"),
                      "Width 700\nHeight 400\nPositionX 10\nPositionY 20\nMaximized true\n"));
    Open(kSectors, {Baeckerei()});
    EXPECT_TRUE(frame->IsMaximized());
    CloseByUser();
    EXPECT_NE(ReadTextFile(dir.Path("home/.Norvel.conf")).find("Maximized true\n"),
              std::string::npos);

    // The next start opens maximized again. (Leaving the maximized state takes a window
    // manager's consent, and the test's X server has none.)
    Reopen();
    EXPECT_TRUE(frame->IsMaximized());
}

TEST_F(MainWindow, UnderAWindowManagerTheSavedPlaceHoldsAndUnmaximisingReturnsToIt)
{
    ScopedWindowManager manager;
    ASSERT_TRUE(manager.IsRunning());
    const wxString file = dir.Path("home/.Norvel.conf");
    ASSERT_TRUE(WriteTextFile(file, "Width 800\nHeight 450\nPositionX 150\nPositionY 120\n"));
    Open(kSectors, {Baeckerei()});
    bool framed = false;
    WaitFor("the window framed at the saved place and size", [&] {
        return ShownPlace(frame, &framed) == wxPoint(150, 120) && framed &&
               frame->GetSize() == wxSize(800, 450);
    });

    // Moved and resized, then quit maximised: the last normal geometry is kept beside the
    // maximised state.
    frame->SetSize(wxRect(200, 160, 760, 430));
    WaitFor("the window moved and resized", [&] {
        return ShownPlace(frame) == wxPoint(200, 160) && frame->GetSize() == wxSize(760, 430);
    });
    RunEventsFor(500);
    frame->Maximize(true);
    WaitFor("the window maximised", [&] { return frame->IsMaximized(); });
    CloseByUser();
    const std::string content = ReadTextFile(file);
    EXPECT_NE(content.find("Maximized true\n"), std::string::npos);
    EXPECT_NE(content.find("PositionX 200\n"), std::string::npos);
    EXPECT_NE(content.find("Width 760\n"), std::string::npos);

    // The next start opens maximised, and un-maximising returns to the saved geometry.
    Reopen();
    WaitFor("the window maximised again",
            [&] { return frame->IsMaximized() && frame->GetSize().GetWidth() > 800; });
    frame->Maximize(false);
    WaitFor("the window back at its saved geometry", [&] {
        return !frame->IsMaximized() && frame->GetSize() == wxSize(760, 430) &&
               ShownPlace(frame) == wxPoint(200, 160);
    });
}

TEST_F(MainWindow, TimeStampsShowAsTheDateTheLibraryReads)
{
    // The program's users live in Berlin, and so does the suite: a stamp just after
    // midnight there is still the day before in UTC.
    const time_t julyFourth = 1625356800;  // 2021-07-04 00:00:00 UTC
    struct tm local;
    ASSERT_NE(localtime_r(&julyFourth, &local), nullptr);
    ASSERT_EQ(local.tm_gmtoff, 7200) << "the tests must run with TZ=Europe/Berlin";

    // Stamps of one day with plain, odd and broken times, and broken days: each row shows
    // exactly the German date the value conversion gives, however often its day recurs.
    const std::vector<std::string> stamps = {"2021-07-04 10:00:00",
                                             "2021-07-04 25:00:00",
                                             "2021-07-04 23:59:59",
                                             "2021-07-04",
                                             "2021-02-30 10:00:00",
                                             "2021-02-28 10:00:00",
                                             "not a date",
                                             "",
                                             "2021-07-04 10:00:00.5",
                                             "2021-07-04 10:00",
                                             "1999-12-31 00:00:00",
                                             "2021-07-04 00:30:00"};
    std::vector<TestCompany> companies;
    for (size_t i = 0; i < stamps.size(); ++i) {
        TestCompany c;
        c.id = static_cast<int>(i + 1);
        c.name = "Firma " + std::to_string(i + 1);
        c.created = stamps[i];
        c.updated = stamps[stamps.size() - 1 - i];
        companies.push_back(c);
    }
    Open(kSectors, companies);
    SearchFor("Firma");
    ASSERT_EQ(list->GetItemCount(), static_cast<int>(stamps.size()));
    for (int row = 0; row < list->GetItemCount(); ++row) {
        auto* company = static_cast<CompanyEntity*>(list->GetPointer(row, 0));
        ASSERT_NE(company, nullptr);
        const size_t i = company->Get("id")->ToUnsignedInt() - 1;
        const wxString created =
            Brenik::BKCasts(wxString::FromUTF8(stamps[i])).ToDateTime('-').ToGermanDate();
        const wxString updated = Brenik::BKCasts(wxString::FromUTF8(stamps[stamps.size() - 1 - i]))
                                     .ToDateTime('-')
                                     .ToGermanDate();
        EXPECT_EQ(list->GetText(row, 11), created) << stamps[i];
        EXPECT_EQ(list->GetText(row, 12), updated) << stamps[stamps.size() - 1 - i];
    }
    const int first = RowOf("Firma 1");
    ASSERT_GE(first, 0);
    EXPECT_EQ(list->GetText(first, 11), "04.07.2021");
    EXPECT_EQ(list->GetText(RowOf("Firma 2"), 11), "");  // hour 25 is no time
    EXPECT_EQ(list->GetText(RowOf("Firma 5"), 11), "");  // 30 February is no day
    EXPECT_EQ(list->GetText(RowOf("Firma 11"), 11), "31.12.1999");
    EXPECT_EQ(list->GetText(RowOf("Firma 12"), 11), "04.07.2021");
}

TEST_F(MainWindow, PositionOffEveryScreenIsNotRestored)
{
    // A window placed on a screen that is gone would be out of the user's reach.
    ASSERT_TRUE(WriteTextFile(dir.Path("home/.Norvel.conf"),
                              "Width 800\nHeight 450\nPositionX 20000\nPositionY 15000\n"));
    Open(kSectors, {Baeckerei()});
    EXPECT_EQ(frame->GetSize(), wxSize(800, 450));
    EXPECT_NE(wxDisplay::GetFromWindow(frame), wxNOT_FOUND);
    EXPECT_NE(frame->GetPosition(), wxPoint(20000, 15000));
}

TEST_F(MainWindow, DirectoryWithoutSectorsOpensAndSearches)
{
    Open({}, {Baeckerei(), Schreinerei()});
    EXPECT_EQ(sectorList->GetCount(), 0u);
    ClickAllSectors(false);
    EXPECT_TRUE(frame->GetSectorFilter().IsEmpty());
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetText(RowOf(wxString::FromUTF8("Schreinerei Weiß")), 0), "");
}

TEST_F(MainWindow, TextsOfEveryScriptShowAsStored)
{
    // Two-, three- and four-byte characters, and texts longer than any short-cut takes.
    const std::vector<std::string> names = {"Café Größe", "北京饭店 GmbH",
                                            "Pizza \xF0\x9F\x8D\x95 Express", std::string(300, 'x'),
                                            "Ärger & Söhne " + std::string(250, 'y') + " Ü"};
    std::vector<TestCompany> companies;
    for (size_t i = 0; i < names.size(); ++i) {
        TestCompany c;
        c.id = static_cast<int>(i + 1);
        c.name = names[i];
        c.ceo = "Chef";
        c.address = names[i];
        c.housenumber = "1";
        companies.push_back(c);
    }
    // Values of megabytes, with line breaks that would draw over the next rows.
    TestCompany big;
    big.id = 99;
    big.name = big.city = "Erste\r\nZeile\tund\x01mehr\xE2\x80\xA8" + std::string(5 << 20, 'n');
    big.ceo = big.name;
    companies.push_back(big);
    Open(kSectors, companies);
    SearchFor("Chef");
    ASSERT_EQ(list->GetItemCount(), static_cast<int>(names.size()));
    for (int row = 0; row < list->GetItemCount(); ++row) {
        auto* company = static_cast<CompanyEntity*>(list->GetPointer(row, 0));
        ASSERT_NE(company, nullptr);
        const std::string& name = names[company->Get("id")->ToUnsignedInt() - 1];
        EXPECT_EQ(list->GetText(row, 1), wxString::FromUTF8(name));
        EXPECT_EQ(list->GetText(row, 3), wxString::FromUTF8(name) + " 1");
    }

    // A screen's worth of each on one line, soon, in bounded memory; the record keeps it all.
    PeakMemoryAndReset();
    const size_t before = PeakMemoryAndReset();
    const auto start = std::chrono::steady_clock::now();
    SearchFor("Erste");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 3.0);
    EXPECT_LT(PeakMemoryAndReset(), before + (150 << 20));
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_TRUE(list->GetText(0, 2).StartsWith("Erste  Zeile und mehr nnn"));
    EXPECT_LT(list->GetText(0, 5).length(), 1000u);
    EXPECT_EQ(static_cast<CompanyEntity*>(list->GetPointer(0, 0))->Get("name")->GetUtf8(),
              big.name);
}

// The user's answers in the export dialog: the controls are filled with them and the dialog
// confirmed (or cancelled); what the dialog showed when it opened is recorded.
struct ExportAnswers {
    wxString file;
    wxString fieldDelimiter = ";";
    wxString textDelimiter = "\"";
    int lineBreak = 0;
    bool replace = false;
    wxString replacement;
    bool forExcel = false;
    bool selectedOnly = false;  // ticked only where the dialog offers it
    bool cancel = false;
};

struct ExportDialogShown {
    wxString file, fieldDelimiter, textDelimiter, replacement;
    int lineBreak = -1;
    bool replace = true;
    bool forExcel = true;
    // From the parent's centre to the dialog's.
    wxPoint offCentre;
    wxString selectedOnly;  // its label, or "ticked"
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
        auto* file = wxDynamicCast(dialog->FindWindow(XRCID("fileTextCtrl")), wxTextCtrl);
        auto* field =
            wxDynamicCast(dialog->FindWindow(XRCID("fieldDelimiterComboBox")), wxComboBox);
        auto* text = wxDynamicCast(dialog->FindWindow(XRCID("textDelimiterComboBox")), wxComboBox);
        auto* lineBreak = wxDynamicCast(dialog->FindWindow(XRCID("lineFeedComboBox")), wxComboBox);
        auto* replace =
            wxDynamicCast(dialog->FindWindow(XRCID("replaceLineFeedCheckBox")), wxCheckBox);
        auto* replacement =
            wxDynamicCast(dialog->FindWindow(XRCID("replaceLineFeedWithTextCtrl")), wxTextCtrl);
        auto* forExcel =
            wxDynamicCast(dialog->FindWindow(XRCID("byteOrderMarkCheckBox")), wxCheckBox);
        auto* selectedOnly =
            wxDynamicCast(dialog->FindWindow(XRCID("selectedOnlyCheckBox")), wxCheckBox);
        if (!file || !field || !text || !lineBreak || !replace || !replacement || !forExcel ||
            !selectedOnly) {
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
                      selectedOnly->GetValue() ? wxString("ticked") : selectedOnly->GetLabel()};
        if (answers.cancel)
            return wxID_CANCEL;
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

namespace {

using ExportDialogAnswer = wxExpectModal<ExportDialog>;

TestCompany Awkward()
{
    TestCompany c;
    c.id = 3;
    c.name = "M\xC3\xBCller \"Brot\"; Back'waren";
    c.ceo = "Anna\r\nBerta";
    c.address = "Weg\n1";
    c.city = "K\xC3\xB6ln\rDeutz";
    c.phone = "089\t123";
    c.email = "info@example.de";
    c.created = "2020-01-02 03:04:05";
    c.updated = "2021-02-03 04:05:06";
    return c;
}

TestCompany Plain()
{
    TestCompany c;
    c.id = 8;
    c.name = "Plain AG";
    c.zipcode = "80331";
    c.created = "2019-01-01 00:00:00";
    c.updated = "2019-01-02 00:00:00";
    return c;
}

const char* const kHeaderFields[] = {"ID",
                                     "Name",
                                     "CEO",
                                     "Address",
                                     "Housenumber",
                                     "Zipcode",
                                     "City",
                                     "State",
                                     "Phone",
                                     "Fax",
                                     "Mobile",
                                     "Internet",
                                     "Email",
                                     "Tax id number",
                                     "Tax number",
                                     "Notes",
                                     "Opening hours",
                                     "District court",
                                     "Commercial register",
                                     "Blog",
                                     "Twitter",
                                     "Facebook",
                                     "Imprint url",
                                     "Staff",
                                     "Start year",
                                     "Type of company",
                                     "Owner",
                                     "Memberships",
                                     "Parking",
                                     "Created",
                                     "Updated"};

// The 31 fields of Awkward() as a file holds them, given its five changeable values as the
// settings leave them.
std::vector<std::string> AwkwardFields(const std::string& name, const std::string& ceo,
                                       const std::string& address, const std::string& city)
{
    std::vector<std::string> fields = {
        "3", name, ceo, address,           "", "", city,          "Bayern", "089\t123",
        "",  "",   "",  "info@example.de", "", "", "<p>Notiz</p>"};
    fields.resize(28);  // opening hours to memberships: empty
    fields.insert(fields.end(), {"true", "2020-01-02 03:04:05", "2021-02-03 04:05:06"});
    return fields;
}

std::vector<std::string> PlainFields()
{
    std::vector<std::string> fields = {"8", "Plain AG", "", "", "", "80331", "", "Bayern"};
    fields.resize(15);
    fields.push_back("<p>Notiz</p>");
    fields.resize(28);
    fields.insert(fields.end(), {"true", "2019-01-01 00:00:00", "2019-01-02 00:00:00"});
    return fields;
}

std::string Line(const std::vector<std::string>& fields, const std::string& separator,
                 const std::string& quote, const std::string& end)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
        line += (i ? separator : "") + quote + fields[i] + quote;
    return line + end;
}

std::string Header(const std::string& separator, const std::string& quote, const std::string& end)
{
    return Line(std::vector<std::string>(std::begin(kHeaderFields), std::end(kHeaderFields)),
                separator, quote, end);
}

// The file as Python's csv module reads it with the field and text delimiter: rows of fields.
std::vector<std::vector<std::string>> ReadWithPython(const wxString& path, char delimiter = ';',
                                                     char quote = '"')
{
    const std::string command =
        "python3 -c \"import csv,sys\n"
        "rows = csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline=''),\n"
        "    delimiter=chr(int(sys.argv[2])), quotechar=chr(int(sys.argv[3])))\n"
        "sys.stdout.write('\\x1e'.join('\\x1f'.join(r) for r in rows))\" '" +
        path.utf8_string() + "' " + std::to_string(delimiter) + " " + std::to_string(quote);
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, count);
        EXPECT_EQ(pclose(pipe), 0);
    }
    std::vector<std::vector<std::string>> rows(1);
    rows.back().emplace_back();
    for (char c : output) {
        if (c == '\x1e') {
            rows.emplace_back();
            rows.back().emplace_back();
        } else if (c == '\x1f') {
            rows.back().emplace_back();
        } else {
            rows.back().back() += c;
        }
    }
    return rows;
}

}  // namespace

TEST_F(MainWindow, ExportWritesTheListUnderTheDefaultsAsACsvReaderReadsIt)
{
    Open(kSectors, {Awkward(), Plain()});
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 2);
    ASSERT_TRUE(MenuEnabled("exportMenuItem"));
    const wxString file = dir.Path("firmen.csv");

    wxString message, caption;
    ExportAnswers answers;
    answers.file = file;
    searchText->SetFocus();
    wxTEST_DIALOG(SendMenu(XRCID("exportMenuItem")), ExportDialogAnswer(answers),
                  ExpectMessageBox(&message, &caption));
    // The keyboard is back in the list: Ctrl+C copies the selected row at once.
    ActivateAndExpectListFocus();
    wxUIActionSimulator().Char('c', wxMOD_CONTROL);
    WaitFor("the row copied", [&] { return ClipboardText().Contains(list->GetText(0, 1)); });
    // Shift+F10 and the Menu key open the row's menu, where C copies.
    frame->Bind(wxEVT_MENU_OPEN,
                [&](wxMenuEvent&) { frame->CallAfter([] { wxUIActionSimulator().Char('c'); }); });
    for (const int key : {WXK_F10, WXK_MENU}) {
        wxTheClipboard->Clear();  // opens the clipboard itself
        wxUIActionSimulator().Char(key, key == WXK_F10 ? wxMOD_SHIFT : wxMOD_NONE);
        WaitFor("the row copied from the menu",
                [&] { return ClipboardText().Contains("\t" + list->GetText(0, 1) + "\t"); });
    }
    EXPECT_EQ(caption, "Export finished");
    EXPECT_EQ(message, "The export is finished.");
    EXPECT_EQ(frame->GetCsvConfig().GetFilename(), file);

    // The rows in list order; the text delimiter is doubled inside the values, line breaks
    // stay inside.
    std::string expected = Header(";", "\"", "\n");
    for (int row = 0; row < 2; ++row)
        expected += list->GetText(row, 1) == "Plain AG"
                        ? Line(PlainFields(), ";", "\"", "\n")
                        : Line(AwkwardFields("M\xC3\xBCller \"\"Brot\"\"; Back'waren",
                                             "Anna\r\nBerta", "Weg\n1", "K\xC3\xB6ln\rDeutz"),
                               ";", "\"", "\n");
    EXPECT_EQ(ReadTextFile(file), expected);

    const auto rows = ReadWithPython(file);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0],
              std::vector<std::string>(std::begin(kHeaderFields), std::end(kHeaderFields)));
    // The reader gets every value back as it is stored.
    for (size_t row = 1; row < 3; ++row)
        EXPECT_EQ(rows[row], rows[row][0] == "8"
                                 ? PlainFields()
                                 : AwkwardFields("M\xC3\xBCller \"Brot\"; Back'waren",
                                                 "Anna\r\nBerta", "Weg\n1", "K\xC3\xB6ln\rDeutz"));
    wxArrayString files;  // and no temporary file beside it
    for (const char* name : {"firmen.csv", "home", "norvel.sqlite"})
        files.Add(name);
    EXPECT_EQ(FilesIn(dir.Path()), files);
}

TEST_F(MainWindow, ExportSettingsShapeTheBytesAndOnlyTheFileNameIsRemembered)
{
    Open(kSectors, {Awkward()});
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 1);
    frame->Move(40, 30);  // off the screen's centre, where the dialog must not go
    const wxString file = dir.Path("out.csv");
    const std::vector<std::string> asStored = {"M\xC3\xBCller \"Brot\"; Back'waren",
                                               "Anna\r\nBerta", "Weg\n1", "K\xC3\xB6ln\rDeutz"};

    struct Case {
        ExportAnswers answers;
        std::string separator, quote, end;
        std::vector<std::string> values;
        // Whether Python's csv module is to read the values back as stored: they keep their
        // line breaks, the delimiters have one character (all it takes), and a text
        // delimiter protects them.
        bool readable;
    };
    auto answers = [&](const char* field, const char* text, int lineBreak, bool replace,
                       const char* with, bool forExcel = false) {
        ExportAnswers a;
        a.file = file;
        a.fieldDelimiter = wxString::FromUTF8(field);
        a.textDelimiter = wxString::FromUTF8(text);
        a.lineBreak = lineBreak;
        a.replace = replace;
        a.replacement = wxString::FromUTF8(with);
        a.forExcel = forExcel;
        return a;
    };
    const Case cases[] = {
        // The field delimiter (a tab) and line breaks inside values.
        {answers("{tab}", "\"", 0, false, ""),
         "\t",
         "\"",
         "\n",
         {"M\xC3\xBCller \"\"Brot\"\"; Back'waren", asStored[1], asStored[2], asStored[3]},
         true},
        {answers("{Tab}", "", 1, false, ""), "{Tab}", "", "\r\n", asStored, false},
        {answers("; ", "'", 2, true, " / "),
         "; ",
         "'",
         "\r",
         {"M\xC3\xBCller \"Brot\"; Back''waren", "Anna / Berta", "Weg / 1", "K\xC3\xB6ln / Deutz"},
         false},
        {answers("|", "\"", 1, true, ""),
         "|",
         "\"",
         "\r\n",
         {"M\xC3\xBCller \"\"Brot\"\"; Back'waren", "AnnaBerta", "Weg1", "K\xC3\xB6lnDeutz"},
         false},
        // The single quote, the field delimiter inside a value, and the byte-order mark.
        {answers(";", "'", 1, false, "", true),
         ";",
         "'",
         "\r\n",
         {"M\xC3\xBCller \"Brot\"; Back''waren", asStored[1], asStored[2], asStored[3]},
         true},
    };
    wxString lastFile;
    for (const Case& c : cases) {
        if (wxFileName::FileExists(file))
            wxRemoveFile(file);  // replacing it is asked about elsewhere
        ExportDialogShown shown;
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(c.answers, &shown),
                      ExpectMessageBox(nullptr, nullptr));
        // Every time the dialog shows the last file name and the layout's other values,
        // centred on the main window.
        EXPECT_EQ(shown.file, lastFile);
        lastFile = file;
        EXPECT_EQ(shown.fieldDelimiter, ";");
        EXPECT_EQ(shown.textDelimiter, "\"");
        EXPECT_EQ(shown.lineBreak, 0);
        EXPECT_FALSE(shown.replace);
        EXPECT_EQ(shown.replacement, "");
        EXPECT_FALSE(shown.forExcel);
        EXPECT_LE(std::abs(shown.offCentre.x), 1);
        EXPECT_LE(std::abs(shown.offCentre.y), 1);
        // Without the mark the bytes are exactly the lines; with it they follow it.
        EXPECT_EQ(ReadTextFile(file),
                  (c.answers.forExcel ? "\xEF\xBB\xBF" : "") + Header(c.separator, c.quote, c.end) +
                      Line(AwkwardFields(c.values[0], c.values[1], c.values[2], c.values[3]),
                           c.separator, c.quote, c.end))
            << c.answers.fieldDelimiter << " " << c.answers.textDelimiter;
        if (c.readable) {
            const auto rows = ReadWithPython(file, c.separator[0], c.quote[0]);
            ASSERT_EQ(rows.size(), 2u)
                << c.answers.fieldDelimiter << " " << c.answers.textDelimiter;
            EXPECT_EQ(rows[1], AwkwardFields(asStored[0], asStored[1], asStored[2], asStored[3]));
        }
    }

    // Closing keeps the file name for the next start, nothing else of the settings.
    CloseByUser();
    const std::string configuration = ReadTextFile(dir.Path("home/.Norvel.conf"));
    EXPECT_NE(configuration.find("ExportFilename " + file.utf8_string() + "\n"), std::string::npos);
    Reopen();
    EXPECT_EQ(frame->GetCsvConfig().GetFilename(), file);
    EXPECT_EQ(frame->GetCsvConfig().GetFieldDelimiter(), ";");
}

TEST_F(MainWindow, ExportOfAnEmptyListWritesTheHeaderOnlyAndCancelWritesNothing)
{
    Open(kSectors, {Plain()});
    SearchFor("nobody");
    ASSERT_EQ(list->GetItemCount(), 0);
    ExportAnswers answers;
    answers.file = dir.Path("empty.csv");
    wxString message;
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                  ExpectMessageBox(&message, nullptr));
    EXPECT_EQ(message, "The export is finished.");
    EXPECT_EQ(ReadTextFile(dir.Path("empty.csv")), Header(";", "\"", "\n"));

    // Cancelling the dialog changes neither the file nor the settings.
    ExportAnswers cancel;
    cancel.cancel = true;
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(cancel));
    EXPECT_EQ(ReadTextFile(dir.Path("empty.csv")), Header(";", "\"", "\n"));
    EXPECT_EQ(frame->GetCsvConfig().GetFilename(), dir.Path("empty.csv"));
}

TEST_F(MainWindow, ExportOfTheSelectedRowsIsOfferedFromTwoAndNotRemembered)
{
    Open(kSectors, ManyCompanies(5, kSectors));
    SearchFor("");  // selects one row: no choice, the whole list goes out
    ExportAnswers answers;
    answers.selectedOnly = true;
    ExportDialogShown shown;
    // Ticked from two selected rows on, the selected rows go out in list order; the box is
    // off again the next time.
    for (const char* file : {"all.csv", "chosen.csv"}) {
        answers.file = dir.Path(file);
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers, &shown),
                      ExpectMessageBox(nullptr, nullptr));
        EXPECT_EQ(shown.selectedOnly,
                  wxString::Format("Only selected companies (%d)", list->GetSelectedItemCount()));
        list->SetSelection(3);
    }
    const wxArrayString all = wxSplit(wxString::FromUTF8(ReadTextFile(dir.Path("all.csv"))), '\n');
    ASSERT_EQ(all.GetCount(), 7u);  // header, five rows, nothing after the last line break
    EXPECT_EQ(ReadTextFile(dir.Path("chosen.csv")),
              (all[0] + "\n" + all[1] + "\n" + all[4] + "\n").utf8_string());
}

TEST_F(MainWindow, CancelInTheProgressWindowKeepsTheExportedRowsSoFar)
{
    Open(kSectors, ManyCompanies(100, kSectors));
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 100);
    // Played by an idle handler: the user presses Cancel when the window shows 20 of 100.
    bool pressed = false;
    auto pressCancel = [&](wxIdleEvent& event) {
        event.Skip();
        auto* progress = wxDynamicCast(wxWindow::FindWindowByName("ProgressFrame"), ProgressFrame);
        if (pressed || !progress || progress->IsBeingDeleted())
            return;
        auto* info = wxDynamicCast(progress->FindWindow(XRCID("infoStaticText")), wxStaticText);
        if (info && info->GetLabel() == "20 of 100") {
            EXPECT_FALSE(frame->IsEnabled());
            wxButton* cancel = wxDynamicCast(progress->FindWindow(XRCID("cancelButton")), wxButton);
            ASSERT_NE(cancel, nullptr);
            wxCommandEvent click(wxEVT_BUTTON, cancel->GetId());
            click.SetEventObject(cancel);
            cancel->GetEventHandler()->ProcessEvent(click);
            pressed = true;
        }
    };
    ExportAnswers answers;
    answers.file = dir.Path("part.csv");
    wxString message;
    wxTheApp->Bind(wxEVT_IDLE, pressCancel);
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                  ExpectMessageBox(&message, nullptr));
    wxTheApp->Unbind(wxEVT_IDLE, pressCancel);

    EXPECT_TRUE(pressed);
    EXPECT_EQ(message, "The export is finished.");
    const std::string content = ReadTextFile(dir.Path("part.csv"));
    EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 21);  // header and 20 rows
    EXPECT_EQ(content.find("\"" + list->GetText(0, 1).utf8_string() + "\""),
              Header(";", "\"", "\n").size() + 4);
    EXPECT_TRUE(frame->IsEnabled());
    Settle();
    EXPECT_EQ(wxWindow::FindWindowByName("ProgressFrame"), nullptr);
}

TEST_F(MainWindow, FailedExportReportsItAndLeavesThePreviousFile)
{
    Open(kSectors, ManyCompanies(100, kSectors));
    SearchFor("");
    const wxString file = dir.Path("kept.csv");
    ASSERT_TRUE(WriteTextFile(file, "previous\n"));
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("folder")));
    wxString message, caption;

    // The dialog refuses what it cannot write and stays open; nothing is written.
    struct Refusal {
        wxString name, caption, message;
    };
    const Refusal refusals[] = {
        {"", "Filename empty", "Please choose a filename."},
        {dir.Path("missing/out.csv"), "File unwriteable", "Could not create file."},
        {dir.Path("folder"), "File unwriteable", "Could not create file."},
    };
    for (const Refusal& refusal : refusals) {
        ExportAnswers answers;
        answers.file = refusal.name;
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                      ExpectMessageBox(&message, &caption));
        EXPECT_EQ(caption, refusal.caption);
        EXPECT_EQ(message, refusal.message);
    }
    EXPECT_EQ(frame->GetCsvConfig().GetFilename(), "");

    // The disk takes part of the rows: the error is reported instead of a success.
    ExportAnswers answers;
    answers.file = file;
    {
        ScopedFileSizeLimit limit(8192);
        ASSERT_TRUE(limit.IsApplied());
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                      ExpectMessageBox(nullptr, nullptr, wxID_YES),
                      ExpectMessageBox(&message, &caption));
    }
    EXPECT_EQ(caption, "File write error");
    EXPECT_EQ(message, "The file " + file + " could not been written.");
    EXPECT_EQ(ReadTextFile(file), "previous\n");
    // A few rows reach the disk only when the file is closed, and the disk refuses them.
    SearchFor("Firma 1");
    ASSERT_EQ(list->GetItemCount(), 12);
    {
        ScopedFileSizeLimit limit(1000);
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                      ExpectMessageBox(nullptr, nullptr, wxID_YES),
                      ExpectMessageBox(&message, &caption));
    }
    EXPECT_EQ(caption, "File close error");
    EXPECT_EQ(message, "The file " + file + " could not been closed.");
    EXPECT_EQ(ReadTextFile(file), "previous\n");

    // Neither left anything behind.
    wxArrayString expected;
    for (const char* name : {"folder", "home", "kept.csv", "norvel.sqlite"})
        expected.Add(name);
    EXPECT_EQ(FilesIn(dir.Path()), expected);
}

TEST_F(MainWindow, ExportThroughALinkWritesItsTargetWithItsPermissions)
{
    Open(kSectors, {Plain()});
    SearchFor("");
    ASSERT_TRUE(WriteTextFile(dir.Path("real.csv"), "previous\n"));
    ASSERT_EQ(chmod(dir.Path("real.csv").utf8_str(), 0604), 0);
    ASSERT_EQ(symlink("real.csv", dir.Path("link.csv").utf8_str()), 0);
    ExportAnswers answers;
    answers.file = dir.Path("link.csv");
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                  ExpectMessageBox(nullptr, nullptr, wxID_YES), ExpectMessageBox(nullptr, nullptr));

    struct stat info;
    ASSERT_EQ(lstat(dir.Path("link.csv").utf8_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(dir.Path("real.csv").utf8_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_EQ(ReadTextFile(dir.Path("real.csv")),
              Header(";", "\"", "\n") + Line(PlainFields(), ";", "\"", "\n"));
}

TEST_F(MainWindow, AboutCommandShowsTheAboutWindowModally)
{
    Open(kSectors, {Plain()});
    EXPECT_TRUE(MenuEnabled("aboutMenuItem"));
    wxTEST_DIALOG(SendMenu(XRCID("aboutMenuItem")), wxExpectDismissableModal<AboutDialog>(wxID_OK));
    EXPECT_TRUE(frame->IsEnabled());
}
