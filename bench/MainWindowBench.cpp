// Measures the main window's whole search against SQLite alone, on a 100,000-company directory
// of long records and on one of short records, in the same run: NorvelFrame::Search with an
// empty text, as a user runs it a second time in a row (from the call, which releases the
// previous result, until the list shows its rows and the status bar its counts) next to a bare
// sqlite3_get_table of the same statement; the memory the result list and the records hold per
// row; the process's resident memory after listing every company at least twice; and, in one
// more search, the longest gap between two passes of the event loop. The two shapes weigh the
// list's own work differently: long records make SQLite's read long and the list's share
// small, short ones (the directory's usual records) the other way round. Exits with 2 when a
// search takes more than 2.5 times SQLite (median of the runs) or the list lacks rows SQLite
// finds.
// Run by hand under an X server: xvfb-run -a build-*/bench/MainWindowBench [runs [companies]]
// [--lean] (--lean measures the short records alone)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/statusbr.h>
#include <wx/timer.h>

#include "bench/WindowBenchSupport.h"
#include "directory/CompanyController.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/NorvelFrame.h"

namespace {

using namespace bench;

const double kSearchGuard = 2.5;

// Ticks as often as the event loop lets it and keeps the longest time between two ticks: a
// click on cancel waits at most that long.
class LoopGapTimer : public wxTimer {
public:
    void Notify() override
    {
        const Clock::time_point now = Clock::now();
        longest = std::max(longest, std::chrono::duration<double>(now - last).count());
        last = now;
    }
    void Begin()
    {
        last = Clock::now();
        longest = 0;
        Start(1);
    }
    double longest = 0;

private:
    Clock::time_point last;
};

double Megabytes(size_t bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

int MeasureShape(int runs, const Shape& shape)
{
    const unsigned int companies = shape.companies;
    MainWindow window;
    if (!window.Open(shape))
        return 1;
    NorvelFrame* frame = window.frame;
    Brenik::BKListCtrl* list = window.list;
    const std::string& path = window.directory;

    const std::string statement =
        CompanyController::BuildSearchStatement(wxString(), wxArrayString()).utf8_string();

    // Every measured search is the second in a row: it releases the result of the one before.
    const size_t heapEmpty = HeapInUse();
    frame->Search();
    wxYield();

    std::vector<double> raw, search, heapPerRow;
    double storagePerRow = 0;
    int rawRows = 0;
    for (int run = 0; run < runs; ++run) {
        const double rawSeconds = RawRun(path, statement, &rawRows);
        if (rawSeconds < 0) {
            std::fprintf(stderr, "the statement failed in SQLite\n");
            return 1;
        }
        raw.push_back(rawSeconds);

        const Clock::time_point start = Clock::now();
        frame->Search();
        list->Update();  // the visible rows are painted
        wxYield();
        search.push_back(Seconds(start));
        const int rows = list->GetItemCount();
        std::printf("run %d: sqlite3_get_table %.3f s, Search %.3f s, rows %d, %s, %s\n", run + 1,
                    rawSeconds, search.back(), rows,
                    frame->GetStatusBar()->GetStatusText(1).utf8_string().c_str(),
                    frame->GetStatusBar()->GetStatusText(2).utf8_string().c_str());
        std::fflush(stdout);
        if (rows != rawRows) {
            std::fprintf(stderr, "the list shows %d rows, SQLite finds %d\n", rows, rawRows);
            return 2;
        }
        storagePerRow = double(list->GetStorageBytes()) / std::max(rows, 1);
        heapPerRow.push_back((double(HeapInUse()) - double(heapEmpty)) / std::max(rows, 1));
    }
    const size_t resident = ProcessMemory("VmRSS");
    const size_t peak = ProcessMemory("VmHWM");

    LoopGapTimer gaps;
    gaps.Begin();
    frame->Search();
    gaps.Stop();
    // The release alone, which the search does before its first yield.
    const int releasedRows = list->GetItemCount();
    const Clock::time_point releaseStart = Clock::now();
    frame->ClearResultsListCtrl();
    const double releaseSeconds = Seconds(releaseStart);

    const int rows = releasedRows;
    const double rawMedian = Median(raw);
    const double searchMedian = Median(search);
    const double perRow = Median(heapPerRow);
    const double textPerRow = rows ? TextBytes(path, statement) / rows : 0;
    std::printf("\ncompanies: %u (%s records), rows listed: %d (SQLite rows: %d)\n", companies,
                shape.Name(), rows, rawRows);
    std::printf("sqlite3_get_table (median of %d): %.3f s\n", runs, rawMedian);
    std::printf("NorvelFrame::Search, release included (median of %d): %.3f s\n", runs,
                searchMedian);
    std::printf("release of the %d rows and their records alone: %.3f s\n", rows, releaseSeconds);
    std::printf("result list storage: %.1f bytes per row\n", storagePerRow);
    std::printf("heap per row with its company record: %.0f bytes\n", perRow);
    std::printf("text per company: %.0f bytes\n", textPerRow);
    std::printf("after listing every company %d times: %.0f MB resident, %.0f MB peak\n", runs + 1,
                Megabytes(resident), Megabytes(peak));
    std::printf("longest gap between event-loop passes during a search: %.0f ms\n",
                gaps.longest * 1000);

    std::printf("heap per row / text per company: %.2f\n",
                textPerRow > 0 ? perRow / textPerRow : 0);
    int failures = 0;
    Holds("ratio Search / sqlite3_get_table", searchMedian / rawMedian, kSearchGuard, &failures);
    return failures ? 2 : 0;
}

// Both shapes, long records first, each in a window of its own; the worse result counts.
int Measure(int runs, const Shape& asked)
{
    int result = 0;
    for (bool lean : {false, true}) {
        if (asked.lean && !lean)
            continue;
        Shape shape = asked;
        shape.lean = lean;
        std::printf("\n== %s records ==\n", shape.Name());
        result = std::max(result, MeasureShape(runs, shape));
    }
    return result;
}

}  // namespace

// Norvel.h declares the program's own application object; this one is installed by hand.
int main(int argc, char** argv)
{
    wxApp::SetInstance(new WindowBenchApp(Measure));
    return wxEntry(argc, argv);
}
