// The checks a directory file passes before the program relies on it, made by the directory
// layer above this one: the application object runs them at start-up through these
// declarations without knowing the directory's tables.
#pragma once

#include <wx/string.h>

namespace Brenik {
class BKSQLiteDatabase;
}

// Why the connected file cannot be read as a directory, as a phrase for the start-up box that
// starts with ". "; empty when its tables may be read.
wxString RefusalOfDirectory(Brenik::BKSQLiteDatabase* database);
// Gives the file's link table the indexes a search needs when it lacks them; false when that
// failed.
bool PrepareDirectoryLinks(Brenik::BKSQLiteDatabase* database);
