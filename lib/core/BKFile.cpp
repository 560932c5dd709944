#include "lib/core/BKFile.h"

#include <cstdio>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/filename.h>

namespace Brenik {

BKFile::BKFile(BKDatabase* database) : BKLib(database), wxFFile() {}

BKFile::BKFile(const wxString& fileName, const wxString& mode) : BKLib(nullptr), wxFFile()
{
    // Opened by the C library directly: the toolkit's own Open logs a failure, and in the
    // program a log message becomes a box the caller did not ask for.
    FILE* file = std::fopen(fileName.utf8_str(), mode.utf8_str());
    if (file)
        Attach(file, fileName);
}

BKClassInfo BKFile::GetClassInfo() const
{
    return BKClassInfo::Make("BKFile", "0.0.3");
}

wxArrayString BKFile::ReadToArrayString(wxMBConv& conversion)
{
    if (!IsOpened())
        return wxArrayString();

    std::string bytes;
    char buffer[8192];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, fp())) > 0)
        bytes.append(buffer, count);

    wxString text(bytes.data(), conversion, bytes.size());
    text.Replace(wxT("\r\n"), wxT("\n"));
    text.Replace(wxT("\r"), wxT("\n"));
    return Split(text, L'\n');
}

wxString BKFile::Concat(const wxString& directory, const wxString& name)
{
    wxUniChar separator = wxFileName::GetPathSeparator();
    if (!directory.empty() && directory.Last() != separator)
        return directory + separator + name;
    return directory + name;
}

bool BKFile::ExistsFile(const wxString& fileName)
{
    // Only a regular file holds text: opening a FIFO for reading waits for a writer, for ever
    // at start-up, and a directory or device has no text to read.
    struct stat info;
    if (::stat(fileName.utf8_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const int descriptor = ::open(fileName.utf8_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    ::close(descriptor);
    return true;
}

}  // namespace Brenik
