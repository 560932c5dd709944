// Base64 (RFC 4648, standard alphabet, "=" padding) between bytes and text, and between files
// and text. Holds nothing: every operation stands alone, and callers use a temporary object.
#pragma once

#include <cstddef>

#include <wx/buffer.h>
#include <wx/string.h>

class Base64Library {
public:
    // How decoding treats characters outside the alphabet. White space is exactly the bytes
    // 0, 9, 10, 12, 13 and 32.
    enum class wxBase64DecodeMode {
        Strict,          // white space and every other character are errors
        SkipWhiteSpace,  // white space is ignored, other characters are errors
        Relaxed          // white space and other characters are ignored
    };

    // The failure value of the counting forms (as the toolkit's conversions).
    static constexpr size_t kFailed = static_cast<size_t>(-1);
    // A text length meaning "up to the terminating NUL".
    static constexpr size_t kToNul = static_cast<size_t>(-1);

    // Writes the text of the bytes into the output (no terminating NUL); the characters
    // written, the length needed when the output is null, kFailed when the input is null or
    // the output too small.
    size_t wxBase64Encode(char* output, size_t outputLength, const void* input,
                          size_t inputLength) const;
    wxString wxBase64Encode(const void* input, size_t inputLength) const;
    wxString wxBase64Encode(const wxMemoryBuffer& buffer) const;

    // Decodes the text into the output; the bytes produced, the length needed when the output
    // is null, kFailed on malformed text or a too small output. For malformed text the error
    // position (when given) receives the offending character's index, for an incomplete last
    // group the index of the last character.
    size_t wxBase64Decode(void* output, size_t outputLength, const char* input,
                          size_t inputLength = kToNul,
                          wxBase64DecodeMode mode = wxBase64DecodeMode::Strict,
                          size_t* errorPosition = nullptr) const;
    // The same for a string, converted to ASCII first (other characters become "_").
    size_t wxBase64Decode(void* output, size_t outputLength, const wxString& input,
                          wxBase64DecodeMode mode = wxBase64DecodeMode::Strict,
                          size_t* errorPosition = nullptr) const;
    // The bytes of the text; an empty buffer on error.
    wxMemoryBuffer wxBase64Decode(const char* input, size_t inputLength = kToNul,
                                  wxBase64DecodeMode mode = wxBase64DecodeMode::Strict,
                                  size_t* errorPosition = nullptr) const;
    wxMemoryBuffer wxBase64Decode(const wxString& input,
                                  wxBase64DecodeMode mode = wxBase64DecodeMode::Strict,
                                  size_t* errorPosition = nullptr) const;

    // Reads the whole file (named in UTF-8) into Base64 text; false, with the output
    // unchanged, when the file cannot be opened or read.
    bool FileToBase64(const wxString& fileName, wxString& output) const;
    // Decodes the text strictly and only then replaces the file with the bytes, through a
    // temporary file renamed over it; false, with the file untouched, for malformed text or
    // when it cannot be written.
    bool Base64ToFile(const wxString& fileName, const wxString& text) const;
    // Writes the decoded text into a new file named by the first free decimal number in the
    // directory (the system's temporary directory when empty; a given directory must end with
    // the separator). The file is created exclusively, so nothing planted under a name is
    // followed or overwritten. The file's name, or empty for malformed text or a failure.
    wxString Base64ToTemporaryFile(const wxString& text, const wxString& directory) const;
};
