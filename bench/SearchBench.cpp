// Measures the directory search against SQLite alone: the time of InitSearch + RunSearch over
// every company of a 100,000-company directory next to a bare sqlite3_get_table of the same
// statement, and the heap held per company record while all records are alive.
// Run by hand: build-*/bench/SearchBench [runs [companies]] (a smaller directory is handy
// under a profiler).
#include <malloc.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/init.h>

#include "directory/CompanyController.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/entity/BKEntity.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

size_t HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The cached directory, made by the generator on first use.
std::string Directory(unsigned int companies)
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

double RawRun(const std::string& path, const std::string& statement, int* rows)
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

}  // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk()) {
        std::fprintf(stderr, "cannot initialise the toolkit\n");
        return 1;
    }
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    unsigned int companies = argc > 2 ? unsigned(std::max(1, std::atoi(argv[2]))) : 100000;

    std::string path = Directory(companies);
    if (path.empty()) {
        std::fprintf(stderr, "cannot generate the directory with %s\n", NORVEL_GENDIR);
        return 1;
    }

    // In the program the main loop is running while a search yields; give the yields of
    // this console program a loop too, instead of one made and dropped per record.
    wxAppTraits* traits = wxApp::GetTraitsIfExists();
    std::unique_ptr<wxEventLoopBase> loop(traits ? traits->CreateEventLoop() : nullptr);
    std::unique_ptr<wxEventLoopActivator> active;
    if (loop)
        active = std::make_unique<wxEventLoopActivator>(loop.get());

    const std::string statement =
        CompanyController::BuildSearchStatement(wxString(), wxArrayString()).utf8_string();

    Brenik::BKSQLiteDatabase database(wxString::FromUTF8(path.c_str()));
    if (!database.Connect()) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    CompanyController factory(&database);

    std::vector<double> raw;
    std::vector<double> search;
    std::vector<double> bytesPerRecord;
    int rawRows = 0;
    size_t found = 0;
    for (int run = 0; run < runs; ++run) {
        double seconds = RawRun(path, statement, &rawRows);
        if (seconds < 0) {
            std::fprintf(stderr, "the statement failed in SQLite\n");
            return 1;
        }
        raw.push_back(seconds);

        std::vector<std::unique_ptr<CompanyEntity>> records;
        records.reserve(companies);
        size_t heapBefore = HeapInUse();
        Clock::time_point start = Clock::now();
        CompanyController* running = factory.InitSearch(wxString(), wxArrayString());
        if (!running) {
            std::fprintf(stderr, "InitSearch failed\n");
            return 1;
        }
        while (CompanyEntity* company = running->RunSearch())
            records.emplace_back(company);
        search.push_back(Seconds(start));
        running->DeinitSearch();
        size_t heapAfter = HeapInUse();
        found = records.size();
        if (found)
            bytesPerRecord.push_back(double(heapAfter - heapBefore) / double(found));
        records.clear();
    }

    double rawMedian = Median(raw);
    double searchMedian = Median(search);
    double perRecord = bytesPerRecord.empty() ? 0 : Median(bytesPerRecord);
    std::printf("directory:           %s\n", path.c_str());
    std::printf("rows:                %d from SQLite, %zu records from the search\n", rawRows,
                found);
    std::printf("runs:                %d (medians below)\n", runs);
    std::printf("raw sqlite3_get_table: %.3f s\n", rawMedian);
    std::printf("InitSearch+RunSearch:  %.3f s\n", searchMedian);
    std::printf("ratio search/raw:      %.2f (target <= 2.5)\n", searchMedian / rawMedian);
    std::printf("heap per record:       %.0f bytes (target <= 6144)\n", perRecord);
    std::printf("sizeof(BKCasts) = %zu, sizeof(BKEntity::BKEntityType) = %zu\n",
                sizeof(Brenik::BKCasts), sizeof(Brenik::BKEntity::BKEntityType));
    return 0;
}
