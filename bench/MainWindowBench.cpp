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
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/statusbr.h>
#include <wx/xrc/xmlres.h>

#include "bench/BenchSupport.h"
#include "app/Norvel.h"
#include "app/RuntimeInformationType.h"
#include "directory/CompanyController.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/NorvelFrame.h"

namespace {

using namespace bench;

class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        SetExitOnFrameDelete(false);
        CallAfter([this] {
            result = Measure();
            ExitMainLoop();
        });
        return true;
    }

    int OnRun() override
    {
        wxApp::OnRun();
        return result;
    }

private:
    int Measure()
    {
        const int runs = argc > 1 ? std::max(1, std::atoi(argv[1].utf8_str())) : 5;
        const unsigned int companies =
            argc > 2 ? unsigned(std::max(1, std::atoi(argv[2].utf8_str()))) : 100000;
        const std::string path = Directory(companies);
        if (path.empty()) {
            std::fprintf(stderr, "cannot generate the directory with %s\n", NORVEL_GENDIR);
            return 1;
        }

        // The layouts are found below the source folder; the user configuration goes to a
        // scratch home so the benchmark neither reads nor writes the user's own.
        wxSetWorkingDirectory(NORVEL_SOURCE_DIR);
        const std::string home = std::string(NORVEL_BINARY_DIR) + "/bench-home";
        wxFileName::Mkdir(wxString::FromUTF8(home.c_str()), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        setenv("HOME", home.c_str(), 1);

        std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
        auto* database = new Brenik::BKSQLiteDatabase(wxString::FromUTF8(path.c_str()));
        rit->SetDatabase(database, true);
        if (!database->Connect()) {
            std::fprintf(stderr, "cannot open %s\n", path.c_str());
            return 1;
        }

        auto* frame = new NorvelFrame(rit.get());
        frame->Show();
        auto* list = wxDynamicCast(frame->FindWindow(XRCID("resultsListCtrl")), Brenik::BKListCtrl);
        if (!list || !frame->GetStatusBar()) {
            std::fprintf(stderr, "the main window has no result list or status bar\n");
            return 1;
        }
        for (int i = 0; i < 5; ++i)
            wxYield();

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
            std::printf("run %d: sqlite3_get_table %.3f s, Search %.3f s, rows %d, %s, %s\n",
                        run + 1, rawSeconds, search.back(), list->GetItemCount(),
                        frame->GetStatusBar()->GetStatusText(1).utf8_string().c_str(),
                        frame->GetStatusBar()->GetStatusText(2).utf8_string().c_str());
            std::fflush(stdout);
        }

        const int rows = list->GetItemCount();
        const double rawMedian = Median(raw);
        const double searchMedian = Median(search);
        std::printf("\ncompanies: %u, rows listed: %d (SQLite rows: %d)\n", companies, rows,
                    rawRows);
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

        frame->ClearResultsListCtrl();
        frame->Destroy();
        ProcessIdle();
        return searchMedian <= 3 * rawMedian ? 0 : 2;
    }

    int result = 1;
};

}  // namespace

// Norvel.h declares the program's own application object; this one is installed by hand.
int main(int argc, char** argv)
{
    wxApp::SetInstance(new BenchApp);
    return wxEntry(argc, argv);
}
