// The images of a printout, kept in the toolkit's in-memory file system where its HTML engine
// finds them by name. A copy of the store shares its images; each image is removed with the
// last store that holds it.
#pragma once

#include <memory>
#include <vector>

#include <wx/image.h>
#include <wx/string.h>

class PrintImageStore {
public:
    // Puts the image in as PNG under a name of its own; its location for an <img> tag.
    wxString Add(const wxImage& image);

private:
    class MemoryFile;

    std::vector<std::shared_ptr<MemoryFile>> images;
};
