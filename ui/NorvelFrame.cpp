#include "ui/NorvelFrame.h"

#include <wx/app.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include "app/ErrorBox.h"
#include "app/LayoutControl.h"
#include "app/MainWindowFactory.h"
#include "app/RuntimeInformationType.h"
#include "directory/CompanyAddress.h"
#include "directory/CompanyEntity.h"
#include "directory/CompanyLinks.h"
#include "lib/core/BKCasts.h"
#include "lib/gui/BKListCtrl.h"
#include "lib/gui/BKTypeAhead.h"
#include "ui/AboutDialog.h"
#include "ui/BusyGuard.h"
#include "ui/CompanyCommands.h"
#include "ui/CsvExport.h"
#include "ui/LabelDialog.h"
#include "ui/ResultListPrinting.h"
#include "ui/SelectionPrinter.h"

using Brenik::BKCasts;
using Brenik::BKListCtrl;

namespace {

const char* const kPublisher = "Brenik Software";
const char* const kProgramName = "norvel - Ved Avadirizaziz";
const char* const kVersionLabel = "0.1.0";

}  // namespace

wxFrame* CreateMainWindow(RuntimeInformationType* rit)
{
    return new NorvelFrame(rit);
}

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(NorvelFrame, XmlFrame)
    EVT_CLOSE(NorvelFrame::ExitEvent)
    EVT_MOVE(NorvelFrame::MoveEvent)
    EVT_SIZE(NorvelFrame::SizeEvent)
    EVT_CHECKBOX(XRCID("allSectorsCheckBox"), NorvelFrame::AllSectorsEvent)
    EVT_TEXT_ENTER(XRCID("searchTextCtrl"), NorvelFrame::SearchEvent)
    EVT_TEXT_ENTER(XRCID("placeTextCtrl"), NorvelFrame::SearchEvent)
    EVT_BUTTON(XRCID("recentSearchesButton"), NorvelFrame::ShowRecentSearchesEvent)
    EVT_MENU_RANGE(SearchFields::kFirstRecent, SearchFields::kClearRecent,
                   NorvelFrame::RecentSearchEvent)
    EVT_SPLITTER_UNSPLIT(XRCID("mainSplitterWindow"), NorvelFrame::UnsplitEvent)
    EVT_LIST_ITEM_ACTIVATED(XRCID("resultsListCtrl"), NorvelFrame::OpenCompanyListEvent)
    EVT_LIST_ITEM_RIGHT_CLICK(XRCID("resultsListCtrl"), NorvelFrame::ResultsRightClickEvent)
    EVT_LIST_ITEM_SELECTED(XRCID("resultsListCtrl"), NorvelFrame::SelectCompanyEvent)
    EVT_LIST_ITEM_DESELECTED(XRCID("resultsListCtrl"), NorvelFrame::SelectCompanyEvent)
    // Shift with the arrow keys selects a range and reports only the row it goes to.
    EVT_LIST_ITEM_FOCUSED(XRCID("resultsListCtrl"), NorvelFrame::SelectCompanyEvent)
    EVT_MENU_RANGE(NorvelFrame::kSortByFirstColumn, NorvelFrame::kSortByLastColumn,
                   NorvelFrame::SortByEvent)
    EVT_CONTEXT_MENU(NorvelFrame::ContextMenuEvent)
    EVT_CHAR_HOOK(NorvelFrame::CharHookEvent)
    EVT_CHECKLISTBOX(XRCID("sectorsCheckListBox"), NorvelFrame::SectorTickedEvent)
    EVT_LISTBOX_DCLICK(XRCID("sectorsCheckListBox"), NorvelFrame::SearchEvent)
    EVT_CHILD_FOCUS(NorvelFrame::ChildFocusEvent)
wxEND_EVENT_TABLE()

// clang-format on

const std::vector<LayoutControl<NorvelFrame>>& NorvelFrame::LayoutControls()
{
    static const std::vector<LayoutControl<NorvelFrame>> controls = {
        {"mainPanel", &NorvelFrame::mainPanel},
        {"mainSplitterWindow", &NorvelFrame::mainSplitterWindow},
        {"searchPanel", &NorvelFrame::searchPanel},
        {"searchTextCtrl", &NorvelFrame::searchTextCtrl},
        {"placeTextCtrl", &NorvelFrame::placeTextCtrl},
        {"searchKindChoice", &NorvelFrame::searchKindChoice},
        {"recentSearchesButton", &NorvelFrame::recentSearchesButton},
        {"allSectorsCheckBox", &NorvelFrame::allSectorsCheckBox},
        {"sectorsCheckListBox", &NorvelFrame::sectorsCheckListBox},
        {"resultsPanel", &NorvelFrame::resultsPanel},
        {"resultsListCtrl", &NorvelFrame::resultsListCtrl},
    };
    return controls;
}

const std::vector<std::pair<const char*, wxClassInfo*>>& NorvelFrame::GetLayoutControls()
{
    static const auto controls = LayoutControl<NorvelFrame>::Contract(LayoutControls());
    return controls;
}

std::vector<const char*> NorvelFrame::GetLayoutMenuItems()
{
    return MainCommands::GetMenuItems();
}

std::vector<const char*> NorvelFrame::GetLayoutTools()
{
    return MainCommands::GetTools();
}

NorvelFrame::NorvelFrame(RuntimeInformationType* rit)
    : XmlFrame(rit, "NorvelFrame"), companyWindows(this, rit, [this] { FocusResults(); })
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    SetTitle(wxString::FromUTF8(kPublisher) + " - " + wxString::FromUTF8(kProgramName) +
             " Version " + wxString::FromUTF8(kVersionLabel));

    menuBar = GetMenuBar();
    statusBar = GetStatusBar();
    toolBar = GetToolBar();
    if (statusBar) {
        // The first field says how many sectors are ticked ("12 Branchen gewählt"); the fourth,
        // how many rows are selected; the last, where the companies of the last export or vCard
        // save went.
        const int widths[] = {170, 200, 300, -1, -1};
        statusBar->SetFieldsCount(5, widths);
    }
    // Menu and tool help would run into the counts in the narrow first field: none is shown.
    SetStatusBarPane(-1);

    LayoutControl<NorvelFrame>::FindAll(*this, LayoutControls());
    searchFields =
        SearchFields(searchTextCtrl, placeTextCtrl, searchKindChoice, settings.GetRecentSearches());
    for (const char* name : GetLayoutMenuItems())
        wxASSERT_MSG(menuBar && menuBar->FindItem(XRCID(name)),
                     wxString::Format("Layout NorvelFrame lacks menu item %s", name));
    for (const char* name : GetLayoutTools())
        wxASSERT_MSG(toolBar && toolBar->FindById(XRCID(name)),
                     wxString::Format("Layout NorvelFrame lacks tool %s", name));
    sectorFilter = SectorFilter(sectorsCheckListBox, allSectorsCheckBox);
    sectorTypeAhead = std::make_unique<Brenik::BKTypeAhead>(sectorsCheckListBox);
    results = ResultList(resultsListCtrl);
    commands = MainCommands(menuBar, toolBar);
    commands.Bind(*this, [this](MainCommands::Id command) { Run(command); });

    // The company commands wait for a selected company, the export for a search that finds
    // something.
    SelectCompany();
    commands.Enable(MainCommands::When::kFound, false);

    results.InsertColumns();
    wxMenuItem* sortItem = menuBar ? menuBar->FindItem(XRCID("sortMenu")) : nullptr;
    if (sortItem && sortItem->GetSubMenu())
        results.FillSortMenu(*sortItem->GetSubMenu(), kSortByFirstColumn,
                             kSortByLastColumn - kSortByFirstColumn + 1);
    RestoreSettings();
    sectorFilter.Load(GetRit());
    PlaceCursor();
}

NorvelFrame::~NorvelFrame()
{
    ClearResultsListCtrl();
}

// One command a line, as in the table.
// clang-format off
void NorvelFrame::Run(MainCommands::Id command)
{
    switch (command) {
    case MainCommands::kOpenCompany: OpenCompany(GetCompanyForCommand()); break;
    case MainCommands::kOpenAtNorvel: OpenNorvel(GetCompanyForCommand()); break;
    case MainCommands::kExport: Export(); break;
    case MainCommands::kCopy: CopyResults(); break;
    case MainCommands::kSelectAll: SelectAllResults(); break;
    case MainCommands::kShowOnMap: ShowOnMap(); break;
    case MainCommands::kCopyAddress: CopyAddress(); break;
    case MainCommands::kSaveVCard: SaveVCards(); break;
    case MainCommands::kOpenWebsite: OpenLink(&CompanyCommands::OpenWebsite); break;
    case MainCommands::kWriteEmail: OpenLink(&CompanyCommands::WriteEmail); break;
    case MainCommands::kPrint: Print(false); break;
    case MainCommands::kPrintPreview: Print(true); break;
    case MainCommands::kSearch: Search(); break;
    case MainCommands::kPlaceCursor: PlaceCursor(); break;
    case MainCommands::kAbout: About(); break;
    case MainCommands::kQuit: Quit(); break;
    case MainCommands::kPrintList: PrintResults(false); break;
    case MainCommands::kPrintLabels: PrintResults(true); break;
    }
}
// clang-format on

void NorvelFrame::RestoreSettings()
{
    // The layout's controls need this much room; no saved size makes the window smaller.
    if (mainPanel && mainPanel->GetSizer())
        SetMinClientSize(mainPanel->GetSizer()->GetMinSize());

    settings.Restore(GetRit()->GetUserConfigurationFileWithPath(), csvConfig,
                     LabelDialog::LastChoice());
    searchFields.SetKind(settings.GetSearchKind());
}

bool NorvelFrame::Show(bool show)
{
    const bool changed = XmlFrame::Show(show);
    if (show && changed)
        settings.Shown();
    return changed;
}

void NorvelFrame::Exit(wxCloseEvent* event)
{
    const wxString file = GetRit()->GetUserConfigurationFileWithPath();
    settings.SetSearchKind(searchFields.Get().kind);
    if (!settings.Save(file, csvConfig, LabelDialog::LastChoice()))
        ShowError(
            _("Configuration error"),
            _("Could not write configuration. Maybe you have no permission on file: ") + file);
    if (event)
        event->Skip();
}

void NorvelFrame::Quit()
{
    Close(false);
}

void NorvelFrame::About()
{
    AboutDialog dialog(this, -1, GetRit());
    dialog.CentreOnScreen(wxBOTH);
    dialog.ShowModal();
}

void NorvelFrame::PlaceCursor()
{
    if (searchTextCtrl)
        searchTextCtrl->SetFocus();
}

void NorvelFrame::ShowError(const wxString& title, const wxString& message)
{
    ShowErrorBox(this, title, message);
}

void NorvelFrame::AllSectors()
{
    sectorFilter.FollowAllSectors();
    ShowChosenSectors();
}

void NorvelFrame::ShowChosenSectors()
{
    SetStatus(sectorFilter.GetChosenText(), 0);
}

void NorvelFrame::ShowCurrentSector()
{
    // Focus moves about while the window is destroyed too.
    if (!IsBeingDeleted())
        sectorFilter.ShowCurrent();
}

bool NorvelFrame::PressKey(int modifiers, int keyCode)
{
    // Keys typed in a company window come here too; they are that window's.
    wxWindow* focus = FindFocus();
    if (!focus || wxGetTopLevelParent(focus) != this)
        return false;
    if (focus == searchTextCtrl && modifiers == wxMOD_NONE && keyCode == WXK_DOWN &&
        recentSearchesButton) {
        ShowRecentSearches();
        return true;
    }
    if (modifiers != wxMOD_CONTROL || keyCode != 'F')
        return false;
    PlaceCursor();
    return true;
}

void NorvelFrame::ShowRecentSearches()
{
    if (recentSearchesButton)
        searchFields.ShowRecent(recentSearchesButton);
}

void NorvelFrame::ChooseRecentSearch(int menuId)
{
    // A search chosen from the list runs at once; clearing the list only clears it.
    if (searchFields.Choose(menuId) && menuId != SearchFields::kClearRecent)
        Search();
}

void NorvelFrame::Search()
{
    ResultList::Outcome outcome;
    {
        BusyGuard guard(busy);
        if (!guard || !resultsListCtrl)
            return;
        ResultList::Query query;
        query.sectorIds = sectorFilter.GetIds();
        const RecentSearch asked = searchFields.Get();
        query.text = asked.text;
        query.place = asked.place;
        query.kind = asked.kind;
        searchFields.Remember();
        listedSearch = ResultListPrinting::DescribeSearch(query.text.Strip(wxString::both),
                                                          query.place.Strip(wxString::both),
                                                          sectorFilter.GetNames());
        ClearResultsListCtrl();
        SelectCompany();
        outcome = results.Fill(this, GetRit(), query, [this](unsigned int total) {
            SetStatus(_("Results: ") + BKCasts::ToString(total), 1);
        });
    }
    // The list is empty now: counts of the search before would describe rows no longer there.
    if (outcome.failed)
        SetStatus(_("Results: ") + BKCasts::ToString(0), 1);
    SetStatus(_("Results shown: ") + BKCasts::ToString(outcome.shown), 2);
    commands.Enable(MainCommands::When::kFound, outcome.total != 0);
    if (outcome.failed)
        ShowError(_("Search error"),
                  _("An error while searching occured. Please try again or call us."));
}

void NorvelFrame::SelectCompany()
{
    const CompanyEntity* company = GetSelectedCompany();
    commands.Enable(MainCommands::When::kSelected, company != nullptr);
    commands.Enable(MainCommands::When::kSelectedWithPlace,
                    company && CompanyAddress::HasPlace(*company));
    commands.Enable(MainCommands::When::kSelectedWithWebsite,
                    company && !CompanyLinks::Website(*company).empty());
    commands.Enable(MainCommands::When::kSelectedWithEmail,
                    company && !CompanyLinks::MailTo(*company).empty());
    if (!selectedCountPending) {
        selectedCountPending = true;
        CallAfter(&NorvelFrame::ShowSelectedCount);
    }
}

void NorvelFrame::ShowSelectedCount()
{
    selectedCountPending = false;
    const int count = results.GetSelectedCount();
    SetStatus(count > 1 ? wxString::Format(wxPLURAL("%d selected", "%d selected", count), count)
                        : wxString(),
              3);
}

CompanyEntity* NorvelFrame::GetCompanyForCommand()
{
    CompanyEntity* company = results.GetCurrentCompany();
    if (company && results.GetSelectedCount() > 1)
        SetStatus(
            wxString::Format(_("Only the current company: %s"), company->Text(CompanyField::kName)),
            3);
    return company;
}

void NorvelFrame::OpenCompany(CompanyEntity* company)
{
    if (!company)
        AskForSelection();
    else if (HasLoadableId(*company))
        companyWindows.Open(*company);
}

bool NorvelFrame::HasLoadableId(const CompanyEntity& company)
{
    // By its number the company would be taken for another one.
    if (company.HasLoadableId())
        return true;
    ShowError(_("Error"), _("Could not load company"));
    return false;
}

void NorvelFrame::OpenNorvel(CompanyEntity* company)
{
    if (!company)
        AskForSelection();
    else if (HasLoadableId(*company))
        GetRit()->OpenCompanyAtNorvel(company->GetId());  // a failing browser is not reported
}

void NorvelFrame::Print(bool preview)
{
    BusyGuard guard(busy);
    if (!guard)
        return;
    const std::vector<const CompanyEntity*> companies = GetSelectedCompanies();
    if (companies.empty()) {
        AskForSelection();
        return;
    }
    SelectionPrinter::Print(this, GetRit(), companies, preview);
    FocusResults();
}

void NorvelFrame::PrintResults(bool labels)
{
    BusyGuard guard(busy);
    if (!guard)
        return;
    ResultListPrinting printing(this, GetRit(), resultsListCtrl);
    if (labels)
        printing.PrintLabels();
    else
        printing.PrintList(listedSearch);
    FocusResults();
}

void NorvelFrame::ResultsRightClick()
{
    if (!GetSelectedCompany())
        return;
    std::unique_ptr<wxMenu> menu(CreateResultsMenu());
    PopupMenu(menu.get());
}

void NorvelFrame::ShowResultsMenuAtSelection()
{
    wxPoint place;
    if (!results.GetMenuPlace(place))
        return;
    std::unique_ptr<wxMenu> menu(CreateResultsMenu());
    PopupMenu(menu.get(), ScreenToClient(place));
}

wxMenu* NorvelFrame::CreateResultsMenu() const
{
    const CompanyEntity* company = results.GetCurrentCompany();
    return MainCommands::CreateContextMenu([company](MainCommands::When when) {
        if (!company)
            return false;
        if (when == MainCommands::When::kSelectedWithPlace)
            return CompanyAddress::HasPlace(*company);
        if (when == MainCommands::When::kSelectedWithWebsite)
            return !CompanyLinks::Website(*company).empty();
        return when != MainCommands::When::kSelectedWithEmail ||
               !CompanyLinks::MailTo(*company).empty();
    });
}

void NorvelFrame::Export()
{
    BusyGuard guard(busy);
    if (!guard || !resultsListCtrl)
        return;
    long written = -1;
    if (CsvExport::Run(
            this, GetRit(), csvConfig, results,
            [this](const wxString& title, const wxString& message) { ShowError(title, message); },
            written))
        FocusResults();
    if (written >= 0)
        ShowWritten(static_cast<size_t>(written), csvConfig.GetFilename());
}

void NorvelFrame::ShowOnMap()
{
    if (CompanyEntity* company = GetCompanyForCommand())
        CompanyCommands::ShowOnMap(GetRit(), *company);
    else
        AskForSelection();
}

void NorvelFrame::CopyAddress()
{
    if (CompanyEntity* company = GetCompanyForCommand())
        CompanyCommands::CopyAddress(*company);
    else
        AskForSelection();
}

void NorvelFrame::OpenLink(void (*open)(RuntimeInformationType*, const CompanyEntity&))
{
    if (CompanyEntity* company = GetCompanyForCommand())
        open(GetRit(), *company);
    else
        AskForSelection();
}

void NorvelFrame::SaveVCards()
{
    BusyGuard guard(busy);
    if (!guard)
        return;
    const std::vector<const CompanyEntity*> companies = GetSelectedCompanies();
    if (companies.empty()) {
        AskForSelection();
        return;
    }
    wxString name;
    size_t written = 0;
    if (CompanyCommands::SaveVCards(
            this, GetRit(), companies,
            [this](const wxString& title, const wxString& message) { ShowError(title, message); },
            &name, &written))
        ShowWritten(written, name);
    FocusResults();
}

void NorvelFrame::AskForSelection()
{
    ShowError(_("Selection"), _("Please select the company you want to open."));
}

void NorvelFrame::ShowWritten(size_t count, const wxString& name)
{
    SetStatus(wxString::Format(
                  wxPLURAL("%zu company written to %s", "%zu companies written to %s", count),
                  count, name),
              4);
}

void NorvelFrame::SetStatus(const wxString& text, int field)
{
    if (statusBar && field < statusBar->GetFieldsCount())
        statusBar->SetStatusText(text, field);
}

void NorvelFrame::SortByEvent(wxCommandEvent& event)
{
    SortBy(event.GetId() - kSortByFirstColumn);
}

void NorvelFrame::ContextMenuEvent(wxContextMenuEvent& event)
{
    // Only the keyboard's request comes without a place: the mouse's right click is
    // answered by the list's own event.
    auto* from = wxDynamicCast(event.GetEventObject(), wxWindow);
    if (results.Contains(from) && event.GetPosition() == wxDefaultPosition)
        ShowResultsMenuAtSelection();
    else
        event.Skip();
}

void NorvelFrame::CharHookEvent(wxKeyEvent& event)
{
    if (!PressKey(event.GetModifiers(), event.GetKeyCode()))
        event.Skip();
}

void NorvelFrame::SectorTickedEvent(wxCommandEvent&)
{
    ShowChosenSectors();
}

void NorvelFrame::ChildFocusEvent(wxChildFocusEvent& event)
{
    event.Skip();
    // After the toolkit's own handling of the focus, which may scroll the list too.
    if (FindFocus() == sectorsCheckListBox)
        CallAfter(&NorvelFrame::ShowCurrentSector);
}

void NorvelFrame::ExitEvent(wxCloseEvent& event)
{
    Exit(&event);
}

void NorvelFrame::MoveEvent(wxMoveEvent& event)
{
    event.Skip();
    settings.Moved();
}

void NorvelFrame::SizeEvent(wxSizeEvent& event)
{
    event.Skip();
    settings.Resized();
}

void NorvelFrame::UnsplitEvent(wxSplitterEvent& event)
{
    event.Veto();
}

void NorvelFrame::AllSectorsEvent(wxCommandEvent&)
{
    AllSectors();
}

void NorvelFrame::SearchEvent(wxCommandEvent&)
{
    Search();
}

void NorvelFrame::ShowRecentSearchesEvent(wxCommandEvent&)
{
    ShowRecentSearches();
}

void NorvelFrame::RecentSearchEvent(wxCommandEvent& event)
{
    ChooseRecentSearch(event.GetId());
}

void NorvelFrame::SelectCompanyEvent(wxListEvent&)
{
    SelectCompany();
}

void NorvelFrame::OpenCompanyListEvent(wxListEvent&)
{
    OpenCompany(GetCompanyForCommand());
}

void NorvelFrame::ResultsRightClickEvent(wxListEvent&)
{
    ResultsRightClick();
}
