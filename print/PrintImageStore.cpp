#include "print/PrintImageStore.h"

#include <atomic>

#include <wx/filesys.h>
#include <wx/fs_mem.h>
#include <wx/utils.h>

// One image in the in-memory file system. Each has a name of its own, so that two previews
// open at once never share one.
class PrintImageStore::MemoryFile {
public:
    explicit MemoryFile(const wxImage& image)
    {
        static bool registered = false;
        if (!registered) {
            wxFileSystem::AddHandler(new wxMemoryFSHandler);
            registered = true;
        }
        static std::atomic<unsigned long> count{0};
        name = wxString::Format("norvel-printout-%lu-%lu.png", wxGetProcessId(), ++count);
        wxMemoryFSHandler::AddFile(name, image, wxBITMAP_TYPE_PNG);
    }
    ~MemoryFile() { wxMemoryFSHandler::RemoveFile(name); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    wxString Location() const { return "memory:" + name; }

private:
    wxString name;
};

wxString PrintImageStore::Add(const wxImage& image)
{
    images.push_back(std::make_shared<MemoryFile>(image));
    return images.back()->Location();
}
