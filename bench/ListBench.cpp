// Measures the row list alone: 100,000 rows of 13 texts appended to a BKListCtrl in a shown
// frame, the time until the list has them and has repainted, the heap bytes per row, and the
// time CleanUp needs. Run by hand under Xvfb:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/ListBench [rows] [--yield]
// --yield also lets the toolkit process events after every row, as the main window's search
// does. Exits with 2 when the list lacks rows or texts.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include "bench/BenchSupport.h"
#include "lib/core/BKType.h"
#include "lib/gui/BKListCtrl.h"

using Brenik::BKListCtrl;

namespace {

using bench::HeapInUse;
using bench::Seconds;

constexpr int kColumns = 13;
int destroyedRecords = 0;

// Stands in for a company record: a library object the list deletes through CleanUp.
class Record : public Brenik::BKType {
public:
    ~Record() override { ++destroyedRecords; }
    long id = 0;
};

// Texts of 5 to 40 characters from a fixed seed, with some non-ASCII letters as in the
// directory's German names and addresses.
std::vector<wxArrayString> MakeTexts(int rowCount)
{
    static const wxString letters =
        wxString::FromUTF8("abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789äöüß");
    std::mt19937 random(20240511);
    std::uniform_int_distribution<int> length(5, 40);
    std::uniform_int_distribution<size_t> letter(0, letters.length() - 1);
    std::vector<wxArrayString> texts(static_cast<size_t>(rowCount));
    for (wxArrayString& row : texts) {
        for (int column = 0; column < kColumns; ++column) {
            wxString text;
            const int n = length(random);
            for (int i = 0; i < n; ++i)
                text += letters[letter(random)];
            row.Add(text);
        }
    }
    return texts;
}

class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        rowCount = 100000;
        for (int i = 1; i < argc; ++i) {
            const wxString arg = argv[i];
            long value = 0;
            if (arg == "--yield")
                yieldEachRow = true;
            else if (arg.ToLong(&value) && value > 0)
                rowCount = static_cast<int>(value);
        }
        frame = new wxFrame(nullptr, wxID_ANY, "ListBench", wxDefaultPosition, wxSize(1400, 900));
        list = new BKListCtrl(frame, wxID_ANY);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(list, 1, wxEXPAND);
        frame->SetSizer(sizer);
        for (int column = 0; column < kColumns; ++column)
            list->InsertColumn(column, wxString::Format("Column %d", column), wxLIST_FORMAT_LEFT,
                               column == 4 || column > 10 ? 100 : 250);
        frame->Show();
        CallAfter([this] {
            Run();
            frame->Destroy();
        });
        return true;
    }

    int OnRun() override
    {
        wxApp::OnRun();
        return result;
    }

private:
    void Settle()
    {
        for (int i = 0; i < 20; ++i)
            wxYield();
    }

    void Run()
    {
        Settle();
        std::printf("rows: %d, columns: %d%s\n", rowCount, kColumns,
                    yieldEachRow ? ", toolkit events after every row" : "");
        std::vector<wxArrayString> texts = MakeTexts(rowCount);
        std::vector<Record*> records(static_cast<size_t>(rowCount));
        for (size_t i = 0; i < records.size(); ++i) {
            records[i] = new Record;
            records[i]->id = static_cast<long>(i);
        }
        const size_t heapBefore = HeapInUse();

        auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        for (size_t i = 0; i < records.size(); ++i) {
            auto* row = new BKListCtrl::BKListCtrlRow(records[i]);
            for (const wxString& text : texts[i])
                row->Add(text);
            list->Append(row, true);
            if (yieldEachRow)
                wxYield();
        }
        const double appended = Seconds(start);
        const double appendedCpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        list->Update();
        wxYield();
        const double shown = Seconds(start);
        const size_t heapAfter = HeapInUse();

        std::printf("append: %.3f s (%.2f us a row), processor time %.3f s (%.2f us a row)\n",
                    appended, appended * 1e6 / rowCount, appendedCpu, appendedCpu * 1e6 / rowCount);
        std::printf("appended and repainted: %.3f s\n", shown);
        const bool complete =
            list->GetItemCount() == rowCount && list->GetText(rowCount - 1, 12) == texts.back()[12];
        std::printf("items: %d, last text matches: %s\n", list->GetItemCount(),
                    list->GetText(rowCount - 1, 12) == texts.back()[12] ? "yes" : "NO");
        std::printf("heap growth: %.1f bytes a row (mallinfo2); row storage: %.1f bytes a row\n",
                    static_cast<double>(heapAfter - heapBefore) / rowCount,
                    static_cast<double>(list->GetStorageBytes()) / rowCount);

        start = std::chrono::steady_clock::now();
        list->CleanUp();
        list->Update();
        wxYield();
        std::printf("CleanUp: %.3f s, records destroyed: %d\n", Seconds(start), destroyedRecords);
        result = complete && destroyedRecords == rowCount ? 0 : 2;

        if (yieldEachRow) {
            start = std::chrono::steady_clock::now();
            const std::clock_t cpu = std::clock();
            for (int i = 0; i < rowCount; ++i)
                wxYield();
            const double seconds = Seconds(start);
            const double cpuSeconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
            std::printf(
                "the same number of toolkit yields alone: %.3f s (%.2f us each), "
                "processor time %.3f s\n",
                seconds, seconds * 1e6 / rowCount, cpuSeconds);
        }
    }

    wxFrame* frame = nullptr;
    BKListCtrl* list = nullptr;
    int rowCount = 0;
    bool yieldEachRow = false;
    int result = 1;
};

}  // namespace

wxIMPLEMENT_APP(BenchApp);
