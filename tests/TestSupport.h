// Helpers shared by the unit and GUI tests: a scratch directory and a scoped C numeric locale.
#pragma once

#include <string>
#include <vector>

#include <sys/resource.h>
#include <wx/gdicmn.h>

#include <wx/arrstr.h>
#include <wx/string.h>

// The toolkit's assert handler of both test programs: every assert fails the running test.
void FailTestOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                      const wxString& msg);

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const wxString& Path() const { return path; }
    // The directory joined with a file name.
    wxString Path(const wxString& name) const;

private:
    wxString path;
};

// Switches the C runtime's numeric locale (LC_NUMERIC) for the scope and restores it after.
class ScopedNumericLocale {
public:
    explicit ScopedNumericLocale(const char* name);
    ~ScopedNumericLocale();
    ScopedNumericLocale(const ScopedNumericLocale&) = delete;
    ScopedNumericLocale& operator=(const ScopedNumericLocale&) = delete;

    bool IsAvailable() const { return available; }

private:
    std::string previous;
    bool available;
};

// Name of the German locale; whether a test may skip when it is missing (it may not on
// machines set up by the scripts, which set NORVEL_REQUIRE_GERMAN_LOCALE).
const char* GermanLocaleName();
bool GermanLocaleRequired();

// Writes UTF-8 text into a file, replacing it; false on failure.
bool WriteTextFile(const wxString& path, const std::string& text);
// The whole file as bytes; empty when it cannot be read.
std::string ReadTextFile(const wxString& path);

// What the shell command writes to its standard output, given a minute at most.
std::string CommandOutput(const std::string& command);

// A workbook (.xlsx) as its XML holds it, read by Python's zip and XML modules, with each
// text as Excel shows it ("_x0041_" in the file is an "A").
struct WorkbookCell {
    size_t row, column;
    // "s" for a text cell; the XML's type ("n", "str", "b", ...) otherwise, "f" with a formula.
    std::string kind;
    // "B" for bold, "T" for the text format, "W" for wrapped lines, in that order.
    std::string style;
    std::string text;
};
struct WorkbookContent {
    std::string frozenAt;        // the first cell below the frozen panes; empty for none
    std::string filter;          // the autofilter's range, such as "A1:AG3"
    std::vector<double> widths;  // of the columns, in characters
    size_t links = 0;            // hyperlinks on the sheet
    std::vector<WorkbookCell> cells;
    // The text of the cell; empty for an empty or missing one.
    std::string Text(size_t row, size_t column) const;
};
WorkbookContent ReadWorkbook(const wxString& path);

// The bytes of a one-coloured image of that size written in the format (GIF from a palette).
std::string ImageBytes(int width, int height, wxBitmapType type);

// The names in a directory, hidden ones too, sorted: a test sees that nothing was left behind.
wxArrayString FilesIn(const wxString& directory);

// Limits the size of files this process may write, for the scope; writing beyond it fails
// with EFBIG, also for root: a full disk without filling one.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes);
    ~ScopedFileSizeLimit();
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

    bool IsApplied() const { return applied; }

private:
    rlimit previous;
    void (*previousHandler)(int);
    bool applied;
};

// A figure of /proc/self/status in kB ("VmRSS:" resident now, "VmHWM:" the peak); -1 when
// it is missing.
long ProcessStatusKb(const char* field);

// The address sanitizer keeps freed memory in quarantine (256 MB by default) before reusing
// it, so a peak-memory budget needs that much more room in the sanitizer build.
// The sanitizer build also runs unoptimised and checks every memory access: a time budget
// measured on the plain build gets this much more room there.
#ifdef __SANITIZE_ADDRESS__
constexpr long kSanitizerQuarantineMb = 256;
constexpr double kSanitizerSlowdown = 6;
#else
constexpr long kSanitizerQuarantineMb = 0;
constexpr double kSanitizerSlowdown = 1;
#endif

// What a scope costs: processor time, and how far the peak resident memory rose above what
// was resident at its start (the peak is reset there).
class ScopedCost {
public:
    ScopedCost();
    double Seconds() const;
    long PeakMb() const;

private:
    double start;
    long residentKb;
};
