// Measures previewing many selected companies' sheets in one job, as the main window's preview
// does with every row selected: the sheets made into one printout and its pages laid out,
// until the preview knows its page count. Next to it, in the same run, the same sheets each
// previewed alone. The job must have as many pages as the sheets alone have together, since
// each sheet starts a new page; exits with 2 when it has not.
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

namespace {

using namespace bench;

const size_t kSheets = 1000;
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

    std::vector<double> jobTimes, aloneTimes;
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
        std::printf("run %d: one job %.3f s, each alone %.3f s\n", run + 1, jobTimes.back(),
                    aloneTimes.back());
        std::fflush(stdout);
    }
    const double jobMedian = Median(jobTimes);
    const double aloneMedian = Median(aloneTimes);
    std::printf("\ncompanies: %u (%s records), sheets: %zu\n", shape.companies, shape.Name(),
                companies.size());
    std::printf("one job: %d pages, median of %d: %.3f s\n", jobPages, runs, jobMedian);
    std::printf("each alone: %d pages, median of %d: %.3f s\n", alonePages, runs, aloneMedian);
    std::printf("ratio one job / each alone: %.2f\n", jobMedian / aloneMedian);
    return jobPages == alonePages && !companies.empty() ? 0 : 2;
}

}  // namespace

// Norvel.h declares the program's own application object; this one is installed by hand.
int main(int argc, char** argv)
{
    wxApp::SetInstance(new WindowBenchApp(Measure));
    return wxEntry(argc, argv);
}
