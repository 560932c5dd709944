#include "ui/NorvelFrame.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include <wx/app.h>
#include <wx/xrc/xmlres.h>

#include "app/ErrorBox.h"
#include "app/LayoutControl.h"
#include "app/RuntimeInformationType.h"
#include "app/XmlWindowLoader.h"
#include "directory/CompanyAddress.h"
#include "directory/CompanyController.h"
#include "directory/CompanyEntity.h"
#include "directory/SectorController.h"
#include "directory/SectorEntities.h"
#include "lib/core/BKCasts.h"
#include "lib/core/BKCollation.h"
#include "lib/gui/BKListCtrl.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/PrintPreviewDialog.h"
#include "ui/AboutDialog.h"
#include "ui/CompanyCommands.h"
#include "ui/CompanyFrame.h"
#include "ui/ExportDialog.h"
#include "ui/ProgressFrame.h"
#include "ui/ProgressGuard.h"
#include "ui/RecordFileWriter.h"
#include "ui/ResultRows.h"
#include "ui/WindowGeometry.h"

using Brenik::BKCasts;
using Brenik::BKEntity;
using Brenik::BKListCtrl;

namespace {

const char* const kPublisher = "Brenik Software";
const char* const kProgramName = "norvel - Ved Avadirizaziz";
const char* const kVersionLabel = "0.1.0";

// The text with an access key on its first letter that no text before it has taken; the
// letters taken are kept in taken.
wxString WithAccessKey(const wxString& text, wxString& taken)
{
    for (size_t at = 0; at < text.length(); ++at) {
        const wxString letter = wxString(text[at]).Lower();
        if (wxIsalnum(text[at]) && !taken.Contains(letter)) {
            taken += letter;
            return text.Left(at) + "&" + text.Mid(at);
        }
    }
    return text;
}

wxString FieldText(BKEntity* entity, const char* key)
{
    BKEntity::BKEntityType* field = entity->Get(key);
    return field ? field->ToString() : wxString();
}

}  // namespace

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(NorvelFrame, XmlFrame)
    EVT_CLOSE(NorvelFrame::ExitEvent)
    EVT_MOVE(NorvelFrame::MoveEvent)
    EVT_SIZE(NorvelFrame::SizeEvent)
    EVT_MENU(XRCID("quitMenuItem"), NorvelFrame::QuitEvent)
    EVT_MENU(XRCID("aboutMenuItem"), NorvelFrame::AboutEvent)
    EVT_MENU(XRCID("openCompanyMenuItem"), NorvelFrame::OpenCompanyEvent)
    EVT_MENU(XRCID("openAtNorvelMenuItem"), NorvelFrame::OpenNorvelEvent)
    EVT_MENU(XRCID("exportMenuItem"), NorvelFrame::ExportEvent)
    EVT_MENU(XRCID("printCompanyMenuItem"), NorvelFrame::PrintCompanyEvent)
    EVT_MENU(XRCID("printPreviewCompanyMenuItem"), NorvelFrame::PrintPreviewCompanyEvent)
    EVT_MENU(XRCID("placeCursorMenuItem"), NorvelFrame::PlaceCursorEvent)
    EVT_MENU(XRCID("searchTool"), NorvelFrame::SearchEvent)
    EVT_MENU(XRCID("openCompanyTool"), NorvelFrame::OpenCompanyEvent)
    EVT_MENU(XRCID("openAtNorvelTool"), NorvelFrame::OpenNorvelEvent)
    EVT_MENU(XRCID("exportTool"), NorvelFrame::ExportEvent)
    EVT_MENU(XRCID("printCompanyTool"), NorvelFrame::PrintCompanyEvent)
    EVT_MENU(XRCID("printPreviewCompanyTool"), NorvelFrame::PrintPreviewCompanyEvent)
    EVT_CHECKBOX(XRCID("allSectorsCheckBox"), NorvelFrame::AllSectorsEvent)
    EVT_TEXT_ENTER(XRCID("searchTextCtrl"), NorvelFrame::SearchEvent)
    EVT_TEXT_ENTER(XRCID("placeTextCtrl"), NorvelFrame::SearchEvent)
    EVT_SPLITTER_UNSPLIT(XRCID("mainSplitterWindow"), NorvelFrame::UnsplitEvent)
    EVT_LIST_ITEM_ACTIVATED(XRCID("resultsListCtrl"), NorvelFrame::OpenCompanyListEvent)
    EVT_LIST_ITEM_RIGHT_CLICK(XRCID("resultsListCtrl"), NorvelFrame::ResultsRightClickEvent)
    EVT_LIST_ITEM_SELECTED(XRCID("resultsListCtrl"), NorvelFrame::SelectCompanyEvent)
    EVT_LIST_ITEM_DESELECTED(XRCID("resultsListCtrl"), NorvelFrame::SelectCompanyEvent)
    EVT_MENU(NorvelFrame::kContextOpenCompany, NorvelFrame::OpenCompanyEvent)
    EVT_MENU(NorvelFrame::kContextOpenAtNorvel, NorvelFrame::OpenNorvelEvent)
    EVT_MENU(NorvelFrame::kContextExport, NorvelFrame::ExportEvent)
    EVT_MENU(NorvelFrame::kContextCopy, NorvelFrame::CopyResultsEvent)
    EVT_MENU(NorvelFrame::kContextSelectAll, NorvelFrame::SelectAllResultsEvent)
    EVT_MENU(XRCID("showOnMapMenuItem"), NorvelFrame::ShowOnMapEvent)
    EVT_MENU(XRCID("copyAddressMenuItem"), NorvelFrame::CopyAddressEvent)
    EVT_MENU(XRCID("saveVCardMenuItem"), NorvelFrame::SaveVCardsEvent)
    EVT_MENU(NorvelFrame::kContextShowOnMap, NorvelFrame::ShowOnMapEvent)
    EVT_MENU(NorvelFrame::kContextCopyAddress, NorvelFrame::CopyAddressEvent)
    EVT_MENU(NorvelFrame::kContextSaveVCard, NorvelFrame::SaveVCardsEvent)
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

const std::vector<const char*>& NorvelFrame::GetLayoutMenuItems()
{
    static const std::vector<const char*> items = {
        "quitMenuItem",
        "aboutMenuItem",
        "openCompanyMenuItem",
        "openAtNorvelMenuItem",
        "exportMenuItem",
        "printCompanyMenuItem",
        "printPreviewCompanyMenuItem",
        "placeCursorMenuItem",
        "showOnMapMenuItem",
        "copyAddressMenuItem",
        "saveVCardMenuItem",
    };
    return items;
}

const std::vector<const char*>& NorvelFrame::GetLayoutTools()
{
    static const std::vector<const char*> tools = {
        "searchTool", "openCompanyTool",  "openAtNorvelTool",
        "exportTool", "printCompanyTool", "printPreviewCompanyTool",
    };
    return tools;
}

NorvelFrame::NorvelFrame(RuntimeInformationType* rit) : XmlFrame(rit, "NorvelFrame")
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    SetTitle(wxString::FromUTF8(kPublisher) + " - " + wxString::FromUTF8(kProgramName) +
             " Version " + wxString::FromUTF8(kVersionLabel));

    menuBar = GetMenuBar();
    statusBar = GetStatusBar();
    toolBar = GetToolBar();
    if (statusBar) {
        // The first field says how many sectors are ticked ("12 Branchen gewählt").
        const int widths[] = {170, 200, 300};
        statusBar->SetFieldsCount(3, widths);
    }
    // Menu and tool help would run into the counts in the narrow first field: none is shown.
    SetStatusBarPane(-1);

    LayoutControl<NorvelFrame>::FindAll(*this, LayoutControls());
    for (const char* name : GetLayoutMenuItems())
        wxASSERT_MSG(menuBar && menuBar->FindItem(XRCID(name)),
                     wxString::Format("Layout NorvelFrame lacks menu item %s", name));
    for (const char* name : GetLayoutTools())
        wxASSERT_MSG(toolBar && toolBar->FindById(XRCID(name)),
                     wxString::Format("Layout NorvelFrame lacks tool %s", name));

    // The company commands wait for a selected company, the export for a search that finds
    // something.
    SelectCompany();
    EnableCommand("exportMenuItem", "exportTool", false);

    InsertResultColumns();
    FillSortMenu();
    companyFrames.SetLeaveHandler([this] { FocusResults(); });
    RestoreSettings();
    LoadSectors();
    PlaceCursor();
}

NorvelFrame::~NorvelFrame()
{
    // The company windows are destroyed after this frame's members: none may reach the
    // registry then.
    for (unsigned int index = 0; index < companyFrames.GetItemCount(); ++index)
        companyFrames.GetItem(index)->DetachRegistry();
    companyFrames.ClearItems();
    ClearResultsListCtrl();
}

void NorvelFrame::InsertResultColumns()
{
    if (resultsListCtrl)
        ResultRows::InsertColumns(*resultsListCtrl);
}

void NorvelFrame::FillSortMenu()
{
    wxMenuItem* item = menuBar ? menuBar->FindItem(XRCID("sortMenu")) : nullptr;
    wxMenu* menu = item ? item->GetSubMenu() : nullptr;
    if (!menu || !resultsListCtrl)
        return;
    // The headings change with the language: their access keys are chosen as they come.
    wxString taken;
    const int columns =
        std::min(resultsListCtrl->GetColumnCount(), kSortByLastColumn - kSortByFirstColumn + 1);
    for (int column = 0; column < columns; ++column) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        resultsListCtrl->GetColumn(column, heading);
        menu->Append(kSortByFirstColumn + column, WithAccessKey(heading.GetText(), taken));
    }
}

void NorvelFrame::RestoreSettings()
{
    // The layout's controls need this much room; no saved size makes the window smaller.
    if (mainPanel && mainPanel->GetSizer())
        SetMinClientSize(mainPanel->GetSizer()->GetMinSize());

    wxString exportFilename = csvConfig.GetFilename();
    geometry.Restore(GetRit()->GetUserConfigurationFileWithPath(), exportFilename);
    csvConfig.SetFilename(exportFilename);
}

bool NorvelFrame::Show(bool show)
{
    const bool changed = XmlFrame::Show(show);
    if (show && changed)
        geometry.Shown();
    return changed;
}

void NorvelFrame::LoadSectors()
{
    if (!GetRit() || !GetRit()->GetDatabase())
        return;
    SectorController controller(GetRit()->GetDatabase());
    sectors.reset(controller.LoadSectors());
    if (!sectors || !sectorsCheckListBox)
        return;
    // The database orders names byte by byte, which puts "Bäckereien" after "Buchhandlungen";
    // the list is ordered as a German reader looks for a name, and the records in step with it.
    std::unordered_map<const SQLiteEntity*, std::string> keys;
    for (unsigned int index = 0; index < sectors->GetItemCount(); ++index)
        keys[sectors->GetItem(index)] =
            Brenik::BKCollation::TextKey(FieldText(sectors->GetItem(index), "sector"));
    sectors->SortItems(
        [&keys](const SQLiteEntity* a, const SQLiteEntity* b) { return keys[a] < keys[b]; });
    wxArrayString names;
    names.Alloc(sectors->GetItemCount());
    for (unsigned int index = 0; index < sectors->GetItemCount(); ++index)
        names.Add(FieldText(sectors->GetItem(index), "sector"));
    sectorsCheckListBox->Append(names);
}

void NorvelFrame::Exit(wxCloseEvent* event)
{
    const wxString file = GetRit()->GetUserConfigurationFileWithPath();
    if (!geometry.Save(file, csvConfig.GetFilename()))
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
    if (allSectorsCheckBox && sectorsCheckListBox)
        sectorsCheckListBox->Enable(!allSectorsCheckBox->IsChecked());
    ShowChosenSectors();
}

void NorvelFrame::ShowChosenSectors()
{
    // A later search that finds 2 instead of 51 is no surprise when this is in sight.
    wxArrayInt ticked;
    const bool count = sectorsCheckListBox && sectorsCheckListBox->IsEnabled();
    const int chosen = count ? static_cast<int>(sectorsCheckListBox->GetCheckedItems(ticked)) : 0;
    SetStatus(
        chosen ? wxString::Format(wxPLURAL("%d sector chosen", "%d sectors chosen", chosen), chosen)
               : wxString(),
        0);
}

void NorvelFrame::ShowCurrentSector()
{
    // Focus moves about while the window is destroyed too.
    if (IsBeingDeleted() || !sectorsCheckListBox || sectorsCheckListBox->IsEmpty())
        return;
    const int current = sectorsCheckListBox->GetSelection();
    sectorsCheckListBox->EnsureVisible(current == wxNOT_FOUND ? 0 : current);
}

bool NorvelFrame::PressKey(int modifiers, int keyCode)
{
    // Keys typed in a company window come here too; they are that window's.
    wxWindow* focus = FindFocus();
    if (!focus || wxGetTopLevelParent(focus) != this)
        return false;
    if (modifiers != wxMOD_CONTROL || keyCode != 'F')
        return false;
    PlaceCursor();
    return true;
}

void NorvelFrame::FocusResults()
{
    if (resultsListCtrl && resultsListCtrl->GetItemCount() > 0)
        resultsListCtrl->SetFocus();
}

void NorvelFrame::SortBy(int column)
{
    if (resultsListCtrl)
        resultsListCtrl->SortAsHeaderClick(column);
}

wxArrayString NorvelFrame::GetSectorFilter() const
{
    wxArrayString ids;
    if (!sectors || !sectorsCheckListBox || (allSectorsCheckBox && allSectorsCheckBox->IsChecked()))
        return ids;
    const unsigned int count = sectorsCheckListBox->GetCount();
    for (unsigned int item = 0; item < count; ++item) {
        if (sectorsCheckListBox->IsChecked(item) && item < sectors->GetItemCount())
            ids.Add(FieldText(sectors->GetItem(item), "id"));
    }
    // Every sector checked is no restriction at all, and the statement is simpler without.
    if (ids.GetCount() == count)
        ids.Clear();
    return ids;
}

void NorvelFrame::Search()
{
    if (busy || !resultsListCtrl)
        return;
    busy = true;

    const wxArrayString sectorIds = GetSectorFilter();
    ClearResultsListCtrl();
    SelectCompany();

    // The search yields to the toolkit after every record.
    ProgressGuard progress(this, GetRit());

    CompanyController factory(GetRit()->GetDatabase());
    // Blanks around the text are invisible in the field, and no name starts or ends with one.
    const wxString text =
        searchTextCtrl ? searchTextCtrl->GetValue().Strip(wxString::both) : wxString();
    const wxString place =
        placeTextCtrl ? placeTextCtrl->GetValue().Strip(wxString::both) : wxString();
    CompanyController* search = factory.InitSearch(text, sectorIds, place);
    bool failed = search == nullptr;
    if (search) {
        const unsigned int total = search->GetCount();
        progress->SetCount(total);
        SetStatus(_("Results: ") + BKCasts::ToString(total), 1);

        unsigned int shown = 0;
        // The list is covered by the modal progress window and disabled anyway; painting
        // its rows on every yield would cost more than reading them, so it paints once, when
        // the listing is done.
        resultsListCtrl->Freeze();
        for (;;) {
            CompanyEntity* company = search->RunSearch();
            if (!company)
                break;
            // The record of the step in which the cancel is seen is not listed; nobody
            // else holds it. A cancel that stopped the statement itself leaves the companies
            // it found until then to be listed.
            if (progress->IsCanceled() && !search->WasStopped()) {
                delete company;
                break;
            }
            ++shown;
            if (shown % 10 == 0)
                progress->SetLevel(static_cast<int>(shown));
            if (!resultsListCtrl->Append(ResultRows::Build(company), true))
                delete company;
        }
        search->DeinitSearch();
        resultsListCtrl->Thaw();

        SetStatus(_("Results shown: ") + BKCasts::ToString(shown), 2);
        if (total != 0 && resultsListCtrl->GetItemCount() > 0) {
            resultsListCtrl->SetFocus();
            resultsListCtrl->SetSelection(0);
        }
        EnableCommand("exportMenuItem", "exportTool", total != 0);
    }

    // The list is empty now: counts of the search before would describe rows no longer there.
    if (failed) {
        SetStatus(_("Results: ") + BKCasts::ToString(0), 1);
        SetStatus(_("Results shown: ") + BKCasts::ToString(0), 2);
    }

    // The box is shown after the progress window has gone, not under it.
    progress.End();
    busy = false;

    if (failed)
        ShowError(_("Search error"),
                  _("An error while searching occured. Please try again or call us."));
}

void NorvelFrame::ClearResultsListCtrl()
{
    if (resultsListCtrl)
        resultsListCtrl->CleanUp();
}

void NorvelFrame::SelectCompany()
{
    const bool on = GetSelectedCompany() != nullptr;
    EnableCommand("openCompanyMenuItem", "openCompanyTool", on);
    EnableCommand("openAtNorvelMenuItem", "openAtNorvelTool", on);
    EnableCommand("printCompanyMenuItem", "printCompanyTool", on);
    EnableCommand("printPreviewCompanyMenuItem", "printPreviewCompanyTool", on);
    EnableCommand("showOnMapMenuItem", nullptr,
                  on && CompanyAddress::HasPlace(*GetSelectedCompany()));
    EnableCommand("copyAddressMenuItem", nullptr, on);
    EnableCommand("saveVCardMenuItem", nullptr, on);
}

void NorvelFrame::OpenCompany(CompanyEntity* company)
{
    if (!company) {
        AskForSelection();
        return;
    }
    if (!HasLoadableId(*company))
        return;
    // A company is never open twice: its window comes to the front instead.
    if (CompanyFrame* open = companyFrames.FindCompany(company->GetId())) {
        if (open->IsIconized())
            open->Iconize(false);
        open->Raise();
        return;
    }
    auto* frame = new CompanyFrame(this, -1, GetRit(), company, &companyFrames);
    if (!frame->GetHandle()) {
        // The layout could not be loaded (the toolkit has said so): a window never created
        // is deleted, not destroyed.
        delete frame;
        return;
    }
    companyFrames.Place(frame);
    frame->Show();
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
    if (!company) {
        AskForSelection();
        return;
    }
    if (HasLoadableId(*company))
        GetRit()->OpenCompanyAtNorvel(company->GetId());  // a failing browser is not reported
}

void NorvelFrame::Print(bool preview)
{
    if (busy)
        return;
    const std::vector<const CompanyEntity*> companies = GetSelectedCompanies();
    if (companies.empty()) {
        AskForSelection();
        return;
    }
    std::unique_ptr<HtmlPrintoutLibrary> printout(
        companies.size() == 1 ? GetSelectedCompany()->Print(GetRit()) : PrintSheets(companies));
    if (printout)
        PrintPreviewDialog::PreviewOrPrint(this, GetRit(), printout.get(), preview);
    FocusResults();
}

HtmlPrintoutLibrary* NorvelFrame::PrintSheets(const std::vector<const CompanyEntity*>& companies)
{
    // A few sheets are made before a progress window would have shown.
    const size_t kSheetsWithoutProgress = 10;
    if (companies.size() <= kSheetsWithoutProgress)
        return CompanyEntity::Print(companies, GetRit(), [](size_t) { return true; });
    // The records stay the list's while the progress window yields: no search may start.
    busy = true;
    ProgressGuard progress(this, GetRit());
    progress->SetCount(static_cast<unsigned int>(companies.size()));
    HtmlPrintoutLibrary* printout =
        CompanyEntity::Print(companies, GetRit(), [&progress](size_t made) {
            progress->SetLevel(static_cast<int>(made));
            return !progress->IsCanceled();
        });
    busy = false;
    return printout;
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
    const int row = resultsListCtrl ? resultsListCtrl->GetSingleSelectionPosition() : -1;
    if (row < 0)
        return;
    resultsListCtrl->EnsureVisible(row);
    wxRect place;
    resultsListCtrl->GetItemRect(row, place);
    std::unique_ptr<wxMenu> menu(CreateResultsMenu());
    PopupMenu(menu.get(), ScreenToClient(resultsListCtrl->ClientToScreen(place.GetBottomLeft())));
}

wxMenu* NorvelFrame::CreateResultsMenu() const
{
    auto* menu = new wxMenu;
    menu->Append(kContextOpenCompany, _("&Open company"));
    menu->Append(kContextOpenAtNorvel, _("Open at &norvel"));
    menu->AppendSeparator();
    menu->Append(kContextExport, _("&Export company list"));
    menu->AppendSeparator();
    menu->Append(kContextCopy, _("&Copy\tCtrl+C"));
    menu->Append(kContextSelectAll, _("Select a&ll\tCtrl+A"));
    menu->AppendSeparator();
    menu->Append(kContextShowOnMap, _("Show on &map"));
    const CompanyEntity* company = GetSelectedCompany();
    menu->Enable(kContextShowOnMap, company && CompanyAddress::HasPlace(*company));
    menu->Append(kContextCopyAddress, _("Copy &address"));
    menu->Append(kContextSaveVCard, _("Save as &vCard..."));
    return menu;
}

void NorvelFrame::Export()
{
    if (busy || !resultsListCtrl)
        return;
    bool selectedOnly = false;
    {
        ExportDialog dialog(this, -1, GetRit(), &csvConfig,
                            resultsListCtrl->GetSelectedItemCount());
        if (dialog.ShowModal() != wxID_OK)
            return;
        selectedOnly = dialog.IsSelectedOnly();
    }
    ExportListed(selectedOnly);
    FocusResults();
}

void NorvelFrame::ExportListed(bool selectedOnly)
{
    // The settings in the file's encoding once.
    const CsvConfigType::Utf8 settings = csvConfig.ToUtf8();
    std::string start = settings.fileStart;
    CompanyEntity::AppendCsvHeader(settings, start);
    // A cancel keeps the rows written so far.
    RecordFileWriter writer(
        this, GetRit(), RecordFileWriter::OnCancel::kKeepWritten,
        [this](const wxString& title, const wxString& message) { ShowError(title, message); });
    busy = true;
    const bool written = writer.Write(
        csvConfig.GetFilename(), start, static_cast<size_t>(resultsListCtrl->GetItemCount()),
        [&](size_t index, std::string& piece) {
            const int row = static_cast<int>(index);
            const auto* company = static_cast<CompanyEntity*>(resultsListCtrl->GetPointer(row, 0));
            if (company && (!selectedOnly || resultsListCtrl->IsRowSelected(row)))
                company->AppendCsvContent(settings, piece);
        });
    busy = false;
    if (written)
        ShowError(_("Export finished"), _("The export is finished."));
}

CompanyEntity* NorvelFrame::GetSelectedCompany() const
{
    return resultsListCtrl
               ? static_cast<CompanyEntity*>(resultsListCtrl->GetSingleSelectionPointer())
               : nullptr;
}

std::vector<const CompanyEntity*> NorvelFrame::GetSelectedCompanies() const
{
    std::vector<const CompanyEntity*> companies;
    if (!resultsListCtrl)
        return companies;
    for (long row = resultsListCtrl->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
         row != -1;
         row = resultsListCtrl->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        if (auto* company = static_cast<const CompanyEntity*>(
                resultsListCtrl->GetPointer(static_cast<int>(row), 0)))
            companies.push_back(company);
    }
    return companies;
}

void NorvelFrame::ShowOnMap()
{
    if (CompanyEntity* company = GetSelectedCompany())
        CompanyCommands::ShowOnMap(GetRit(), *company);
    else
        AskForSelection();
}

void NorvelFrame::CopyAddress()
{
    if (CompanyEntity* company = GetSelectedCompany())
        CompanyCommands::CopyAddress(*company);
    else
        AskForSelection();
}

void NorvelFrame::SaveVCards()
{
    if (busy)
        return;
    const std::vector<const CompanyEntity*> companies = GetSelectedCompanies();
    if (companies.empty()) {
        AskForSelection();
        return;
    }
    // The records stay the list's while the progress window yields: no search may start.
    busy = true;
    CompanyCommands::SaveVCards(
        this, GetRit(), companies,
        [this](const wxString& title, const wxString& message) { ShowError(title, message); });
    busy = false;
    FocusResults();
}

void NorvelFrame::AskForSelection()
{
    ShowError(_("Selection"), _("Please select the company you want to open."));
}

void NorvelFrame::EnableCommand(const char* menuItem, const char* tool, bool on)
{
    if (menuItem && menuBar && menuBar->FindItem(XRCID(menuItem)))
        menuBar->Enable(XRCID(menuItem), on);
    if (tool && toolBar && toolBar->FindById(XRCID(tool)))
        toolBar->EnableTool(XRCID(tool), on);
}

void NorvelFrame::SetStatus(const wxString& text, int field)
{
    if (statusBar && field < statusBar->GetFieldsCount())
        statusBar->SetStatusText(text, field);
}

void NorvelFrame::CopyResults()
{
    if (resultsListCtrl)
        resultsListCtrl->CopySelection();
}

void NorvelFrame::SelectAllResults()
{
    if (resultsListCtrl)
        resultsListCtrl->SelectAll(true);
}

void NorvelFrame::ShowOnMapEvent(wxCommandEvent&)
{
    ShowOnMap();
}

void NorvelFrame::CopyAddressEvent(wxCommandEvent&)
{
    CopyAddress();
}

void NorvelFrame::SaveVCardsEvent(wxCommandEvent&)
{
    SaveVCards();
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
    const bool fromList = from && (from == resultsListCtrl || from->GetParent() == resultsListCtrl);
    if (fromList && event.GetPosition() == wxDefaultPosition)
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

void NorvelFrame::CopyResultsEvent(wxCommandEvent&)
{
    CopyResults();
}

void NorvelFrame::SelectAllResultsEvent(wxCommandEvent&)
{
    SelectAllResults();
}

void NorvelFrame::ExitEvent(wxCloseEvent& event)
{
    Exit(&event);
}

void NorvelFrame::MoveEvent(wxMoveEvent& event)
{
    event.Skip();
    geometry.Moved();
}

void NorvelFrame::SizeEvent(wxSizeEvent& event)
{
    event.Skip();
    geometry.Resized();
}

void NorvelFrame::QuitEvent(wxCommandEvent&)
{
    Quit();
}

void NorvelFrame::AboutEvent(wxCommandEvent&)
{
    About();
}

void NorvelFrame::PlaceCursorEvent(wxCommandEvent&)
{
    PlaceCursor();
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

void NorvelFrame::SelectCompanyEvent(wxListEvent&)
{
    SelectCompany();
}

void NorvelFrame::OpenCompanyEvent(wxCommandEvent&)
{
    OpenCompany(GetSelectedCompany());
}

void NorvelFrame::OpenCompanyListEvent(wxListEvent&)
{
    OpenCompany(GetSelectedCompany());
}

void NorvelFrame::OpenNorvelEvent(wxCommandEvent&)
{
    OpenNorvel(GetSelectedCompany());
}

void NorvelFrame::PrintCompanyEvent(wxCommandEvent&)
{
    Print(false);
}

void NorvelFrame::PrintPreviewCompanyEvent(wxCommandEvent&)
{
    Print(true);
}

void NorvelFrame::ResultsRightClickEvent(wxListEvent&)
{
    ResultsRightClick();
}

void NorvelFrame::ExportEvent(wxCommandEvent&)
{
    Export();
}
