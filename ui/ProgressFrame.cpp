#include "ui/ProgressFrame.h"

#include <algorithm>
#include <climits>

#include <wx/accel.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include "app/LayoutControl.h"
#include "app/XmlWindowLoader.h"
#include "lib/core/BKCasts.h"

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(ProgressFrame, XmlFrame)
    EVT_BUTTON(XRCID("cancelButton"), ProgressFrame::CancelEvent)
    EVT_MENU(XRCID("cancelButton"), ProgressFrame::CancelEvent)
    EVT_CLOSE(ProgressFrame::CloseRequest)
wxEND_EVENT_TABLE()

const std::vector<LayoutControl<ProgressFrame>>& ProgressFrame::LayoutControls()
{
    static const std::vector<LayoutControl<ProgressFrame>> controls = {
        {"mainPanel", &ProgressFrame::mainPanel},
        {"progressGauge", &ProgressFrame::progressGauge},
        {"infoStaticText", &ProgressFrame::infoStaticText},
        {"cancelButton", &ProgressFrame::cancelButton},
    };
    return controls;
}

const std::vector<std::pair<const char*, wxClassInfo*>>& ProgressFrame::GetLayoutControls()
{
    static const auto controls = LayoutControl<ProgressFrame>::Contract(LayoutControls());
    return controls;
}
// clang-format on

ProgressFrame::ProgressFrame(wxWindow* parent, int id, RuntimeInformationType* rit)
    : XmlFrame(parent, id, rit, "ProgressFrame")
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so

    LayoutControl<ProgressFrame>::FindAll(*this, LayoutControls());

    if (infoStaticText) {
        // The counter starts empty; keep one line of room so the window does not jump.
        infoStaticText->SetLabel(wxString());
        infoStaticText->SetMinSize(wxSize(-1, infoStaticText->GetCharHeight()));
    }
    if (mainPanel && mainPanel->GetSizer()) {
        mainPanel->GetSizer()->SetSizeHints(mainPanel);
        SetClientSize(mainPanel->GetBestSize());
    }
    SetSize(wxSize(400, GetSize().GetHeight()));
    // Over the window whose work it shows, where the user is looking.
    if (parent && parent->IsShown())
        CentreOnParent(wxBOTH);
    else
        CentreOnScreen(wxBOTH);
    // The panel covers the window and paints first; a child's paint reaches no event table
    // of the frame.
    if (mainPanel)
        mainPanel->Bind(wxEVT_PAINT, &ProgressFrame::PaintEvent, this);

    // Escape stops the work as the Cancel button does, as it would in a dialog.
    wxAcceleratorEntry escape(wxACCEL_NORMAL, WXK_ESCAPE, XRCID("cancelButton"));
    SetAcceleratorTable(wxAcceleratorTable(1, &escape));
}

ProgressFrame::~ProgressFrame() = default;

void ProgressFrame::MakeModal(bool modal)
{
    if (modal && !disabler)
        disabler = std::make_unique<wxWindowDisabler>(this);
    else if (!modal)
        disabler.reset();
}

void ProgressFrame::SetCount(unsigned int count)
{
    this->count = count;
    shownLevel = -1;
    countText = Brenik::BKCasts::ToString(count);
    if (progressGauge) {
        progressGauge->Enable(true);
        progressGauge->SetRange(count > INT_MAX ? INT_MAX : static_cast<int>(count));
    }
    if (infoStaticText)
        infoStaticText->Enable(true);
    if (cancelButton) {
        cancelButton->Enable(true);
        cancelButton->SetDefault();
        cancelButton->SetFocus();
    }
}

void ProgressFrame::SetLevel(int level)
{
    // Repainting this window, and even asking the toolkit for pending events, costs far more
    // than a step of the work it shows, so the gauge and the counter change, and events are
    // processed, at most about 100 times per total: every level for totals up to 100, and the
    // first and the last level always. A large, fast job repaints no more often than the eye
    // follows: a cancel is seen within a hundredth of the work, or 40 milliseconds if that
    // is longer.
    const long long step = std::max<long long>(1, count / 100);
    const bool last = static_cast<long long>(level) >= count;
    const auto now = std::chrono::steady_clock::now();
    if (shownLevel >= 0 && !last) {
        if (level >= shownLevel && level - shownLevel < step)
            return;
        if (count > 100 && now - shownAt < std::chrono::milliseconds(40))
            return;
    }
    shownLevel = level;
    shownAt = now;
    if (progressGauge) {
        // The gauge refuses values outside its range; the text still says what was asked.
        progressGauge->SetValue(std::clamp(level, 0, progressGauge->GetRange()));
    }
    if (infoStaticText)
        infoStaticText->SetLabel(Brenik::BKCasts::ToString(level) + _(" of ") + countText);
    wxYield();
}

void ProgressFrame::WaitUntilPainted(std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        wxYield();
        if (painted || !mainPanel)
            return;
        wxMilliSleep(2);
    } while (std::chrono::steady_clock::now() < end);
}

void ProgressFrame::PaintEvent(wxPaintEvent&)
{
    wxPaintDC dc(mainPanel);
    painted = true;
}

void ProgressFrame::Cancel()
{
    canceled = true;
}

void ProgressFrame::CancelEvent(wxCommandEvent&)
{
    Cancel();
}

// Closing the window by other means than its creator (a window manager, a key) would
// destroy it under the running work: that is taken as a cancel instead.
void ProgressFrame::CloseRequest(wxCloseEvent& event)
{
    if (event.CanVeto()) {
        Cancel();
        event.Veto();
        return;
    }
    event.Skip();
}
