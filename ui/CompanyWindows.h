// Opens the company windows of a parent window: one window per company, an open one brought
// to the front instead of a second, each new one set off from the one opened before it. The
// windows are the parent's children and destroy themselves; the parent and the runtime
// information are borrowed.
#pragma once

#include <functional>

class CompanyEntity;
class CompanyFrame;
class RuntimeInformationType;
class wxWindow;

class CompanyWindows {
public:
    // closed is called after each of the windows opened here closes, while this lives.
    CompanyWindows(wxWindow* parent, RuntimeInformationType* rit, std::function<void()> closed);
    // The windows outlive this when their parent is destroyed: none calls back then.
    ~CompanyWindows();
    CompanyWindows(const CompanyWindows&) = delete;
    CompanyWindows& operator=(const CompanyWindows&) = delete;

    // Shows the company's window: the open one, raised and restored, or a new one placed
    // beside the others. Nothing when its layout cannot be loaded (the toolkit says so).
    void Open(CompanyEntity& company);

private:
    // The first window centred on the screen, each further one down and to the right of the
    // one opened before it, starting again at the display's edge where it would leave it.
    static void Place(CompanyFrame& frame);

    wxWindow* parent;
    RuntimeInformationType* rit;
    std::function<void()> closed;
};
