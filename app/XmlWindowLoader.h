// What every window built from a layout shares: loading its layout file into the global
// XRC registry and loading the program icon.
#pragma once

#include <wx/iconbndl.h>
#include <wx/string.h>

class RuntimeInformationType;

class XmlWindowLoader {
public:
    // Loads resources/gui/<name>.xml into the global registry; the toolkit reports problems.
    static void LoadLayout(RuntimeInformationType* rit, const wxString& name);
    // Every size of the program icon; empty when the icon file is missing.
    static wxIconBundle LoadIcons(RuntimeInformationType* rit);
};
