#include "ui/MainWindowFixture.h"

namespace {

const char* const kCompanyMenuItems[] = {"openCompanyMenuItem", "openAtNorvelMenuItem",
                                         "printCompanyMenuItem", "printPreviewCompanyMenuItem"};
const char* const kCompanyTools[] = {"openCompanyTool", "openAtNorvelTool", "printCompanyTool",
                                     "printPreviewCompanyTool"};

}  // namespace

TEST_F(MainWindow, OpensWithTitleColumnsStatusFieldsAndSortedSectors)
{
    Open(kSectors, {Baeckerei()});
    EXPECT_TRUE(frame->GetTitle().Contains(" - norvel - Ved Avadirizaziz Version "));
    EXPECT_EQ(frame->GetStatusBar()->GetFieldsCount(), 5);

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

    // The company's own web site and mail address, from the menu and the context menu; a
    // company without them has both greyed out.
    EXPECT_FALSE(MenuEnabled("openWebsiteMenuItem") || MenuEnabled("writeEmailMenuItem"));
    ASSERT_TRUE(list->SelectOnly(RowOf(wxString::FromUTF8("Bäckerei Müller GmbH"))));
    Settle();
    EXPECT_TRUE(MenuEnabled("openWebsiteMenuItem") && MenuEnabled("writeEmailMenuItem"));
    SendMenu(XRCID("openWebsiteMenuItem"));
    SendMenu(NorvelFrame::kContextWriteEmail);
    EXPECT_EQ(openedUrls, (std::vector<wxString>{openedUrls[0], openedUrls[0],
                                                 "http://www.baeckerei-mueller.de",
                                                 "mailto:info@baeckerei-mueller.de"}));
}

TEST_F(MainWindow, ContextMenuOffersTheCommandsOnlyWithASelection)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});
    std::unique_ptr<wxMenu> menu(frame->CreateResultsMenu());
    ASSERT_EQ(menu->GetMenuItemCount(), 17u);
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
    EXPECT_EQ(menu->FindItemByPosition(12)->GetItemLabel(), "Company we&bsite");
    EXPECT_EQ(menu->FindItemByPosition(13)->GetItemLabel(), "Write e-ma&il");
    EXPECT_TRUE(menu->FindItemByPosition(14)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(15)->GetItemLabel(), "Print &result list...");
    EXPECT_EQ(menu->FindItemByPosition(16)->GetItemLabel(), "Print a&ddress labels...");
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
    EXPECT_TRUE(lines[0].StartsWith("\"Sectors\"\t\"Company\"\t\"CEO\"\t\"Address\"\t"));
    EXPECT_EQ(wxSplit(lines[1], '\t', 0).size(), 13u);
    EXPECT_NE(copied.GetText().Find(
                  wxString::FromUTF8("\t\"Bäckerei Müller GmbH\"\t\"Jürgen Müller\"\t")),
              wxNOT_FOUND);
}

// The routes a keyboard user takes right after a search: File > Sort by > Company sorts as a
// click on the heading, the second time in reverse; Shift+F10 and the Menu key open the row's
// menu, where C copies. Each key goes when the menu it opens is there.
TEST_F(MainWindow, KeyboardSortsAndOpensTheRowMenu)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 3);
    int menus = 0;
    frame->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        ++menus;
        event.Skip();
    });
    for (const int first : {0, 2}) {
        for (const char key : {'f', 's', 'c'}) {
            const int opened = menus;
            wxUIActionSimulator().Char(key, key == 'f' ? wxMOD_ALT : wxMOD_NONE);
            if (key != 'c')
                WaitFor("the menu the key opens", [&] { return menus > opened; });
        }
        WaitFor("the list sorted by company",
                [&] { return list->GetText(first, 1).StartsWith(wxString::FromUTF8("Bäckerei")); });
    }
    // The row's menu is modal: C is pressed from inside it.
    const wxString selected = list->GetText(list->GetSingleSelectionPosition(), 1);
    frame->Bind(wxEVT_MENU_OPEN,
                [&](wxMenuEvent&) { frame->CallAfter([] { wxUIActionSimulator().Char('c'); }); });
    for (const int key : {WXK_F10, WXK_MENU}) {
        wxTheClipboard->Clear();  // opens the clipboard itself
        wxUIActionSimulator().Char(key, key == WXK_F10 ? wxMOD_SHIFT : wxMOD_NONE);
        WaitFor("the row copied from the menu",
                [&] { return ClipboardText().Contains("\t\"" + selected + "\"\t"); });
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
    list->SetSelection(RowOf("A/B\\C fdp.exe " + wxString(100, 'x')));  // as its cell shows it
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

    // The folder is remembered for this run only: the configuration keeps its own keys.
    CloseByUser();
    const std::string configuration = ReadTextFile(dir.Path("home/.Norvel.conf"));
    EXPECT_EQ(std::count(configuration.begin(), configuration.end(), '\n'), 18);
    EXPECT_EQ(configuration.find("cards"), std::string::npos);
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

    // Typing picks a sector by its first letters, an umlaut as its base letter; after a
    // pause the letters start anew.
    frame->Raise();
    sectorList->SetFocus();
    Settle();
    wxUIActionSimulator user;
    user.Text("ub");
    WaitFor("Übersetzungsbüros", [&] { return sectorList->GetSelection() == 3; });
    RunEventsFor(1100);
    user.Text("bu");
    WaitFor("Buchhandlungen", [&] { return sectorList->GetSelection() == 2; });
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
    EXPECT_EQ(ShownProgress(), nullptr);
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
        auto* progress = ShownProgress();
        if (!progress || progress->IsBeingDeleted())
            return;
        if (!pressed)
            ++progressWindowsSeen;
        if (!pressed && list->GetItemCount() >= 25) {
            EXPECT_FALSE(frame->IsEnabled());  // the progress window is modal
            EXPECT_EQ(progress->GetCount(), 100u);
            wxButton* cancel = Control<wxButton>(progress, "cancelButton");
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
    EXPECT_EQ(ShownProgress(), nullptr);
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

TEST_F(MainWindow, QuitMenuClosesAndSavesWhileFindPlacesTheCursor)
{
    Open(kSectors, {Baeckerei(), Kanzlei()});
    SearchFor("");
    EXPECT_EQ(wxWindow::FindFocus(), list);
    SendMenu(XRCID("placeCursorMenuItem"));
    EXPECT_EQ(wxWindow::FindFocus(), searchText);

    // The splitter keeps both panes.
    auto* splitter = Control<wxSplitterWindow>(frame, "mainSplitterWindow");
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

    // The status bar counts the selected rows, and a command for one company says which one
    // it took: the current row's, where the search put the keyboard.
    placeText->ChangeValue("");
    SearchFor("");
    list->SelectAll(true);
    WaitFor("the count of selected rows", [this] { return Status(3) == "3 selected"; });
    SendMenu(XRCID("copyAddressMenuItem"));
    EXPECT_EQ(Status(3), "Only the current company: " + list->GetText(0, 1));
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

TEST_F(MainWindow, AboutCommandShowsTheAboutWindowModally)
{
    Open(kSectors, {Baeckerei()});
    EXPECT_TRUE(MenuEnabled("aboutMenuItem"));
    wxTEST_DIALOG(SendMenu(XRCID("aboutMenuItem")), wxExpectDismissableModal<AboutDialog>(wxID_OK));
    EXPECT_TRUE(frame->IsEnabled());
}

TEST_F(MainWindow, SearchInAndRecentSearchesFromTheKeyboardKeptAcrossRuns)
{
    Open(kSectors, {Baeckerei(), Kanzlei(), Schreinerei()});
    auto* kind = Control<wxChoice>(frame, "searchKindChoice");
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->GetStringSelection(), "Company or managing director");
    wxUIActionSimulator user;
    // The choice moves one kind a key, as a user goes through it.
    const auto search = [&](const char* in, const char* text) {
        kind->SetFocus();
        WaitFor("the choice to have the keyboard", [&] { return wxWindow::FindFocus() == kind; });
        RunEventsFor(200);
        const int wanted = kind->FindString(in);
        ASSERT_NE(wanted, wxNOT_FOUND) << in;
        while (kind->GetSelection() != wanted) {
            const int before = kind->GetSelection();
            user.Char(before < wanted ? WXK_DOWN : WXK_UP);
            WaitFor("the choice to move", [&] { return kind->GetSelection() != before; });
        }
        searchText->SetFocus();
        searchText->Clear();
        user.Text(text);
        user.Char(WXK_RETURN);
        WaitFor("the search", [&] { return Status(2).StartsWith("Results shown: "); });
    };
    const auto expectFound = [&](const wxString& name) {
        WaitFor("the list to show one company", [&] { return list->GetItemCount() == 1; });
        EXPECT_EQ(list->GetText(0, 1), name);
        frame->SetStatusText("", 2);
    };
    search("Phone or fax", "(089) 123 456");
    expectFound(wxString::FromUTF8("Bäckerei Müller GmbH"));
    search("Street", "Lindenw. 7");
    WaitFor("the search to find nothing", [&] { return list->GetItemCount() == 0; });
    search("Street", "Hauptstr. 12");
    expectFound(wxString::FromUTF8("Bäckerei Müller GmbH"));

    // The down arrow opens the recent searches, newest first; the second runs again.
    std::vector<int> menuKeys;
    const auto inRecent = [&](std::vector<int> keys) {
        menuKeys = keys;
        Control<wxButton>(frame, "recentSearchesButton")
            ->Bind(wxEVT_MENU_OPEN, [&menuKeys](wxMenuEvent& event) {
                event.Skip();
                const std::vector<int> pressed = std::exchange(menuKeys, {});
                wxTheApp->CallAfter([pressed] {
                    for (int key : pressed)
                        wxUIActionSimulator().Char(key);
                });
            });
        searchText->SetFocus();
        WaitFor("the search field to have the keyboard",
                [&] { return wxWindow::FindFocus() == searchText; });
        user.Char(WXK_DOWN);
    };
    inRecent({WXK_DOWN, WXK_DOWN, WXK_RETURN});
    WaitFor("the recent search put back", [&] { return searchText->GetValue() == "Lindenw. 7"; });
    WaitFor("it to run", [&] { return Status(2) == "Results shown: 0"; });
    EXPECT_EQ(kind->GetStringSelection(), "Street");

    CloseByUser();
    const std::string saved = ReadTextFile(dir.Path("home/.Norvel.conf"));
    for (const char* line :
         {"SearchIn street\n", "RecentSearch1 street\tLindenw. 7\n",
          "RecentSearch2 street\tHauptstr. 12\n", "RecentSearch3 phone\t(089) 123 456\n"})
        EXPECT_NE(saved.find(line), std::string::npos) << line << saved;
    EXPECT_EQ(saved.find("RecentSearch4"), std::string::npos) << saved;

    // The next start shows the choice as left; "clear" empties the list for good.
    Reopen();
    kind = Control<wxChoice>(frame, "searchKindChoice");
    EXPECT_EQ(kind->GetStringSelection(), "Street");
    RunEventsFor(200);
    frame->Raise();
    inRecent({WXK_END, WXK_RETURN});
    RunEventsFor(300);
    CloseByUser();
    EXPECT_EQ(ReadTextFile(dir.Path("home/.Norvel.conf")).find("RecentSearch"), std::string::npos);
}
