// Writes records to a file that is replaced only by a complete write: the records go out in
// large pieces beside the file, the progress window (from a given count on) counts every
// 10 records and offers a cancel, and a failure to open, write or put the file in place is
// reported in a box. The CSV export, the workbook and the vCard file are written through it.
// Borrows the parent window and the runtime information.
#pragma once

#include <functional>
#include <string>

#include <wx/string.h>

namespace Brenik {
class BKReplacingFile;
}
class ProgressFrame;
class RuntimeInformationType;
class wxWindow;

class RecordFileWriter {
public:
    // Shows a box: title, then message. Each window passes its own ShowError.
    using ErrorBox = std::function<void(const wxString& title, const wxString& message)>;
    // Appends the bytes of the record of that index to the piece.
    using AppendRecord = std::function<void(size_t index, std::string& piece)>;
    // Appends what follows the records, also after a cancel that keeps them: a format whose
    // file is made only at its end (a workbook) makes it here. False when it cannot.
    using Finish = std::function<bool(std::string& piece)>;
    // What a cancel in the progress window keeps: the records written so far, or nothing
    // (any earlier file stays as it was).
    enum class OnCancel { kKeepWritten, kKeepNothing };

    RecordFileWriter(wxWindow* parent, RuntimeInformationType* rit, OnCancel onCancel,
                     ErrorBox showError);

    // The progress window shows from this many records on; from the first by default.
    void SetProgressFrom(size_t count) { progressFrom = count; }

    // Writes the start, then the records from 0 to count - 1, then what finish appends (when
    // given), to the file of that name. True when the file was put in place, also after a
    // cancel that keeps what was written.
    bool Write(const wxString& name, const std::string& start, size_t count,
               const AppendRecord& append, const Finish& finish = nullptr) const;

private:
    enum class Outcome { kWritten, kCanceled, kFailed };
    // progress may be null.
    Outcome WriteRecords(Brenik::BKReplacingFile& file, const std::string& start, size_t count,
                         const AppendRecord& append, const Finish& finish,
                         ProgressFrame* progress) const;

    wxWindow* parent;
    RuntimeInformationType* rit;
    OnCancel onCancel;
    ErrorBox showError;
    size_t progressFrom = 0;
};
