#include "ui/ThemedHtml.h"

#include <wx/html/htmlwin.h>
#include <wx/settings.h>

void ThemedHtml::Apply(wxHtmlWindow* window)
{
    if (!window)
        return;
    window->AddProcessor(new ThemedHtml);  // the window owns and deletes it
    window->SetPage(wxString());
}

wxString ThemedHtml::Process(const wxString& page) const
{
    // The theme is read at every page, so a page shown after the user switched themes
    // follows the new one. The page's own body tag, inside this one, overrides what it names.
    const auto colour = [](wxSystemColour which) {
        return wxSystemSettings::GetColour(which).GetAsString(wxC2S_HTML_SYNTAX);
    };
    return "<body bgcolor=\"" + colour(wxSYS_COLOUR_WINDOW) + "\" text=\"" +
           colour(wxSYS_COLOUR_WINDOWTEXT) + "\" link=\"" + colour(wxSYS_COLOUR_HOTLIGHT) + "\">" +
           page + "</body>";
}
