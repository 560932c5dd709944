#include "app/XmlDialog.h"

#include <wx/xrc/xmlres.h>

#include "app/XmlWindowLoader.h"

XmlDialog::XmlDialog(wxWindow* parent, int id, RuntimeInformationType* rit, const wxString& name)
{
    Init(parent, id, rit, name);
}

XmlDialog::XmlDialog(RuntimeInformationType* rit, const wxString& name)
{
    Init(nullptr, -1, rit, name);
}

void XmlDialog::Init(wxWindow* parent, int id, RuntimeInformationType* rit, const wxString& name)
{
    this->rit = rit;
    dialogName = name;
    XmlWindowLoader::LoadLayout(rit, name);
    // Without its layout the window is never created; the toolkit has said why, and a
    // window that does not exist cannot take an id or an icon.
    if (!wxXmlResource::Get()->LoadDialog(this, parent, name))
        return;
    // Creation takes the id from the layout; an explicit id given by the caller wins.
    if (id != wxID_ANY)
        SetId(id);
    wxIconBundle icons = XmlWindowLoader::LoadIcons(rit);
    if (!icons.IsEmpty())
        SetIcons(icons);
}
