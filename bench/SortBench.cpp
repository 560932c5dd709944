// Measures sorting the result list by a column: 100,000 rows of 13 texts in a shown BKListCtrl,
// sorted by a name column, a postcode column and a date column, each ascending and then
// reversed, with one row selected that must stay selected. The baseline is std::sort of the
// same column's texts as plain strings (no collation, no rows moved), measured in the same run.
// Run by hand under Xvfb:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/SortBench [rows]
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include "bench/BenchSupport.h"
#include "lib/gui/BKListCtrl.h"

using Brenik::BKListCtrl;

namespace {

constexpr int kColumns = 13;
constexpr int kNameColumn = 1;
constexpr int kZipColumn = 4;
constexpr int kDateColumn = 11;

// Names with German letters and mixed case, postcodes with leading zeros, German dates.
wxArrayString MakeRow(std::mt19937& random)
{
    static const char* const words[] = {"Bäckerei", "backstube", "Müller", "Öko",      "Übersetzer",
                                        "Zahnarzt", "Schmidt",   "Weiß",   "Apotheke", "Kanzlei"};
    std::uniform_int_distribution<int> word(0, 9);
    std::uniform_int_distribution<int> zip(1000, 99999);
    std::uniform_int_distribution<int> day(1, 28), month(1, 12), year(2000, 2024);
    wxArrayString row;
    for (int column = 0; column < kColumns; ++column) {
        if (column == kNameColumn)
            row.Add(wxString::FromUTF8(words[word(random)]) + " " +
                    wxString::FromUTF8(words[word(random)]) +
                    wxString::Format(" %d", word(random)));
        else if (column == kZipColumn)
            row.Add(wxString::Format("%05d", zip(random)));
        else if (column >= kDateColumn)
            row.Add(wxString::Format("%02d.%02d.%d", day(random), month(random), year(random)));
        else
            row.Add(wxString::Format("Text %d in column %d", word(random), column));
    }
    return row;
}

class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        long value = 0;
        if (argc > 1 && wxString(argv[1]).ToLong(&value) && value > 0)
            rowCount = static_cast<int>(value);
        frame = new wxFrame(nullptr, wxID_ANY, "SortBench", wxDefaultPosition, wxSize(1400, 900));
        list = new BKListCtrl(frame, wxID_ANY);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(list, 1, wxEXPAND);
        frame->SetSizer(sizer);
        for (int column = 0; column < kColumns; ++column)
            list->InsertColumn(column, wxString::Format("Column %d", column));
        frame->Show();
        CallAfter([this] {
            Run();
            frame->Destroy();
        });
        return true;
    }

private:
    void Run()
    {
        std::mt19937 random(20261207);
        std::vector<int> records(static_cast<size_t>(rowCount));
        for (int i = 0; i < rowCount; ++i) {
            auto* row = new BKListCtrl::BKListCtrlRow(static_cast<void*>(&records[i]));
            for (const wxString& text : MakeRow(random))
                row->Add(text);
            list->Append(row, true);
        }
        list->Update();
        wxYield();
        const int selectedRow = rowCount / 3;
        list->SetSelection(selectedRow);
        void* selected = list->GetSingleSelectionPointer();
        std::printf("rows: %d, columns: %d\n", rowCount, kColumns);

        bool allRight = true;
        for (int column : {kNameColumn, kZipColumn, kDateColumn}) {
            std::vector<wxString> texts;
            for (int row = 0; row < rowCount; ++row)
                texts.push_back(list->GetText(row, column));
            auto start = bench::Clock::now();
            std::sort(texts.begin(), texts.end());
            const double baseline = bench::Seconds(start);

            for (bool ascending : {true, false}) {
                start = bench::Clock::now();
                list->SortByColumn(column, ascending);
                const double sorted = bench::Seconds(start);
                const bool kept = list->GetSingleSelectionPointer() == selected &&
                                  list->GetSelectedItemCount() == 1;
                allRight = allRight && kept;
                std::printf(
                    "column %2d %-10s: %.3f s (%.1f x std::sort of the plain texts, "
                    "%.3f s); selection kept: %s\n",
                    column, ascending ? "ascending" : "descending", sorted, sorted / baseline,
                    baseline, kept ? "yes" : "NO");
            }
        }
        std::printf("%s\n", allRight ? "all sorts kept the selection" : "SELECTION LOST");

        // Ctrl+A, then Ctrl+C of every row.
        auto start = bench::Clock::now();
        list->SelectAll(true);
        std::printf("select all: %.3f s, %d selected\n", bench::Seconds(start),
                    list->GetSelectedItemCount());
        start = bench::Clock::now();
        const size_t copied = list->GetSelectionText().length();
        std::printf("text of all rows for the clipboard: %.3f s, %zu characters\n",
                    bench::Seconds(start), copied);
        start = bench::Clock::now();
        list->SortByColumn(kNameColumn, true);
        std::printf("sort with every row selected: %.3f s, %d selected\n", bench::Seconds(start),
                    list->GetSelectedItemCount());
        list->CleanUp();
    }

    int rowCount = 100000;
    wxFrame* frame = nullptr;
    BKListCtrl* list = nullptr;
};

}  // namespace

wxIMPLEMENT_APP(BenchApp);
