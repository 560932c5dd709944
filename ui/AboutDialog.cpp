#include "ui/AboutDialog.h"

#include <algorithm>

#include <wx/html/htmlcell.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include "app/LayoutControl.h"
#include "app/RuntimeInformationType.h"
#include "app/XmlWindowLoader.h"
#include "ui/ThemedHtml.h"

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(AboutDialog, XmlDialog)
    EVT_HTML_LINK_CLICKED(XRCID("infoHtmlWindow"), AboutDialog::LinkEvent)
    EVT_BUTTON(XRCID("followLinkButton"), AboutDialog::FollowLinkEvent)
    EVT_LISTBOX_DCLICK(XRCID("linksListBox"), AboutDialog::FollowLinkEvent)
wxEND_EVENT_TABLE()
// clang-format on

const std::vector<LayoutControl<AboutDialog>>& AboutDialog::LayoutControls()
{
    static const std::vector<LayoutControl<AboutDialog>> controls = {
        {"mainPanel", &AboutDialog::mainPanel},
        {"infoHtmlWindow", &AboutDialog::infoHtmlWindow},
        {"linksListBox", &AboutDialog::linksListBox},
        {"followLinkButton", &AboutDialog::followLinkButton},
    };
    return controls;
}

const std::vector<std::pair<const char*, wxClassInfo*>>& AboutDialog::GetLayoutControls()
{
    static const auto controls = LayoutControl<AboutDialog>::Contract(LayoutControls());
    return controls;
}

AboutDialog::AboutDialog(wxWindow* parent, int id, RuntimeInformationType* rit)
    : XmlDialog(parent, id, rit, "AboutDialog")
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    LayoutControl<AboutDialog>::FindAll(*this, LayoutControls());
    if (mainPanel && mainPanel->GetSizer()) {
        mainPanel->GetSizer()->SetSizeHints(mainPanel);
        SetClientSize(mainPanel->GetBestSize());
    }
    ThemedHtml::Apply(infoHtmlWindow);
    // Loaded as a location, so that links and images resolve beside the page.
    if (infoHtmlWindow)
        infoHtmlWindow->LoadPage(rit->GetResourcePath("informations", "Information.html"));
    ListLinks();
}

void AboutDialog::Follow(const wxString& href)
{
    if (infoHtmlWindow)
        infoHtmlWindow->LoadPage(href);
    ListLinks();
}

void AboutDialog::FollowChosenLink()
{
    const int chosen = linksListBox ? linksListBox->GetSelection() : wxNOT_FOUND;
    if (chosen != wxNOT_FOUND && static_cast<size_t>(chosen) < links.size())
        Follow(links[static_cast<size_t>(chosen)]);
}

void AboutDialog::ListLinks()
{
    links.clear();
    wxArrayString texts;
    const wxHtmlContainerCell* page =
        infoHtmlWindow ? infoHtmlWindow->GetInternalRepresentation() : nullptr;
    // A link's text is a run of word cells that share its target.
    const wxHtmlLinkInfo* previous = nullptr;
    if (page) {
        // (The toolkit spells its iterator so.)
        for (wxHtmlTerminalCellsInterator cell(page->GetFirstTerminal(), page->GetLastTerminal());
             cell; ++cell) {
            const wxHtmlLinkInfo* link = cell->GetLink();
            const wxString word = cell->ConvertToText(nullptr);
            if (link && previous && link->GetHref() == previous->GetHref() && !texts.empty()) {
                texts.Last() += word;
            } else if (link &&
                       std::find(links.begin(), links.end(), link->GetHref()) == links.end()) {
                links.push_back(link->GetHref());
                texts.Add(word);
            }
            previous = link;
        }
    }
    // The words keep the blanks between them.
    for (wxString& text : texts) {
        text.Trim(true).Trim(false);
        while (text.Replace("  ", " ") > 0) {
        }
    }
    if (linksListBox) {
        linksListBox->Set(texts);
        linksListBox->SetSelection(texts.empty() ? wxNOT_FOUND : 0);
        linksListBox->Enable(!texts.empty());
    }
    if (followLinkButton)
        followLinkButton->Enable(!texts.empty());
}

void AboutDialog::LinkEvent(wxHtmlLinkEvent& event)
{
    Follow(event.GetLinkInfo().GetHref());
}

void AboutDialog::FollowLinkEvent(wxCommandEvent&)
{
    FollowChosenLink();
}
