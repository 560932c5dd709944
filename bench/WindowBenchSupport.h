// What the benchmarks of the program's windows share: the main window opened on the generated
// directory, and the toolkit application that runs one measurement in its event loop.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "app/Norvel.h"
#include "app/RuntimeInformationType.h"
#include "bench/BenchSupport.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/gui/BKListCtrl.h"
#include "ui/ExportDialog.h"
#include "ui/NorvelFrame.h"

namespace bench {

// The main window on the generated directory of that size, shown, with its result list. The
// layouts are found below the source folder; the user configuration goes to a scratch home in
// the build folder, so a benchmark neither reads nor writes the user's own.
struct MainWindow {
    std::string directory;
    std::string home;
    std::unique_ptr<RuntimeInformationType> rit;
    NorvelFrame* frame = nullptr;
    Brenik::BKListCtrl* list = nullptr;

    // False, after saying why, when the directory or the window cannot be had.
    bool Open(const Shape& shape)
    {
        directory = Directory(shape);
        if (directory.empty()) {
            std::fprintf(stderr, "cannot generate the directory with %s\n", NORVEL_GENDIR);
            return false;
        }
        wxSetWorkingDirectory(NORVEL_SOURCE_DIR);
        home = std::string(NORVEL_BINARY_DIR) + "/bench-home";
        wxFileName::Mkdir(wxString::FromUTF8(home.c_str()), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        setenv("HOME", home.c_str(), 1);

        rit = Norvel::CreateRuntimeInformation("norvel");
        auto* database = new Brenik::BKSQLiteDatabase(wxString::FromUTF8(directory.c_str()));
        rit->SetDatabase(database, true);
        if (!database->Connect()) {
            std::fprintf(stderr, "cannot open %s\n", directory.c_str());
            return false;
        }
        frame = new NorvelFrame(rit.get());
        frame->Show();
        list = wxDynamicCast(frame->FindWindow(XRCID("resultsListCtrl")), Brenik::BKListCtrl);
        if (!list || !frame->GetStatusBar()) {
            std::fprintf(stderr, "the main window has no result list or status bar\n");
            return false;
        }
        for (int i = 0; i < 5; ++i)
            wxYield();
        return true;
    }

    ~MainWindow()
    {
        if (!frame)
            return;
        frame->ClearResultsListCtrl();
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }
};

// The toolkit application of a window benchmark: runs the measurement (given the number of
// runs and the directory's shape, from the arguments [runs [companies]] [--lean]) once the
// event loop is up, and ends with its result as the exit code.
class WindowBenchApp : public wxApp {
public:
    using Measurement = std::function<int(int runs, const Shape& shape)>;
    explicit WindowBenchApp(Measurement measurement) : measurement(std::move(measurement)) {}

    bool OnInit() override
    {
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        SetExitOnFrameDelete(false);
        CallAfter([this] {
            std::vector<std::string> arguments;
            std::vector<const char*> pointers;
            for (int i = 0; i < argc; ++i)
                arguments.push_back(argv[i].utf8_string());
            for (const std::string& argument : arguments)
                pointers.push_back(argument.c_str());
            int runs = 5;
            Shape shape;
            ReadArguments(argc, pointers.data(), &runs, &shape);
            result = measurement(runs, shape);
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
    Measurement measurement;
    int result = 1;
};

// Plays the user: a file dialog gets the file name to save, the export settings get the CSV
// file and are confirmed, every message box is answered with OK and its text kept.
class DialogAnswers : public wxModalDialogHook {
public:
    DialogAnswers(const wxString& csv, const wxString& saved = wxString()) : csv(csv), saved(saved)
    {
    }
    wxString lastMessage;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* save = dynamic_cast<wxFileDialog*>(dialog)) {
            save->SetPath(saved);
            return wxID_OK;
        }
        if (auto* settings = dynamic_cast<ExportDialog*>(dialog)) {
            wxDynamicCast(settings->FindWindow(XRCID("fileTextCtrl")), wxTextCtrl)
                ->ChangeValue(csv);
            return settings->Accept() ? wxID_OK : wxID_CANCEL;
        }
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog))
            lastMessage = box->GetMessage();
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}

private:
    wxString csv;
    wxString saved;
};

}  // namespace bench
