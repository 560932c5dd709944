// The application object: builds the runtime information, sets up the German locale and
// the catalogue, opens the directory database and shows the main window. Owns the runtime
// information, which owns the connection.
#pragma once

#include <memory>

#include <wx/app.h>

#include "app/RuntimeInformationType.h"

class wxFrame;

class Norvel : public wxApp {
public:
    Norvel();
    ~Norvel() override;

    bool OnInit() override;

    // A modal box without a parent: text, caption, one OK button, centred on the screen.
    static void ShowError(const wxString& title, const wxString& message);

    // The start-up steps, each usable on its own.
    static std::unique_ptr<RuntimeInformationType> CreateRuntimeInformation(
        const wxString& executableFile);
    // German locale and the "Norvel" catalogue; a missing locale or catalogue shows nothing.
    // The locale lives for the rest of the process.
    static wxLocale* SetUpLocale(RuntimeInformationType* rit);
    // Checks for the database file and connects; on failure shows the "Database error" box
    // and returns false. A file that holds no directory counts as one that cannot be opened,
    // and so does one whose tables are no plain tables, or whose reading runs too long.
    static bool OpenDatabase(RuntimeInformationType* rit);
    // The main window on the opened directory, not shown yet; it reads the sector list. Null
    // when its layout is missing, or when that reading ran out of its time or memory (then
    // the "Database error" box has been shown).
    static wxFrame* CreateMainWindow(RuntimeInformationType* rit);
    // Whether the connected file is an SQLite database with the tables and columns the
    // search reads (and is not locked by another process).
    static bool HoldsDirectory(Brenik::BKSQLiteDatabase* database);

    // Where the directory's company pages are: a company's page is this plus its number.
    static const char* const CompanyUrl;

private:
    // The "Could not open database" box, with the reason (a phrase starting ". ") if known.
    static void ShowCannotOpen(const wxString& path, const wxString& why);
    static wxString TooMuchWork();

    std::unique_ptr<RuntimeInformationType> rit;
};

wxDECLARE_APP(Norvel);
