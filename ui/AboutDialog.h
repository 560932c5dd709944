// The about window: a modal dialog showing the page resources/informations/Information.html,
// whose links open inside the same window, from the page or, for the keyboard, from the list
// of the page's links below it. Borrows its controls.
#pragma once

#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/html/htmlwin.h>
#include <wx/listbox.h>
#include <wx/panel.h>

#include "app/XmlDialog.h"

template <typename Window>
class LayoutControl;

class AboutDialog : public XmlDialog {
public:
    // What the dialog looks up in its layout "AboutDialog": control names and classes.
    static const std::vector<std::pair<const char*, wxClassInfo*>>& GetLayoutControls();

    // Loads the page; a missing page leaves the window empty (the toolkit reports it).
    AboutDialog(wxWindow* parent, int id, RuntimeInformationType* rit);

    // Shows the page the link leads to, relative to the page shown, and lists its links.
    void Follow(const wxString& href);
    // Follows the link chosen in the list.
    void FollowChosenLink();

    void LinkEvent(wxHtmlLinkEvent& event);
    void FollowLinkEvent(wxCommandEvent& event);

private:
    // The controls of the layout, each with the member that keeps it.
    static const std::vector<LayoutControl<AboutDialog>>& LayoutControls();
    wxPanel* mainPanel = nullptr;
    wxHtmlWindow* infoHtmlWindow = nullptr;
    wxListBox* linksListBox = nullptr;
    wxButton* followLinkButton = nullptr;
    // The targets of the links listed, in list order.
    std::vector<wxString> links;

    // Lists the links of the page shown, each once, by their texts.
    void ListLinks();

    wxDECLARE_EVENT_TABLE();
};
