// Measures saving the listed companies as vCards against exporting the same list as CSV, in
// the same run: NorvelFrame::SaveVCards over every company of the generated directory, all
// rows selected (the save dialog answered with a file name, from the call until the file is
// in place), next to NorvelFrame::Export of the same rows (the settings dialog answered, until
// "The export is finished." is shown). Reports the medians, the sizes and the ratio.
// Exits with 2 when a file lacks cards or rows.
// Run by hand under an X server: xvfb-run -a build-*/bench/VCardBench [runs [companies]] [--lean]
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "bench/WindowBenchSupport.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/ExportDialog.h"
#include "ui/NorvelFrame.h"

namespace {

using namespace bench;

size_t Count(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

std::string ReadFile(const std::string& path)
{
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[1 << 16];
        for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, read);
        std::fclose(file);
    }
    return bytes;
}

int Measure(int runs, const Shape& shape)
{
    MainWindow window;
    if (!window.Open(shape))
        return 1;
    NorvelFrame* frame = window.frame;
    Brenik::BKListCtrl* list = window.list;
    const std::string cards = window.home + "/companies.vcf";
    const std::string csv = window.home + "/companies.csv";
    frame->Search();  // every company
    list->SelectAll(true);
    wxYield();
    const int rows = list->GetItemCount();

    DialogAnswers answers(wxString::FromUTF8(csv.c_str()), wxString::FromUTF8(cards.c_str()));
    answers.Register();
    std::vector<double> cardTimes, csvTimes;
    for (int run = 0; run < runs; ++run) {
        Clock::time_point start = Clock::now();
        frame->SaveVCards();
        cardTimes.push_back(Seconds(start));
        start = Clock::now();
        frame->Export();
        csvTimes.push_back(Seconds(start));
        if (answers.lastMessage != "The export is finished.") {
            std::fprintf(stderr, "export failed: %s\n", answers.lastMessage.utf8_str().data());
            return 1;
        }
        std::printf("run %d: vCard %.3f s, CSV %.3f s\n", run + 1, cardTimes.back(),
                    csvTimes.back());
        std::fflush(stdout);
    }
    answers.Unregister();

    const std::string cardBytes = ReadFile(cards);
    const std::string csvBytes = ReadFile(csv);
    const size_t cardCount = Count(cardBytes, "BEGIN:VCARD\r\n");
    const size_t lineCount = std::count(csvBytes.begin(), csvBytes.end(), '\n');
    std::remove(cards.c_str());
    std::remove(csv.c_str());

    const double cardMedian = Median(cardTimes);
    const double csvMedian = Median(csvTimes);
    std::printf("\ncompanies: %u (%s records), rows listed: %d\n", shape.companies, shape.Name(),
                rows);
    std::printf("vCard: %zu cards, %zu bytes, median of %d: %.3f s\n", cardCount, cardBytes.size(),
                runs, cardMedian);
    std::printf("CSV: %zu lines, %zu bytes, median of %d: %.3f s\n", lineCount, csvBytes.size(),
                runs, csvMedian);
    std::printf("ratio vCard / CSV: %.2f\n", cardMedian / csvMedian);
    return cardCount == size_t(rows) && lineCount >= size_t(rows) ? 0 : 2;
}

}  // namespace

// Norvel.h declares the program's own application object; this one is installed by hand.
int main(int argc, char** argv)
{
    wxApp::SetInstance(new WindowBenchApp(Measure));
    return wxEntry(argc, argv);
}
