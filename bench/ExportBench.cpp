// Measures the CSV export of the main window against writing the same bytes alone:
// NorvelFrame::Export over all 100,000 companies of the generated directory (the settings
// dialog answered with a file name, from the call until "The export is finished." is shown)
// next to fopen, one fwrite per line and fclose of the very same lines, with and without the
// fsync that the export does before it puts the file in place.
// Run by hand under an X server: xvfb-run -a build-*/bench/ExportBench [runs [companies]]
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "app/Norvel.h"
#include "app/RuntimeInformationType.h"
#include "bench/BenchSupport.h"
#include "directory/CompanyEntity.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/ExportDialog.h"
#include "ui/NorvelFrame.h"

namespace {

using namespace bench;

// Plays the user: the settings dialog gets the file name and is confirmed, every message box
// is answered with OK and its text kept.
class Answers : public wxModalDialogHook {
public:
    explicit Answers(const wxString& file) : file(file) {}
    wxString lastMessage;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* settings = dynamic_cast<ExportDialog*>(dialog)) {
            wxDynamicCast(settings->FindWindow(XRCID("fileTextCtrl")), wxTextCtrl)
                ->ChangeValue(file);
            return settings->Accept() ? wxID_OK : wxID_CANCEL;
        }
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog))
            lastMessage = box->GetMessage();
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}

private:
    wxString file;
};

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
        const std::string exported = home + "/export.csv";
        const std::string plain = home + "/plain.csv";

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
        if (!list) {
            std::fprintf(stderr, "the main window has no result list\n");
            return 1;
        }
        frame->Search();  // every company
        for (int i = 0; i < 5; ++i)
            wxYield();

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

        Answers answers(wxString::FromUTF8(exported.c_str()));
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
            std::printf("run %d: fwrite per line %.3f s, with fsync %.3f s, Export %.3f s\n",
                        run + 1, plainSeconds, syncedSeconds, exportSeconds);
            std::fflush(stdout);
        }
        answers.Unregister();

        FILE* check = std::fopen(exported.c_str(), "r");
        std::fseek(check, 0, SEEK_END);
        const long size = std::ftell(check);
        std::fclose(check);
        std::remove(exported.c_str());

        const double plainMedian = Median(plainTimes);
        const double syncedMedian = Median(syncedTimes);
        const double exportMedian = Median(exportTimes);
        std::printf("\ncompanies: %u, rows exported: %d, bytes: %zu (file: %ld)\n", companies,
                    list->GetItemCount(), bytes, size);
        std::printf("fopen, fwrite per line, fclose (median of %d): %.3f s\n", runs, plainMedian);
        std::printf("the same with fsync before fclose (median): %.3f s\n", syncedMedian);
        std::printf("NorvelFrame::Export (median of %d): %.3f s\n", runs, exportMedian);
        std::printf("ratio Export / fwrite per line: %.2f (target <= 2.00: %s)\n",
                    exportMedian / plainMedian,
                    exportMedian <= 2 * plainMedian ? "holds" : "missed");
        std::printf("ratio Export / fwrite per line with fsync: %.2f\n",
                    exportMedian / syncedMedian);

        frame->ClearResultsListCtrl();
        frame->Destroy();
        ProcessIdle();
        return exportMedian <= 2 * plainMedian && size_t(size) == bytes ? 0 : 2;
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
