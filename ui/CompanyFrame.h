// The window that shows one company: contact, register and web data in read-only fields, the
// logo, notes, opening hours and imprint as HTML, parking, and a button to the company's web
// page. It uses the record it is built from only while it is built, and then works with the
// company id alone. Every window is in the list of open ones from its making to its end; the
// record, the runtime information and the controls are borrowed.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/html/htmlwin.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/XmlFrame.h"

class CompanyEntity;

template <typename Window>
class LayoutControl;

class CompanyFrame : public XmlFrame {
public:
    // What the window looks up in its layout "CompanyFrame": controls with their classes, and
    // the menu items.
    static const std::vector<std::pair<const char*, wxClassInfo*>>& GetLayoutControls();
    static const std::vector<const char*>& GetLayoutMenuItems();

    // Builds and fills the window; the caller places and shows it.
    CompanyFrame(wxWindow* parent, int id, RuntimeInformationType* information,
                 CompanyEntity* company);
    ~CompanyFrame() override;

    // The windows made and not yet destroyed, oldest first.
    static const std::vector<CompanyFrame*>& GetOpen();
    // The open window showing the company; null when there is none.
    static CompanyFrame* Find(unsigned int companyId);

    unsigned int GetCompanyId() const { return companyId; }
    // Called once the window has been asked to close and goes; null for nothing.
    void SetClosedHandler(std::function<void()> handler) { closed = std::move(handler); }

    // Asks the window to close, as its close box does.
    void CloseWindow();
    // Opens the company's page on the directory website.
    void Norvel();
    // Prints or previews the company sheet of the company as the database now holds it.
    void Print(bool preview);
    // The company as the database now holds it, with its sectors, owned by the caller; null
    // after the box "Could not print company" when it is gone.
    std::unique_ptr<CompanyEntity> ReloadCompany();
    // The company as the database now holds it: its address in a map search, its postal
    // address on the clipboard, its card in a vCard file. A company gone from the database
    // gives the box "Could not load company".
    void ShowOnMap();
    void CopyAddress();
    void SaveVCard();
    // The company's own web site in the browser, a new mail to its address: from the fields
    // as the database now holds them, and only a link that may be opened (CompanyLinks).
    void OpenWebsite();
    void WriteEmail();
    // The window's own keys: Escape closes it, Ctrl+PgDn and Ctrl+PgUp turn to the next and
    // the previous tab wherever the cursor is. False for any other key.
    bool PressKey(int modifiers, int keyCode);

    void CloseEvent(wxCloseEvent& event);
    void CloseWindowEvent(wxCommandEvent& event);
    void PrintEvent(wxCommandEvent& event);
    void PrintPreviewEvent(wxCommandEvent& event);
    void LinkEvent(wxHtmlLinkEvent& event);
    void NorvelEvent(wxCommandEvent& event);
    void ShowOnMapEvent(wxCommandEvent& event);
    void CopyAddressEvent(wxCommandEvent& event);
    void SaveVCardEvent(wxCommandEvent& event);
    void OpenWebsiteEvent(wxCommandEvent& event);
    void WriteEmailEvent(wxCommandEvent& event);
    void CharHookEvent(wxKeyEvent& event);

private:
    static std::vector<CompanyFrame*>& OpenWindows();
    void LeaveOpenWindows();
    // The controls of the layout, each with the member that keeps it.
    static const std::vector<LayoutControl<CompanyFrame>>& LayoutControls();
    void FindControls();
    void FitToLayout();
    // Greys out the commands the company has nothing for.
    void EnableCommands(const CompanyEntity* company);
    void ShowFields(CompanyEntity* company);
    void ShowParking(CompanyEntity* company);
    void ShowPages(CompanyEntity* company);
    void ShowLogo(CompanyEntity* company);
    // The company reloaded by id, with its sectors; null when it is gone.
    std::unique_ptr<CompanyEntity> LoadCurrent();
    // The same, or the box saying it could not be loaded.
    std::unique_ptr<CompanyEntity> LoadForCommand();
    // A modal box without parent: text, caption, OK, centred.
    void ShowError(const wxString& title, const wxString& message);

    CompanyEntity* company;  // only while the window is built
    unsigned int companyId = 0;
    std::function<void()> closed;

    wxPanel* mainPanel = nullptr;
    wxButton* norvelButton = nullptr;
    wxNotebook* detailsNotebook = nullptr;
    wxStaticBitmap* logoStaticBitmap = nullptr;
    wxStaticText* parkingStaticText = nullptr;
    wxHtmlWindow* informationsHtmlWindow = nullptr;
    wxHtmlWindow* openingHoursHtmlWindow = nullptr;
    wxHtmlWindow* imprintHoursHtmlWindow = nullptr;

    wxDECLARE_EVENT_TABLE();
};
