// Turns a text template into finished text by replacing named placeholders ({s:name},
// {i:name}, {d:name}) with the values of three variable maps. Owns its texts and maps; a
// plain value that may be copied.
#pragma once

#include <wx/string.h>

#include "lib/core/BKLib.h"
#include "lib/core/BKStringHashMap.h"

namespace Brenik {

class BKEntity;

class BKTemplate : public BKLib {
public:
    // Template files are read from root, which gets the path separator appended unless it is
    // empty or ends with one. The intern variables date, time and datetime hold the moment
    // of construction.
    explicit BKTemplate(const wxString& root = wxString());

    BKClassInfo GetClassInfo() const override;

    wxString GetRoot() const { return root; }

    void SetContent(const wxString& content) { this->content = content; }
    // Reads root + filename into the content: 0 on success, -2 when the file cannot be
    // opened, -3 when it cannot be read or is not valid text. On failure the content stays.
    int SetFile(const wxString& filename);
    wxString& GetContent() { return content; }
    wxString GetContentCopy() const { return content; }
    wxString GetFilename() const { return filename; }

    void SetVariable(const wxString& name, const wxString& value);
    void SetInternVariable(const wxString& name, const wxString& value);
    void SetDynamicVariable(const wxString& name, const wxString& value);
    // The value; an unknown name is entered with the empty value, so that Parse removes its
    // placeholder from then on.
    wxString GetVariable(const wxString& name);
    wxString GetInternVariable(const wxString& name);
    wxString GetDynamicVariable(const wxString& name);
    BKStringHashMap GetInternVariables() const { return internVariables; }

    // Every field of the record becomes the ordinary variable of its key, holding the field's
    // text as it is. Null does nothing.
    void SetEntity(BKEntity* entity);

    // The content with every known placeholder replaced, ordinary variables first, then
    // intern, then dynamic ones (a value may so bring in a placeholder of a later kind).
    // The result is also appended to the parsed text.
    wxString Parse();
    wxString& Get() { return parsed; }
    wxString GetCopy() const { return parsed; }
    void ClearParsed() { parsed.clear(); }

    // Writes prefix, the parsed text and a line feed to standard output as UTF-8.
    void Show(const wxString& prefix) const;

private:
    static wxString Lookup(BKStringHashMap& variables, const wxString& name);
    static void Replace(wxString& text, const BKStringHashMap& variables, const wxString& kind);

    wxString root;
    wxString content;
    wxString parsed;
    wxString filename;
    BKStringHashMap internVariables;
    BKStringHashMap dynamicVariables;
    BKStringHashMap variables;
};

}  // namespace Brenik
