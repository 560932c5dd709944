// A file written in full beside its target and only then put in its place: a failure part-way
// (a full disk, a cancelled program) leaves any earlier file as it was. Owns the temporary
// file until Commit or Discard; destroying an uncommitted one discards it. A file with other
// names (hard links), or one in a folder that takes no new file, is written over in place
// instead, at the commit: the file keeps its names, at the price of that safety.
#pragma once

#include <cstdio>
#include <string>

#include <wx/string.h>

#include "lib/core/BKLib.h"

namespace Brenik {

class BKReplacingFile : public BKLib {
public:
    BKReplacingFile() = default;
    ~BKReplacingFile() override;
    BKReplacingFile(const BKReplacingFile&) = delete;
    BKReplacingFile& operator=(const BKReplacingFile&) = delete;

    BKClassInfo GetClassInfo() const override;

    // Starts a new content for the file named in UTF-8. A symbolic link is followed, so the
    // file it points to is replaced and the link kept. False when the folder takes no new
    // file and there is no writable file, or the name stands for something that may not be written:
    // a directory, another kind of file, a file without write permission (which stays as it is).
    // The file itself is untouched.
    bool Open(const wxString& fileName);
    bool IsOpened() const { return file != nullptr || inPlace; }
    // False when not every byte was written (or nothing is open); Commit then refuses.
    bool Write(const char* data, size_t length);
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    // Puts the new content in place of the file, on the disk before it replaces the old one.
    // False when that fails; the old file is then untouched and the new content gone.
    bool Commit();
    // Drops the new content; the file stays as it was.
    void Discard();

    // Whether Open would succeed for the name; nothing is left behind.
    static bool CanWrite(const wxString& fileName);

    // The system calls that end a commit. A full disk or an I/O error can make either fail,
    // which no test can provoke on a local file system, so tests may swap them; the
    // replacements are in force until the next call. Returns the calls that were in force.
    struct FinishingCalls {
        int (*sync)(int descriptor);
        int (*close)(FILE* file);
    };
    static FinishingCalls SetFinishingCalls(const FinishingCalls& calls);

private:
    FILE* file = nullptr;
    std::string target;
    std::string temporaryName;
    bool failed = false;
    // A file that cannot be replaced is written over at the commit; its content waits here.
    bool inPlace = false;
    std::string pending;
};

}  // namespace Brenik
