#include "app/XmlFrame.h"

#include "app/ScreenFit.h"
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
    XmlWindowLoader::Build<wxFrame>(this, parent, id, rit, name, &wxXmlResource::LoadFrame);
}

bool XmlFrame::Show(bool show)
{
    if (show && !IsShown())
        ScreenFit::Fit(this);
    return wxFrame::Show(show);
}
