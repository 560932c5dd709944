// Gives an HTML window the desktop theme's colours: every page it shows, set or loaded, is
// laid on the theme's window colour in its text colour, with links in the theme's link colour.
// A page that names colours of its own (a body's bgcolor, text or link, a font's color) keeps
// them. Without it the toolkit paints every page black on white, even under a dark theme.
#pragma once

#include <wx/object.h>  // the base of the processor, which its header does not include

#include <wx/html/htmlproc.h>

class wxHtmlWindow;

class ThemedHtml : public wxHtmlProcessor {
public:
    // From now on the window shows its pages in the theme's colours; it shows an empty page
    // in them until it is given another, so a page that fails to load leaves no white square.
    static void Apply(wxHtmlWindow* window);

    wxString Process(const wxString& page) const override;
};
