#include "ui/UserSettings.h"

#include <algorithm>

#include <wx/display.h>
#include <wx/toplevel.h>

#include "app/ScreenFit.h"
#include "directory/CsvConfigType.h"
#include "lib/core/BKCasts.h"
#include "lib/core/BKConfiguration.h"

using Brenik::BKCasts;

namespace {

// One setting of the configuration file: its key and the value read when it is missing.
struct Setting {
    const char* key;
    const char* fallback;
};
const Setting kWidth{"Width", "1024"};
const Setting kHeight{"Height", "600"};
const Setting kPositionX{"PositionX", "30"};
const Setting kPositionY{"PositionY", "30"};
const Setting kMaximized{"Maximized", "false"};
const Setting kSearchIn{"SearchIn", ""};

// Where the window goes when its saved top edge lies on no display.
const wxPoint kFallbackPosition(30, 30);
// How long after showing a window manager's first placement is waited for; without one, none
// comes, and a move after this is the user's own.
const std::chrono::seconds kPlacementWait(5);
// How long a normal geometry holds before it counts.
const int kSettleTime = 300;

BKCasts Read(const Brenik::BKConfiguration& configuration, const Setting& setting)
{
    return configuration.Get(setting.key, setting.fallback);
}

// Whether some display shows part of the line of the given width starting at the point.
bool OnSomeDisplay(const wxPoint& start, int width)
{
    for (unsigned int index = 0; index < wxDisplay::GetCount(); ++index) {
        const wxRect screen = wxDisplay(index).GetGeometry();
        const long long left = std::max<long long>(start.x, screen.x);
        const long long right =
            std::min<long long>(static_cast<long long>(start.x) + width,
                                static_cast<long long>(screen.x) + screen.width);
        if (start.y >= screen.y && start.y - screen.y < screen.height && left < right)
            return true;
    }
    return false;
}

// The saved geometry made usable: the size cut to the client area of the display that holds
// the position and raised to the minimum; a top edge on no display moves the window to
// (30, 30), and a window reaching past the area's edge moves back onto it. A geometry that
// fits is kept exactly.
wxRect FitToDisplays(const wxRect& saved, const wxSize& minimum)
{
    // A hand-edited or foreign file may hold any number: the window must stay within reach
    // and large enough for its controls.
    unsigned int holding = 0;
    for (unsigned int index = 0; index < wxDisplay::GetCount(); ++index) {
        if (wxDisplay(index).GetGeometry().Contains(saved.GetPosition()))
            holding = index;
    }
    const wxRect area = wxDisplay(holding).GetClientArea();
    wxRect fitted(saved.GetPosition(),
                  wxSize(std::max(std::min(saved.width, area.width), minimum.x),
                         std::max(std::min(saved.height, area.height), minimum.y)));
    // The title bar is where the window is taken hold of.
    if (!OnSomeDisplay(fitted.GetPosition(), fitted.width))
        fitted.SetPosition(kFallbackPosition);
    // A place saved on a larger screen, or at a smaller scale, would leave the bottom edge
    // with its status bar below the screen: the whole window moves onto it.
    return wxRect(ScreenFit::Within(fitted, area).GetPosition(), fitted.GetSize());
}

}  // namespace

UserSettings::UserSettings(wxTopLevelWindow* window) : window(window)
{
    settle.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Settled(); });
}

void UserSettings::Restore(const wxString& file, CsvConfigType& exportSettings,
                           LabelDialog::Choice& labels)
{
    Brenik::BKConfiguration configuration("#", false);
    if (!configuration.Load(file))
        return;
    const int height = Read(configuration, kHeight).ToInt();
    const int width = Read(configuration, kWidth).ToInt();
    const int y = Read(configuration, kPositionY).ToInt();
    const int x = Read(configuration, kPositionX).ToInt();
    normalGeometry = FitToDisplays(wxRect(x, y, width, height), window->GetMinSize());
    window->SetSize(normalGeometry, wxSIZE_ALLOW_MINUS_ONE);
    restoredMaximized = Read(configuration, kMaximized).ToBool();
    window->Maximize(restoredMaximized);
    placement = Placement::kFirstMove;
    exportSettings.Restore(configuration);
    labels.Restore(configuration);
    searchKind = SearchKindNamed(Read(configuration, kSearchIn).ToString());
    recentSearches.Read(configuration);
}

bool UserSettings::Save(const wxString& file, const CsvConfigType& exportSettings,
                        const LabelDialog::Choice& labels) const
{
    const bool maximized = window->IsMaximized();
    // A maximised window keeps the normal geometry it had, which un-maximising after the
    // next start returns to; the toolkit knows only the maximised one.
    const wxRect geometry =
        maximized && !normalGeometry.IsEmpty() ? normalGeometry : window->GetRect();

    // A fresh configuration: the file holds exactly these keys afterwards.
    Brenik::BKConfiguration configuration("#", false);
    configuration.Set(kPositionX.key, BKCasts::ToString(geometry.x));
    configuration.Set(kPositionY.key, BKCasts::ToString(geometry.y));
    configuration.Set(kWidth.key, BKCasts::ToString(geometry.width));
    configuration.Set(kHeight.key, BKCasts::ToString(geometry.height));
    configuration.Set(kMaximized.key, BKCasts::ToString(maximized, false, false));
    exportSettings.Store(configuration);
    labels.Store(configuration);
    configuration.Set(kSearchIn.key, SearchKindName(searchKind));
    recentSearches.Write(configuration);
    return configuration.Save(file, "\n");
}

void UserSettings::Shown()
{
    shownAt = std::chrono::steady_clock::now();
}

void UserSettings::Moved()
{
    ApplyRestoredGeometry();
    KeepNormalGeometry();
}

void UserSettings::Resized()
{
    KeepNormalGeometry();
}

// A window manager places a new window itself and ignores the position asked for before the
// window was shown. A window shown maximised is worse off: un-maximising returns it to the
// size it had when it was first mapped, next to nothing. So the first placement after showing
// is answered with the saved geometry, for a maximised window after un-maximising it first,
// and only then is it maximised again, so that un-maximising returns to the saved geometry.
void UserSettings::ApplyRestoredGeometry()
{
    if (placement == Placement::kDone || !window->IsShown())
        return;
    if (std::chrono::steady_clock::now() - shownAt > kPlacementWait) {
        placement = Placement::kDone;
        return;
    }
    if (placement == Placement::kFirstMove && window->IsMaximized()) {
        placement = Placement::kUnmaximized;
        window->Maximize(false);
        return;
    }
    if (window->IsMaximized())
        return;  // the window manager has not un-maximised it yet
    placement = Placement::kDone;
    // The toolkit skips a size it believes the window has, and the size the window manager
    // gave has not reached it yet when the move is reported: the size goes by a step aside.
    window->SetSize(wxRect(normalGeometry.GetPosition(), normalGeometry.GetSize() + wxSize(1, 1)),
                    wxSIZE_ALLOW_MINUS_ONE);
    window->SetSize(normalGeometry, wxSIZE_ALLOW_MINUS_ONE);
    if (restoredMaximized)
        window->Maximize(true);
}

// The window manager's placement of a restored window is not the user's geometry, and a
// maximised or iconised window's geometry is not the one to come back to. Nor is what is
// reported on the way there: the place without the border, the maximised size, and only
// then the maximised state. A geometry counts once it has held for a moment.
void UserSettings::KeepNormalGeometry()
{
    if (placement != Placement::kDone || !window->IsShown() || window->IsMaximized() ||
        window->IsIconized() || window->IsFullScreen())
        return;
    settling = window->GetRect();
    settle.StartOnce(kSettleTime);
}

void UserSettings::Settled()
{
    if (!window->IsMaximized() && !window->IsIconized())
        normalGeometry = settling;
}
