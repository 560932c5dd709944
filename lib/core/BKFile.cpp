#include "lib/core/BKFile.h"

#include <cstdio>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/filename.h>

#include "lib/core/BKCasts.h"

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

namespace {

std::string ReadRest(FILE* file)
{
    std::string bytes;
    char buffer[8192];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    return bytes;
}

wxArrayString SplitLines(wxString text)
{
    text.Replace(wxT("\r\n"), wxT("\n"));
    text.Replace(wxT("\r"), wxT("\n"));
    return BKLib::Split(text, L'\n');
}

}  // namespace

wxArrayString BKFile::ReadToArrayString(wxMBConv& conversion)
{
    if (!IsOpened())
        return wxArrayString();
    const std::string bytes = ReadRest(fp());
    return SplitLines(wxString(bytes.data(), conversion, bytes.size()));
}

wxArrayString BKFile::ReadUtf8Lines()
{
    if (!IsOpened())
        return wxArrayString();
    std::string bytes = ReadRest(fp());
    // Editors on some systems start a UTF-8 file with a byte-order mark; it is no text.
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    // One byte from a hand edit in another encoding must not cost the whole text: a strict
    // decoding gives nothing at all for it.
    if (!BKCasts::IsValidUtf8(bytes.data(), bytes.size()))
        bytes = BKCasts::RepairUtf8(bytes.data(), bytes.size());
    return SplitLines(wxString::FromUTF8(bytes.data(), bytes.size()));
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
