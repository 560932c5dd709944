#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <wx/filename.h>

#include "TestSupport.h"
#include "lib/core/BKConfiguration.h"
#include "lib/core/BKReplacingFile.h"

using namespace Brenik;

TEST(BKConfiguration, ParsesKeysValuesAndComments)
{
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.Path("conf"),
                              "# a comment line\n"
                              "PositionX 30\n"
                              "PositionX 45\n"
                              "   Width 800\n"
                              "Height 600 # px\n"
                              "Maximized\n"
                              "Name\t \tAnna  Maria  \r\n"
                              "a=b c=d\n"
                              "\n"
                              "   \t  \n"
                              "Umlaut Gr\xC3\xBC\xC3\x9F"
                              "e\r"
                              "Last value"));
    BKConfiguration configuration("#", false);
    ASSERT_TRUE(configuration.Load(dir.Path("conf")));
    EXPECT_EQ(45, configuration.Get("PositionX", "0").ToInt());
    EXPECT_EQ(800, configuration.Get("Width", "0").ToInt());
    EXPECT_EQ("600", configuration.Get("Height", "").ToString());
    EXPECT_EQ("1024", configuration.Get("Maximized", "1024").ToString());
    EXPECT_EQ("Anna  Maria", configuration.Get("Name", "").ToString());
    EXPECT_EQ("c=d", configuration.Get("a=b", "").ToString());
    EXPECT_EQ(wxString::FromUTF8("Gr\xC3\xBC\xC3\x9F"
                                 "e"),
              configuration.Get("Umlaut", "").ToString());
    EXPECT_EQ("value", configuration.Get("Last", "").ToString());
    EXPECT_EQ("fallback", configuration.Get("#", "fallback").ToString());
    EXPECT_EQ("fallback", configuration.Get("Missing", "fallback").ToString());
    EXPECT_EQ("fallback", configuration.Get("width", "fallback").ToString());  // case-sensitive

    BKConfiguration lineStart("#", true);
    ASSERT_TRUE(lineStart.Load(dir.Path("conf")));
    EXPECT_EQ("600 # px", lineStart.Get("Height", "").ToString());
    EXPECT_EQ("fallback", lineStart.Get("a", "fallback").ToString());
    EXPECT_EQ("fallback", lineStart.Get("#", "fallback").ToString());
}

TEST(BKConfiguration, SplitsAndStripsSingleLines)
{
    BKConfiguration configuration("//", false);
    EXPECT_EQ("key value ", configuration.RemoveComment("key value // note"));
    EXPECT_EQ("a/b", configuration.RemoveComment("a/b"));
    EXPECT_EQ("", configuration.RemoveComment("// all"));
    configuration.SetCommentsOnlyFromLineStart(true);
    EXPECT_TRUE(configuration.GetCommentsOnlyFromLineStart());
    EXPECT_EQ("key // note", configuration.RemoveComment("key // note"));
    EXPECT_EQ("", configuration.RemoveComment("// all"));
    EXPECT_EQ(" // indented", configuration.RemoveComment(" // indented"));

    // No marker, no comments: an empty marker would otherwise match every line at its start.
    configuration.SetCommentChars(wxString());
    configuration.SetCommentsOnlyFromLineStart(false);
    EXPECT_EQ("", configuration.GetCommentChars());
    EXPECT_EQ("key value", configuration.RemoveComment("key value"));

    wxString key = "stale";
    wxString value = "stale";
    configuration.SplitLine("  key \t  some value  ", &key, &value);
    EXPECT_EQ("key", key);
    EXPECT_EQ("some value", value);
    configuration.SplitLine("key\tvalue", &key, nullptr);
    EXPECT_EQ("key", key);
    configuration.SplitLine("alone", &key, &value);
    EXPECT_EQ("alone", key);
    EXPECT_EQ("", value);
    configuration.SplitLine(" \t ", &key, &value);
    EXPECT_EQ("", key);
    EXPECT_EQ("", value);
    configuration.SplitLine("k v", nullptr, &value);
    EXPECT_EQ("v", value);
}

TEST(BKConfiguration, LoadAddsToTheEntriesAndFailsQuietly)
{
    TempDir dir;
    BKConfiguration configuration("#", false);
    configuration.Set("Kept", "yes");
    configuration.Set("Width", "1");
    EXPECT_FALSE(configuration.Load(dir.Path("missing")));
    EXPECT_FALSE(configuration.Load(dir.Path()));  // a directory holds no entries
    EXPECT_EQ("yes", configuration.Get("Kept", "").ToString());
    EXPECT_EQ("1", configuration.Get("Width", "").ToString());

    ASSERT_TRUE(WriteTextFile(dir.Path("conf"), "Width 2\n"));
    EXPECT_TRUE(configuration.Load(dir.Path("conf")));
    EXPECT_EQ("yes", configuration.Get("Kept", "").ToString());
    EXPECT_EQ(2, configuration.Get("Width", "").ToInt());

    BKCasts number(42);
    configuration.Set("Number", number);
    EXPECT_EQ(42, configuration.Get("Number", "").ToInt());
    configuration.Set("Flag", "true");
    EXPECT_TRUE(configuration.Get("Flag", "false").ToBool());
    configuration.Set("Flag", "");
    EXPECT_FALSE(configuration.Get("Flag", "false").ToBool());

    EXPECT_EQ("BKConfiguration", configuration.GetClassInfo().GetName());
    EXPECT_EQ("0.0.4", configuration.GetClassInfo().GetVersion());
}

TEST(BKConfiguration, SaveWritesEveryEntryAndReadsBack)
{
    TempDir dir;
    BKConfiguration configuration("#", false);
    configuration.Set("Width", "1024");
    configuration.Set("Name", wxString::FromUTF8("J\xC3\xBCrgen M\xC3\xBCller"));
    configuration.Set("Empty", "");
    EXPECT_TRUE(configuration.Save(dir.Path("conf"), "\n"));

    std::string text = ReadTextFile(dir.Path("conf"));
    EXPECT_NE(std::string::npos, text.find("Width 1024\n"));
    EXPECT_NE(std::string::npos, text.find("Name J\xC3\xBCrgen M\xC3\xBCller\n"));
    EXPECT_NE(std::string::npos, text.find("Empty \n"));
    EXPECT_EQ(std::string("Width 1024\n").size() + std::string("Empty \n").size() +
                  std::string("Name J\xC3\xBCrgen M\xC3\xBCller\n").size(),
              text.size());

    BKConfiguration reloaded("#", false);
    ASSERT_TRUE(reloaded.Load(dir.Path("conf")));
    EXPECT_EQ(1024, reloaded.Get("Width", "").ToInt());
    EXPECT_EQ(wxString::FromUTF8("J\xC3\xBCrgen M\xC3\xBCller"),
              reloaded.Get("Name", "").ToString());

    // Saving again replaces the file: nothing of the old content or of a temporary file stays.
    BKConfiguration fresh("#", false);
    fresh.Set("Only", "this");
    EXPECT_TRUE(fresh.Save(dir.Path("conf"), "\r\n"));
    EXPECT_EQ("Only this\r\n", ReadTextFile(dir.Path("conf")));
    EXPECT_EQ(wxArrayString(1, wxString("conf")), FilesIn(dir.Path()));

    // A comment marker in a value cuts it when read back.
    BKConfiguration exported("#", false);
    exported.Set("ExportFile", "C:\\data#1.csv");
    ASSERT_TRUE(exported.Save(dir.Path("conf"), "\n"));
    BKConfiguration back("#", false);
    ASSERT_TRUE(back.Load(dir.Path("conf")));
    EXPECT_EQ("C:\\data", back.Get("ExportFile", "").ToString());
}

TEST(BKConfiguration, SaveKeepsPermissionsAndLinks)
{
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.Path("real.conf"), "Old 1\n"));
    ASSERT_EQ(0, chmod(dir.Path("real.conf").utf8_str(), 0640));
    ASSERT_EQ(0, symlink(dir.Path("real.conf").utf8_str(), dir.Path("link.conf").utf8_str()));

    BKConfiguration configuration("#", false);
    configuration.Set("New", "2");
    EXPECT_TRUE(configuration.Save(dir.Path("link.conf"), "\n"));
    struct stat info;
    ASSERT_EQ(0, lstat(dir.Path("link.conf").utf8_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ("New 2\n", ReadTextFile(dir.Path("real.conf")));
    ASSERT_EQ(0, stat(dir.Path("real.conf").utf8_str(), &info));
    EXPECT_EQ(0640u, info.st_mode & 07777);
}

TEST(BKConfiguration, FailedSaveLeavesTheOldFileAndNoTrace)
{
    TempDir dir;
    BKConfiguration configuration("#", false);
    configuration.Set("Width", "1024");

    // A directory that does not exist: false, and nothing is created.
    EXPECT_FALSE(configuration.Save(dir.Path("none/conf"), "\n"));
    EXPECT_FALSE(wxFileName::DirExists(dir.Path("none")));
    EXPECT_TRUE(FilesIn(dir.Path()).empty());

    // The name of a directory: false, the directory stays as it was.
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("taken")));
    ASSERT_TRUE(WriteTextFile(dir.Path("taken/inside"), "x"));
    EXPECT_FALSE(configuration.Save(dir.Path("taken"), "\n"));
    EXPECT_TRUE(wxFileName::DirExists(dir.Path("taken")));
    EXPECT_EQ("x", ReadTextFile(dir.Path("taken/inside")));
    EXPECT_EQ(wxArrayString(1, wxString("taken")), FilesIn(dir.Path()));

    // The disk (here: the process's file size limit) takes only part of the new content.
    ASSERT_TRUE(WriteTextFile(dir.Path("conf"), "Old content\n"));
    BKConfiguration big("#", false);
    for (int i = 0; i < 2000; ++i)
        big.Set(wxString::Format("Key%d", i), "some value that takes room");
    {
        ScopedFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.IsApplied());
        EXPECT_FALSE(big.Save(dir.Path("conf"), "\n"));
    }
    EXPECT_EQ("Old content\n", ReadTextFile(dir.Path("conf")));
    wxArrayString expected;
    expected.Add("conf");
    expected.Add("taken");
    EXPECT_EQ(expected, FilesIn(dir.Path()));

    // A small content sits in the stream's buffer until the flush, which is where the disk
    // refuses it; then the sync and the close fail (a full disk or an I/O error at either).
    {
        ScopedFileSizeLimit limit(4);
        ASSERT_TRUE(limit.IsApplied());
        EXPECT_FALSE(configuration.Save(dir.Path("conf"), "\n"));
    }
    const BKReplacingFile::FinishingCalls failingSync = {[](int) {
                                                             errno = EIO;
                                                             return -1;
                                                         },
                                                         std::fclose};
    const BKReplacingFile::FinishingCalls failingClose = {::fsync, [](FILE* file) {
                                                              std::fclose(file);
                                                              errno = ENOSPC;
                                                              return EOF;
                                                          }};
    for (const BKReplacingFile::FinishingCalls& calls : {failingSync, failingClose}) {
        const BKReplacingFile::FinishingCalls previous = BKReplacingFile::SetFinishingCalls(calls);
        EXPECT_FALSE(configuration.Save(dir.Path("conf"), "\n"));
        BKReplacingFile::SetFinishingCalls(previous);
    }
    EXPECT_EQ("Old content\n", ReadTextFile(dir.Path("conf")));
    EXPECT_EQ(expected, FilesIn(dir.Path()));

    // Without the limit the same save works.
    EXPECT_TRUE(big.Save(dir.Path("conf"), "\n"));
    BKConfiguration reloaded("#", false);
    ASSERT_TRUE(reloaded.Load(dir.Path("conf")));
    EXPECT_EQ("some value that takes room", reloaded.Get("Key1999", "").ToString());
}

TEST(BKConfiguration, HandEditedFilesKeepEveryLineAndValuesReadBackAsWritten)
{
    TempDir dir;
    // A byte-order mark before the first key, a Latin-1 "ü" in one line, CR LF line ends.
    ASSERT_TRUE(WriteTextFile(dir.Path("conf"),
                              "\xEF\xBB\xBFWidth 800\r\nExportFilename /tmp/M\xFCller.csv\r\n"
                              "Height 450\r\n"));
    BKConfiguration configuration("#", false);
    ASSERT_TRUE(configuration.Load(dir.Path("conf")));
    EXPECT_EQ(800, configuration.Get("Width", "0").ToInt());
    EXPECT_EQ(450, configuration.Get("Height", "0").ToInt());
    EXPECT_EQ(wxString::FromUTF8("/tmp/M\xC3\xBCller.csv"),
              configuration.Get("ExportFilename", "").ToString());

    // Line breaks inside a value come back as they were, not as keys of their own.
    BKConfiguration written("#", false);
    written.Set("ExportFilename", "/tmp/two\nlines\r\nfile.csv\r");
    written.Set("Width", "1024");
    ASSERT_TRUE(written.Save(dir.Path("conf"), "\n"));
    const std::string text = ReadTextFile(dir.Path("conf"));
    EXPECT_EQ(2, std::count(text.begin(), text.end(), '\n'));
    BKConfiguration back("#", false);
    ASSERT_TRUE(back.Load(dir.Path("conf")));
    EXPECT_EQ("/tmp/two\nlines\r\nfile.csv\r", back.Get("ExportFilename", "").ToString());
    EXPECT_EQ("", back.Get("lines", "").ToString());
    EXPECT_EQ(1024, back.Get("Width", "0").ToInt());

    // A file the user made read-only is not replaced, and the save says so.
    ASSERT_EQ(0, chmod(dir.Path("conf").utf8_str(), 0444));
    EXPECT_FALSE(written.Save(dir.Path("conf"), "\n"));
    EXPECT_EQ(text, ReadTextFile(dir.Path("conf")));
}
