#include <csignal>
#include <cstdlib>

#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/dir.h>

#include "GuiTestSupport.h"
#include "PrintTestSupport.h"
#include "app/Norvel.h"
#include "print/HtmlPrintoutLibrary.h"

namespace {

const char kPrinter[] = "NorvelPdf";
const char kPdfDriver[] = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

// A print server of the test's own with a PDF printer queue, as a user with a printer has
// them: CUPS on a private socket with its settings, spool and logs in a scratch folder, and
// the PDF printer's backend writing into it. The backend reads its settings only from the
// system's folder, so the server runs in a mount namespace of its own where a private copy
// stands in for them; nothing of the system's print setup is used or changed.
class CupsQueue : public testing::Test {
protected:
    void SetUp() override
    {
        // The backend would write where the system's settings say, outside the test's folder.
        if (geteuid() != 0 || std::system("unshare --mount true 2>/dev/null") != 0)
            GTEST_SKIP() << "Needs root and a mount namespace of its own for the print server";
        for (const char* needed : {"/usr/sbin/cupsd", "/usr/lib/cups/backend/cups-pdf", kPdfDriver})
            ASSERT_EQ(access(needed, F_OK), 0)
                << needed << " is missing: install cups and printer-driver-cups-pdf "
                << "(scripts/install-deps)";
        ASSERT_NO_FATAL_FAILURE(WriteSettings());
        setenv("CUPS_SERVER", Socket().c_str(), 1);
        StartServer();
        ASSERT_TRUE(WaitFor("the print server", [] {
            return CommandOutput("lpstat -r").find("is running") != std::string::npos;
        })) << "cupsd did not start";
        // The queue as the PDF printer's package sets it up: Poppler's cairo renderer turns the
        // print into PostScript (Ghostscript would turn every page into a picture), on A4.
        ASSERT_EQ(
            std::system(("lpadmin -p " + std::string(kPrinter) + " -E -v cups-pdf:/ -P " +
                         kPdfDriver + " -o pdftops-renderer-default=pdftocairo -o PageSize=A4")
                            .c_str()),
            0);
        rit = Norvel::CreateRuntimeInformation("norvel");
    }

    void TearDown() override
    {
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
        unsetenv("CUPS_SERVER");
    }

    // The server's and the PDF printer's settings, every folder they write into in the
    // scratch folder.
    void WriteSettings()
    {
        // The print filters run as an unprivileged user and read the spool.
        chmod(dir.Path().utf8_str(), 0755);
        for (const char* folder : {"etc", "cache", "spool", "spool/tmp", "state", "log", "pdf"})
            ASSERT_TRUE(wxMkdir(dir.Path(folder)));
        const auto lines = [this](std::initializer_list<std::pair<const char*, const char*>> keys) {
            std::string text;
            for (const auto& [key, folder] : keys)
                text += std::string(key) + " " + dir.Path(folder).utf8_string() + "\n";
            return text;
        };
        ASSERT_TRUE(
            WriteTextFile(dir.Path("etc/cups-files.conf"), lines({{"ServerRoot", "etc"},
                                                                  {"CacheDir", "cache"},
                                                                  {"RequestRoot", "spool"},
                                                                  {"TempDir", "spool/tmp"},
                                                                  {"StateDir", "state"},
                                                                  {"ErrorLog", "log/error_log"},
                                                                  {"AccessLog", "log/access_log"},
                                                                  {"PageLog", "log/page_log"}})));
        // Without a location rule the server refuses root's request to add the queue.
        ASSERT_TRUE(WriteTextFile(dir.Path("etc/cupsd.conf"),
                                  "Listen " + Socket() +
                                      "\nLogLevel warn\nBrowsing Off\nErrorPolicy abort-job\n"
                                      "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"));
        ASSERT_TRUE(WriteTextFile(dir.Path("etc/cups-pdf.conf"), lines({{"Out", "pdf"},
                                                                        {"AnonDirName", "pdf"},
                                                                        {"Spool", "spool/pdf"},
                                                                        {"Log", "log"},
                                                                        {"GSTmp", "spool/tmp"}})));
    }

    // The desktop's print system remembers the first print server it was given for the
    // whole process, so every queue of this process listens on the same socket.
    static std::string Socket()
    {
        return (wxFileName::GetTempDir() + wxString::Format("/norvel-cups-%d.sock", getpid()))
            .utf8_string();
    }

    void StartServer()
    {
        const std::string files = dir.Path("etc/cups-files.conf").utf8_string();
        const std::string settings = dir.Path("etc/cupsd.conf").utf8_string();
        const std::string pdf = dir.Path("etc/cups-pdf.conf").utf8_string();
        pdfFolder = dir.Path("pdf");
        const char* command[] = {"unshare",
                                 "--mount",
                                 "--propagation",
                                 "private",
                                 "sh",
                                 "-c",
                                 "mount --bind \"$1\" /etc/cups/cups-pdf.conf && "
                                 "exec cupsd -f -c \"$2\" -s \"$3\"",
                                 "sh",
                                 pdf.c_str(),
                                 settings.c_str(),
                                 files.c_str(),
                                 nullptr};
        server = fork();
        if (server == 0) {
            // A test program ended by its time limit takes the server with it.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            execvp(command[0], const_cast<char**>(command));
            _exit(127);
        }
    }

    // Prints the sheet on the queue through the desktop's print dialog, answered with the
    // setup, and reads the PDF the queue wrote.
    PdfDocument PrintOnQueue(HtmlPrintoutLibrary& printout, const PaperSetup& setup)
    {
        const time_t since = time(nullptr);
        PrintSetup::Get().SetPrinterFactory(DesktopPrinter("cups", kPrinter, setup));
        EXPECT_TRUE(
            PrintSetup::Get().Print(nullptr, &printout, PrintPreviewDialog::PrintData(wxPORTRAIT)));
        WaitFor(
            "the queue to finish its jobs", [] { return CommandOutput("lpstat -o").empty(); },
            std::chrono::seconds(30));
        const wxArrayString pdfs = WrittenPdfs(since);
        if (pdfs.size() != 1) {
            ADD_FAILURE() << "The queue wrote " << pdfs.size() << " PDF files; its log:\n"
                          << ReadTextFile(dir.Path("log/error_log"));
            return {};
        }
        const PdfDocument document = ReadPdf(pdfs[0]);
        wxRemoveFile(pdfs[0]);
        return document;
    }

    // The files the PDF printer has written since the moment.
    wxArrayString WrittenPdfs(time_t since) const
    {
        wxArrayString all;
        if (wxDirExists(pdfFolder))
            wxDir::GetAllFiles(pdfFolder, &all, "*.pdf");
        wxArrayString pdfs;
        for (const wxString& pdf : all)
            if (wxFileModificationTime(pdf) >= since)
                pdfs.Add(pdf);
        return pdfs;
    }

    TempDir dir;
    pid_t server = -1;
    wxString pdfFolder;
    std::unique_ptr<RuntimeInformationType> rit;
    AllowRealModal<wxGtkPrintDialog> printing;
};

}  // namespace

// The long sheet on a PDF printer's queue: as many pages as the preview shows, inside the
// margins, numbered, with embedded fonts; the range "2-2" gives the second page alone.
TEST_F(CupsQueue, TheSheetPrintsAsPreviewedAndByPageRange)
{
    Deadline limit(std::chrono::seconds(120));
    CompanyEntity company(nullptr, true);
    FillWithLongNotes(company);
    std::unique_ptr<HtmlPrintoutLibrary> printout(company.Print(rit.get()));
    const PdfDocument all = PrintOnQueue(*printout, {});
    ASSERT_GT(all.pages, 2);
    PrintPreviewDialog preview(nullptr, -1, rit.get(), printout.get(), wxPORTRAIT);
    EXPECT_EQ(Shown(preview), Shown(all.pages, all.width, all.height));
    ExpectMarginsAndFooters(all, {"Straßenbau Müller KG"});
    EXPECT_NE(all.PageText(1).find("Straßenbau Müller KG"), std::string::npos) << all.PageText(1);

    const PdfDocument second = PrintOnQueue(*printout, {wxPAPER_A4, wxPORTRAIT, 2, 2});
    EXPECT_EQ(second.pages, 1);
    EXPECT_EQ(second.PageText(1), all.PageText(2));
}
