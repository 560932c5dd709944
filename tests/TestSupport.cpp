#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <time.h>

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/palette.h>

void FailTestOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                      const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "wx assert in " << func.utf8_string() << ": " << cond.utf8_string() << " "
        << msg.utf8_string();
}

TempDir::TempDir()
{
    wxString base = wxFileName::GetTempDir() + "/norvel-test-XXXXXX";
    std::string buffer = base.ToStdString();
    if (mkdtemp(buffer.data()))
        path = wxString::FromUTF8(buffer.c_str());
}

TempDir::~TempDir()
{
    if (!path.empty())
        wxFileName::Rmdir(path, wxPATH_RMDIR_RECURSIVE);
}

wxString TempDir::Path(const wxString& name) const
{
    return path + "/" + name;
}

ScopedNumericLocale::ScopedNumericLocale(const char* name)
{
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    previous = current ? current : "C";
    available = std::setlocale(LC_NUMERIC, name) != nullptr;
}

ScopedNumericLocale::~ScopedNumericLocale()
{
    std::setlocale(LC_NUMERIC, previous.c_str());
}

const char* GermanLocaleName()
{
    return "de_DE.UTF-8";
}

bool GermanLocaleRequired()
{
    const char* value = std::getenv("NORVEL_REQUIRE_GERMAN_LOCALE");
    return value && *value && std::string(value) != "0";
}

bool WriteTextFile(const wxString& path, const std::string& text)
{
    std::ofstream out(path.utf8_string(), std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

std::string ReadTextFile(const wxString& path)
{
    std::ifstream in(path.utf8_string(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string ImageBytes(int width, int height, wxBitmapType type)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), 200, 40, 40);
    // The toolkit writes a GIF only from a palette image.
    unsigned char red[] = {200, 0}, green[] = {40, 0}, blue[] = {40, 0};
    image.SetPalette(wxPalette(2, red, green, blue));
    wxMemoryOutputStream stream;
    EXPECT_TRUE(image.SaveFile(stream, type));
    std::string bytes(stream.GetLength(), '\0');
    stream.CopyTo(bytes.data(), bytes.size());
    return bytes;
}

wxArrayString FilesIn(const wxString& directory)
{
    wxArrayString names;
    wxDir dir(directory);
    wxString name;
    for (bool found = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN);
         found; found = dir.GetNext(&name))
        names.Add(name);
    names.Sort();
    return names;
}

ScopedFileSizeLimit::ScopedFileSizeLimit(rlim_t bytes)
{
    previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = bytes;
    applied = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

ScopedFileSizeLimit::~ScopedFileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
}

std::string CommandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(("timeout 60 " + command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, read);
        pclose(pipe);
    }
    return output;
}

long ProcessStatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::strlen(field)));
    return -1;
}

namespace {

double ProcessorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

}  // namespace

ScopedCost::ScopedCost()
{
    std::ofstream("/proc/self/clear_refs") << "5";
    start = ProcessorSeconds();
    residentKb = ProcessStatusKb("VmRSS:");
}

double ScopedCost::Seconds() const
{
    return ProcessorSeconds() - start;
}

long ScopedCost::PeakMb() const
{
    return (ProcessStatusKb("VmHWM:") - residentKb) / 1024;
}

std::string WorkbookContent::Text(size_t row, size_t column) const
{
    const auto cell = std::find_if(cells.begin(), cells.end(), [&](const WorkbookCell& c) {
        return c.row == row && c.column == column;
    });
    return cell == cells.end() ? std::string() : cell->text;
}

WorkbookContent ReadWorkbook(const wxString& path)
{
    WorkbookContent content;
    const std::string output = CommandOutput(
        "python3 '" NORVEL_SOURCE_DIR "/tests/ReadWorkbook.py' '" + path.utf8_string() + "'");
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields(1);
    for (const char c : output) {
        if (c == '\x1f') {
            fields.emplace_back();
        } else if (c == '\x1e') {
            records.push_back(fields);
            fields.assign(1, std::string());
        } else {
            fields.back() += c;
        }
    }
    if (records.empty() || records[0].size() != 4)
        return content;
    content.frozenAt = records[0][0];
    content.filter = records[0][1];
    std::istringstream widths(records[0][2]);
    for (double width; widths >> width;)
        content.widths.push_back(width);
    content.links = std::stoul(records[0][3]);
    for (size_t at = 1; at < records.size(); ++at) {
        const auto& r = records[at];
        if (r.size() == 5)
            content.cells.push_back({std::stoul(r[0]), std::stoul(r[1]), r[2], r[3], r[4]});
    }
    return content;
}
