// What the benchmarks share: timing, medians, heap in use, the process's resident memory, the
// cached generated directory of either shape and a bare sqlite3_get_table run to compare
// against.
#pragma once

#include <malloc.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <wx/filename.h>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline size_t HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The two shapes of generated directory: long records (HTML notes and imprints, a logo for a
// third of the companies) and lean ones (short plain notes, no imprint, small logos).
struct Shape {
    unsigned int companies = 100000;
    bool lean = false;
    const char* Name() const { return lean ? "lean" : "long"; }
};

// Reads "[runs] [companies] [--lean]" from the command line.
inline void ReadArguments(int argc, const char* const* argv, int* runs, Shape* shape)
{
    int position = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lean") == 0)
            shape->lean = true;
        else if (position++ == 0)
            *runs = std::max(1, std::atoi(argv[i]));
        else
            shape->companies = unsigned(std::max(1, std::atoi(argv[i])));
    }
}

// The generated directory of that shape, kept in the build folder and shared by the
// benchmarks; made by the generator on first use. Empty when generating fails.
inline std::string Directory(const Shape& shape)
{
    std::string path = std::string(NORVEL_BINARY_DIR) + "/bench-" +
                       std::to_string(shape.companies) + (shape.lean ? "-lean" : "") + ".sqlite";
    if (wxFileName::FileExists(wxString::FromUTF8(path.c_str())))
        return path;
    std::printf("generating %s ...\n", path.c_str());
    std::fflush(stdout);
    std::string temporary = path + ".part";
    std::string command = std::string("'") + NORVEL_GENDIR + "' '" + temporary + "' --companies " +
                          std::to_string(shape.companies) + " --seed 1" +
                          (shape.lean ? " --lean" : "");
    if (std::system(command.c_str()) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return std::string();
    }
    return path;
}

// A figure of /proc/self/status in bytes ("VmRSS" resident now, "VmHWM" resident at the
// peak); 0 when it cannot be read.
inline size_t ProcessMemory(const char* name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string wanted = std::string(name) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, wanted.size(), wanted) == 0)
            return size_t(std::strtoull(line.c_str() + wanted.size(), nullptr, 10)) * 1024;
    }
    return 0;
}

// Bytes of text in every row and column of the statement's result, as SQLite hands them out.
inline double TextBytes(const std::string& path, const std::string& statement)
{
    sqlite3* handle = nullptr;
    sqlite3_stmt* query = nullptr;
    double bytes = 0;
    if (sqlite3_open(path.c_str(), &handle) == SQLITE_OK &&
        sqlite3_prepare_v2(handle, statement.c_str(), -1, &query, nullptr) == SQLITE_OK) {
        while (sqlite3_step(query) == SQLITE_ROW) {
            for (int column = 0; column < sqlite3_column_count(query); ++column)
                bytes += sqlite3_column_bytes(query, column);
        }
    }
    sqlite3_finalize(query);
    sqlite3_close(handle);
    return bytes;
}

// Says so and counts a failure when the figure is above its guard. The guards stand at the
// level the program reached, for a release build on the two-core development machine: they
// catch a change that makes it slower or bigger, not noise.
inline bool Holds(const char* what, double figure, double limit, int* failures)
{
    const bool holds = figure <= limit;
    std::printf("%-40s %10.2f (guard <= %.2f: %s)\n", what, figure, limit,
                holds ? "holds" : "MISSED");
    if (!holds)
        ++*failures;
    return holds;
}

// Seconds sqlite3_get_table takes for the statement on a fresh connection, the result freed
// at once; -1 on failure. Stores the row count.
inline double RawRun(const std::string& path, const std::string& statement, int* rows)
{
    sqlite3* handle = nullptr;
    if (sqlite3_open(path.c_str(), &handle) != SQLITE_OK) {
        sqlite3_close(handle);
        return -1;
    }
    Clock::time_point start = Clock::now();
    char** table = nullptr;
    int columns = 0;
    int code = sqlite3_get_table(handle, statement.c_str(), &table, rows, &columns, nullptr);
    sqlite3_free_table(table);
    double seconds = Seconds(start);
    sqlite3_close(handle);
    return code == SQLITE_OK ? seconds : -1;
}

}  // namespace bench
