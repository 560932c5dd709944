// Measures the main window's whole search against SQLite alone: NorvelFrame::Search with an
// empty text over a 100,000-company directory (from the call until the list shows its rows
// and the status bar its counts) next to a bare sqlite3_get_table of the same statement, and
// the memory the result list and the records hold per row.
// Run by hand under an X server: xvfb-run -a build-*/bench/MainWindowBench [runs [companies]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/statusbr.h>

#include "bench/WindowBenchSupport.h"
#include "directory/CompanyController.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/NorvelFrame.h"

namespace {

using namespace bench;

int Measure(int runs, unsigned int companies)
{
    MainWindow window;
    if (!window.Open(companies))
        return 1;
    NorvelFrame* frame = window.frame;
    Brenik::BKListCtrl* list = window.list;
    const std::string& path = window.directory;

    const std::string statement =
        CompanyController::BuildSearchStatement(wxString(), wxArrayString()).utf8_string();

    std::vector<double> raw, search, cleanUp;
    int rawRows = 0;
    size_t heapPerRow = 0;
    for (int run = 0; run < runs; ++run) {
        const double rawSeconds = RawRun(path, statement, &rawRows);
        if (rawSeconds < 0) {
            std::fprintf(stderr, "the statement failed in SQLite\n");
            return 1;
        }
        raw.push_back(rawSeconds);

        // The previous result is released outside the measured search.
        Clock::time_point start = Clock::now();
        frame->ClearResultsListCtrl();
        cleanUp.push_back(Seconds(start));
        wxYield();

        const size_t heapBefore = HeapInUse();
        start = Clock::now();
        frame->Search();
        list->Update();  // the visible rows are painted
        wxYield();
        search.push_back(Seconds(start));
        const size_t heapAfter = HeapInUse();
        if (list->GetItemCount() > 0 && heapAfter > heapBefore)
            heapPerRow = (heapAfter - heapBefore) / size_t(list->GetItemCount());
        std::printf("run %d: sqlite3_get_table %.3f s, Search %.3f s, rows %d, %s, %s\n", run + 1,
                    rawSeconds, search.back(), list->GetItemCount(),
                    frame->GetStatusBar()->GetStatusText(1).utf8_string().c_str(),
                    frame->GetStatusBar()->GetStatusText(2).utf8_string().c_str());
        std::fflush(stdout);
    }

    const int rows = list->GetItemCount();
    const double rawMedian = Median(raw);
    const double searchMedian = Median(search);
    std::printf("\ncompanies: %u, rows listed: %d (SQLite rows: %d)\n", companies, rows, rawRows);
    std::printf("sqlite3_get_table (median of %d): %.3f s\n", runs, rawMedian);
    std::printf("NorvelFrame::Search (median of %d): %.3f s\n", runs, searchMedian);
    std::printf("ratio Search / sqlite3_get_table: %.2f (target <= 3.00: %s)\n",
                searchMedian / rawMedian, searchMedian <= 3 * rawMedian ? "holds" : "missed");
    std::printf("release of the previous result (median): %.3f s\n", Median(cleanUp));
    if (rows > 0) {
        std::printf("result list storage: %.1f bytes per row\n",
                    double(list->GetStorageBytes()) / rows);
        std::printf("heap per row with its company record: %zu bytes\n", heapPerRow);
    }

    return searchMedian <= 3 * rawMedian ? 0 : 2;
}

}  // namespace

// Norvel.h declares the program's own application object; this one is installed by hand.
int main(int argc, char** argv)
{
    wxApp::SetInstance(new WindowBenchApp(Measure));
    return wxEntry(argc, argv);
}
