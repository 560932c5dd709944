#include "lib/core/BKConfiguration.h"

#include "lib/core/BKFile.h"
#include "lib/core/BKReplacingFile.h"

namespace Brenik {

namespace {

// A value may hold line breaks (a file name may), but a line break in the file ends the entry.
// In the file they stand as the Unicode line and paragraph separators, which no setting holds.
const wxUniChar kStoredLineFeed(0x2028);
const wxUniChar kStoredCarriageReturn(0x2029);

wxString WriteLineBreaks(wxString value)
{
    value.Replace(wxT("\n"), wxString(kStoredLineFeed));
    value.Replace(wxT("\r"), wxString(kStoredCarriageReturn));
    return value;
}

wxString ReadLineBreaks(wxString value)
{
    value.Replace(wxString(kStoredLineFeed), wxT("\n"));
    value.Replace(wxString(kStoredCarriageReturn), wxT("\r"));
    return value;
}

}  // namespace

BKConfiguration::BKConfiguration(const wxString& commentChars, bool commentsOnlyFromLineStart)
    : BKLib(nullptr),
      commentChars(commentChars),
      commentsOnlyFromLineStart(commentsOnlyFromLineStart)
{
}

BKClassInfo BKConfiguration::GetClassInfo() const
{
    return BKClassInfo::Make("BKConfiguration", "0.0.4");
}

bool BKConfiguration::Load(const wxString& fileName)
{
    if (!BKFile::ExistsFile(fileName))
        return false;
    BKFile file(fileName, wxT("r"));
    if (!file.IsOpened())
        return false;
    wxArrayString lines = file.ReadUtf8Lines();
    file.Close();

    for (const wxString& line : lines) {
        if (line.empty())
            continue;
        wxString key;
        wxString value;
        SplitLine(RemoveComment(line), &key, &value);
        if (!key.empty())
            entries[key] = ReadLineBreaks(value);
    }
    return true;
}

BKCasts BKConfiguration::Get(const wxString& key, const wxString& defaultValue) const
{
    BKStringHashMap::const_iterator it = entries.find(key);
    if (it == entries.end() || it->second.empty())
        return BKCasts(defaultValue);
    return BKCasts(it->second);
}

void BKConfiguration::Set(const wxString& key, const wxString& value)
{
    entries[key] = value;
}

void BKConfiguration::Set(const wxString& key, BKCasts& value)
{
    entries[key] = value.ToString();
}

bool BKConfiguration::Save(const wxString& fileName, const wxString& lineBreak)
{
    BKReplacingFile file;
    if (!file.Open(fileName))
        return false;
    for (BKStringHashMap::const_iterator it = entries.begin(); it != entries.end(); ++it) {
        if (!file.Write(
                (it->first + wxT(" ") + WriteLineBreaks(it->second) + lineBreak).utf8_string()))
            return false;
    }
    return file.Commit();
}

wxString BKConfiguration::RemoveComment(const wxString& line) const
{
    // An empty marker would be found at the start of every line and blank the whole file.
    if (commentChars.empty())
        return line;
    size_t position = line.find(commentChars);
    if (position == wxString::npos || (commentsOnlyFromLineStart && position != 0))
        return line;
    return line.substr(0, position);
}

void BKConfiguration::SplitLine(wxString line, wxString* key, wxString* value) const
{
    if (key)
        key->clear();
    if (value)
        value->clear();
    line.Trim(true).Trim(false);
    if (line.empty())
        return;
    size_t position = line.find_first_of(wxT(" \t"));
    if (position == wxString::npos) {
        if (key)
            *key = line;
        return;
    }
    if (key)
        *key = line.substr(0, position);
    if (value) {
        size_t start = line.find_first_not_of(wxT(" \t"), position);
        *value = start == wxString::npos ? wxString() : line.substr(start);
    }
}

}  // namespace Brenik
