// Where the desktop window opens and how large: the largest whole multiple
// of the canvas that fits the screen's usable area, or the canvas shrunk to
// fit when even one canvas pixel per screen pixel does not; or the size and
// place remembered from the last run, shrunk and moved to fit today's screen.
#pragma once
#include <string>

namespace datrax::platform {

// A rectangle on the desktop, in the window system's units (on a desktop
// scaled 2x one unit is two real pixels).
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The window's inside, centred in `usable` (the room left for it once the
// panels and the window's own frame are taken off). `pixels_per_unit` is the
// number of real pixels per unit, so a whole multiple is one of real pixels.
ScreenRect fit_window(int canvas_w, int canvas_h, const ScreenRect& usable, double pixels_per_unit);

// A remembered place made to fit `usable`: shrunk (its shape kept) when too
// large, then moved inside.
ScreenRect keep_inside(ScreenRect place, const ScreenRect& usable);

// The remembered place, one line "X Y WIDTH HEIGHT"; false when there is none
// or it is not such a line.
bool read_window_place(const std::string& path, ScreenRect& place);
bool write_window_place(const std::string& path, const ScreenRect& place);

}  // namespace datrax::platform
