// The about window: a modal dialog showing the page resources/informations/Information.html,
// whose links open inside the same window. Borrows its controls.
#pragma once

#include <utility>
#include <vector>

#include <wx/html/htmlwin.h>
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

private:
    // The controls of the layout, each with the member that keeps it.
    static const std::vector<LayoutControl<AboutDialog>>& LayoutControls();
    wxPanel* mainPanel = nullptr;
    wxHtmlWindow* infoHtmlWindow = nullptr;
};
