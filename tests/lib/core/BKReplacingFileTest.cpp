#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <wx/filename.h>

#include "TestSupport.h"
#include "lib/core/BKReplacingFile.h"

using namespace Brenik;

TEST(BKReplacingFile, OldContentStaysUntilTheNewIsCommitted)
{
    TempDir dir;
    const wxString name = dir.Path("list.csv");
    ASSERT_TRUE(WriteTextFile(name, "old\n"));

    {
        BKReplacingFile file;
        ASSERT_TRUE(file.Open(name));
        EXPECT_TRUE(file.Write(std::string("new\n")));
        EXPECT_EQ("old\n", ReadTextFile(name));
        EXPECT_TRUE(file.Commit());
        EXPECT_FALSE(file.IsOpened());
    }
    EXPECT_EQ("new\n", ReadTextFile(name));

    // Discarded, or dropped without a commit: the file stays as it was, and no trace.
    {
        BKReplacingFile file;
        ASSERT_TRUE(file.Open(name));
        EXPECT_TRUE(file.Write(std::string("lost\n")));
        file.Discard();
        BKReplacingFile dropped;
        ASSERT_TRUE(dropped.Open(name));
        EXPECT_TRUE(dropped.Write(std::string("lost too\n")));
    }
    EXPECT_EQ("new\n", ReadTextFile(name));
    EXPECT_EQ(wxArrayString(1, wxString("list.csv")), FilesIn(dir.Path()));

    // A write the disk refuses part-way: the commit refuses too.
    {
        BKReplacingFile file;
        ASSERT_TRUE(file.Open(name));
        ScopedFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.IsApplied());
        EXPECT_FALSE(file.Write(std::string(10000, 'x')));
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ("new\n", ReadTextFile(name));
    EXPECT_EQ(wxArrayString(1, wxString("list.csv")), FilesIn(dir.Path()));
}

TEST(BKReplacingFile, CanWriteTellsWithoutTouchingAnything)
{
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.Path("kept.csv"), "content\n"));
    EXPECT_TRUE(BKReplacingFile::CanWrite(dir.Path("kept.csv")));
    EXPECT_EQ("content\n", ReadTextFile(dir.Path("kept.csv")));
    EXPECT_TRUE(BKReplacingFile::CanWrite(dir.Path("new.csv")));
    EXPECT_FALSE(wxFileName::FileExists(dir.Path("new.csv")));

    EXPECT_FALSE(BKReplacingFile::CanWrite(dir.Path("missing/new.csv")));
    EXPECT_FALSE(BKReplacingFile::CanWrite(dir.Path("")));
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("folder")));
    EXPECT_FALSE(BKReplacingFile::CanWrite(dir.Path("folder")));
    EXPECT_FALSE(BKReplacingFile::CanWrite(""));

    wxArrayString expected;
    expected.Add("folder");
    expected.Add("kept.csv");
    EXPECT_EQ(expected, FilesIn(dir.Path()));
}

TEST(BKReplacingFile, LinkToAFileNotMadeYetWritesWhereItPoints)
{
    TempDir dir;
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("data")));
    ASSERT_EQ(0, symlink("data/list.csv", dir.Path("link.csv").utf8_str()));

    BKReplacingFile file;
    ASSERT_TRUE(file.Open(dir.Path("link.csv")));
    EXPECT_TRUE(file.Write(std::string("row\n")));
    EXPECT_TRUE(file.Commit());
    struct stat info;
    ASSERT_EQ(0, lstat(dir.Path("link.csv").utf8_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ("row\n", ReadTextFile(dir.Path("data/list.csv")));
}

namespace {

// Runs the check in a child process without the administrator's rights, which ignore the
// permissions of folders; the child's exit code is the check's result.
bool RunUnprivileged(bool (*check)(const wxString&), const wxString& directory)
{
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(check(directory) ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

bool WriteThroughLockedFolder(const wxString& directory)
{
    BKReplacingFile file;
    return file.Open(directory + "/list.csv") && file.Write(std::string("new\n")) &&
           ReadTextFile(directory + "/list.csv") == "old\n" && file.Commit();
}

}  // namespace

TEST(BKReplacingFile, FilesThatCannotBeReplacedAreWrittenInPlaceOrKept)
{
    TempDir dir;
    // A file with a second name: both names see the new content, only after the commit.
    ASSERT_TRUE(WriteTextFile(dir.Path("list.csv"), "old\n"));
    ASSERT_EQ(0, link(dir.Path("list.csv").utf8_str(), dir.Path("other.csv").utf8_str()));
    {
        BKReplacingFile file;
        ASSERT_TRUE(file.Open(dir.Path("list.csv")));
        EXPECT_TRUE(file.Write(std::string("new\n")));
        EXPECT_EQ("old\n", ReadTextFile(dir.Path("other.csv")));
        EXPECT_TRUE(file.Commit());
    }
    EXPECT_EQ("new\n", ReadTextFile(dir.Path("other.csv")));
    struct stat info;
    ASSERT_EQ(0, stat(dir.Path("list.csv").utf8_str(), &info));
    EXPECT_EQ(2u, info.st_nlink);
    {
        BKReplacingFile dropped;
        ASSERT_TRUE(dropped.Open(dir.Path("list.csv")));
        EXPECT_TRUE(dropped.Write(std::string("lost\n")));
    }
    EXPECT_EQ("new\n", ReadTextFile(dir.Path("list.csv")));

    // A file made read-only stays as it is, for every user.
    ASSERT_TRUE(WriteTextFile(dir.Path("locked.csv"), "kept\n"));
    ASSERT_EQ(0, chmod(dir.Path("locked.csv").utf8_str(), 0444));
    EXPECT_FALSE(BKReplacingFile::CanWrite(dir.Path("locked.csv")));
    EXPECT_EQ("kept\n", ReadTextFile(dir.Path("locked.csv")));

    // A writable file in a folder that takes no new file is written in place.
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("shared")));
    ASSERT_TRUE(WriteTextFile(dir.Path("shared/list.csv"), "old\n"));
    ASSERT_EQ(0, chmod(dir.Path("shared/list.csv").utf8_str(), 0666));
    ASSERT_EQ(0, chmod(dir.Path("shared").utf8_str(), 0555));
    ASSERT_EQ(0, chmod(dir.Path().utf8_str(), 0755));
    EXPECT_TRUE(RunUnprivileged(WriteThroughLockedFolder, dir.Path("shared")));
    EXPECT_EQ("new\n", ReadTextFile(dir.Path("shared/list.csv")));
    EXPECT_EQ(wxArrayString(1, wxString("list.csv")), FilesIn(dir.Path("shared")));
    ASSERT_EQ(0, chmod(dir.Path("shared").utf8_str(), 0755));
}
