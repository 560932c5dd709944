// The small window with a gauge, a counter and a Cancel button shown while a search or an
// export runs. The caller drives it (total, level reached, polling for a cancel) and
// destroys it; the window never ends the work or closes itself. Borrows its controls.
#pragma once

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "app/XmlFrame.h"

template <typename Window>
class LayoutControl;

class ProgressFrame : public XmlFrame {
public:
    // What the window looks up in its layout "ProgressFrame": control names and classes.
    static const std::vector<std::pair<const char*, wxClassInfo*>>& GetLayoutControls();

    ProgressFrame(wxWindow* parent, int id, RuntimeInformationType* rit);
    ~ProgressFrame() override;

    // While modal, every other top-level window of the program is disabled.
    void MakeModal(bool modal);
    bool IsModal() const { return disabler != nullptr; }

    // The total: enables the window and makes Cancel the default button.
    void SetCount(unsigned int count);
    // Shows "level of total" and lets the toolkit process pending events, so the window
    // repaints and a click on Cancel is seen. Levels closer together than 1/100 of the total
    // are not shown one by one, and events wait for the next level shown.
    void SetLevel(int level);
    // While the work cannot yet say how far it is: Cancel works, the gauge moves to and fro,
    // and the toolkit processes pending events. Returns whether the user has cancelled.
    bool KeepResponsive();
    void Cancel();
    bool IsCanceled() const { return canceled; }
    // Lets the toolkit work until the shown window has painted, at most for the limit. A
    // window manager maps a new window a while after Show, and the job that follows does not
    // yield before its first step: the window would stand there blank until then.
    void WaitUntilPainted(std::chrono::milliseconds limit);

    unsigned int GetCount() const { return count; }

    void CancelEvent(wxCommandEvent& event);
    // A close asked for by anyone but the creator is taken as a cancel.
    void CloseRequest(wxCloseEvent& event);
    void PaintEvent(wxPaintEvent& event);

private:
    // The controls of the layout, each with the member that keeps it.
    static const std::vector<LayoutControl<ProgressFrame>>& LayoutControls();
    unsigned int count = 0;
    wxString countText;
    bool canceled = false;
    bool painted = false;
    int shownLevel = -1;  // the level the window shows, -1 before the first
    std::chrono::steady_clock::time_point shownAt;

    wxPanel* mainPanel = nullptr;
    wxGauge* progressGauge = nullptr;
    wxStaticText* infoStaticText = nullptr;
    wxButton* cancelButton = nullptr;

    std::unique_ptr<wxWindowDisabler> disabler;

    wxDECLARE_EVENT_TABLE();
};
