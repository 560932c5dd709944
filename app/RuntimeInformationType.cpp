#include "app/RuntimeInformationType.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "lib/core/BKCasts.h"
#include "lib/db/BKSQLiteDatabase.h"

namespace {

bool LaunchDefaultBrowser(const wxString& url)
{
    // A browser that does not start is not reported to the user; the toolkit would say so in
    // an English box of its own.
    wxLogNull quiet;
    return wxLaunchDefaultBrowser(url);
}

}  // namespace

RuntimeInformationType::RuntimeInformationType(const wxString& executableFile,
                                               const wxString& resourceDirectory,
                                               const wxString& userConfigurationFile,
                                               const wxString& companyUrl,
                                               Brenik::BKSQLiteDatabase* database,
                                               bool ownsDatabase)
    : executableFile(executableFile),
      resourceDirectory(resourceDirectory),
      userConfigurationFile(userConfigurationFile),
      database(database),
      ownsDatabase(ownsDatabase),
      companyUrl(companyUrl),
      browserLauncher(LaunchDefaultBrowser)
{
}

RuntimeInformationType::~RuntimeInformationType()
{
    if (ownsDatabase && database) {
        database->Disconnect();
        delete database;
        database = nullptr;
    }
}

void RuntimeInformationType::SetDatabase(Brenik::BKSQLiteDatabase* database, bool ownsDatabase)
{
    this->database = database;
    this->ownsDatabase = ownsDatabase;
}

wxString RuntimeInformationType::GetSep()
{
    return wxString(wxFileName::GetPathSeparators()[0]);
}

wxString RuntimeInformationType::GetUserConfigurationDirectory(bool withSeparator) const
{
    return wxStandardPaths::Get().GetUserConfigDir() + (withSeparator ? GetSep() : wxString());
}

wxString RuntimeInformationType::GetConfigurationDirectory(bool withSeparator) const
{
    return wxStandardPaths::Get().GetConfigDir() + (withSeparator ? GetSep() : wxString());
}

wxString RuntimeInformationType::GetResourcePath(const wxString& directory,
                                                 const wxString& file) const
{
    return resourceDirectory + directory + GetSep() + file;
}

wxString RuntimeInformationType::GetUserConfigurationFileWithPath() const
{
    return GetUserConfigurationDirectory(true) + userConfigurationFile;
}

wxString RuntimeInformationType::GetTemporaryPath() const
{
    wxString path = wxStandardPaths::Get().GetTempDir();
    if (path.empty() || !path.EndsWith(GetSep()))
        path += GetSep();
    return path;
}

wxString RuntimeInformationType::Translate(const wxString& text) const
{
    if (!locale)
        return text;
    const wxString translated = locale->GetString(text);
    return translated;
}

bool RuntimeInformationType::OpenCompanyAtNorvel(unsigned int companyId) const
{
    return OpenInBrowser(companyUrl + Brenik::BKCasts::ToString(companyId));
}

bool RuntimeInformationType::OpenInBrowser(const wxString& url) const
{
    return browserLauncher(url);
}

void RuntimeInformationType::SetBrowserLauncher(BrowserLauncher launcher)
{
    browserLauncher = launcher ? std::move(launcher) : BrowserLauncher(LaunchDefaultBrowser);
}
