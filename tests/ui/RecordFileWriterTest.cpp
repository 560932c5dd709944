#include "ui/MainWindowFixture.h"
#include "ui/RecordFileWriter.h"

// The user cancels at the 25th of 40 records: the file then holds the records before the
// cancel was seen, or stays as it was, as the writer was told; neither case shows a box.
TEST(RecordFileWriter, CancelKeepsTheRecordsSoFarOrNothing)
{
    TempDir dir;
    auto rit = Norvel::CreateRuntimeInformation("norvel");
    auto* parent = new wxFrame(nullptr, wxID_ANY, "Parent");
    parent->Show();
    const wxString name = dir.Path("records.txt");
    for (auto onCancel :
         {RecordFileWriter::OnCancel::kKeepWritten, RecordFileWriter::OnCancel::kKeepNothing}) {
        ASSERT_TRUE(WriteTextFile(name, "earlier\n"));
        int boxes = 0;
        RecordFileWriter writer(parent, rit.get(), onCancel,
                                [&](const wxString&, const wxString&) { ++boxes; });
        const bool written =
            writer.Write(name, "start\n", 40, [](size_t index, std::string& piece) {
                if (index == 24)
                    ShownProgress()->Cancel();
                piece += std::to_string(index) + "\n";
            });
        EXPECT_EQ(boxes, 0);
        const std::string content = ReadTextFile(name);
        if (onCancel == RecordFileWriter::OnCancel::kKeepWritten) {
            EXPECT_TRUE(written);
            EXPECT_EQ(content.rfind("start\n0\n", 0), 0u);
            EXPECT_NE(content.find("\n24\n"), std::string::npos);
            EXPECT_EQ(content.find("\n25\n"), std::string::npos);
        } else {
            EXPECT_FALSE(written);
            EXPECT_EQ(content, "earlier\n");
        }
    }
    DestroyNow(parent);
}

namespace {

// Laid out by hand: the formatter would give each field a line of its own.
// clang-format off
TestCompany Awkward()
{
    return {3, "M\xC3\xBCller \"Brot\"; Back'waren", "Anna\r\nBerta", "Weg\n1", "", "",
            "K\xC3\xB6ln\rDeutz", "089\t123", "", "", "", "info@example.de",
            "2020-01-02 03:04:05", "2021-02-03 04:05:06", {}};
}

TestCompany Plain()
{
    return {8, "Plain AG", "", "", "", "80331", "", "", "", "", "", "", "2019-01-01 00:00:00",
            "2019-01-02 00:00:00", {}};
}
// clang-format on

std::vector<std::string> Split(const std::string& text, char at)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == at)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

const std::vector<std::string> kHeaderFields = Split(
    "ID,Name,CEO,Address,Housenumber,Zipcode,City,State,Phone,Fax,Mobile,Internet,Email,"
    "Tax id number,Tax number,Notes,Opening hours,District court,Commercial register,Blog,"
    "Twitter,Facebook,Imprint url,Staff,Start year,Type of company,Owner,Memberships,Parking,"
    "Created,Updated",
    ',');

// The name, CEO, address and city of Awkward() as stored.
const std::vector<std::string> kAwkwardValues = {"M\xC3\xBCller \"Brot\"; Back'waren",
                                                 "Anna\r\nBerta", "Weg\n1", "K\xC3\xB6ln\rDeutz"};

// The 31 fields of Awkward() as a file holds them, given those four values as the settings
// leave them.
std::vector<std::string> AwkwardFields(const std::vector<std::string>& values)
{
    std::vector<std::string> fields = {
        "3", values[0], values[1], values[2],         "", "", values[3],     "Bayern", "089\t123",
        "",  "",        "",        "info@example.de", "", "", "<p>Notiz</p>"};
    fields.resize(28);  // opening hours to memberships: empty
    fields.insert(fields.end(), {"true", "2020-01-02 03:04:05", "2021-02-03 04:05:06"});
    return fields;
}

std::vector<std::string> PlainFields()
{
    std::vector<std::string> fields = {"8", "Plain AG", "", "", "", "80331", "", "Bayern"};
    fields.resize(15);
    fields.push_back("<p>Notiz</p>");
    fields.resize(28);
    fields.insert(fields.end(), {"true", "2019-01-01 00:00:00", "2019-01-02 00:00:00"});
    return fields;
}

std::string Line(const std::vector<std::string>& fields, const std::string& separator,
                 const std::string& quote, const std::string& end)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
        line += (i ? separator : "") + quote + fields[i] + quote;
    return line + end;
}

std::string Header(const std::string& separator, const std::string& quote, const std::string& end)
{
    return Line(kHeaderFields, separator, quote, end);
}

// The file as Python's csv module reads it with the field and text delimiter: rows of fields.
std::vector<std::vector<std::string>> ReadWithPython(const wxString& path, char delimiter = ';',
                                                     char quote = '"')
{
    const std::string command =
        "python3 -c \"import csv,sys\n"
        "rows = csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline=''),\n"
        "    delimiter=chr(int(sys.argv[2])), quotechar=chr(int(sys.argv[3])))\n"
        "sys.stdout.write('\\x1e'.join('\\x1f'.join(r) for r in rows))\" '" +
        path.utf8_string() + "' " + std::to_string(delimiter) + " " + std::to_string(quote);
    std::vector<std::vector<std::string>> rows;
    for (const std::string& row : Split(CommandOutput(command), '\x1e'))
        rows.push_back(Split(row, '\x1f'));
    return rows;
}

}  // namespace

// The main window, named for what this file checks.
class MainWindowExport : public MainWindow {};

TEST_F(MainWindowExport, ManyVCardsShowTheProgressAndACancelWritesNone)
{
    Open(kSectors, ManyCompanies(150, kSectors));
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 150);
    list->SelectAll(true);
    wxTEST_DIALOG(SendMenu(XRCID("saveVCardMenuItem")), SaveFileAs(dir.Path("all.vcf")));
    EXPECT_NE(ReadTextFile(dir.Path("all.vcf")).find("FN:Firma 150 GmbH\r\n"), std::string::npos);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(4),
              "150 companies written to " + dir.Path("all.vcf"));
    Settle();  // the progress window of that save goes

    // The user presses Cancel as soon as the progress window is there: its first yield runs
    // what was queued.
    bool pressed = false;
    frame->CallAfter([&] {
        auto* progress = ShownProgress();
        ASSERT_NE(progress, nullptr);
        EXPECT_FALSE(frame->IsEnabled());
        progress->Cancel();
        pressed = true;
    });
    wxTEST_DIALOG(SendMenu(XRCID("saveVCardMenuItem")), SaveFileAs(dir.Path("part.vcf")));
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(wxFileName::FileExists(dir.Path("part.vcf")));
    EXPECT_TRUE(frame->IsEnabled());
    Settle();
    EXPECT_EQ(ShownProgress(), nullptr);
}

TEST_F(MainWindowExport, ExportWritesTheListUnderTheDefaultsAsACsvReaderReadsIt)
{
    Open(kSectors, {Awkward(), Plain()});
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 2);
    ASSERT_TRUE(MenuEnabled("exportMenuItem"));
    const wxString file = dir.Path("firmen.csv");

    wxString message, caption;
    const ExportAnswers answers{file};
    searchText->SetFocus();
    wxTEST_DIALOG(SendMenu(XRCID("exportMenuItem")), ExportDialogAnswer(answers),
                  ExpectMessageBox(&message, &caption));
    // The keyboard is back in the list: Ctrl+C copies the selected row at once.
    ActivateAndExpectListFocus();
    wxUIActionSimulator().Char('c', wxMOD_CONTROL);
    // Copied cells stand in double quotes, those inside doubled.
    wxString name = list->GetText(0, 1);
    name.Replace("\"", "\"\"");
    const wxString cell = "\t\"" + name + "\"\t";
    WaitFor("the row copied", [&] { return ClipboardText().Contains(cell); });
    EXPECT_EQ(caption, "Export finished");
    EXPECT_EQ(message, "The export is finished.");
    EXPECT_EQ(frame->GetCsvConfig().GetFilename(), file);

    // The rows in list order; the text delimiter is doubled inside the values, line breaks
    // stay inside.
    std::string expected = Header(";", "\"", "\n");
    for (int row = 0; row < 2; ++row)
        expected +=
            list->GetText(row, 1) == "Plain AG"
                ? Line(PlainFields(), ";", "\"", "\n")
                : Line(AwkwardFields({"M\xC3\xBCller \"\"Brot\"\"; Back'waren", kAwkwardValues[1],
                                      kAwkwardValues[2], kAwkwardValues[3]}),
                       ";", "\"", "\n");
    EXPECT_EQ(ReadTextFile(file), expected);

    const auto rows = ReadWithPython(file);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], kHeaderFields);
    // The reader gets every value back as it is stored.
    for (size_t row = 1; row < 3; ++row)
        EXPECT_EQ(rows[row], rows[row][0] == "8" ? PlainFields() : AwkwardFields(kAwkwardValues));
    wxArrayString files;  // and no temporary file beside it
    for (const char* name : {"firmen.csv", "home", "norvel.sqlite"})
        files.Add(name);
    EXPECT_EQ(FilesIn(dir.Path()), files);
}

TEST_F(MainWindowExport, ExportSettingsShapeTheBytesAndComeBackInTheDialog)
{
    Open(kSectors, {Awkward()});
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 1);
    frame->Move(40, 30);  // off the screen's centre, where the dialog must not go
    const wxString file = dir.Path("out.csv");

    struct Case {
        ExportAnswers answers;
        std::string separator, quote, end;
        std::vector<std::string> values;
        // Whether Python's csv module is to read the values back as stored: they keep their
        // line breaks, the delimiters have one character (all it takes), and a text
        // delimiter protects them.
        bool readable;
    };
    const Case cases[] = {
        // The field delimiter (a tab) and line breaks inside values.
        {{file, "{tab}"},
         "\t",
         "\"",
         "\n",
         {"M\xC3\xBCller \"\"Brot\"\"; Back'waren", kAwkwardValues[1], kAwkwardValues[2],
          kAwkwardValues[3]},
         true},
        {{file, "{Tab}", "", 1}, "{Tab}", "", "\r\n", kAwkwardValues, false},
        {{file, "; ", "'", 2, true, " / "},
         "; ",
         "'",
         "\r",
         {"M\xC3\xBCller \"Brot\"; Back''waren", "Anna / Berta", "Weg / 1", "K\xC3\xB6ln / Deutz"},
         false},
        {{file, "|", "\"", 1, true},
         "|",
         "\"",
         "\r\n",
         {"M\xC3\xBCller \"\"Brot\"\"; Back'waren", "AnnaBerta", "Weg1", "K\xC3\xB6lnDeutz"},
         false},
        // The single quote, the field delimiter inside a value, and the byte-order mark.
        {{file, ";", "'", 1, false, "", true},
         ";",
         "'",
         "\r\n",
         {"M\xC3\xBCller \"Brot\"; Back''waren", kAwkwardValues[1], kAwkwardValues[2],
          kAwkwardValues[3]},
         true},
    };
    ExportAnswers last{""};  // the first time, the layout's values
    for (const Case& c : cases) {
        if (wxFileName::FileExists(file))
            wxRemoveFile(file);  // replacing it is asked about elsewhere
        ExportDialogShown shown;
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(c.answers, &shown),
                      ExpectMessageBox(nullptr, nullptr));
        // Every time the dialog shows the choices of the last export, centred on the main
        // window.
        EXPECT_EQ(shown.file, last.file);
        EXPECT_EQ(shown.fieldDelimiter, last.fieldDelimiter);
        EXPECT_EQ(shown.textDelimiter, last.textDelimiter);
        EXPECT_EQ(shown.lineBreak, last.lineBreak);
        EXPECT_EQ(shown.replace, last.replace);
        EXPECT_EQ(shown.replacement, last.replacement);
        EXPECT_EQ(shown.forExcel, last.forExcel);
        EXPECT_FALSE(shown.workbook);
        last = c.answers;
        EXPECT_LE(std::abs(shown.offCentre.x), 1);
        EXPECT_LE(std::abs(shown.offCentre.y), 1);
        // Without the mark the bytes are exactly the lines; with it they follow it.
        EXPECT_EQ(ReadTextFile(file),
                  (c.answers.forExcel ? "\xEF\xBB\xBF" : "") + Header(c.separator, c.quote, c.end) +
                      Line(AwkwardFields(c.values), c.separator, c.quote, c.end))
            << c.answers.fieldDelimiter << " " << c.answers.textDelimiter;
        if (c.readable) {
            const auto rows = ReadWithPython(file, c.separator[0], c.quote[0]);
            ASSERT_EQ(rows.size(), 2u)
                << c.answers.fieldDelimiter << " " << c.answers.textDelimiter;
            EXPECT_EQ(rows[1], AwkwardFields(kAwkwardValues));
        }
    }

    // Closing keeps the choices for the next start.
    CloseByUser();
    const std::string configuration = ReadTextFile(dir.Path("home/.Norvel.conf"));
    EXPECT_NE(configuration.find("ExportFilename " + file.utf8_string() + "\n"), std::string::npos);
    Reopen();
    EXPECT_EQ(frame->GetCsvConfig().ToString(),
              CsvConfigType(file, ";", "'", "\r\n", false, "").ToString());
    EXPECT_TRUE(frame->GetCsvConfig().IsByteOrderMark());
}

TEST_F(MainWindowExport, ExportOfAnEmptyListWritesTheHeaderOnlyAndCancelWritesNothing)
{
    Open(kSectors, {Plain()});
    SearchFor("nobody");
    ASSERT_EQ(list->GetItemCount(), 0);
    const ExportAnswers answers{dir.Path("empty.csv")};
    wxString message;
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                  ExpectMessageBox(&message, nullptr));
    EXPECT_EQ(message, "The export is finished.");
    EXPECT_EQ(ReadTextFile(dir.Path("empty.csv")), Header(";", "\"", "\n"));

    // Cancelling the dialog changes neither the file nor the settings.
    ExportAnswers cancel;
    cancel.cancel = true;
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(cancel));
    EXPECT_EQ(ReadTextFile(dir.Path("empty.csv")), Header(";", "\"", "\n"));
    EXPECT_EQ(frame->GetCsvConfig().GetFilename(), dir.Path("empty.csv"));
}

TEST_F(MainWindowExport, ExportOfTheSelectedRowsIsOfferedFromTwoAsCsvAndWorkbook)
{
    Open(kSectors, ManyCompanies(5, kSectors));
    SearchFor("");  // selects one row: no choice, the whole list goes out
    ExportAnswers answers;
    answers.selectedOnly = true;
    ExportDialogShown shown;
    // Ticked from two selected rows on, the selected rows go out in list order; the box is
    // off again the next time.
    for (const char* file : {"all.csv", "chosen.csv"}) {
        answers.file = dir.Path(file);
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers, &shown),
                      ExpectMessageBox(nullptr, nullptr));
        EXPECT_EQ(shown.selectedOnly,
                  wxString::Format("Only selected c&ompanies (%d)", list->GetSelectedItemCount()));
        list->SetSelection(3);
    }
    const wxArrayString all = wxSplit(wxString::FromUTF8(ReadTextFile(dir.Path("all.csv"))), '\n');
    ASSERT_EQ(all.GetCount(), 7u);  // header, five rows, nothing after the last line break
    EXPECT_EQ(ReadTextFile(dir.Path("chosen.csv")),
              (all[0] + "\n" + all[1] + "\n" + all[4] + "\n").utf8_string());
    // The status bar says where they went.
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(4),
              "2 companies written to " + dir.Path("chosen.csv"));

    // The same rows in a workbook, with the sectors the list shows; the name takes the
    // workbook's extension.
    answers.workbook = true;
    answers.file = dir.Path("chosen");
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers, &shown),
                  ExpectMessageBox(nullptr, nullptr));
    EXPECT_EQ(shown.selectedOnly, "Only selected c&ompanies (2)");
    const WorkbookContent sheet = ReadWorkbook(dir.Path("chosen.xlsx"));
    EXPECT_EQ(sheet.filter, "A1:AG3");
    EXPECT_EQ(sheet.Text(1, 1), list->GetText(0, 1).utf8_string());
    EXPECT_EQ(sheet.Text(2, 1), list->GetText(3, 1).utf8_string());
    EXPECT_EQ(sheet.Text(2, 2), list->GetText(3, 0).utf8_string());
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(4),
              "2 companies written to " + dir.Path("chosen.xlsx"));
}

TEST_F(MainWindowExport, CancelInTheProgressWindowKeepsTheExportedRowsSoFar)
{
    Open(kSectors, ManyCompanies(100, kSectors));
    SearchFor("");
    ASSERT_EQ(list->GetItemCount(), 100);
    // Played by an idle handler: the user presses Cancel when the window shows 20 of 100.
    bool pressed = false;
    auto pressCancel = [&](wxIdleEvent& event) {
        event.Skip();
        auto* progress = ShownProgress();
        if (pressed || !progress || progress->IsBeingDeleted())
            return;
        auto* info = Control<wxStaticText>(progress, "infoStaticText");
        if (info && info->GetLabel() == "20 of 100") {
            EXPECT_FALSE(frame->IsEnabled());
            wxButton* cancel = Control<wxButton>(progress, "cancelButton");
            ASSERT_NE(cancel, nullptr);
            wxCommandEvent click(wxEVT_BUTTON, cancel->GetId());
            click.SetEventObject(cancel);
            cancel->GetEventHandler()->ProcessEvent(click);
            pressed = true;
        }
    };
    const ExportAnswers answers{dir.Path("part.csv")};
    wxString message;
    wxTheApp->Bind(wxEVT_IDLE, pressCancel);
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                  ExpectMessageBox(&message, nullptr));
    wxTheApp->Unbind(wxEVT_IDLE, pressCancel);

    EXPECT_TRUE(pressed);
    EXPECT_EQ(message, "The export is finished.");
    const std::string content = ReadTextFile(dir.Path("part.csv"));
    EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 21);  // header and 20 rows
    EXPECT_EQ(content.find("\"" + list->GetText(0, 1).utf8_string() + "\""),
              Header(";", "\"", "\n").size() + 4);
    EXPECT_TRUE(frame->IsEnabled());
    Settle();
    EXPECT_EQ(ShownProgress(), nullptr);
}

TEST_F(MainWindowExport, FailedExportReportsItAndLeavesThePreviousFile)
{
    Open(kSectors, ManyCompanies(100, kSectors));
    SearchFor("");
    const wxString file = dir.Path("kept.csv");
    ASSERT_TRUE(WriteTextFile(file, "previous\n"));
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("folder")));
    wxString message, caption;

    // The dialog refuses what it cannot write and stays open; nothing is written.
    struct Refusal {
        wxString name, caption, message;
    };
    const Refusal refusals[] = {
        {"", "Filename empty", "Please choose a filename."},
        {dir.Path("missing/out.csv"), "File unwriteable", "Could not create file."},
        {dir.Path("folder"), "File unwriteable", "Could not create file."},
    };
    for (const Refusal& refusal : refusals) {
        const ExportAnswers answers{refusal.name};
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                      ExpectMessageBox(&message, &caption));
        EXPECT_EQ(caption, refusal.caption);
        EXPECT_EQ(message, refusal.message);
    }
    EXPECT_EQ(frame->GetCsvConfig().GetFilename(), "");

    // The disk takes part of the rows: the error is reported instead of a success.
    const ExportAnswers answers{file};
    {
        ScopedFileSizeLimit limit(8192);
        ASSERT_TRUE(limit.IsApplied());
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                      ExpectMessageBox(nullptr, nullptr, wxID_YES),
                      ExpectMessageBox(&message, &caption));
    }
    EXPECT_EQ(caption, "File write error");
    EXPECT_EQ(message, "The file " + file + " could not been written.");
    EXPECT_EQ(ReadTextFile(file), "previous\n");
    // A few rows reach the disk only when the file is closed, and the disk refuses them.
    SearchFor("Firma 1");
    ASSERT_EQ(list->GetItemCount(), 12);
    {
        ScopedFileSizeLimit limit(1000);
        wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                      ExpectMessageBox(nullptr, nullptr, wxID_YES),
                      ExpectMessageBox(&message, &caption));
    }
    EXPECT_EQ(caption, "File close error");
    EXPECT_EQ(message, "The file " + file + " could not been closed.");
    EXPECT_EQ(ReadTextFile(file), "previous\n");

    // Neither left anything behind.
    wxArrayString expected;
    for (const char* name : {"folder", "home", "kept.csv", "norvel.sqlite"})
        expected.Add(name);
    EXPECT_EQ(FilesIn(dir.Path()), expected);
}

TEST_F(MainWindowExport, ExportThroughALinkWritesItsTargetWithItsPermissions)
{
    Open(kSectors, {Plain()});
    SearchFor("");
    ASSERT_TRUE(WriteTextFile(dir.Path("real.csv"), "previous\n"));
    ASSERT_EQ(chmod(dir.Path("real.csv").utf8_str(), 0604), 0);
    ASSERT_EQ(symlink("real.csv", dir.Path("link.csv").utf8_str()), 0);
    const ExportAnswers answers{dir.Path("link.csv")};
    wxTEST_DIALOG(frame->Export(), ExportDialogAnswer(answers),
                  ExpectMessageBox(nullptr, nullptr, wxID_YES), ExpectMessageBox(nullptr, nullptr));

    struct stat info;
    ASSERT_EQ(lstat(dir.Path("link.csv").utf8_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(dir.Path("real.csv").utf8_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_EQ(ReadTextFile(dir.Path("real.csv")),
              Header(";", "\"", "\n") + Line(PlainFields(), ";", "\"", "\n"));
}
