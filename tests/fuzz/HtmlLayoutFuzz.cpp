// A fragment of the directory's HTML through the sanitiser and then the toolkit's HTML layout,
// as the company window shows it, and through every pass the sheet makes over it: nothing may
// crash the layout, keep a brace, or take more than a moment. Needs an X display (scripts/fuzz
// provides one).
#include <cstdlib>
#include <ctime>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/html/htmprint.h>
#include <wx/init.h>

#include "directory/CompanyEntity.h"
#include "lib/template/BKTemplate.h"
#include "print/HtmlSanitiser.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// The processor time one input may take, far above what any fragment the sanitiser keeps
// needs; the engine took seconds to hours on the hostile ones.
const double kMaxSeconds = 2.0;

bool StartToolkit()
{
    static int argc = 1;
    static char name[] = "HtmlLayoutFuzz";
    static char* argv[] = {name, nullptr};
    wxApp::SetInstance(new wxApp);  // a window application: the toolkit opens the display
    return wxEntryStart(argc, argv);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool started = StartToolkit();
    if (!started)
        std::abort();
    static wxBitmap bitmap(1, 1);
    static wxMemoryDC dc(bitmap);
    const std::clock_t start = std::clock();
    const wxString text = FuzzText(data, size);
    const wxString html = HtmlSanitiser::Sanitise(text);
    CompanyEntity company(nullptr, true);
    company.Get(CompanyEntity::KeyOf(CompanyField::kNotes))->SetUtf8(text.utf8_string());
    Brenik::BKTemplate sheet;
    sheet.SetContent("{s:notes}");
    company.SetSheetVariables(sheet);
    const wxString section = sheet.Parse();
    for (const wxString& shown : {html, section}) {
        if (shown.Contains("{") || shown.length() > 8 * HtmlSanitiser::kMaxLength)
            __builtin_trap();
        wxHtmlDCRenderer layout;
        layout.SetDC(&dc);
        layout.SetSize(700, 1000);
        layout.SetHtmlText(shown);
        for (int page = 0; page != wxNOT_FOUND && page < layout.GetTotalHeight();)
            page = layout.FindNextPageBreak(page);
    }
    if (std::clock() - start > kMaxSeconds * CLOCKS_PER_SEC)
        __builtin_trap();
    return 0;
}
