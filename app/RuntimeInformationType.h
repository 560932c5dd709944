// The one process-wide record every window borrows: where the resources lie, the user
// configuration file, the database connection (owned when the flag says so), the locale
// (borrowed) and the base address of the company pages.
#pragma once

#include <functional>

#include <wx/intl.h>
#include <wx/string.h>

namespace Brenik {
class BKSQLiteDatabase;
}

class RuntimeInformationType {
public:
    // Opens an address in the desktop's browser; true when the browser could be started.
    using BrowserLauncher = std::function<bool(const wxString& url)>;

    RuntimeInformationType(const wxString& executableFile, const wxString& resourceDirectory,
                           const wxString& userConfigurationFile, const wxString& companyUrl,
                           Brenik::BKSQLiteDatabase* database, bool ownsDatabase);
    ~RuntimeInformationType();
    RuntimeInformationType(const RuntimeInformationType&) = delete;
    RuntimeInformationType& operator=(const RuntimeInformationType&) = delete;

    // A connection held before is neither disconnected nor deleted.
    void SetDatabase(Brenik::BKSQLiteDatabase* database, bool ownsDatabase);
    Brenik::BKSQLiteDatabase* GetDatabase() const { return database; }

    // The platform's path separator as a one-character text.
    static wxString GetSep();
    wxString GetUserConfigurationDirectory(bool withSeparator) const;
    wxString GetConfigurationDirectory(bool withSeparator) const;

    wxString GetResourcePath() const { return resourceDirectory; }
    wxString GRP() const { return GetResourcePath(); }
    // resource directory + directory + separator + file; nothing is normalised.
    wxString GetResourcePath(const wxString& directory, const wxString& file) const;
    wxString GRP(const wxString& directory, const wxString& file) const
    {
        return GetResourcePath(directory, file);
    }

    void SetUserConfigurationFile(const wxString& name) { userConfigurationFile = name; }
    wxString GetUserConfigurationFile() const { return userConfigurationFile; }
    wxString GetUserConfigurationFileWithPath() const;
    wxString GetExecutableFile() const { return executableFile; }
    // Always ends with the separator.
    wxString GetTemporaryPath() const;

    void SetLocale(wxLocale* locale) { this->locale = locale; }
    wxLocale* GetLocale() const { return locale; }
    // The locale's translation; the text itself without a locale.
    wxString Translate(const wxString& text) const;

    // Opens the company's page in the default browser; false when no browser could start.
    bool OpenCompanyAtNorvel(unsigned int companyId) const;
    // Opens the address in the default browser; false when no browser could start.
    bool OpenInBrowser(const wxString& url) const;
    wxString GetCompanyUrl() const { return companyUrl; }

    // Replaces how the browser is started (tests record the address instead); an empty
    // launcher restores the desktop's default browser.
    void SetBrowserLauncher(BrowserLauncher launcher);

private:
    wxString executableFile;
    wxString resourceDirectory;
    wxString userConfigurationFile;
    Brenik::BKSQLiteDatabase* database;
    bool ownsDatabase;
    wxLocale* locale = nullptr;
    wxString companyUrl;
    BrowserLauncher browserLauncher;
};
