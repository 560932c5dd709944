// Measures the CSV export of the main window against writing the same bytes alone:
// NorvelFrame::Export over all 100,000 companies of the generated directory (the settings
// dialog answered with a file name, from the call until "The export is finished." is shown)
// next to fopen, one fwrite per line and fclose of the very same lines, with and without the
// fsync that the export does before it puts the file in place. The export may take at most
// twice as long as writing the lines with that fsync: a file that replaces the user's old one
// must be on the disk before the rename, or a crash could leave neither.
// Exits with 2 when the target is missed or the file lacks rows.
// Run by hand under an X server: xvfb-run -a build-*/bench/ExportBench [runs [companies]] [--lean]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "bench/WindowBenchSupport.h"
#include "directory/CompanyController.h"
#include "directory/CompanyEntity.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/ExportDialog.h"
#include "ui/NorvelFrame.h"

namespace {

using namespace bench;

// Seconds to write the lines with one fwrite each; -1 on failure.
double WriteLines(const std::string& path, const std::vector<std::string>& lines, bool sync)
{
    Clock::time_point start = Clock::now();
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return -1;
    bool written = true;
    for (const std::string& line : lines)
        written = std::fwrite(line.data(), 1, line.size(), file) == line.size() && written;
    if (sync)
        written = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0 && written;
    written = std::fclose(file) == 0 && written;
    return written ? Seconds(start) : -1;
}

int Measure(int runs, const Shape& shape)
{
    const unsigned int companies = shape.companies;
    MainWindow window;
    if (!window.Open(shape))
        return 1;
    NorvelFrame* frame = window.frame;
    Brenik::BKListCtrl* list = window.list;
    const std::string exported = window.home + "/export.csv";
    const std::string plain = window.home + "/plain.csv";
    frame->Search();  // every company
    wxYield();
    const std::string statement =
        CompanyController::BuildSearchStatement(wxString(), wxArrayString()).utf8_string();
    int rawRows = 0;
    if (RawRun(window.directory, statement, &rawRows) < 0 || list->GetItemCount() != rawRows) {
        std::fprintf(stderr, "the search listed %d companies, SQLite finds %d\n",
                     list->GetItemCount(), rawRows);
        return 2;
    }

    // The same bytes, made once outside the measurement.
    const CsvConfigType::Utf8 settings = CsvConfigType().ToUtf8();
    std::vector<std::string> lines(1);
    CompanyEntity::AppendCsvHeader(settings, lines[0]);
    size_t bytes = lines[0].size();
    for (int row = 0; row < list->GetItemCount(); ++row) {
        lines.emplace_back();
        static_cast<CompanyEntity*>(list->GetPointer(row, 0))
            ->AppendCsvContent(settings, lines.back());
        bytes += lines.back().size();
    }

    DialogAnswers answers(wxString::FromUTF8(exported.c_str()));
    answers.Register();
    std::vector<double> plainTimes, syncedTimes, exportTimes;
    for (int run = 0; run < runs; ++run) {
        const double plainSeconds = WriteLines(plain, lines, false);
        const double syncedSeconds = WriteLines(plain, lines, true);
        std::remove(plain.c_str());
        Clock::time_point start = Clock::now();
        frame->Export();
        const double exportSeconds = Seconds(start);
        if (plainSeconds < 0 || syncedSeconds < 0 ||
            answers.lastMessage != "The export is finished.") {
            std::fprintf(stderr, "writing failed: %s\n", answers.lastMessage.utf8_str().data());
            return 1;
        }
        plainTimes.push_back(plainSeconds);
        syncedTimes.push_back(syncedSeconds);
        exportTimes.push_back(exportSeconds);
        std::printf("run %d: fwrite per line %.3f s, with fsync %.3f s, Export %.3f s\n", run + 1,
                    plainSeconds, syncedSeconds, exportSeconds);
        std::fflush(stdout);
    }
    answers.Unregister();

    const wxULongLong size = wxFileName::GetSize(wxString::FromUTF8(exported.c_str()));
    std::remove(exported.c_str());

    const double plainMedian = Median(plainTimes);
    const double syncedMedian = Median(syncedTimes);
    const double exportMedian = Median(exportTimes);
    std::printf("\ncompanies: %u (%s records), rows exported: %d, bytes: %zu (file: %s)\n",
                companies, shape.Name(), list->GetItemCount(), bytes,
                size.ToString().utf8_str().data());
    std::printf("fopen, fwrite per line, fclose (median of %d): %.3f s\n", runs, plainMedian);
    std::printf("the same with fsync before fclose (median): %.3f s\n", syncedMedian);
    std::printf("NorvelFrame::Export (median of %d): %.3f s\n", runs, exportMedian);
    std::printf("ratio Export / fwrite per line: %.2f\n", exportMedian / plainMedian);
    std::printf("ratio Export / fwrite per line with fsync: %.2f (target <= 2.00: %s)\n",
                exportMedian / syncedMedian, exportMedian <= 2 * syncedMedian ? "holds" : "missed");
    return exportMedian <= 2 * syncedMedian && size == bytes ? 0 : 2;
}

}  // namespace

// Norvel.h declares the program's own application object; this one is installed by hand.
int main(int argc, char** argv)
{
    wxApp::SetInstance(new WindowBenchApp(Measure));
    return wxEntry(argc, argv);
}
