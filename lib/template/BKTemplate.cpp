#include "lib/template/BKTemplate.h"

#include <cstdio>
#include <memory>
#include <vector>

#include <wx/convauto.h>
#include <wx/ffile.h>
#include <wx/filename.h>

#include "lib/core/BKCasts.h"
#include "lib/core/BKDateTime.h"
#include "lib/entity/BKEntity.h"

namespace Brenik {

namespace {

size_t MarkLength(wxBOM mark)
{
    size_t length = 0;
    if (mark != wxBOM_None && mark != wxBOM_Unknown)
        wxConvAuto::GetBOMChars(mark, &length);
    return length;
}

}  // namespace

BKTemplate::BKTemplate(const wxString& root) : root(root)
{
    const wxUniChar separator = wxFileName::GetPathSeparator();
    if (!this->root.empty() && this->root.Last() != separator)
        this->root += separator;
    // A date that is not set would print nothing; the sheet shows when it was made.
    const BKDateTime now = BKDateTime::Now();
    internVariables["date"] = now.ToDatabaseDate();
    internVariables["time"] = now.ToDatabaseTime();
    internVariables["datetime"] = now.ToDatabaseDateTime();
}

BKClassInfo BKTemplate::GetClassInfo() const
{
    return BKClassInfo::Make("BKTemplate", "2.0.0");
}

int BKTemplate::SetFile(const wxString& filename)
{
    this->filename = filename;
    // A file that cannot be opened is reported through the toolkit's log as well.
    wxFFile file;
    if (!file.Open(root + filename, "rb"))
        return -2;
    const wxFileOffset length = file.Length();
    if (length < 0)
        return -3;
    std::vector<char> bytes(static_cast<size_t>(length) + 4, '\0');
    if (length > 0 &&
        file.Read(bytes.data(), static_cast<size_t>(length)) != static_cast<size_t>(length))
        return -3;
    // A byte-order mark chooses the encoding; without one the text must be UTF-8 (no
    // silent fallback to another 8-bit encoding).
    const wxConvAuto converter(wxFONTENCODING_MAX);
    const wxString text(bytes.data(), converter, static_cast<size_t>(length));
    // The toolkit gives bytes it cannot decode as the empty text; only a file that holds no
    // more than its byte-order mark is rightly empty.
    if (text.empty() && static_cast<size_t>(length) > MarkLength(converter.GetBOM()))
        return -3;
    content = text;
    return 0;
}

void BKTemplate::SetVariable(const wxString& name, const wxString& value)
{
    variables[name] = value;
}

void BKTemplate::SetInternVariable(const wxString& name, const wxString& value)
{
    internVariables[name] = value;
}

void BKTemplate::SetDynamicVariable(const wxString& name, const wxString& value)
{
    dynamicVariables[name] = value;
}

wxString BKTemplate::Lookup(BKStringHashMap& variables, const wxString& name)
{
    return variables[name];  // enters an unknown name with the empty value
}

wxString BKTemplate::GetVariable(const wxString& name)
{
    return Lookup(variables, name);
}

wxString BKTemplate::GetInternVariable(const wxString& name)
{
    return Lookup(internVariables, name);
}

wxString BKTemplate::GetDynamicVariable(const wxString& name)
{
    return Lookup(dynamicVariables, name);
}

void BKTemplate::SetEntity(BKEntity* entity)
{
    if (!entity)
        return;
    for (unsigned int index = 0; index < entity->GetCount(); ++index) {
        const BKEntity::BKEntityType* field = entity->Get(index);
        if (field)
            variables[field->GetKey()] = field->ToString();
    }
}

void BKTemplate::Replace(wxString& text, const BKStringHashMap& variables, const wxString& kind)
{
    for (const auto& [name, value] : variables)
        text.Replace("{" + kind + ":" + name + "}", value);
}

wxString BKTemplate::Parse()
{
    wxString work = content;
    Replace(work, variables, "s");
    Replace(work, internVariables, "i");
    Replace(work, dynamicVariables, "d");
    parsed += work;
    return work;
}

void BKTemplate::Show(const wxString& prefix) const
{
    std::unique_ptr<char[]> head(BKCasts::ToChar(prefix));
    std::unique_ptr<char[]> body(BKCasts::ToChar(parsed));
    std::printf("%s%s\n", head.get(), body.get());
    std::fflush(stdout);
}

}  // namespace Brenik
