#include "lib/core/BKReplacingFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Brenik {

namespace {

BKReplacingFile::FinishingCalls finishingCalls = {::fsync, std::fclose};

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a name stands for: symbolic links are followed, also one that points to a file
// not made yet, so that writing goes where the link points and the link stays.
std::string ResolveTarget(std::string name)
{
    for (int hops = 0; hops < 40; ++hops) {
        if (char* real = ::realpath(name.c_str(), nullptr)) {
            std::string target(real);
            std::free(real);
            return target;
        }
        char link[PATH_MAX];
        ssize_t length = ::readlink(name.c_str(), link, sizeof link);
        if (length <= 0 || size_t(length) >= sizeof link)
            return name;
        std::string next(link, size_t(length));
        name = next[0] == '/' ? next : DirectoryOf(name) + next;
    }
    return name;
}

// An existing file may be replaced only when it is a plain file that could be written in
// place; opening it without truncating tells that without changing it. A file without any
// write permission was made read-only by its owner, which holds even for the administrator.
bool MayReplace(const std::string& target, struct stat* existing, bool* exists)
{
    *exists = ::stat(target.c_str(), existing) == 0;
    if (!*exists)
        return errno == ENOENT;
    if (!S_ISREG(existing->st_mode) || (existing->st_mode & 0222) == 0)
        return false;
    int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// Creates a new, empty file in the target's folder, with the permissions of the file it is
// to replace, and opens it for writing in text mode; null when the folder does not allow it.
// The name is short and hidden, so that a target name near the length limit still leaves
// room for it.
FILE* CreateTemporaryFile(const std::string& target, const struct stat* existing,
                          std::string& temporaryName)
{
    static unsigned int counter = 0;
    const std::string directory = DirectoryOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName =
            directory + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        int fd = ::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return nullptr;
        }
        if (existing)
            ::fchmod(fd, existing->st_mode & 07777);
        FILE* file = ::fdopen(fd, "w");
        if (!file) {
            ::close(fd);
            ::unlink(temporaryName.c_str());
        }
        return file;
    }
    return nullptr;
}

// Writes the bytes over the file's content, for a file that cannot be replaced by another.
bool WriteInPlace(const std::string& target, const std::string& bytes)
{
    int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    bool written = true;
    for (size_t done = 0; written && done < bytes.size();) {
        ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        written = count > 0;
        done += written ? size_t(count) : 0;
    }
    written = written && finishingCalls.sync(fd) == 0;
    return ::close(fd) == 0 && written;
}

}  // namespace

BKReplacingFile::FinishingCalls BKReplacingFile::SetFinishingCalls(const FinishingCalls& calls)
{
    FinishingCalls previous = finishingCalls;
    finishingCalls = calls;
    return previous;
}

BKReplacingFile::~BKReplacingFile()
{
    Discard();
}

BKClassInfo BKReplacingFile::GetClassInfo() const
{
    return BKClassInfo::Make("BKReplacingFile", "0.0.1");
}

bool BKReplacingFile::Open(const wxString& fileName)
{
    Discard();
    if (fileName.empty())
        return false;
    target = ResolveTarget(std::string(fileName.utf8_str()));
    struct stat existing;
    bool exists = false;
    if (!MayReplace(target, &existing, &exists))
        return false;
    failed = false;
    // Replacing a file with more than one name would part it from its other names; a folder
    // that takes no new file still lets a writable file in it be written. Either is written
    // in place at the commit, so until then the file stays as it was.
    if (exists && existing.st_nlink > 1) {
        inPlace = true;
        return true;
    }
    file = CreateTemporaryFile(target, exists ? &existing : nullptr, temporaryName);
    inPlace = !file && exists && (errno == EACCES || errno == EPERM);
    return file || inPlace;
}

bool BKReplacingFile::Write(const char* data, size_t length)
{
    if (inPlace)
        pending.append(data, length);
    else if (!file || std::fwrite(data, 1, length, file) != length)
        failed = true;
    return !failed;
}

bool BKReplacingFile::Commit()
{
    if (inPlace) {
        inPlace = false;
        std::string bytes;
        bytes.swap(pending);
        return WriteInPlace(target, bytes);
    }
    if (!file)
        return false;
    // Data must be on the disk before the rename makes it the file: after a crash the old
    // content is better than an empty file.
    bool written = !failed && std::fflush(file) == 0 && finishingCalls.sync(::fileno(file)) == 0;
    written = finishingCalls.close(file) == 0 && written;
    file = nullptr;
    if (!written || std::rename(temporaryName.c_str(), target.c_str()) != 0) {
        ::unlink(temporaryName.c_str());
        return false;
    }
    return true;
}

void BKReplacingFile::Discard()
{
    inPlace = false;
    pending.clear();
    if (!file)
        return;
    std::fclose(file);
    file = nullptr;
    ::unlink(temporaryName.c_str());
}

bool BKReplacingFile::CanWrite(const wxString& fileName)
{
    BKReplacingFile probe;
    return probe.Open(fileName);
}

}  // namespace Brenik
