// A small key/value text file (one "key value" per line, comments after a marker) held in
// memory as a string map. Load adds a file's entries, Save writes the whole map anew.
#pragma once

#include <wx/string.h>

#include "lib/core/BKCasts.h"
#include "lib/core/BKLib.h"
#include "lib/core/BKStringHashMap.h"

namespace Brenik {

class BKConfiguration : public BKLib {
public:
    // An empty map. With commentsOnlyFromLineStart a comment must start its line.
    BKConfiguration(const wxString& commentChars, bool commentsOnlyFromLineStart);

    BKClassInfo GetClassInfo() const override;

    // Adds the file's entries to the map (a key read again replaces the value); false when
    // the file is missing or cannot be read, and the map is then unchanged. A byte-order mark
    // is skipped and a byte that is not UTF-8 read as Latin-1, so no line is lost to them.
    bool Load(const wxString& fileName);
    // The value, or the default when the key is missing or its value is empty.
    BKCasts Get(const wxString& key, const wxString& defaultValue) const;
    void Set(const wxString& key, const wxString& value);
    void Set(const wxString& key, BKCasts& value);
    // Writes every entry as key, blank, value and the line break; line breaks inside a value
    // are stored so that Load gives them back. The new content replaces the old file only
    // when it was written completely (see BKReplacingFile), so a failure (false) leaves any
    // earlier file as it was; a file without write permission is refused.
    bool Save(const wxString& fileName, const wxString& lineBreak);

    void SetCommentChars(const wxString& commentChars) { this->commentChars = commentChars; }
    wxString GetCommentChars() const { return commentChars; }
    void SetCommentsOnlyFromLineStart(bool onlyFromLineStart)
    {
        commentsOnlyFromLineStart = onlyFromLineStart;
    }
    bool GetCommentsOnlyFromLineStart() const { return commentsOnlyFromLineStart; }

    // The line without its comment; unchanged when the marker is empty.
    wxString RemoveComment(const wxString& line) const;
    // Key up to the first blank or tab, value after it without leading blanks and tabs;
    // both empty for a blank line. Either pointer may be null.
    void SplitLine(wxString line, wxString* key, wxString* value) const;

private:
    BKStringHashMap entries;
    wxString commentChars;
    bool commentsOnlyFromLineStart;
};

}  // namespace Brenik
