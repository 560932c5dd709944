// Describes a library class: its name, a three-part version and its author.
// A plain value: copy it freely.
#pragma once

#include <wx/string.h>

namespace Brenik {

class BKClassInfo {
public:
    BKClassInfo(const wxString& name, const wxString& version, const wxString& author);

    void SetName(const wxString& name) { this->name = name; }
    wxString GetName() const { return name; }
    void SetVersion(const wxString& version) { this->version = version; }
    wxString GetVersion() const { return version; }
    void SetAuthor(const wxString& author) { this->author = author; }
    wxString GetAuthor() const { return author; }

    // The record of this class itself.
    BKClassInfo GetClassInfo() const;

    // Builds a record from 8-bit UTF-8 literals with the library's author text.
    static BKClassInfo Make(const char* name, const char* version);

private:
    wxString name;
    wxString version;
    wxString author;
};

}  // namespace Brenik
