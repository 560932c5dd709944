#include "ui/CompanyCommands.h"

#include <memory>
#include <string>
#include <unordered_set>

#include <wx/clipbrd.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

#include "app/RuntimeInformationType.h"
#include "directory/CompanyAddress.h"
#include "directory/CompanyEntity.h"
#include "directory/CompanyVCard.h"
#include "lib/core/BKReplacingFile.h"
#include "ui/ProgressGuard.h"

wxString CompanyCommands::lastFolder;

namespace {

// The file name the save dialog offers: the company's name for one company, with what a
// file name cannot hold replaced.
wxString SuggestedName(const std::vector<const CompanyEntity*>& companies)
{
    wxString name;
    if (companies.size() == 1) {
        const Brenik::BKEntity::BKEntityType* field = companies.front()->Get("name");
        name = field ? field->ToString().Trim(true).Trim(false) : wxString();
        for (wxString::iterator c = name.begin(); c != name.end(); ++c) {
            if (*c == '/' || *c < ' ')
                *c = '_';
        }
        if (name.StartsWith("."))
            name.Prepend("_");
    }
    return (name.empty() ? wxString("companies") : name) + ".vcf";
}

}  // namespace

void CompanyCommands::ShowOnMap(RuntimeInformationType* rit, const CompanyEntity& company)
{
    if (rit && CompanyAddress::HasPlace(company))
        rit->OpenInBrowser(CompanyAddress::GetMapUrl(company));
}

bool CompanyCommands::CopyAddress(const CompanyEntity& company)
{
    wxClipboardLocker clipboard;
    if (!clipboard)
        return false;
    return wxTheClipboard->SetData(new wxTextDataObject(CompanyAddress::GetPostalBlock(company)));
}

bool CompanyCommands::SaveVCards(wxWindow* parent, RuntimeInformationType* rit,
                                 const std::vector<const CompanyEntity*>& companies,
                                 const ErrorBox& showError)
{
    if (companies.empty())
        return false;
    wxString name;
    {
        wxFileDialog dialog(parent, _("Save as vCard"), lastFolder, SuggestedName(companies),
                            "vCard (*.vcf)|*.vcf", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        dialog.CentreOnScreen(wxBOTH);
        if (dialog.ShowModal() != wxID_OK)
            return false;
        // GTK's save dialog knows a path that was not picked in its own window only as folder
        // and name.
        name = dialog.GetPath();
        if (name.empty())
            name = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    }
    lastFolder = wxFileName(name).GetPath();

    // The cards go beside the file and replace it at the end: a failure part-way must not
    // cost the user the file that was there.
    Brenik::BKReplacingFile file;
    if (!file.Open(name)) {
        showError(_("File unwriteable"), _("The file ") + name + _(" could not been opened."));
        return false;
    }
    Outcome outcome = Outcome::kWritten;
    if (companies.size() >= kProgressFrom) {
        ProgressGuard progress(parent, rit);
        outcome = WriteVCards(companies, file, progress.operator->());
    } else {
        outcome = WriteVCards(companies, file, nullptr);
    }
    if (outcome != Outcome::kWritten) {
        file.Discard();
        if (outcome == Outcome::kFailed)
            showError(_("File write error"), _("The file ") + name + _(" could not been written."));
        return false;
    }
    if (!file.Commit()) {
        showError(_("File close error"), _("The file ") + name + _(" could not been closed."));
        return false;
    }
    return true;
}

CompanyCommands::Outcome CompanyCommands::WriteVCards(
    const std::vector<const CompanyEntity*>& companies, Brenik::BKReplacingFile& file,
    ProgressFrame* progress)
{
    // The cards go out in large pieces, which the file takes without copying them again.
    constexpr size_t kPieceSize = 1 << 20;
    std::string piece;
    piece.reserve(kPieceSize * 2);
    if (progress)
        progress->SetCount(static_cast<unsigned int>(companies.size()));
    std::unordered_set<unsigned int> written;
    for (size_t index = 0; index < companies.size(); ++index) {
        if (progress && progress->IsCanceled())
            return Outcome::kCanceled;
        if (progress && (index + 1) % 10 == 0)
            progress->SetLevel(static_cast<int>(index + 1));
        const CompanyEntity* company = companies[index];
        const Brenik::BKEntity::BKEntityType* id = company ? company->Get("id") : nullptr;
        if (company && written.insert(id ? id->ToUnsignedInt() : 0).second)
            CompanyVCard::AppendCard(*company, piece);
        if (piece.size() >= kPieceSize) {
            if (!file.Write(piece))
                return Outcome::kFailed;
            piece.clear();
        }
    }
    return file.Write(piece) ? Outcome::kWritten : Outcome::kFailed;
}
