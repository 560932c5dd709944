// Root of every library class: an optional borrowed database pointer, a private table of
// named resource texts (created on first use, so objects that never use it stay small),
// the class-information record, and the library's static text utilities.
#pragma once

#include <memory>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "lib/core/BKClassInfo.h"
#include "lib/core/BKStringHashMap.h"

namespace Brenik {

class BKDatabase;

class BKLib {
public:
    explicit BKLib(BKDatabase* database = nullptr);
    BKLib(const BKLib& other);
    BKLib& operator=(const BKLib& other);
    virtual ~BKLib();

    virtual BKClassInfo GetClassInfo() const = 0;

    // The record of the library as a whole.
    static BKClassInfo GetInfo();

    void SetDatabase(BKDatabase* database) { this->database = database; }
    BKDatabase* GetDatabase() const { return database; }

    // Resource texts: named blocks of text read from an indented text file.
    // Reads the file into the table, adding to what is there; entries stored, or -1
    // when the file cannot be opened.
    static int LoadResourceFile(const wxString& fileName, BKStringHashMap* table);
    int LoadResource(const wxString& fileName);
    // Empties the table first, then loads.
    int AppendResource(const wxString& fileName);
    // The text under the name; an unknown name is added with the empty text.
    wxString res(const wxString& name);
    wxString GetResourceByName(const wxString& name);
    BKStringHashMap* GetResource();
    void ClearResource();

    // Text utilities.
    static wxArrayString Split(const wxString& text, wchar_t separator);
    static wxString HtmlSpecialChars(wxString text);
    static wxString nl2br(wxString text);
    // Splits a search phrase into words with AND/OR/NOT operators; returns the word count.
    static int ParseSearchWords(const wxString& text, wxArrayString* operators,
                                wxArrayString* words);

    // Version strings of up to three dot-separated numbers.
    static wxString VersionToString(unsigned int major, unsigned int minor, unsigned int patch);
    static bool IsValidVersion(const wxString& version);
    static bool SplitVersion(const wxString& version, unsigned int& major, unsigned int& minor,
                             unsigned int& patch);
    static bool IsEqualVersion(const wxString& a, const wxString& b);
    static bool IsLesserVersion(const wxString& a, const wxString& b);
    static bool IsGreaterVersion(const wxString& a, const wxString& b);
    // Mode 0 equal, 1 greater, 2 lesser; any other mode is false.
    static bool CompareVersion(const wxString& a, const wxString& b, int mode);

    // Console input and output in UTF-8.
    static void Print(wxString text);
    static void Print(const char* text);
    static void PrintLine(wxString text);
    static void PrintLine(const char* text);
    static void PrintLineError(wxString text);
    static void PrintLineError(const char* text);
    static bool PrintArrayString(wxArrayString* lines);
    static wxString ReadLine(const wxString& prompt);

private:
    BKStringHashMap& Table();

    BKDatabase* database;
    std::unique_ptr<BKStringHashMap> resources;
};

}  // namespace Brenik
