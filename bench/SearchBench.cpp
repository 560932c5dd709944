// Measures the directory search against SQLite alone: the time of InitSearch + RunSearch over
// every company of a 100,000-company directory next to a bare sqlite3_get_table of the same
// statement, and the heap held per company record while all records are alive; and, in the
// same runs, the same search narrowed to a place (a postcode beginning and a city by
// default). Exits with 2 when a guard is exceeded (medians of the runs: the search above 1.6
// times SQLite, a search with a place slower than the same search without it, the heap per
// record above 3.3 KB on the default shape) or the search does not find every row SQLite
// finds. Then a name search against a telephone, a street and an every-field search, each
// within 1.5 times the name search, each finding exactly the companies SQLite finds for the
// same condition written with its own functions.
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
#include "directory/PhoneDigits.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/entity/BKEntity.h"

using namespace bench;

namespace {

const double kSearchGuard = 1.6;
// A place narrows the search: it must not make it slower.
const double kPlaceGuard = 1.0;
// 3.3 KB, where the default shape stood at 3383 bytes a record.
const double kHeapPerRecordGuard = 3400;
// The other kinds of search against the name search.
const double kKindGuard = 1.5;

// The searches measured against the name search, with texts as people type them.
struct KindSearch {
    const char* label;
    SearchKind kind;
    const char* text;
};
const KindSearch kKindSearches[] = {
    {"name", SearchKind::kNameOrCeo, "schmidt"},
    {"telephone", SearchKind::kPhoneOrFax, "+49 (0)351 / 12"},
    {"street", SearchKind::kStreet, "Bahnhofstr. 12"},
    {"all fields", SearchKind::kAllFields, "schmidt"},
};

// A telephone number's digits in SQLite's own functions, for the blanks, slashes, brackets,
// hyphens, dots and plus signs numbers are written with.
std::string OwnPhoneDigits(const std::string& column)
{
    std::string digits = column;
    for (const char* mark : {" ", "/", "-", "(", ")", "+", "."})
        digits = "replace(" + digits + ", '" + mark + "', '')";
    return "(CASE WHEN ltrim(" + column + ") LIKE '+49%' THEN '0' || ltrim(substr(" + digits +
           ", 3), '0') WHEN " + digits + " LIKE '0049%' THEN '0' || ltrim(substr(" + digits +
           ", 5), '0') WHEN ltrim(" + column + ") LIKE '+%' THEN '00' || " + digits + " ELSE " +
           digits + " END)";
}

// The statement of the search with SQLite's own functions in place of the program's.
std::string OwnStatement(const wxString& statement)
{
    std::string own = statement.utf8_string();
    for (const char* column : {"companies.phone", "companies.fax"}) {
        const std::string call = std::string(PhoneDigits::kFunction) + "(" + column + ")";
        for (size_t at; (at = own.find(call)) != std::string::npos;)
            own.replace(at, call.size(), OwnPhoneDigits(column));
    }
    return own;
}

// The ids of the statement's rows on a fresh connection, sorted.
std::vector<std::string> OwnIds(const std::string& path, const std::string& statement)
{
    std::vector<std::string> ids;
    sqlite3* handle = nullptr;
    sqlite3_stmt* query = nullptr;
    if (sqlite3_open(path.c_str(), &handle) == SQLITE_OK &&
        sqlite3_prepare_v2(handle, statement.c_str(), -1, &query, nullptr) == SQLITE_OK) {
        while (sqlite3_step(query) == SQLITE_ROW)
            ids.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)));
    }
    sqlite3_finalize(query);
    sqlite3_close(handle);
    std::sort(ids.begin(), ids.end());
    return ids;
}

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

    // The kinds of search, in turns within each run, so that a slower moment of the machine
    // falls on all of them alike.
    const size_t kinds = std::size(kKindSearches);
    std::vector<std::vector<double>> kindSeconds(kinds);
    std::vector<std::vector<std::string>> kindIds(kinds);
    for (int run = 0; run < runs; ++run) {
        for (size_t i = 0; i < kinds; ++i) {
            const KindSearch& measured = kKindSearches[i];
            std::vector<std::unique_ptr<CompanyEntity>> records;
            const Clock::time_point start = Clock::now();
            CompanyController* running = factory.InitSearch(
                wxString::FromUTF8(measured.text), wxArrayString(), wxString(), measured.kind);
            if (!running) {
                std::fprintf(stderr, "the %s search failed\n", measured.label);
                return 1;
            }
            while (CompanyEntity* company = running->RunSearch())
                records.emplace_back(company);
            kindSeconds[i].push_back(Seconds(start));
            running->DeinitSearch();
            kindIds[i].clear();
            for (const auto& company : records)
                kindIds[i].push_back(company->Get("id")->ToString().utf8_string());
            std::sort(kindIds[i].begin(), kindIds[i].end());
        }
    }
    const double nameMedian = Median(kindSeconds[0]);
    for (size_t i = 0; i < kinds; ++i) {
        const KindSearch& measured = kKindSearches[i];
        const std::string own = OwnStatement(CompanyController::BuildSearchStatement(
            wxString::FromUTF8(measured.text), wxArrayString(), wxString(), measured.kind));
        const std::vector<std::string> ownIds = OwnIds(path, own);
        std::printf("%-10s \"%s\": %.3f s, %zu records, %zu rows from SQLite alone\n",
                    measured.label, measured.text, Median(kindSeconds[i]), kindIds[i].size(),
                    ownIds.size());
        if (ownIds != kindIds[i]) {
            std::printf("the %s search found other companies than SQLite\n", measured.label);
            ++failures;
        }
        if (i > 0) {
            const std::string what = std::string("ratio ") + measured.label + "/name";
            Holds(what.c_str(), Median(kindSeconds[i]) / nameMedian, kKindGuard, &failures);
        }
    }
    return failures ? 2 : 0;
}
