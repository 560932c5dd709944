#include <string>

#include <sys/stat.h>
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
