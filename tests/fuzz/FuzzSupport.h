// Helpers shared by the fuzz targets: turning raw bytes into text and into a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include <wx/string.h>

#include "lib/core/BKCasts.h"

// The bytes as text: UTF-8 when they are well-formed UTF-8, otherwise Latin-1, so that every
// input reaches the parser as some text instead of the empty string a failed conversion gives.
// (The toolkit's decoder lets encoded lone surrogates through, which no real text holds.)
inline wxString FuzzText(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    if (Brenik::BKCasts::IsValidUtf8(bytes, size))
        return wxString::FromUTF8(bytes, size);
    return wxString(bytes, wxConvISO8859_1, size);
}

inline wxString FuzzText(const std::string& bytes)
{
    return FuzzText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// One file per fuzzing process, rewritten with each input, for parsers that read files.
class FuzzFile {
public:
    FuzzFile()
    {
        const char* dir = std::getenv("TMPDIR");
        path = std::string(dir && *dir ? dir : "/tmp") + "/norvel-fuzz-XXXXXX";
        int fd = mkstemp(path.data());
        if (fd < 0)
            std::abort();
        close(fd);
    }
    ~FuzzFile() { std::remove(path.c_str()); }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    // Replaces the file's content with the bytes; the file's name.
    wxString Write(const uint8_t* data, size_t size)
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
            std::abort();
        return Name();
    }

    wxString Name() const { return wxString::FromUTF8(path); }

private:
    std::string path;
};
