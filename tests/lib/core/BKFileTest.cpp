#include <cstdio>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/log.h>

#include "TestSupport.h"
#include "lib/core/BKFile.h"

using namespace Brenik;

namespace {

// Counts the toolkit's log messages for the scope: in the program each would become a box.
class CountingLog : public wxLog {
public:
    CountingLog() : previous(wxLog::SetActiveTarget(this)) {}
    ~CountingLog() override { wxLog::SetActiveTarget(previous); }
    int Count() const { return count; }

protected:
    void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override { ++count; }

private:
    wxLog* previous;
    int count = 0;
};

wxArrayString Lines(std::initializer_list<const char*> texts)
{
    wxArrayString array;
    for (const char* text : texts)
        array.Add(wxString::FromUTF8(text));
    return array;
}

}  // namespace

TEST(BKFile, ConcatAddsOneSeparator)
{
    EXPECT_EQ("/tmp/a.txt", BKFile::Concat("/tmp", "a.txt"));
    EXPECT_EQ("/tmp/a.txt", BKFile::Concat("/tmp/", "a.txt"));
    EXPECT_EQ("a.txt", BKFile::Concat(wxString(), "a.txt"));
    EXPECT_EQ("dir/", BKFile::Concat("dir", wxString()));
}

TEST(BKFile, ExistsFileOpensForReading)
{
    TempDir dir;
    wxString umlautName =
        dir.Path(wxString::FromUTF8("gr\xC3\xBC\xC3\x9F"
                                    "e.txt"));
    ASSERT_TRUE(WriteTextFile(umlautName, "x"));
    EXPECT_TRUE(BKFile::ExistsFile(umlautName));
    EXPECT_FALSE(BKFile::ExistsFile(dir.Path("missing.txt")));
    EXPECT_FALSE(BKFile::ExistsFile(dir.Path("no/such/dir/file.txt")));
    EXPECT_FALSE(BKFile::ExistsFile(wxString()));
    EXPECT_FALSE(BKFile::ExistsFile(dir.Path()));
    // A FIFO (opening it would wait for a writer) and a device are no files.
    ASSERT_EQ(0, ::mkfifo(dir.Path("fifo").utf8_str(), 0600));
    EXPECT_FALSE(BKFile::ExistsFile(dir.Path("fifo")));
    EXPECT_FALSE(BKFile::ExistsFile("/dev/null"));
}

TEST(BKFile, ReadsLinesAfterAnyLineBreak)
{
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.Path("mixed.txt"), "a\r\nb\rc\n\xC3\xA4\n"));
    BKFile file(dir.Path("mixed.txt"), "r");
    ASSERT_TRUE(file.IsOpened());
    EXPECT_EQ(Lines({"a", "b", "c", "\xC3\xA4", ""}), file.ReadToArrayString(wxConvUTF8));

    ASSERT_TRUE(WriteTextFile(dir.Path("last.txt"), "no break at the end"));
    BKFile last(dir.Path("last.txt"), "r");
    EXPECT_EQ(Lines({"no break at the end"}), last.ReadToArrayString(wxConvUTF8));

    ASSERT_TRUE(WriteTextFile(dir.Path("empty.txt"), ""));
    BKFile empty(dir.Path("empty.txt"), "r");
    EXPECT_TRUE(empty.ReadToArrayString(wxConvUTF8).empty());

    // Latin-1 bytes read with a Latin-1 conversion.
    ASSERT_TRUE(WriteTextFile(dir.Path("latin1.txt"), "gr\xFC\xDF"));
    BKFile latin1(dir.Path("latin1.txt"), "r");
    EXPECT_EQ(Lines({"gr\xC3\xBC\xC3\x9F"}), latin1.ReadToArrayString(wxConvISO8859_1));

    BKFile closed;
    EXPECT_FALSE(closed.IsOpened());
    EXPECT_TRUE(closed.ReadToArrayString(wxConvUTF8).empty());
}

TEST(BKFile, FailedOpenIsQuiet)
{
    TempDir dir;
    CountingLog log;
    BKFile missing(dir.Path("missing.txt"), "r");
    EXPECT_FALSE(missing.IsOpened());
    BKFile noDirectory(dir.Path("none/out.txt"), "w");
    EXPECT_FALSE(noDirectory.IsOpened());
    EXPECT_FALSE(BKFile::ExistsFile(dir.Path("missing.txt")));
    EXPECT_EQ(0, log.Count());
}

TEST(BKFile, WritesThroughTheToolkitFileAndClosesWhenDestroyed)
{
    TempDir dir;
    {
        BKFile file(dir.Path("out.txt"), "w");
        ASSERT_TRUE(file.IsOpened());
        EXPECT_EQ(dir.Path("out.txt"), file.GetName());
        EXPECT_TRUE(file.Write(wxString::FromUTF8("\xC3\xA4 line\n"), wxConvUTF8));
    }
    EXPECT_EQ("\xC3\xA4 line\n", ReadTextFile(dir.Path("out.txt")));
    BKFile file(nullptr);
    EXPECT_EQ("BKFile", file.GetClassInfo().GetName());
    EXPECT_EQ("0.0.3", file.GetClassInfo().GetVersion());
}
