// Measures the directory search against SQLite alone: the time of InitSearch + RunSearch over
// every company of a 100,000-company directory next to a bare sqlite3_get_table of the same
// statement, and the heap held per company record while all records are alive; and, in the
// same runs, the same search narrowed to a place (a postcode beginning and a city by
// default). Exits with 2 when a guard is exceeded (medians of the runs: the search above 1.6
// times SQLite, a search with a place slower than the same search without it, the heap per
// record above 3.3 KB on the default shape) or the search does not find every row SQLite
// finds.
// Run by hand: build-*/bench/SearchBench [runs [companies]] [--lean] [--text WORDS]
// [--place PLACE] (a smaller directory is handy under a profiler). With a search text the raw
// side runs the same statement with SQLite's own LIKE, so the text should be one whose
// matches do not depend on the case of letters beyond ASCII.
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

#include "bench/BenchSupport.h"
#include "directory/CompanyController.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/entity/BKEntity.h"

using namespace bench;

namespace {

const double kSearchGuard = 1.6;
// A place narrows the search: it must not make it slower.
const double kPlaceGuard = 1.0;
// 3.3 KB, where the default shape stood at 3383 bytes a record.
const double kHeapPerRecordGuard = 3400;

}  // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk()) {
        std::fprintf(stderr, "cannot initialise the toolkit\n");
        return 1;
    }
    int runs = 5;
    Shape shape;
    wxString text;
    std::vector<wxString> places = {"50", "koeln"};
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::string(argv[i]) == "--text" && i + 1 < argc)
            text = wxString::FromUTF8(argv[++i]);
        else if (std::string(argv[i]) == "--place" && i + 1 < argc)
            places = {wxString::FromUTF8(argv[++i])};
        else
            arguments.push_back(argv[i]);
    }
    ReadArguments(static_cast<int>(arguments.size()), arguments.data(), &runs, &shape);
    const unsigned int companies = shape.companies;

    std::string path = Directory(shape);
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
        CompanyController::BuildSearchStatement(text, wxArrayString()).utf8_string();

    Brenik::BKSQLiteDatabase database(wxString::FromUTF8(path.c_str()));
    if (!database.Connect()) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    CompanyController factory(&database);

    std::vector<double> raw;
    std::vector<double> search;
    std::vector<double> initOnly;
    std::vector<double> bytesPerRecord;
    std::vector<std::vector<double>> placeSearch(places.size());
    std::vector<size_t> placeFound(places.size());
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
        CompanyController* running = factory.InitSearch(text, wxArrayString());
        if (!running) {
            std::fprintf(stderr, "InitSearch failed\n");
            return 1;
        }
        initOnly.push_back(Seconds(start));
        while (CompanyEntity* company = running->RunSearch())
            records.emplace_back(company);
        search.push_back(Seconds(start));
        running->DeinitSearch();
        size_t heapAfter = HeapInUse();
        found = records.size();
        if (found != size_t(rawRows)) {
            std::fprintf(stderr, "run %d: the search found %zu records, SQLite %d rows\n", run + 1,
                         found, rawRows);
            return 2;
        }
        if (found)
            bytesPerRecord.push_back(double(heapAfter - heapBefore) / double(found));
        records.clear();

        for (size_t i = 0; i < places.size(); ++i) {
            start = Clock::now();
            running = factory.InitSearch(text, wxArrayString(), places[i]);
            if (!running) {
                std::fprintf(stderr, "InitSearch with the place failed\n");
                return 1;
            }
            while (CompanyEntity* company = running->RunSearch())
                records.emplace_back(company);
            placeSearch[i].push_back(Seconds(start));
            running->DeinitSearch();
            placeFound[i] = records.size();
            records.clear();
        }
    }

    const double rawMedian = Median(raw);
    const double searchMedian = Median(search);
    const double perRecord = bytesPerRecord.empty() ? 0 : Median(bytesPerRecord);
    const double textPerRecord = found ? TextBytes(path, statement) / double(found) : 0;
    std::printf("directory:           %s (%s records)\n", path.c_str(), shape.Name());
    std::printf("rows:                %d from SQLite, %zu records from the search\n", rawRows,
                found);
    std::printf("search text:         \"%s\"\n", text.utf8_string().c_str());
    std::printf("runs:                %d (medians below)\n", runs);
    std::printf("raw sqlite3_get_table: %.3f s\n", rawMedian);
    std::printf("InitSearch+RunSearch:  %.3f s\n", searchMedian);
    std::printf("InitSearch alone:      %.3f s (no yield before the first record)\n",
                Median(initOnly));
    std::printf("text per record:       %.0f bytes\n", textPerRecord);
    std::printf("heap per record:       %.0f bytes (%.2f bytes a byte of text)\n", perRecord,
                textPerRecord > 0 ? perRecord / textPerRecord : 0);
    int failures = 0;
    Holds("ratio search/raw", searchMedian / rawMedian, kSearchGuard, &failures);
    for (size_t i = 0; i < places.size(); ++i) {
        const double placeMedian = Median(placeSearch[i]);
        std::printf("with the place \"%s\":  %.3f s, %zu records\n",
                    places[i].utf8_string().c_str(), placeMedian, placeFound[i]);
        Holds("ratio with place/without", placeMedian / searchMedian, kPlaceGuard, &failures);
    }
    if (!shape.lean)
        Holds("heap per record (bytes)", perRecord, kHeapPerRecordGuard, &failures);
    return failures ? 2 : 0;
}
