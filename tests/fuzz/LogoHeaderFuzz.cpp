// The image header read before a logo is decoded: the declared size must be what the
// decoder is then allowed to work on.
#include "print/LogoLibrary.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wxSize declared(-1, -1);
    const wxBitmapType type = LogoLibrary::ReadHeader(data, size, &declared);
    if (type != wxBITMAP_TYPE_INVALID && (declared.x < 0 || declared.y < 0))
        __builtin_trap();
    return 0;
}
