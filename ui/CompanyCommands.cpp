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
#include "ui/RecordFileWriter.h"

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

    // A cancel keeps nothing: a file of some of the cards asked for is no use.
    RecordFileWriter writer(parent, rit, RecordFileWriter::OnCancel::kKeepNothing, showError);
    writer.SetProgressFrom(kProgressFrom);
    std::unordered_set<unsigned int> written;
    return writer.Write(
        name, std::string(), companies.size(), [&](size_t index, std::string& piece) {
            const CompanyEntity* company = companies[index];
            const Brenik::BKEntity::BKEntityType* id = company ? company->Get("id") : nullptr;
            if (company && written.insert(id ? id->ToUnsignedInt() : 0).second)
                CompanyVCard::AppendCard(*company, piece);
        });
}
