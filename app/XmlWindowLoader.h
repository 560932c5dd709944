// What every window built from a layout shares: loading its layout file into the global
// XRC registry and loading the program icon.
#pragma once

#include <wx/icon.h>
#include <wx/string.h>

class RuntimeInformationType;

class XmlWindowLoader {
public:
    // Loads resources/gui/<name>.xml into the global registry; the toolkit reports problems.
    static void LoadLayout(RuntimeInformationType* rit, const wxString& name);
    // The program icon; not Ok when the icon file is missing.
    static wxIcon LoadIcon(RuntimeInformationType* rit);
};
