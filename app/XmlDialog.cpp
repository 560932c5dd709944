#include "app/XmlDialog.h"

#include "app/ScreenFit.h"
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
    XmlWindowLoader::Build<wxDialog>(this, parent, id, rit, name, &wxXmlResource::LoadDialog);
}

bool XmlDialog::Show(bool show)
{
    if (show && !IsShown())
        ScreenFit::Fit(this);
    return wxDialog::Show(show);
}
