#include "print/Base64Library.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <wx/ffile.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include "lib/core/BKReplacingFile.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kPadding = '=';

enum : unsigned char { kWhiteSpace = 64, kPad = 65, kInvalid = 66 };

// What each byte is: its six-bit value, white space, padding or invalid.
struct DecodeTable {
    unsigned char kind[256];
    DecodeTable()
    {
        std::memset(kind, kInvalid, sizeof kind);
        for (unsigned char value = 0; value < 64; ++value)
            kind[static_cast<unsigned char>(kAlphabet[value])] = value;
        for (unsigned char space : {0, 9, 10, 12, 13, 32})
            kind[space] = kWhiteSpace;
        kind[static_cast<unsigned char>(kPadding)] = kPad;
    }
};

const DecodeTable& Table()
{
    static const DecodeTable table;
    return table;
}

// Writes all bytes to the descriptor, going on after short writes.
bool WriteAll(int descriptor, const unsigned char* data, size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(descriptor, data, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

size_t Base64Library::wxBase64Encode(char* output, size_t outputLength, const void* input,
                                     size_t inputLength) const
{
    if (!input)
        return kFailed;
    const size_t needed = (inputLength + 2) / 3 * 4;
    if (!output)
        return needed;
    if (outputLength < needed)
        return kFailed;

    const auto* bytes = static_cast<const unsigned char*>(input);
    char* out = output;
    for (size_t i = 0; i < inputLength; i += 3) {
        const size_t left = inputLength - i;
        const unsigned int group =
            bytes[i] << 16 | (left > 1 ? bytes[i + 1] << 8 : 0) | (left > 2 ? bytes[i + 2] : 0);
        *out++ = kAlphabet[group >> 18 & 0x3f];
        *out++ = kAlphabet[group >> 12 & 0x3f];
        *out++ = left > 1 ? kAlphabet[group >> 6 & 0x3f] : kPadding;
        *out++ = left > 2 ? kAlphabet[group & 0x3f] : kPadding;
    }
    return needed;
}

wxString Base64Library::wxBase64Encode(const void* input, size_t inputLength) const
{
    const size_t length = wxBase64Encode(nullptr, 0, input, inputLength);
    if (length == kFailed)
        return wxString();
    wxCharBuffer text(length);
    wxBase64Encode(text.data(), length, input, inputLength);
    return wxString::FromUTF8(text.data(), length);
}

wxString Base64Library::wxBase64Encode(const wxMemoryBuffer& buffer) const
{
    return wxBase64Encode(buffer.GetData(), buffer.GetDataLen());
}

size_t Base64Library::wxBase64Decode(void* output, size_t outputLength, const char* input,
                                     size_t inputLength, wxBase64DecodeMode mode,
                                     size_t* errorPosition) const
{
    if (!input)
        return kFailed;
    if (inputLength == kToNul)
        inputLength = std::strlen(input);

    auto* out = static_cast<unsigned char*>(output);
    const DecodeTable& table = Table();
    unsigned int values[4];
    unsigned int collected = 0;
    size_t produced = 0;
    bool padded = false;  // the group before ended with padding: only white space may follow
    auto fail = [errorPosition](size_t position) {
        if (errorPosition)
            *errorPosition = position;
        return kFailed;
    };
    // Stores the bytes of a finished group; false when the output has no room for them.
    auto emit = [&](unsigned int count) {
        const unsigned int group = values[0] << 18 | values[1] << 12 | values[2] << 6 | values[3];
        const unsigned char bytes[3] = {static_cast<unsigned char>(group >> 16),
                                        static_cast<unsigned char>(group >> 8),
                                        static_cast<unsigned char>(group)};
        if (out) {
            if (outputLength < produced + count)
                return false;
            std::memcpy(out + produced, bytes, count);
        }
        produced += count;
        return true;
    };

    for (size_t i = 0; i < inputLength; ++i) {
        const unsigned char kind = table.kind[static_cast<unsigned char>(input[i])];
        if (kind == kWhiteSpace) {
            if (mode == wxBase64DecodeMode::Strict)
                return fail(i);
            continue;
        }
        if (kind == kInvalid) {
            if (mode != wxBase64DecodeMode::Relaxed)
                return fail(i);
            continue;
        }
        if (padded)
            return fail(i);
        if (kind == kPad) {
            if (collected == 3) {
                values[3] = 0;
                if (!emit(2))
                    return kFailed;
            } else if (collected == 2) {
                // "==" ends a group of one byte; nothing may stand between the two.
                if (i + 1 >= inputLength)
                    return fail(i);
                if (input[i + 1] != kPadding)
                    return fail(i + 1);
                ++i;
                values[2] = values[3] = 0;
                if (!emit(1))
                    return kFailed;
            } else {
                return fail(i);
            }
            collected = 0;
            padded = true;
            continue;
        }
        values[collected++] = kind;
        if (collected == 4) {
            if (!emit(3))
                return kFailed;
            collected = 0;
        }
    }
    if (collected != 0)
        return fail(inputLength - 1);
    return produced;
}

size_t Base64Library::wxBase64Decode(void* output, size_t outputLength, const wxString& input,
                                     wxBase64DecodeMode mode, size_t* errorPosition) const
{
    const wxCharBuffer ascii = input.ToAscii();
    return wxBase64Decode(output, outputLength, ascii.data(), ascii.length(), mode, errorPosition);
}

wxMemoryBuffer Base64Library::wxBase64Decode(const char* input, size_t inputLength,
                                             wxBase64DecodeMode mode, size_t* errorPosition) const
{
    wxMemoryBuffer buffer;
    const size_t length = wxBase64Decode(nullptr, 0, input, inputLength, mode, errorPosition);
    if (length == kFailed || length == 0)
        return buffer;
    void* data = buffer.GetWriteBuf(length);
    if (wxBase64Decode(data, length, input, inputLength, mode) != length)
        return wxMemoryBuffer();
    buffer.UngetWriteBuf(length);
    return buffer;
}

wxMemoryBuffer Base64Library::wxBase64Decode(const wxString& input, wxBase64DecodeMode mode,
                                             size_t* errorPosition) const
{
    const wxCharBuffer ascii = input.ToAscii();
    return wxBase64Decode(ascii.data(), ascii.length(), mode, errorPosition);
}

bool Base64Library::FileToBase64(const wxString& fileName, wxString& output) const
{
    wxLogNull quiet;  // failures are the return value
    wxFFile file(fileName, "rb");
    if (!file.IsOpened())
        return false;
    const wxFileOffset size = file.Length();
    if (size < 0)
        return false;
    wxMemoryBuffer bytes;
    void* data = bytes.GetWriteBuf(static_cast<size_t>(size));
    if (size > 0 && file.Read(data, static_cast<size_t>(size)) != static_cast<size_t>(size))
        return false;
    bytes.UngetWriteBuf(static_cast<size_t>(size));
    output = wxBase64Encode(bytes);
    return true;
}

bool Base64Library::Base64ToFile(const wxString& fileName, const wxString& text) const
{
    size_t errorPosition = 0;
    const wxMemoryBuffer bytes = wxBase64Decode(text, wxBase64DecodeMode::Strict, &errorPosition);
    // An empty buffer is also what malformed text gives; only the empty text is empty data.
    if (bytes.IsEmpty() && !text.empty())
        return false;

    Brenik::BKReplacingFile file;
    if (!file.Open(fileName))
        return false;
    file.Write(static_cast<const char*>(bytes.GetData()), bytes.GetDataLen());
    return file.Commit();
}

wxString Base64Library::Base64ToTemporaryFile(const wxString& text, const wxString& directory) const
{
    const wxMemoryBuffer bytes = wxBase64Decode(text);
    if (bytes.IsEmpty() && !text.empty())
        return wxString();

    wxString folder = directory;
    if (folder.empty()) {
        folder = wxStandardPaths::Get().GetTempDir();
        if (!folder.EndsWith(wxFileName::GetPathSeparator()))
            folder += wxFileName::GetPathSeparator();
    }
    for (unsigned long number = 0;; ++number) {
        const wxString name = folder + wxString::Format("%lu", number);
        // Exclusive creation: a name taken meanwhile, or a link planted under it, is passed
        // over instead of followed.
        const int descriptor =
            ::open(name.utf8_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            return wxString();
        }
        const bool written = WriteAll(
            descriptor, static_cast<const unsigned char*>(bytes.GetData()), bytes.GetDataLen());
        if (::close(descriptor) != 0 || !written) {
            ::unlink(name.utf8_str());
            return wxString();
        }
        return name;
    }
}
