// What every window built from a layout shares: loading its layout file into the global
// XRC registry and loading the program icon.
#pragma once

#include <wx/iconbndl.h>
#include <wx/string.h>
#include <wx/window.h>
#include <wx/xrc/xmlres.h>

class RuntimeInformationType;

class XmlWindowLoader {
public:
    // Loads resources/gui/<name>.xml into the global registry; the toolkit reports problems.
    static void LoadLayout(RuntimeInformationType* rit, const wxString& name);
    // Every size of the program icon; empty when the icon file is missing.
    static wxIconBundle LoadIcons(RuntimeInformationType* rit);

    // A control of the window's layout by name and class. A layout that lacks it is a
    // defect, reported loudly in debug builds; null then, and the window works without it.
    template <typename T>
    static T* FindControl(wxWindow* window, const char* name)
    {
        T* control = wxDynamicCast(window->FindWindow(XRCID(name)), T);
        wxCHECK_MSG(control, nullptr,
                    wxString::Format("Layout %s lacks %s", window->GetName(), name));
        return control;
    }

    // Builds a frame or dialog from its layout: loads the file, creates the window from the
    // resource of the same name, then gives it the caller's id and the program icon.
    template <typename Window>
    static void Build(Window* window, wxWindow* parent, int id, RuntimeInformationType* rit,
                      const wxString& name,
                      bool (wxXmlResource::*create)(Window*, wxWindow*, const wxString&))
    {
        LoadLayout(rit, name);
        // Without its layout the window is never created; the toolkit has said why, and a
        // window that does not exist cannot take an id or an icon.
        if (!(wxXmlResource::Get()->*create)(window, parent, name))
            return;
        // Creation takes the id from the layout; an explicit id given by the caller wins.
        if (id != wxID_ANY)
            window->SetId(id);
        wxIconBundle icons = LoadIcons(rit);
        if (!icons.IsEmpty())
            window->SetIcons(icons);
    }
};
