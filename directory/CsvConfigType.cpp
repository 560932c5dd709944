#include "directory/CsvConfigType.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "lib/core/BKConfiguration.h"

namespace {

const char* const kFilenameKey = "ExportFilename";
const char* const kFormatKey = "ExportFormat";
const char* const kFieldDelimiterKey = "ExportFieldDelimiter";
const char* const kTextDelimiterKey = "ExportTextDelimiter";
const char* const kLineBreakKey = "ExportLineBreak";
const char* const kReplaceLineBreakKey = "ExportReplaceLineBreak";
const char* const kReplaceLineBreakWithKey = "ExportReplaceLineBreakWith";
const char* const kByteOrderMarkKey = "ExportByteOrderMark";

// The line breaks by the names the configuration gives them.
const char* const kLineBreakNames[][2] = {{"LF", "\n"}, {"CRLF", "\r\n"}, {"CR", "\r"}};

// A delimiter or replacement in the configuration: in double quotes, so that an empty one and one
// of blanks keep their meaning, with every byte that the file would take as a comment, a blank, a
// line break or an end written as % and its hexadecimal number.
wxString Quoted(const wxString& text)
{
    const std::string bytes = text.utf8_string();
    std::string quoted = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F && !std::strchr("\"#%", c)) {
            quoted += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            quoted += escaped;
        }
    }
    return wxString::FromUTF8(quoted + "\"");
}

// The text Quoted wrote; false for anything else, which a hand may have written.
bool Unquoted(const wxString& value, wxString& text)
{
    const std::string quoted = value.utf8_string();
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"')
        return false;
    std::string bytes;
    for (size_t at = 1; at + 1 < quoted.size(); ++at) {
        if (quoted[at] != '%') {
            bytes += quoted[at];
            continue;
        }
        if (at + 3 >= quoted.size() || !std::isxdigit(static_cast<unsigned char>(quoted[at + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(quoted[at + 2])))
            return false;
        bytes += static_cast<char>(std::stoi(quoted.substr(at + 1, 2), nullptr, 16));
        at += 2;
    }
    const wxString decoded = wxString::FromUTF8(bytes);
    if (!bytes.empty() && decoded.empty())
        return false;  // no UTF-8
    text = decoded;
    return true;
}

// Whether the file would not give the text back as it is written: a comment sign, a line
// break, blanks at either end, or the double quotes of Quoted around it.
bool NeedsQuotes(const wxString& text)
{
    return text.Contains("#") || text.Contains("\n") || text.Contains("\r") ||
           text.StartsWith(" ") || text.EndsWith(" ") || text.StartsWith("\t") ||
           text.EndsWith("\t") || (text.StartsWith("\"") && text.EndsWith("\""));
}

}  // namespace

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
    workbook = false;
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

void CsvConfigType::Store(Brenik::BKConfiguration& configuration) const
{
    // A plain name stays readable, as it always was.
    configuration.Set(kFilenameKey, NeedsQuotes(filename) ? Quoted(filename) : filename);
    configuration.Set(kFormatKey, workbook ? "xlsx" : "csv");
    configuration.Set(kFieldDelimiterKey, Quoted(fieldDelimiter));
    configuration.Set(kTextDelimiterKey, Quoted(textDelimiter));
    const char* lineBreakName = kLineBreakNames[0][0];
    for (const auto& name : kLineBreakNames)
        if (lineBreak == name[1])
            lineBreakName = name[0];
    configuration.Set(kLineBreakKey, lineBreakName);
    configuration.Set(kReplaceLineBreakKey, replaceLineBreak ? "true" : "false");
    configuration.Set(kReplaceLineBreakWithKey, Quoted(replaceLineBreakWith));
    configuration.Set(kByteOrderMarkKey, byteOrderMark ? "true" : "false");
}

void CsvConfigType::Restore(const Brenik::BKConfiguration& configuration)
{
    const wxString name = configuration.Get(kFilenameKey, filename).ToString();
    if (!Unquoted(name, filename))
        filename = name;
    const wxString format = configuration.Get(kFormatKey, "").ToString();
    if (format == "xlsx" || format == "csv")
        workbook = format == "xlsx";
    Unquoted(configuration.Get(kFieldDelimiterKey, "").ToString(), fieldDelimiter);
    Unquoted(configuration.Get(kTextDelimiterKey, "").ToString(), textDelimiter);
    const wxString lineBreakName = configuration.Get(kLineBreakKey, "").ToString();
    for (const auto& name : kLineBreakNames)
        if (lineBreakName == name[0])
            lineBreak = name[1];
    const wxString replace = configuration.Get(kReplaceLineBreakKey, "").ToString();
    if (replace == "true" || replace == "false")
        replaceLineBreak = replace == "true";
    Unquoted(configuration.Get(kReplaceLineBreakWithKey, "").ToString(), replaceLineBreakWith);
    const wxString mark = configuration.Get(kByteOrderMarkKey, "").ToString();
    if (mark == "true" || mark == "false")
        byteOrderMark = mark == "true";
}
