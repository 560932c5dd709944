#include "app/XmlFrame.h"

#include <wx/xrc/xmlres.h>

#include "app/XmlWindowLoader.h"

XmlFrame::XmlFrame(wxWindow* parent, int id, RuntimeInformationType* rit, const wxString& name)
{
    Init(parent, id, rit, name);
}

XmlFrame::XmlFrame(RuntimeInformationType* rit, const wxString& name)
{
    Init(nullptr, -1, rit, name);
}

void XmlFrame::Init(wxWindow* parent, int id, RuntimeInformationType* rit, const wxString& name)
{
    this->rit = rit;
    frameName = name;
    XmlWindowLoader::LoadLayout(rit, name);
    // Without its layout the window is never created; the toolkit has said why, and a
    // window that does not exist cannot take an id or an icon.
    if (!wxXmlResource::Get()->LoadFrame(this, parent, name))
        return;
    // Creation takes the id from the layout; an explicit id given by the caller wins.
    if (id != wxID_ANY)
        SetId(id);
    wxIconBundle icons = XmlWindowLoader::LoadIcons(rit);
    if (!icons.IsEmpty())
        SetIcons(icons);
}
