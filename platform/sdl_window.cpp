#include "platform/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "platform/run_stop.h"

namespace datrax::platform {

namespace {

// How long a wait sleeps between repaint checks, and how often long drawings
// are shown at most.
constexpr int kWaitSliceMs = 100;
constexpr uint64_t kPresentIntervalMs = 40;

bool is_modifier(SDL_Keycode k) {
    switch (k) {
        case SDLK_LSHIFT: case SDLK_RSHIFT: case SDLK_LCTRL: case SDLK_RCTRL:
        case SDLK_LALT: case SDLK_RALT: case SDLK_LGUI: case SDLK_RGUI:
        case SDLK_CAPSLOCK: case SDLK_NUMLOCKCLEAR: case SDLK_SCROLLLOCK: case SDLK_MODE:
            return true;
        default:
            return false;
    }
}

bool is_enter(SDL_Keycode k) { return k == SDLK_RETURN || k == SDLK_KP_ENTER || k == SDLK_RETURN2; }


// SDL falls back to drivers that draw nowhere (offscreen, dummy) when no
// display is reachable; a window nobody can see would leave the program
// waiting for keys that never come, so those count as no display unless
// asked for by name through SDL_VIDEODRIVER.
bool display_reachable(std::string& error) {
    if (std::getenv("SDL_VIDEODRIVER")) return true;
    const bool x11 = std::getenv("DISPLAY"), wayland = std::getenv("WAYLAND_DISPLAY");
    if (!x11 && !wayland) {
        error = "no DISPLAY or WAYLAND_DISPLAY set";
        return false;
    }
    // With only an X display, trying Wayland too would just print noise.
    if (!wayland) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    return true;
}

bool invisible_driver(const char* name) {
    const std::string_view n = name ? name : "";
    return n == "offscreen" || n == "dummy" || n == "evdev";
}

}  // namespace

std::unique_ptr<SdlWindow> SdlWindow::open(std::string& error) {
    if (!display_reachable(error)) return nullptr;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<SdlWindow> w(new SdlWindow());
    if (!std::getenv("SDL_VIDEODRIVER") && invisible_driver(SDL_GetCurrentVideoDriver())) {
        error = std::string("only the ") + SDL_GetCurrentVideoDriver() + " video driver is available";
        return nullptr;
    }
    // Pixel art: scaled pixels stay sharp.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    w->window_ = SDL_CreateWindow("DATRAX", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w->canvas_.width(),
                                  w->canvas_.height(), SDL_WINDOW_RESIZABLE);
    if (!w->window_) {
        error = SDL_GetError();
        return nullptr;
    }
    w->renderer_ = SDL_CreateRenderer(w->window_, -1, 0);
    if (!w->renderer_) w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_SOFTWARE);
    if (!w->renderer_ || !w->create_texture(error)) {
        if (error.empty()) error = SDL_GetError();
        return nullptr;
    }
    SDL_StartTextInput();
    w->fit_window_to_canvas();
    w->repaint(true);
    return w;
}

SdlWindow::~SdlWindow() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

// The texture holds the canvas in RGB; the renderer's logical size makes SDL
// scale it to the window with the aspect kept (bars fill the rest) and map
// mouse positions back to canvas pixels.
bool SdlWindow::create_texture(std::string& error) {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, canvas_.width(),
                                 canvas_.height());
    if (!texture_ || SDL_RenderSetLogicalSize(renderer_, canvas_.width(), canvas_.height()) != 0) {
        error = SDL_GetError();
        return false;
    }
    shown_generation_ = UINT64_MAX;
    return true;
}

// Sizes the window for the canvas: the largest whole multiple of the canvas
// that fits the screen's usable area (so small modes stay readable on large
// screens), or the canvas shrunk to fit when it is larger than the screen;
// then centres it, so a larger mode does not run off the screen.
void SdlWindow::fit_window_to_canvas() {
    int w = canvas_.width(), h = canvas_.height();
    SDL_Rect usable;
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    if (SDL_GetDisplayUsableBounds(display, &usable) == 0 && usable.w > 0 && usable.h > 0) {
        const double fit = std::min(static_cast<double>(usable.w) / w, static_cast<double>(usable.h) / h);
        const double scale = fit >= 1 ? std::floor(fit) : fit;
        w = std::max(1, static_cast<int>(w * scale));
        h = std::max(1, static_cast<int>(h * scale));
    }
    SDL_SetWindowSize(window_, w, h);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display), SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

void SdlWindow::set_size(int width, int height) {
    Window::set_size(width, height);
    std::string error;
    if (!create_texture(error)) throw RunStop{RunStop::Reason::Fatal, "datrax: cannot show the window: " + error};
    fit_window_to_canvas();
    repaint(true);
}

void SdlWindow::set_title(std::string_view title) { SDL_SetWindowTitle(window_, std::string(title).c_str()); }

void SdlWindow::repaint(bool force) {
    if (canvas_.generation() != shown_generation_) {
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) == 0) {
            uint32_t rgb[16];
            for (int i = 0; i < 16; ++i) {
                const Rgb c = palette_rgb(i);
                rgb[i] = 0xFF000000u | uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
            }
            const uint8_t* src = canvas_.pixels().data();
            for (int y = 0; y < canvas_.height(); ++y) {
                auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * pitch);
                for (int x = 0; x < canvas_.width(); ++x) row[x] = rgb[*src++ & 15];
            }
            SDL_UnlockTexture(texture_);
            shown_generation_ = canvas_.generation();
            force = true;
        }
    }
    if (!force) return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

bool SdlWindow::handle_window_event(const SDL_Event& e) {
    if (e.type == SDL_QUIT) {
        closed_ = true;
        return true;
    }
    if (e.type != SDL_WINDOWEVENT) return false;
    switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: closed_ = true; break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED: repaint(true); break;
        default: break;
    }
    return true;
}

void SdlWindow::next_event(SDL_Event& e) {
    for (;;) {
        if (closed_) throw RunStop{RunStop::Reason::WindowClosed, {}};
        repaint(false);
        if (SDL_WaitEventTimeout(&e, kWaitSliceMs) && !handle_window_event(e)) return;
    }
}

// Long drawings call this often: shows the canvas at most every
// kPresentIntervalMs and handles window events only, so keys typed meanwhile
// stay queued for the next read. A close is remembered for that read.
void SdlWindow::present() {
    const uint64_t now = SDL_GetTicks64();
    if (now - last_present_ms_ < kPresentIntervalMs) return;
    last_present_ms_ = now;
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_QUIT, SDL_SYSWMEVENT) > 0) handle_window_event(e);
    repaint(false);
}

void SdlWindow::queue_text(const char* utf8) {
    // Only printable ASCII reaches the program; other characters are dropped.
    for (const char* p = utf8; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 32 && c <= 126) typed_.push_back(c);
    }
}

int SdlWindow::read_key() {
    SDL_Event e;
    while (typed_.empty()) {
        next_event(e);
        if (e.type == SDL_TEXTINPUT) queue_text(e.text.text);
        if (e.type != SDL_KEYDOWN) continue;
        if (is_enter(e.key.keysym.sym)) return kKeyEnter;
        if (e.key.keysym.sym == SDLK_BACKSPACE) return kKeyBackspace;
    }
    const int key = typed_.front();
    typed_.pop_front();
    return key;
}

void SdlWindow::wait_any_key() {
    if (!typed_.empty()) {
        typed_.pop_front();
        return;
    }
    SDL_Event e;
    for (;;) {
        next_event(e);
        if (e.type == SDL_MOUSEBUTTONDOWN) return;
        if (e.type == SDL_KEYDOWN && !e.key.repeat && !is_modifier(e.key.keysym.sym)) break;
    }
    // The text event of that same key press must not reach the next prompt.
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_TEXTINPUT);
}

bool SdlWindow::inside_canvas(int x, int y) const {
    return x >= 0 && y >= 0 && x < canvas_.width() && y < canvas_.height();
}

CursorEvent SdlWindow::read_cursor_event() {
    CursorEvent ev;
    SDL_Event e;
    while (typed_.empty()) {
        next_event(e);
        switch (e.type) {
            case SDL_TEXTINPUT: queue_text(e.text.text); break;
            case SDL_MOUSEMOTION:
                if (!inside_canvas(e.motion.x, e.motion.y)) break;
                return {CursorEvent::Kind::MoveTo, 0, 0, e.motion.x, e.motion.y};
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button != SDL_BUTTON_LEFT || !inside_canvas(e.button.x, e.button.y)) break;
                return {CursorEvent::Kind::Pick, 0, 0, e.button.x, e.button.y};
            case SDL_KEYDOWN: {
                const SDL_Keycode k = e.key.keysym.sym;
                const int step = (e.key.keysym.mod & KMOD_SHIFT) ? 10 : 1;
                if (k == SDLK_LEFT) return {CursorEvent::Kind::Move, -step, 0};
                if (k == SDLK_RIGHT) return {CursorEvent::Kind::Move, step, 0};
                if (k == SDLK_UP) return {CursorEvent::Kind::Move, 0, -step};
                if (k == SDLK_DOWN) return {CursorEvent::Kind::Move, 0, step};
                if (is_enter(k)) return {CursorEvent::Kind::Pick, 0, 0, -1, -1};
                if (k == SDLK_BACKSPACE) ev.key = kKeyBackspace;
                if (k == SDLK_ESCAPE) ev.key = 27;
                if (ev.key) return ev;
                break;
            }
            default: break;
        }
    }
    ev.key = typed_.front();
    typed_.pop_front();
    return ev;
}

}  // namespace datrax::platform
