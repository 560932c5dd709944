#include "ui/CompanyFrame.h"

#include <algorithm>

#include <wx/log.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include "app/ErrorBox.h"
#include "app/LayoutControl.h"
#include "app/RuntimeInformationType.h"
#include "app/XmlWindowLoader.h"
#include "directory/CompanyAddress.h"
#include "directory/CompanyController.h"
#include "directory/CompanyEntity.h"
#include "directory/CompanyLinks.h"
#include "lib/core/BKShownText.h"
#include "print/HtmlSanitiser.h"
#include "print/LogoLibrary.h"
#include "ui/CompanyCommands.h"
#include "ui/SelectionPrinter.h"
#include "ui/ThemedHtml.h"

namespace {

// The window's width; the height is what the layout needs.
const int kWidth = 800;

// The record's text fields and the read-only controls that show them.
const std::pair<const char*, const char*> kFieldControls[] = {
    {"sectors", "sectorsTextCtrl"},
    {"name", "nameTextCtrl"},
    {"ceo", "ceoTextCtrl"},
    {"owner", "ownerTextCtrl"},
    {"description", "descriptionTextCtrl"},
    {"keywords", "keywordsTextCtrl"},
    {"address", "addressTextCtrl"},
    {"housenumber", "houseNumberTextCtrl"},
    {"zipcode", "zipcodeTextCtrl"},
    {"city", "cityTextCtrl"},
    {"state", "stateTextCtrl"},
    {"phone", "phoneTextCtrl"},
    {"fax", "faxTextCtrl"},
    {"mobile", "mobileTextCtrl"},
    {"internet", "internetTextCtrl"},
    {"email", "emailTextCtrl"},
    {"taxIdNumber", "taxIdNumberTextCtrl"},
    {"taxNumber", "taxNumberTextCtrl"},
    {"districtCourt", "districtCourtTextCtrl"},
    {"commercialRegister", "commercialRegisterTextCtrl"},
    {"imprintUrl", "imprintUrlTextCtrl"},
    {"blog", "blogTextCtrl"},
    {"twitter", "twitterTextCtrl"},
    {"facebook", "facebookTextCtrl"},
    {"staff", "staffTextCtrl"},
    {"startyear", "startYearTextCtrl"},
    {"typeofcompany", "typeOfCompanyTextCtrl"},
    {"cooperations", "cooperationsTextCtrl"},
    {"memberships", "membershipsTextCtrl"},
};

// A scrolled page would ask for no height of its own. It asks for all its rows, so that the
// window opens showing every row, and scrolls only where the window ends up lower than asked
// (a window manager's title bar taken out of the height).
void AskForEveryRow(wxWindow* window)
{
    for (wxWindow* child : window->GetChildren()) {
        auto* page = dynamic_cast<wxScrolledWindow*>(child);
        if (page && page->GetSizer())
            page->SetMinSize(page->GetSizer()->GetMinSize());
        AskForEveryRow(child);
    }
}

}  // namespace

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(CompanyFrame, XmlFrame)
    EVT_CLOSE(CompanyFrame::CloseEvent)
    EVT_MENU(XRCID("closeMenuItem"), CompanyFrame::CloseWindowEvent)
    EVT_MENU(XRCID("printMenuItem"), CompanyFrame::PrintEvent)
    EVT_MENU(XRCID("printPreviewMenuItem"), CompanyFrame::PrintPreviewEvent)
    EVT_HTML_LINK_CLICKED(XRCID("informationsHtmlWindow"), CompanyFrame::LinkEvent)
    EVT_HTML_LINK_CLICKED(XRCID("openingHoursHtmlWindow"), CompanyFrame::LinkEvent)
    EVT_HTML_LINK_CLICKED(XRCID("imprintHoursHtmlWindow"), CompanyFrame::LinkEvent)
    EVT_BUTTON(XRCID("norvelButton"), CompanyFrame::NorvelEvent)
    EVT_MENU(XRCID("showOnMapMenuItem"), CompanyFrame::ShowOnMapEvent)
    EVT_MENU(XRCID("copyAddressMenuItem"), CompanyFrame::CopyAddressEvent)
    EVT_MENU(XRCID("saveVCardMenuItem"), CompanyFrame::SaveVCardEvent)
    EVT_MENU(XRCID("openWebsiteMenuItem"), CompanyFrame::OpenWebsiteEvent)
    EVT_MENU(XRCID("writeEmailMenuItem"), CompanyFrame::WriteEmailEvent)
    EVT_CHAR_HOOK(CompanyFrame::CharHookEvent)
wxEND_EVENT_TABLE()

const std::vector<LayoutControl<CompanyFrame>>& CompanyFrame::LayoutControls()
{
    static const std::vector<LayoutControl<CompanyFrame>> controls = {
        {"mainPanel", &CompanyFrame::mainPanel},
        {"norvelButton", &CompanyFrame::norvelButton},
        {"detailsNotebook", &CompanyFrame::detailsNotebook},
        {"logoStaticBitmap", &CompanyFrame::logoStaticBitmap},
        {"parkingStaticText", &CompanyFrame::parkingStaticText},
        {"informationsHtmlWindow", &CompanyFrame::informationsHtmlWindow},
        {"openingHoursHtmlWindow", &CompanyFrame::openingHoursHtmlWindow},
        {"imprintHoursHtmlWindow", &CompanyFrame::imprintHoursHtmlWindow},
    };
    return controls;
}

const std::vector<std::pair<const char*, wxClassInfo*>>& CompanyFrame::GetLayoutControls()
{
    static const std::vector<std::pair<const char*, wxClassInfo*>> controls = [] {
        auto list = LayoutControl<CompanyFrame>::Contract(LayoutControls());
        for (const auto& [key, control] : kFieldControls)
            list.emplace_back(control, wxCLASSINFO(wxTextCtrl));
        return list;
    }();
    return controls;
}
// clang-format on

const std::vector<const char*>& CompanyFrame::GetLayoutMenuItems()
{
    static const std::vector<const char*> items = {
        "printMenuItem",     "printPreviewMenuItem", "showOnMapMenuItem",  "copyAddressMenuItem",
        "saveVCardMenuItem", "openWebsiteMenuItem",  "writeEmailMenuItem", "closeMenuItem"};
    return items;
}

CompanyFrame::CompanyFrame(wxWindow* parent, int id, RuntimeInformationType* information,
                           CompanyEntity* company)
    : XmlFrame(parent, id, information, "CompanyFrame"), company(company)
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    // A title of megabytes is more than the display server takes in one request, and the
    // toolkit ends the program on the error.
    SetTitle(company ? Brenik::BKShownText::Of(company->Utf8(CompanyField::kName),
                                               Brenik::BKShownText::Lines::kOne,
                                               Brenik::BKShownText::kLineLength)
                     : wxString());
    companyId = company ? company->GetId() : 0;
    OpenWindows().push_back(this);

    FindControls();
    FitToLayout();
    ShowFields(company);
    ShowParking(company);
    ShowPages(company);
    ShowLogo(company);
    EnableCommands(company);
    // The record belongs to the main window's result list, which may release it any time.
    this->company = nullptr;
}

CompanyFrame::~CompanyFrame()
{
    LeaveOpenWindows();
}

void CompanyFrame::LeaveOpenWindows()
{
    std::vector<CompanyFrame*>& open = OpenWindows();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

std::vector<CompanyFrame*>& CompanyFrame::OpenWindows()
{
    static std::vector<CompanyFrame*> open;
    return open;
}

const std::vector<CompanyFrame*>& CompanyFrame::GetOpen()
{
    return OpenWindows();
}

CompanyFrame* CompanyFrame::Find(unsigned int companyId)
{
    for (CompanyFrame* frame : OpenWindows()) {
        if (frame->GetCompanyId() == companyId)
            return frame;
    }
    return nullptr;
}

void CompanyFrame::FindControls()
{
    LayoutControl<CompanyFrame>::FindAll(*this, LayoutControls());

    wxMenuBar* menuBar = GetMenuBar();
    for (const char* name : GetLayoutMenuItems())
        wxASSERT_MSG(menuBar && menuBar->FindItem(XRCID(name)),
                     wxString::Format("Layout CompanyFrame lacks menu item %s", name));
}

void CompanyFrame::FitToLayout()
{
    if (!mainPanel || !mainPanel->GetSizer())
        return;
    AskForEveryRow(mainPanel);
    mainPanel->GetSizer()->SetSizeHints(this);
    SetSize(wxSize(kWidth, GetSize().GetHeight()));
    // The controls get their real sizes now: the logo is scaled to its control's width,
    // which is 0 before the first layout.
    Layout();
    mainPanel->Layout();
}

void CompanyFrame::EnableCommands(const CompanyEntity* company)
{
    // Like the main window: the map only for a company with a place to find, the links only
    // for a company that has them.
    const std::pair<const char*, bool> commands[] = {
        {"showOnMapMenuItem", company && CompanyAddress::HasPlace(*company)},
        {"openWebsiteMenuItem", company && !CompanyLinks::Website(*company).empty()},
        {"writeEmailMenuItem", company && !CompanyLinks::MailTo(*company).empty()}};
    wxMenuBar* menuBar = GetMenuBar();
    for (const auto& [name, on] : commands) {
        if (menuBar && menuBar->FindItem(XRCID(name)))
            menuBar->Enable(XRCID(name), on);
    }
}

void CompanyFrame::ShowFields(CompanyEntity* company)
{
    using Brenik::BKShownText;
    for (const auto& [key, name] : kFieldControls) {
        auto* control = XmlWindowLoader::FindControl<wxTextCtrl>(this, name);
        const Brenik::BKEntity::BKEntityType* field = company ? company->Get(key) : nullptr;
        if (!control || !field)
            continue;
        const bool many = control->IsMultiLine();
        control->ChangeValue(BKShownText::Of(
            field->GetUtf8(), many ? BKShownText::Lines::kMany : BKShownText::Lines::kOne,
            many ? BKShownText::kPageLength : BKShownText::kLineLength));
    }
}

void CompanyFrame::ShowParking(CompanyEntity* company)
{
    if (!parkingStaticText)
        return;
    const Brenik::BKEntity::BKEntityType* parking =
        company ? company->Field(CompanyField::kParking) : nullptr;
    parkingStaticText->SetLabel(parking && parking->ToBool() ? _("Parking available")
                                                             : _("Parking not available"));
}

void CompanyFrame::ShowPages(CompanyEntity* company)
{
    // The directory's HTML fragments, fit for the engine. Whatever it would still complain
    // of goes nowhere: a box raised while a page is set would stop the window opening.
    wxLogNull quiet;
    const std::pair<wxHtmlWindow*, CompanyField> pages[] = {
        {informationsHtmlWindow, CompanyField::kNotes},
        {openingHoursHtmlWindow, CompanyField::kOpeningHours},
        {imprintHoursHtmlWindow, CompanyField::kImprint}};
    for (const auto& [window, field] : pages) {
        if (!window)
            continue;
        ThemedHtml::Apply(window);
        window->SetPage(company ? HtmlSanitiser::SanitiseUtf8(company->Utf8(field)) : wxString());
    }
}

void CompanyFrame::ShowLogo(CompanyEntity* company)
{
    const wxString logo = company ? company->Text(CompanyField::kLogo) : wxString();
    if (!logoStaticBitmap || logo.empty())
        return;
    const wxImage image = LogoLibrary::Decode(logo);
    if (!image.IsOk())
        return;
    // The control keeps the size the layout gives it; a logo wider than it is scaled to its
    // width, and a logo that is still too high to its height, so none is cut off.
    const wxSize place = logoStaticBitmap->GetSize();
    logoStaticBitmap->SetBitmap(wxBitmap(LogoLibrary::FitInto(image, place.x, place.y)));
    logoStaticBitmap->SetSize(place);
}

void CompanyFrame::CloseWindow()
{
    Close(false);
}

void CompanyFrame::Norvel()
{
    GetRit()->OpenCompanyAtNorvel(companyId);  // a failing browser is not reported
}

void CompanyFrame::Print(bool preview)
{
    std::unique_ptr<CompanyEntity> current = ReloadCompany();
    if (!current)
        return;
    // The record the window was opened with may be gone with its search: the sheet is made
    // from the company as the directory holds it now.
    SelectionPrinter::Print(this, GetRit(), {current.get()}, preview);
}

std::unique_ptr<CompanyEntity> CompanyFrame::ReloadCompany()
{
    std::unique_ptr<CompanyEntity> current = LoadCurrent();
    if (!current)
        ShowError(_("Error"), _("Could not print company"));
    return current;
}

std::unique_ptr<CompanyEntity> CompanyFrame::LoadCurrent()
{
    CompanyController controller(GetRit()->GetDatabase());
    return std::unique_ptr<CompanyEntity>(controller.LoadCompanyWithSectors(companyId));
}

std::unique_ptr<CompanyEntity> CompanyFrame::LoadForCommand()
{
    std::unique_ptr<CompanyEntity> current = LoadCurrent();
    if (!current)
        ShowError(_("Error"), _("Could not load company"));
    return current;
}

void CompanyFrame::ShowOnMap()
{
    if (std::unique_ptr<CompanyEntity> current = LoadForCommand())
        CompanyCommands::ShowOnMap(GetRit(), *current);
}

void CompanyFrame::CopyAddress()
{
    if (std::unique_ptr<CompanyEntity> current = LoadForCommand())
        CompanyCommands::CopyAddress(*current);
}

void CompanyFrame::SaveVCard()
{
    std::unique_ptr<CompanyEntity> current = LoadForCommand();
    if (!current)
        return;
    CompanyCommands::SaveVCards(
        this, GetRit(), {current.get()},
        [this](const wxString& title, const wxString& message) { ShowError(title, message); });
}

void CompanyFrame::OpenWebsite()
{
    if (std::unique_ptr<CompanyEntity> current = LoadForCommand())
        CompanyCommands::OpenWebsite(GetRit(), *current);
}

void CompanyFrame::WriteEmail()
{
    if (std::unique_ptr<CompanyEntity> current = LoadForCommand())
        CompanyCommands::WriteEmail(GetRit(), *current);
}

bool CompanyFrame::PressKey(int modifiers, int keyCode)
{
    if (modifiers == wxMOD_NONE && keyCode == WXK_ESCAPE) {
        CloseWindow();
        return true;
    }
    // The notes' view would scroll on these keys; the tabs go first, as in a browser.
    const bool next = keyCode == WXK_PAGEDOWN || keyCode == WXK_NUMPAD_PAGEDOWN;
    const bool previous = keyCode == WXK_PAGEUP || keyCode == WXK_NUMPAD_PAGEUP;
    if (modifiers != wxMOD_CONTROL || !(next || previous) || !detailsNotebook ||
        detailsNotebook->GetPageCount() == 0)
        return false;
    const size_t count = detailsNotebook->GetPageCount();
    const int page = detailsNotebook->GetSelection();
    detailsNotebook->SetSelection((static_cast<size_t>(page) + (next ? 1 : count - 1)) % count);
    return true;
}

void CompanyFrame::ShowError(const wxString& title, const wxString& message)
{
    ShowErrorBox(nullptr, title, message);
}

void CompanyFrame::CloseEvent(wxCloseEvent&)
{
    // A closing window is gone for the next open of its company, before the toolkit deletes it.
    LeaveOpenWindows();
    Destroy();
    if (closed)
        closed();
    closed = nullptr;
}

void CompanyFrame::CloseWindowEvent(wxCommandEvent&)
{
    CloseWindow();
}

void CompanyFrame::PrintEvent(wxCommandEvent&)
{
    Print(false);
}

void CompanyFrame::PrintPreviewEvent(wxCommandEvent&)
{
    Print(true);
}

void CompanyFrame::LinkEvent(wxHtmlLinkEvent&)
{
    // Handled without going on: the views show the directory's texts and follow no link.
}

void CompanyFrame::NorvelEvent(wxCommandEvent&)
{
    Norvel();
}

void CompanyFrame::ShowOnMapEvent(wxCommandEvent&)
{
    ShowOnMap();
}

void CompanyFrame::CopyAddressEvent(wxCommandEvent&)
{
    CopyAddress();
}

void CompanyFrame::SaveVCardEvent(wxCommandEvent&)
{
    SaveVCard();
}

void CompanyFrame::OpenWebsiteEvent(wxCommandEvent&)
{
    OpenWebsite();
}

void CompanyFrame::WriteEmailEvent(wxCommandEvent&)
{
    WriteEmail();
}

void CompanyFrame::CharHookEvent(wxKeyEvent& event)
{
    if (!PressKey(event.GetModifiers(), event.GetKeyCode()))
        event.Skip();
}
