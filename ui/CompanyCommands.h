// The commands that take a company where the user needs it next, shared by the main window
// and the company window: its address on a map, its address block on the clipboard, its card
// in a vCard file. The windows pick the companies; the records are borrowed for the call.
#pragma once

#include <vector>

#include <wx/string.h>

#include "ui/RecordFileWriter.h"

class CompanyEntity;
class RuntimeInformationType;
class wxWindow;

class CompanyCommands {
public:
    // Shows a box: title, then message. Each window passes its own ShowError.
    using ErrorBox = RecordFileWriter::ErrorBox;

    // From this many companies on, saving shows the progress window with its cancel.
    static constexpr size_t kProgressFrom = 100;

    // Opens the company's address in a map search in the browser; nothing when the company
    // has neither street nor city. A browser that does not start is not reported.
    static void ShowOnMap(RuntimeInformationType* rit, const CompanyEntity& company);
    // Opens the company's own web site, or a new mail to its address, in the desktop's
    // programs; nothing when the field holds no link that may be opened (CompanyLinks). A
    // program that does not start is not reported.
    static void OpenWebsite(RuntimeInformationType* rit, const CompanyEntity& company);
    static void WriteEmail(RuntimeInformationType* rit, const CompanyEntity& company);
    // Puts the company's postal address block on the clipboard as plain text; false when the
    // clipboard cannot be had.
    static bool CopyAddress(const CompanyEntity& company);
    // Asks for a file in a save dialog and writes one card per company id to it; the folder
    // chosen is offered again while the program runs. The file is replaced only by a
    // complete write: a failure (with its box) or a cancel leaves any earlier file as it was.
    // True when the file was written; its name and the number of cards in it then go to
    // the places given.
    static bool SaveVCards(wxWindow* parent, RuntimeInformationType* rit,
                           const std::vector<const CompanyEntity*>& companies,
                           const ErrorBox& showError, wxString* savedName = nullptr,
                           size_t* savedCount = nullptr);

private:
    // The folder of the last vCard file chosen; empty before the first.
    static wxString lastFolder;
};
