#include "directory/CsvConfigType.h"

CsvConfigType::CsvConfigType()
{
    Reset();
}

CsvConfigType::CsvConfigType(const wxString& filename, const wxString& fieldDelimiter,
                             const wxString& textDelimiter, const wxString& lineBreak,
                             bool replaceLineBreak, const wxString& replaceLineBreakWith)
    : filename(filename),
      fieldDelimiter(fieldDelimiter),
      textDelimiter(textDelimiter),
      lineBreak(lineBreak),
      replaceLineBreak(replaceLineBreak),
      replaceLineBreakWith(replaceLineBreakWith)
{
}

void CsvConfigType::Reset()
{
    filename.clear();
    fieldDelimiter = ";";
    textDelimiter = "\"";
    lineBreak = "\n";
    replaceLineBreak = false;
    replaceLineBreakWith.clear();
    byteOrderMark = false;
}

wxString CsvConfigType::ToString() const
{
    wxString text;
    text << "Filename: " << filename << "\n"
         << "Field delimiter: " << fieldDelimiter << "\n"
         << "Text delimiter: " << textDelimiter << "\n"
         << "Line break: " << lineBreak << "\n"
         << "Replace line break: " << (replaceLineBreak ? "yes" : "no") << "\n"
         << "Replace line break with: " << replaceLineBreakWith << "\n";
    return text;
}

CsvConfigType::Utf8 CsvConfigType::ToUtf8() const
{
    Utf8 bytes;
    if (byteOrderMark)
        bytes.fileStart = kUtf8ByteOrderMark;
    // The mark is what a file for Excel asks for; Excel is also what runs formulas.
    bytes.markFormulas = byteOrderMark;
    bytes.fieldDelimiter = fieldDelimiter.utf8_string();
    bytes.textDelimiter = textDelimiter.utf8_string();
    // Without a text delimiter a field delimiter or line break inside a value starts a new
    // cell there, which no mark guards: "a;=1+1" became a formula. A file for Excel keeps the
    // double quote.
    if (byteOrderMark && bytes.textDelimiter.empty())
        bytes.textDelimiter = "\"";
    bytes.lineBreak = lineBreak.utf8_string();
    bytes.replaceLineBreak = replaceLineBreak;
    bytes.replaceLineBreakWith = replaceLineBreakWith.utf8_string();
    bytes.betweenValues = bytes.textDelimiter + bytes.fieldDelimiter + bytes.textDelimiter;
    if (replaceLineBreak)
        bytes.mayChange['\n'] = bytes.mayChange['\r'] = true;
    if (!bytes.textDelimiter.empty())
        bytes.mayChange[static_cast<unsigned char>(bytes.textDelimiter[0])] = true;
    return bytes;
}
