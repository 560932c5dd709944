#include "ui/AboutDialog.h"

#include <wx/sizer.h>

#include "app/RuntimeInformationType.h"
#include "app/XmlWindowLoader.h"

const std::vector<std::pair<const char*, wxClassInfo*>>& AboutDialog::GetLayoutControls()
{
    static const std::vector<std::pair<const char*, wxClassInfo*>> controls = {
        {"mainPanel", wxCLASSINFO(wxPanel)},
        {"infoHtmlWindow", wxCLASSINFO(wxHtmlWindow)},
    };
    return controls;
}

AboutDialog::AboutDialog(wxWindow* parent, int id, RuntimeInformationType* rit)
    : XmlDialog(parent, id, rit, "AboutDialog")
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    mainPanel = XmlWindowLoader::FindControl<wxPanel>(this, "mainPanel");
    infoHtmlWindow = XmlWindowLoader::FindControl<wxHtmlWindow>(this, "infoHtmlWindow");
    if (mainPanel && mainPanel->GetSizer()) {
        mainPanel->GetSizer()->SetSizeHints(mainPanel);
        SetClientSize(mainPanel->GetBestSize());
    }
    // Loaded as a location, so that links and images resolve beside the page.
    if (infoHtmlWindow)
        infoHtmlWindow->LoadPage(rit->GetResourcePath("informations", "Information.html"));
}
