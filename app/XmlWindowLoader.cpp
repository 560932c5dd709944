#include "app/XmlWindowLoader.h"

#include <wx/filename.h>
#include <wx/xrc/xmlres.h>

#include "app/RuntimeInformationType.h"

void XmlWindowLoader::LoadLayout(RuntimeInformationType* rit, const wxString& name)
{
    const wxString file = rit->GetResourcePath("gui", name + ".xml");
    // The registry keeps every file it loaded; loading the same file again would add its
    // resources a second time, so a file already known is reloaded in place instead.
    wxXmlResource* registry = wxXmlResource::Get();
    registry->Unload(file);
    registry->Load(file);
}

wxIconBundle XmlWindowLoader::LoadIcons(RuntimeInformationType* rit)
{
    const wxString file = rit->GetResourcePath("images", "NorvelIcon.ico");
    // All sizes of the file, so that title bar, task bar and switcher each get a sharp one.
    // A missing icon only leaves the window without one; the toolkit would log an error box.
    if (!wxFileName::FileExists(file))
        return wxIconBundle();
    return wxIconBundle(file, wxBITMAP_TYPE_ICO);
}
