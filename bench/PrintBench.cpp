// Measures previewing many selected companies' sheets in one job, as the main window's preview
// does with every row selected: the sheets made into one printout and its pages laid out,
// until the preview knows its page count. Next to it, in the same run, the same sheets each
// previewed alone. The job must have as many pages as the sheets alone have together, since
// each sheet starts a new page; exits with 2 when it has not.
// Beside them the result list of as many rows printed as a table, and of every listed
// company up to 5000, from the rows' texts to the preview's page count; exits with 2 too when
// the list of every row takes longer than the one job of sheets.
// Run by hand under an X server: xvfb-run -a build-*/bench/PrintBench [runs [companies]] [--lean]
// (the first 1000 companies of the directory are printed).
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <wx/print.h>

#include "bench/WindowBenchSupport.h"
#include "directory/CompanyEntity.h"
#include "print/HtmlPrintoutLibrary.h"
#include "print/PrintPreviewDialog.h"
#include "print/ResultListPrintout.h"
#include "ui/ResultListPrinting.h"

namespace {

using namespace bench;

const size_t kSheets = 1000;
const int kListRows = 5000;
// Makes every sheet: nobody cancels.
const auto kEvery = [](size_t) { return true; };

// The pages the preview shows of the printout, once it has laid them out.
int PreviewPages(HtmlPrintoutLibrary* printout)
{
    wxPrintData data = PrintPreviewDialog::PrintData(wxPORTRAIT);
    wxPrintPreview preview(printout, nullptr, &data);
    wxFrame frame(nullptr, wxID_ANY, "");
    preview.SetCanvas(new wxPreviewCanvas(&preview, &frame));
    preview.RenderPage(1);
    return preview.GetMaxPage();
}

// The seconds the list of the first rows takes to the preview's page count, which pages
// receives.
double ListSeconds(MainWindow& window, int rows, int* pages)
{
    window.list->SelectAll(false);
    for (int row = 0; row < rows && row < window.list->GetItemCount(); ++row)
        window.list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    const Clock::time_point start = Clock::now();
    ResultListPrinting printing(window.frame, window.rit.get(), window.list);
    *pages = PreviewPages(printing.CreateList("", kEvery));
    return Seconds(start);
}

int Measure(int runs, const Shape& shape)
{
    MainWindow window;
    if (!window.Open(shape))
        return 1;
    window.frame->Search();  // every company
    window.list->SelectAll(true);
    std::vector<const CompanyEntity*> companies = window.frame->GetSelectedCompanies();
    companies.resize(std::min(companies.size(), kSheets));
    RuntimeInformationType* rit = window.rit.get();

    const int listRows = std::min(kListRows, window.list->GetItemCount());
    std::vector<double> jobTimes, aloneTimes, listTimes, allTimes;
    int listPages = 0;
    int allPages = 0;
    int jobPages = 0;
    int alonePages = 0;
    for (int run = 0; run < runs; ++run) {
        Clock::time_point start = Clock::now();
        jobPages = PreviewPages(CompanyEntity::Print(companies, rit, kEvery));
        jobTimes.push_back(Seconds(start));
        start = Clock::now();
        alonePages = 0;
        for (const CompanyEntity* company : companies)
            alonePages += PreviewPages(CompanyEntity::Print({company}, rit, kEvery));
        aloneTimes.push_back(Seconds(start));
        listTimes.push_back(ListSeconds(window, static_cast<int>(companies.size()), &listPages));
        allTimes.push_back(ListSeconds(window, listRows, &allPages));
        std::printf("run %d: one job %.3f s, each alone %.3f s, list %.3f s, list of %d %.3f s\n",
                    run + 1, jobTimes.back(), aloneTimes.back(), listTimes.back(), listRows,
                    allTimes.back());
        std::fflush(stdout);
    }
    const double jobMedian = Median(jobTimes);
    const double aloneMedian = Median(aloneTimes);
    std::printf("\ncompanies: %u (%s records), sheets: %zu\n", shape.companies, shape.Name(),
                companies.size());
    std::printf("one job: %d pages, median of %d: %.3f s\n", jobPages, runs, jobMedian);
    std::printf("each alone: %d pages, median of %d: %.3f s\n", alonePages, runs, aloneMedian);
    std::printf("ratio one job / each alone: %.2f\n", jobMedian / aloneMedian);
    std::printf("result list of %zu rows: %d pages, median %.3f s, ratio to one job %.2f\n",
                companies.size(), listPages, Median(listTimes), Median(listTimes) / jobMedian);
    std::printf("result list of %d rows: %d pages, median %.3f s\n", listRows, allPages,
                Median(allTimes));
    // The list of every row must not take the time of a thousand sheets.
    const bool listFast = Median(allTimes) < jobMedian;
    return jobPages == alonePages && !companies.empty() && listFast ? 0 : 2;
}

}  // namespace

// Norvel.h declares the program's own application object; this one is installed by hand.
int main(int argc, char** argv)
{
    wxApp::SetInstance(new WindowBenchApp(Measure));
    return wxEntry(argc, argv);
}
