#include "lib/core/BKLib.h"

#include <cstdio>
#include <string>

#include <wx/strconv.h>

#include "lib/core/BKCasts.h"
#include "lib/core/BKFile.h"

namespace Brenik {

BKLib::BKLib(BKDatabase* database) : database(database) {}

BKLib::BKLib(const BKLib& other)
    : database(other.database),
      resources(other.resources ? std::make_unique<BKStringHashMap>(*other.resources) : nullptr)
{
}

BKLib& BKLib::operator=(const BKLib& other)
{
    if (this != &other) {
        database = other.database;
        resources.reset(other.resources ? new BKStringHashMap(*other.resources) : nullptr);
    }
    return *this;
}

BKLib::~BKLib() = default;

BKClassInfo BKLib::GetInfo()
{
    return BKClassInfo::Make("BKLib", "0.21.2");
}

BKStringHashMap& BKLib::Table()
{
    if (!resources)
        resources = std::make_unique<BKStringHashMap>();
    return *resources;
}

int BKLib::LoadResource(const wxString& fileName)
{
    return LoadResourceFile(fileName, &Table());
}

int BKLib::AppendResource(const wxString& fileName)
{
    ClearResource();
    return LoadResourceFile(fileName, &Table());
}

wxString BKLib::res(const wxString& name)
{
    return Table()[name];
}

wxString BKLib::GetResourceByName(const wxString& name)
{
    return res(name);
}

BKStringHashMap* BKLib::GetResource()
{
    return &Table();
}

void BKLib::ClearResource()
{
    if (resources)
        resources->clear();
}

int BKLib::LoadResourceFile(const wxString& fileName, BKStringHashMap* table)
{
    if (!table)
        return -1;
    BKFile file(fileName, wxT("r"));
    if (!file.IsOpened())
        return -1;
    wxArrayString lines = file.ReadUtf8Lines();
    file.Close();

    int stored = 0;
    wxString name;
    wxString text;
    for (const wxString& line : lines) {
        if (line.empty())
            continue;
        if (line[0] == L'\t') {
            text += line.Mid(1) + wxT("\n");
            continue;
        }
        // Text before the first name is kept for it.
        if (!name.empty()) {
            (*table)[name] = text;
            ++stored;
            text.clear();
        }
        name = line;
    }
    if (!name.empty()) {
        (*table)[name] = text;
        ++stored;
    }
    return stored;
}

wxArrayString BKLib::Split(const wxString& text, wchar_t separator)
{
    wxArrayString pieces;
    if (text.empty())
        return pieces;
    size_t start = 0;
    for (;;) {
        size_t found = text.find(separator, start);
        if (found == wxString::npos) {
            pieces.Add(text.substr(start));
            break;
        }
        pieces.Add(text.substr(start, found - start));
        start = found + 1;
    }
    return pieces;
}

wxString BKLib::HtmlSpecialChars(wxString text)
{
    // The ampersand first, so that the entities made below are not escaped again.
    text.Replace(wxT("&"), wxT("&amp;"));
    text.Replace(wxT("\""), wxT("&quot;"));
    text.Replace(wxT("'"), wxT("&#039;"));
    text.Replace(wxT("<"), wxT("&lt;"));
    text.Replace(wxT(">"), wxT("&gt;"));
    return text;
}

wxString BKLib::nl2br(wxString text)
{
    text.Replace(wxT("\r\n"), wxT("<br />"));
    text.Replace(wxT("\r"), wxT("<br />"));
    text.Replace(wxT("\n"), wxT("<br />"));
    return text;
}

int BKLib::ParseSearchWords(const wxString& text, wxArrayString* operators, wxArrayString* words)
{
    if (!operators || !words)
        return 0;

    const size_t length = text.length();
    wchar_t prefix = 0;
    int count = 0;
    size_t p = 0;
    while (p < length) {
        wchar_t c = text[p];
        if (c == L'+' || c == L'-') {
            prefix = c;
            ++p;
            continue;
        }
        if (c == L' ' && p != 0) {
            prefix = L' ';
            ++p;
            continue;
        }
        if (p == 0)
            prefix = L' ';  // the first word counts as having a blank before it

        wxString word;
        size_t q = p;
        while (q < length) {
            wchar_t ch = text[q];
            if (ch == L'+' || ch == L'-' || ch == L' ')
                break;
            if (ch == L'"') {
                // A quoted phrase runs to the next double quote, whatever stands before it.
                ++q;
                while (q < length && text[q] != L'"')
                    word += text[q++];
                if (q < length)
                    ++q;
                continue;
            }
            word += ch;
            ++q;
        }

        if (!word.empty()) {
            if (prefix == L'+')
                operators->Add(wxT("AND"));
            else if (prefix == L'-')
                operators->Add(wxT("NOT"));
            else
                operators->Add(wxT("OR"));
            words->Add(word);
        }
        ++count;
        // A blank at the very start stops an empty word and is not scanned again.
        p = q == 0 ? 1 : q;
    }
    return count;
}

wxString BKLib::VersionToString(unsigned int major, unsigned int minor, unsigned int patch)
{
    return wxString::Format(wxT("%i.%i.%i"), major, minor, patch);
}

bool BKLib::IsValidVersion(const wxString& version)
{
    if (version.empty())
        return true;
    if (version[0] == L'.' || version.Last() == L'.')
        return false;
    int points = 0;
    for (wxUniChar c : version) {
        if (c == L'.')
            ++points;
        else if (c < L'0' || c > L'9')
            return false;
    }
    return points <= 2;
}

bool BKLib::SplitVersion(const wxString& version, unsigned int& major, unsigned int& minor,
                         unsigned int& patch)
{
    if (!IsValidVersion(version))
        return false;
    // Missing pieces ("1.2") and empty ones ("1..2") count as 0.
    wxArrayString pieces = Split(version, L'.');
    unsigned int numbers[3] = {0, 0, 0};
    for (size_t i = 0; i < pieces.size() && i < 3; ++i)
        numbers[i] = BKCasts::ToUnsignedInt(pieces[i]);
    major = numbers[0];
    minor = numbers[1];
    patch = numbers[2];
    return true;
}

namespace {

// -1, 0 or 1 as a is lower than, equal to or higher than b; false when either is invalid.
bool CompareVersions(const wxString& a, const wxString& b, int& order)
{
    unsigned int first[3];
    unsigned int second[3];
    if (!BKLib::SplitVersion(a, first[0], first[1], first[2]) ||
        !BKLib::SplitVersion(b, second[0], second[1], second[2]))
        return false;
    order = 0;
    for (int i = 0; i < 3 && order == 0; ++i) {
        if (first[i] < second[i])
            order = -1;
        else if (first[i] > second[i])
            order = 1;
    }
    return true;
}

}  // namespace

bool BKLib::IsEqualVersion(const wxString& a, const wxString& b)
{
    int order;
    return CompareVersions(a, b, order) && order == 0;
}

bool BKLib::IsLesserVersion(const wxString& a, const wxString& b)
{
    int order;
    return CompareVersions(a, b, order) && order < 0;
}

bool BKLib::IsGreaterVersion(const wxString& a, const wxString& b)
{
    int order;
    return CompareVersions(a, b, order) && order > 0;
}

bool BKLib::CompareVersion(const wxString& a, const wxString& b, int mode)
{
    switch (mode) {
        case 0:
            return IsEqualVersion(a, b);
        case 1:
            return IsGreaterVersion(a, b);
        case 2:
            return IsLesserVersion(a, b);
        default:
            return false;
    }
}

namespace {

void Write(FILE* stream, const char* bytes, bool lineFeed)
{
    if (bytes)
        std::fputs(bytes, stream);
    if (lineFeed)
        std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace

void BKLib::Print(wxString text)
{
    Write(stdout, text.utf8_str(), false);
}

void BKLib::Print(const char* text)
{
    Write(stdout, text, false);
}

void BKLib::PrintLine(wxString text)
{
    Write(stdout, text.utf8_str(), true);
}

void BKLib::PrintLine(const char* text)
{
    Write(stdout, text, true);
}

void BKLib::PrintLineError(wxString text)
{
    Write(stderr, text.utf8_str(), true);
}

void BKLib::PrintLineError(const char* text)
{
    Write(stderr, text, true);
}

bool BKLib::PrintArrayString(wxArrayString* lines)
{
    if (!lines)
        return false;
    for (const wxString& line : *lines)
        Write(stdout, line.utf8_str(), true);
    return true;
}

wxString BKLib::ReadLine(const wxString& prompt)
{
    if (!prompt.empty())
        Write(stdout, prompt.utf8_str(), false);
    std::string bytes;
    int c;
    while ((c = std::getchar()) != EOF && c != '\n')
        bytes.push_back(static_cast<char>(c));
    return wxString::FromUTF8(bytes.data(), bytes.size());
}

}  // namespace Brenik
