// The desktop window of `datrax`: an SDL2 window that shows the canvas
// scaled to the window (aspect kept), reads the keyboard and the mouse, and
// keeps repainting while the program waits for input.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "platform/window.h"

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
    void set_title(std::string_view title) override;
    int read_key() override;
    void wait_any_key() override;
    CursorEvent read_cursor_event() override;
    void present() override;

private:
    SdlWindow() = default;
    bool create_texture(std::string& error);
    void fit_window_to_canvas();
    void repaint(bool force);
    // Waits (repainting) for the next event; throws RunStop{WindowClosed}
    // once the window has been closed.
    void next_event(SDL_Event& e);
    // Window-level events (close, expose, resize); true when it was one.
    bool handle_window_event(const SDL_Event& e);
    void queue_text(const char* utf8);
    bool inside_canvas(int x, int y) const;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    uint64_t shown_generation_ = UINT64_MAX;  // canvas generation in the texture
    uint64_t last_present_ms_ = 0;
    bool closed_ = false;           // the user closed the window
    std::deque<int> typed_;         // printable keys of a text event not yet read
};

}  // namespace datrax::platform
