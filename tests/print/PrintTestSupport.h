// Helpers for the printing tests: a printer that writes PostScript into a file (there is no
// printer here), the answer to its print dialog, and the text and pages of what was printed.
#pragma once

#include <clocale>
#include <memory>
#include <string>

#include <wx/generic/printps.h>
#include <wx/generic/prntdlgg.h>
#include <wx/testing.h>

#include "TestSupport.h"
#include "app/RuntimeInformationType.h"

// Prints with the toolkit's PostScript printer into the file, after its print dialog.
inline RuntimeInformationType::PrinterFactory PostScriptTo(const wxString& path)
{
    return [path](wxPrintDialogData* data) -> std::unique_ptr<wxPrinterBase> {
        data->GetPrintData().SetPrintMode(wxPRINT_MODE_FILE);
        data->GetPrintData().SetFilename(path);
        data->GetPrintData().SetPaperId(wxPAPER_A4);
        return std::make_unique<wxPostScriptPrinter>(data);
    };
}

// Switches the C library's character conversion to Latin-1 for the scope: the PostScript
// printer converts its text with it and writes Latin-1.
class ScopedLatin1Text {
public:
    ScopedLatin1Text()
    {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        previous = current ? current : "C";
        available = std::setlocale(LC_CTYPE, "de_DE.ISO-8859-1") != nullptr;
    }
    ~ScopedLatin1Text() { std::setlocale(LC_CTYPE, previous.c_str()); }
    ScopedLatin1Text(const ScopedLatin1Text&) = delete;
    ScopedLatin1Text& operator=(const ScopedLatin1Text&) = delete;
    bool IsAvailable() const { return available; }

private:
    std::string previous;
    bool available;
};

// The print dialog of the PostScript printer, answered with the button.
using ExpectPrintDialog = wxExpectDismissableModal<wxGenericPrintDialog>;

// Runs a shell command under a hard time limit; true when it exits with 0.
inline bool RunLimited(const std::string& command)
{
    return std::system(("timeout 60 " + command + " >/dev/null 2>&1").c_str()) == 0;
}

// The text of a PostScript file, turned into PDF with Ghostscript and read with Poppler in
// the order it was drawn (the PostScript printer sets glyphs smaller than the layout measured
// them, and the gaps would split lines into columns); pages receives the PDF's page count.
// Empty when a step fails.
inline std::string PrintedText(const wxString& postScript, int* pages)
{
    const std::string ps = postScript.utf8_string();
    const std::string pdf = ps + ".pdf";
    const std::string text = ps + ".txt";
    const std::string info = ps + ".info";
    if (!RunLimited("ps2pdf '" + ps + "' '" + pdf + "'") ||
        !RunLimited("pdftotext -raw -enc UTF-8 '" + pdf + "' '" + text + "'") ||
        !RunLimited("sh -c \"pdfinfo '" + pdf + "' > '" + info + "'\""))
        return std::string();
    if (pages) {
        const std::string details = ReadTextFile(wxString::FromUTF8(info));
        const size_t at = details.find("Pages:");
        *pages = at == std::string::npos ? 0 : std::atoi(details.c_str() + at + 6);
    }
    return ReadTextFile(wxString::FromUTF8(text));
}
