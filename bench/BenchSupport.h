// What the benchmarks share: timing, medians, heap in use, the cached generated directory and
// a bare sqlite3_get_table run to compare against.
#pragma once

#include <malloc.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

// The generated directory of that size, kept in the build folder and shared by the
// benchmarks; made by the generator on first use. Empty when generating fails.
inline std::string Directory(unsigned int companies)
{
    std::string path =
        std::string(NORVEL_BINARY_DIR) + "/bench-" + std::to_string(companies) + ".sqlite";
    if (wxFileName::FileExists(wxString::FromUTF8(path.c_str())))
        return path;
    std::printf("generating %s ...\n", path.c_str());
    std::fflush(stdout);
    std::string temporary = path + ".part";
    std::string command = std::string("'") + NORVEL_GENDIR + "' '" + temporary + "' --companies " +
                          std::to_string(companies) + " --seed 1";
    if (std::system(command.c_str()) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return std::string();
    }
    return path;
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
