// The settings of an export: target file, whether it is a CSV file or an Excel workbook, and
// for a CSV file the field and text delimiters, line break, whether line breaks inside values
// are replaced and by what, and whether the file is meant for Excel (it then starts with a
// byte-order mark, its values are enclosed in double quotes when no text delimiter is set, and
// values that Excel would run as formulas are marked as text). A plain
// value: copy it freely.
#pragma once

#include <array>
#include <string>

#include <wx/string.h>

namespace Brenik {
class BKConfiguration;
}

class CsvConfigType {
public:
    // The same settings in UTF-8, the form the file gets: a long export converts them once,
    // not once per line.
    struct Utf8 {
        // What the file starts with: the byte-order mark when asked for, else nothing.
        std::string fileStart;
        std::string fieldDelimiter;
        std::string textDelimiter;
        std::string lineBreak;
        bool replaceLineBreak = false;
        std::string replaceLineBreakWith;
        // Whether a value that a spreadsheet would run as a formula is marked as text: the
        // file is meant for Excel, which runs one even inside the text delimiters.
        bool markFormulas = false;
        // What stands between two values of a line: text, field and text delimiter.
        std::string betweenValues;
        // The bytes at which a value may need a change: the line breaks when they are
        // replaced, and the first byte of the text delimiter. Most values have none, and one
        // look-up per byte finds that in a single pass.
        std::array<bool, 256> mayChange{};
    };

    // The UTF-8 byte-order mark. German spreadsheet programs read a UTF-8 file without it as
    // Windows-1252 and show umlauts as two wrong characters each.
    static constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

    // No file; ";" between fields, fields in double quotes, LF after each line, line breaks
    // inside values kept, no byte-order mark.
    CsvConfigType();
    CsvConfigType(const wxString& filename, const wxString& fieldDelimiter,
                  const wxString& textDelimiter, const wxString& lineBreak, bool replaceLineBreak,
                  const wxString& replaceLineBreakWith);

    void SetFilename(const wxString& filename) { this->filename = filename; }
    wxString GetFilename() const { return filename; }
    void SetFieldDelimiter(const wxString& delimiter) { fieldDelimiter = delimiter; }
    wxString GetFieldDelimiter() const { return fieldDelimiter; }
    void SetTextDelimiter(const wxString& delimiter) { textDelimiter = delimiter; }
    wxString GetTextDelimiter() const { return textDelimiter; }
    void SetLineBreak(const wxString& lineBreak) { this->lineBreak = lineBreak; }
    wxString GetLineBreak() const { return lineBreak; }
    void SetReplaceLineBreak(bool replace) { replaceLineBreak = replace; }
    bool IsReplaceLineBreak() const { return replaceLineBreak; }
    void SetReplaceLineBreakWith(const wxString& text) { replaceLineBreakWith = text; }
    wxString GetReplaceLineBreakWith() const { return replaceLineBreakWith; }
    void SetByteOrderMark(bool mark) { byteOrderMark = mark; }
    bool IsByteOrderMark() const { return byteOrderMark; }
    // An Excel workbook (.xlsx) instead of a CSV file; the CSV settings then wait unused.
    void SetWorkbook(bool workbook) { this->workbook = workbook; }
    bool IsWorkbook() const { return workbook; }

    // Writes every setting into the user's configuration, each under a key of its own.
    void Store(Brenik::BKConfiguration& configuration) const;
    // Takes the settings the configuration holds; a missing or unreadable one keeps its value.
    void Restore(const Brenik::BKConfiguration& configuration);

    // Back to the defaults of the default constructor.
    void Reset();
    // One labelled line per setting, for reading by people.
    wxString ToString() const;
    Utf8 ToUtf8() const;

private:
    wxString filename;
    wxString fieldDelimiter;
    wxString textDelimiter;
    wxString lineBreak;
    bool replaceLineBreak = false;
    wxString replaceLineBreakWith;
    bool byteOrderMark = false;
    bool workbook = false;
};
