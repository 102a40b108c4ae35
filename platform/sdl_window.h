// The desktop window of `datrax`: an SDL2 window that shows the canvas
// scaled to the window (aspect kept: sharp at whole multiples, area-averaged
// in between and below one), reads the keyboard and the mouse, keeps
// repainting while the program waits for input, and opens where and as large
// as it was left.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "platform/picture_scale.h"
#include "platform/window.h"
#include "platform/window_place.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace datrax::platform {

class SdlWindow : public Window {
public:
    // Opens the window (SDL video, window, renderer); null with the reason in
    // `error` when there is no display to open it on.
    static std::unique_ptr<SdlWindow> open(std::string& error);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    void set_size(int width, int height) override;
    int read_key() override;
    void wait_any_key() override;
    CursorEvent read_cursor_event() override;
    void present() override;

private:
    SdlWindow() = default;
    void show_title() override;
    // The room for the window's inside on its display: the usable area less
    // the window's frame.
    ScreenRect usable_area() const;
    double pixels_per_unit() const;
    void place_window(const ScreenRect& place);
    void fit_window_to_canvas();
    // The window still has the size fit_window_to_canvas gave it.
    bool sized_by_program() const;
    void show_window();
    void remember_place() const;
    // Fills the texture with the canvas as the layout shows it.
    bool upload(const PictureLayout& layout);
    void repaint(bool force);
    // Waits (repainting) for the next event; throws RunStop{WindowClosed}
    // once the window has been closed.
    void next_event(SDL_Event& e);
    // Window-level events (close, expose, resize); true when it was one.
    bool handle_window_event(const SDL_Event& e);
    void queue_text(const char* utf8);
    // The canvas pixel under a mouse position (window units); false on the bars.
    bool canvas_pixel(int x, int y, int& cx, int& cy) const;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int texture_w_ = 0, texture_h_ = 0;
    PictureLayout layout_;                    // where the texture was last shown
    uint64_t shown_generation_ = UINT64_MAX;  // canvas generation in the texture
    ScreenRect fitted_;                       // the size fit_window_to_canvas chose last (none when remembered)
    bool shown_ = false;                      // the window is shown (it opens hidden until first needed)
    uint64_t last_present_ms_ = 0;
    bool closed_ = false;    // the user closed the window
    std::deque<int> typed_;  // printable keys of a text event not yet read
};

}  // namespace datrax::platform
