#include "ui/AboutDialog.h"

#include <wx/sizer.h>

#include "app/LayoutControl.h"
#include "app/RuntimeInformationType.h"
#include "app/XmlWindowLoader.h"
#include "ui/ThemedHtml.h"

const std::vector<LayoutControl<AboutDialog>>& AboutDialog::LayoutControls()
{
    static const std::vector<LayoutControl<AboutDialog>> controls = {
        {"mainPanel", &AboutDialog::mainPanel},
        {"infoHtmlWindow", &AboutDialog::infoHtmlWindow},
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
}
