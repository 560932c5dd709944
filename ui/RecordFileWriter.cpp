#include "ui/RecordFileWriter.h"

#include <utility>

#include <wx/filename.h>
#include <wx/translation.h>

#include "lib/core/BKReplacingFile.h"
#include "ui/ProgressGuard.h"

RecordFileWriter::RecordFileWriter(wxWindow* parent, RuntimeInformationType* rit, OnCancel onCancel,
                                   ErrorBox showError)
    : parent(parent), rit(rit), onCancel(onCancel), showError(std::move(showError))
{
}

bool RecordFileWriter::Write(const wxString& name, const std::string& start, size_t count,
                             const AppendRecord& append, const Finish& finish) const
{
    // The records go beside the file and replace it at the end: a failure part-way must not
    // cost the user the file that was there.
    Brenik::BKReplacingFile file;
    if (!file.Open(name)) {
        showError(_("File unwriteable"), _("The file ") + name + _(" could not been opened."));
        return false;
    }
    Outcome outcome = Outcome::kWritten;
    if (count >= progressFrom) {
        // The boxes below are shown after the progress window has gone, not under it.
        ProgressGuard progress(parent, rit,
                               wxString::Format(_("Writing %s"), wxFileName(name).GetFullName()));
        outcome = WriteRecords(file, start, count, append, finish, progress.operator->());
    } else {
        outcome = WriteRecords(file, start, count, append, finish, nullptr);
    }
    if (outcome != Outcome::kWritten) {
        file.Discard();
        if (outcome == Outcome::kFailed)
            showError(_("File write error"), _("The file ") + name + _(" could not been written."));
        return false;
    }
    // Only a file that is in place is reported as written.
    if (!file.Commit()) {
        showError(_("File close error"), _("The file ") + name + _(" could not been closed."));
        return false;
    }
    return true;
}

RecordFileWriter::Outcome RecordFileWriter::WriteRecords(Brenik::BKReplacingFile& file,
                                                         const std::string& start, size_t count,
                                                         const AppendRecord& append,
                                                         const Finish& finish,
                                                         ProgressFrame* progress) const
{
    // Large pieces, which the file takes without copying them again.
    constexpr size_t kPieceSize = 1 << 20;
    std::string piece;
    piece.reserve(kPieceSize * 2);
    piece += start;
    if (progress)
        progress->SetCount(static_cast<unsigned int>(count));
    for (size_t index = 0; index < count; ++index) {
        if (progress && progress->IsCanceled()) {
            if (onCancel == OnCancel::kKeepNothing)
                return Outcome::kCanceled;
            break;
        }
        if (progress && (index + 1) % 10 == 0)
            progress->SetLevel(static_cast<int>(index + 1));
        append(index, piece);
        if (piece.size() >= kPieceSize) {
            if (!file.Write(piece))
                return Outcome::kFailed;
            piece.clear();
        }
    }
    if (finish && !finish(piece))
        return Outcome::kFailed;
    return file.Write(piece) ? Outcome::kWritten : Outcome::kFailed;
}
