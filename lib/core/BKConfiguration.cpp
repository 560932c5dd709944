#include "lib/core/BKConfiguration.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lib/core/BKFile.h"

namespace Brenik {

namespace {

// The file a name stands for: a symbolic link is followed, so that saving replaces the
// file it points to and keeps the link.
std::string ResolveTarget(const std::string& fileName)
{
    char* real = ::realpath(fileName.c_str(), nullptr);
    if (!real)
        return fileName;
    std::string target(real);
    std::free(real);
    return target;
}

// Creates a new, empty file in the target's directory and opens it for writing in text
// mode; null when the directory does not allow it. The name is short and hidden, so that
// a target name near the length limit still leaves room for it.
FILE* CreateTemporaryFile(const std::string& target, std::string& temporaryName)
{
    static unsigned int counter = 0;
    size_t slash = target.rfind('/');
    std::string directory =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName = directory + ".conf-" + std::to_string(::getpid()) + "-" +
                        std::to_string(++counter) + ".tmp";
        int fd = ::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return nullptr;
        }
        // A file that exists keeps its permissions; a new one gets the usual ones.
        struct stat old;
        if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
            ::fchmod(fd, old.st_mode & 07777);
        FILE* file = ::fdopen(fd, "w");
        if (!file) {
            ::close(fd);
            ::unlink(temporaryName.c_str());
        }
        return file;
    }
    return nullptr;
}

BKConfiguration::FinishingCalls finishingCalls = {::fsync, std::fclose};

}  // namespace

BKConfiguration::FinishingCalls BKConfiguration::SetFinishingCalls(const FinishingCalls& calls)
{
    FinishingCalls previous = finishingCalls;
    finishingCalls = calls;
    return previous;
}

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
    wxArrayString lines = file.ReadToArrayString(wxConvUTF8);
    file.Close();

    for (const wxString& line : lines) {
        if (line.empty())
            continue;
        wxString key;
        wxString value;
        SplitLine(RemoveComment(line), &key, &value);
        if (!key.empty())
            entries[key] = value;
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
    const std::string target = ResolveTarget(std::string(fileName.utf8_str()));
    std::string temporaryName;
    FILE* file = CreateTemporaryFile(target, temporaryName);
    if (!file)
        return false;

    bool written = true;
    for (BKStringHashMap::const_iterator it = entries.begin(); written && it != entries.end();
         ++it) {
        std::string line = (it->first + wxT(" ") + it->second + lineBreak).utf8_string();
        written = std::fwrite(line.data(), 1, line.length(), file) == line.length();
    }
    // Data must be on the disk before the rename makes it the file: after a crash the old
    // content is better than an empty file.
    written = written && std::fflush(file) == 0 && finishingCalls.sync(::fileno(file)) == 0;
    written = finishingCalls.close(file) == 0 && written;
    if (!written || std::rename(temporaryName.c_str(), target.c_str()) != 0) {
        ::unlink(temporaryName.c_str());
        return false;
    }
    return true;
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
