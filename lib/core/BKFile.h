// A small text file class: the toolkit's stdio file with whole-file reading into lines,
// path joining and an existence test. Owns the open file and closes it when destroyed.
#pragma once

#include <wx/arrstr.h>
#include <wx/ffile.h>
#include <wx/strconv.h>
#include <wx/string.h>

#include "lib/core/BKLib.h"

namespace Brenik {

class BKFile : public BKLib, public wxFFile {
public:
    // No file open.
    explicit BKFile(BKDatabase* database = nullptr);
    // Opens the file, named in UTF-8, with a C library mode ("r", "w" ...); IsOpened() tells
    // whether that worked. A failure is not logged: callers report it themselves.
    BKFile(const wxString& fileName, const wxString& mode);

    BKClassInfo GetClassInfo() const override;

    // The rest of the open file decoded with the conversion, split into lines at LF, CR LF or
    // CR. A text ending with a line break gives a last empty line; a closed file gives none.
    wxArrayString ReadToArrayString(wxMBConv& conversion);
    // The same for a UTF-8 text read leniently: a leading byte-order mark is skipped, and a
    // byte that is not UTF-8 is read as the Latin-1 letter it would be.
    wxArrayString ReadUtf8Lines();

    // Directory and name joined by the path separator unless the directory is empty or
    // already ends with it.
    static wxString Concat(const wxString& directory, const wxString& name);
    // True when the name, in UTF-8, is a regular file that can be opened for reading; false for
    // a directory, a FIFO or a device.
    static bool ExistsFile(const wxString& fileName);
};

}  // namespace Brenik
