// The export of the result list: asks for the settings in the export dialog, then writes the
// listed companies (or, when the user asks, only the selected ones) to the chosen CSV file or
// Excel workbook under the progress window. Borrows the settings, which keep the choices
// made, and the list's records for the call.
#pragma once

#include "ui/RecordFileWriter.h"

class CsvConfigType;
class ResultList;
class RuntimeInformationType;
class wxWindow;

class CsvExport {
public:
    // Shows a box: title, then message. The window passes its own ShowError.
    using ErrorBox = RecordFileWriter::ErrorBox;

    // The file is replaced only by a complete export (or the rows before a cancel); on a
    // failure any earlier file stays as it was. False when the user closed the dialog
    // without exporting. written becomes the number of companies in the file when the file
    // was put in place, and -1 otherwise.
    static bool Run(wxWindow* parent, RuntimeInformationType* rit, CsvConfigType& settings,
                    const ResultList& results, const ErrorBox& showError, long& written);
};
