#include "ui/CompanyCommands.h"

#include <memory>
#include <string>
#include <unordered_set>

#include <wx/clipbrd.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "app/RuntimeInformationType.h"
#include "directory/CompanyAddress.h"
#include "directory/CompanyEntity.h"
#include "directory/CompanyLinks.h"
#include "directory/CompanyVCard.h"
#include "lib/core/BKShownText.h"
#include "ui/RecordFileWriter.h"

wxString CompanyCommands::lastFolder;

namespace {

// Enough of a company name to know the file by; a 5 MB name is too long for any file system.
constexpr size_t kMaxProposedLength = 64;

// The file name the save dialog offers: the company's name for one company, as the user can
// read it and as a file name can hold it, or a name for a list.
wxString ProposedName(const std::vector<const CompanyEntity*>& companies)
{
    wxString name;
    if (companies.size() == 1) {
        // The name as the window's title shows it, without the marks that would make the
        // file's name read as another ("Rechnung\u202Efdp.exe").
        using Brenik::BKShownText;
        name = BKShownText::Of(companies.front()->Utf8(CompanyField::kName),
                               BKShownText::Lines::kOne, kMaxProposedLength);
        name.Truncate(kMaxProposedLength);  // a file's name goes without the ellipsis
        name.Replace("/", "_");
        name.Replace("\\", "_");
        name.Trim(true).Trim(false);
        if (name.StartsWith("."))
            name.Prepend("_");
    }
    return (name.empty() ? _("companies") : name) + ".vcf";
}

// The file the user means: a name typed without an extension gets the card's, and one typed
// with it over the dialog's selected stem does not get it twice. A dot followed by words is
// part of a name ("Dr. Oetker"), not an extension. A folder is no name to complete.
wxString WithVCardExtension(const wxString& path)
{
    if (path.Lower().EndsWith(".vcf.vcf"))
        return path.Left(path.length() - 4);
    const wxFileName file(path);
    if (file.GetName().empty() || wxFileName::DirExists(path))
        return path;
    return file.GetExt().empty() || file.GetExt().Contains(" ") ? path + ".vcf" : path;
}

// Whether the file may be written: the dialog asked about the name it was given, so a name
// that became another one asks again before a file by that name is replaced.
bool MayReplace(wxWindow* parent, const wxString& chosen, const wxString& name)
{
    if (name == chosen || !wxFileName::Exists(name))
        return true;
    wxMessageDialog box(
        parent, wxString::Format(_("The file %s exists already. Replace it with the cards?"), name),
        _("Save as vCard"), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION | wxCENTRE);
    box.CentreOnScreen(wxBOTH);
    return box.ShowModal() == wxID_YES;
}

}  // namespace

void CompanyCommands::ShowOnMap(RuntimeInformationType* rit, const CompanyEntity& company)
{
    if (rit && CompanyAddress::HasPlace(company))
        rit->OpenInBrowser(CompanyAddress::GetMapUrl(company));
}

void CompanyCommands::OpenWebsite(RuntimeInformationType* rit, const CompanyEntity& company)
{
    const wxString url = CompanyLinks::Website(company);
    if (rit && !url.empty())
        rit->OpenInBrowser(url);
}

void CompanyCommands::WriteEmail(RuntimeInformationType* rit, const CompanyEntity& company)
{
    const wxString url = CompanyLinks::MailTo(company);
    if (rit && !url.empty())
        rit->OpenInBrowser(url);
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
                                 const ErrorBox& showError, wxString* savedName, size_t* savedCount)
{
    if (companies.empty())
        return false;
    wxString chosen;
    {
        wxFileDialog dialog(parent, _("Save as vCard"), lastFolder, ProposedName(companies),
                            "vCard (*.vcf)|*.vcf", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        dialog.CentreOnScreen(wxBOTH);
        if (dialog.ShowModal() != wxID_OK)
            return false;
        // GTK's save dialog knows a path that was not picked in its own window only as folder
        // and name.
        chosen = dialog.GetPath();
        if (chosen.empty())
            chosen = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    }
    const wxString name = WithVCardExtension(chosen);
    if (!MayReplace(parent, chosen, name))
        return false;
    lastFolder = wxFileName(name).GetPath();

    // A cancel keeps nothing: a file of some of the cards asked for is no use.
    RecordFileWriter writer(parent, rit, RecordFileWriter::OnCancel::kKeepNothing, showError);
    writer.SetProgressFrom(kProgressFrom);
    std::unordered_set<unsigned int> written;
    if (!writer.Write(name, std::string(), companies.size(), [&](size_t index, std::string& piece) {
            const CompanyEntity* company = companies[index];
            if (company && written.insert(company->GetId()).second)
                CompanyVCard::AppendCard(*company, piece);
        }))
        return false;
    if (savedName)
        *savedName = name;
    if (savedCount)
        *savedCount = written.size();
    return true;
}
