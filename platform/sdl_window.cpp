#include "platform/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "platform/config_path.h"
#include "platform/run_stop.h"

namespace datrax::platform {

namespace {

// How long a wait sleeps between repaint checks, and how often long drawings
// are shown at most.
constexpr int kWaitSliceMs = 100;
constexpr uint64_t kPresentIntervalMs = 40;

bool is_modifier(SDL_Keycode k) {
    switch (k) {
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
        case SDLK_LCTRL:
        case SDLK_RCTRL:
        case SDLK_LALT:
        case SDLK_RALT:
        case SDLK_LGUI:
        case SDLK_RGUI:
        case SDLK_CAPSLOCK:
        case SDLK_NUMLOCKCLEAR:
        case SDLK_SCROLLLOCK:
        case SDLK_MODE: return true;
        default: return false;
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
    // Whole multiples are shown pixel for pixel; filtered pictures are made
    // at the window's size and copied one to one.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // High-DPI aware, so the multiples are of real pixels; hidden until the
    // program first shows something, so it never flashes at a passing size.
    w->window_ =
        SDL_CreateWindow("DATRAX", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, w->canvas_.width(),
                         w->canvas_.height(), SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_HIDDEN);
    if (!w->window_) {
        error = SDL_GetError();
        return nullptr;
    }
    w->renderer_ = SDL_CreateRenderer(w->window_, -1, 0);
    if (!w->renderer_) w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_SOFTWARE);
    if (!w->renderer_) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_StartTextInput();
    ScreenRect remembered;
    if (read_window_place(window_file_path(), remembered))
        w->place_window(remembered);
    else
        w->fit_window_to_canvas();
    w->repaint(true);
    if (!w->texture_) {
        error = SDL_GetError();
        return nullptr;
    }
    return w;
}

SdlWindow::~SdlWindow() {
    remember_place();
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

void SdlWindow::show_title() { SDL_SetWindowTitle(window_, title().c_str()); }

ScreenRect SdlWindow::usable_area() const {
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    SDL_Rect r{};
    if (SDL_GetDisplayUsableBounds(display, &r) != 0 || r.w <= 0 || r.h <= 0) SDL_GetDisplayBounds(display, &r);
    // The frame is known once the window is shown (and only on some systems).
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
    return {r.x + left, r.y + top, std::max(r.w - left - right, 1), std::max(r.h - top - bottom, 1)};
}

// Real pixels per window unit: 2 on a desktop scaled 2x (Wayland), else 1.
double SdlWindow::pixels_per_unit() const {
    int w = 0, h = 0, pw = 0, ph = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (SDL_GetRendererOutputSize(renderer_, &pw, &ph) != 0 || w <= 0 || pw <= 0) return 1;
    return static_cast<double>(pw) / w;
}

// Puts a remembered window back on the display it was on (or the nearest one
// when that display is gone), shrunk and moved to fit.
void SdlWindow::place_window(const ScreenRect& place) {
    SDL_SetWindowSize(window_, place.width, place.height);
    SDL_SetWindowPosition(window_, place.x, place.y);
    const ScreenRect fitted = keep_inside(place, usable_area());
    SDL_SetWindowSize(window_, fitted.width, fitted.height);
    SDL_SetWindowPosition(window_, fitted.x, fitted.y);
    fitted_ = {};
}

// Sizes the window for the canvas: the largest whole multiple that fits the
// usable area, or the canvas shrunk to fit when even 1x does not; centred on
// its display.
void SdlWindow::fit_window_to_canvas() {
    fitted_ = fit_window(canvas_.width(), canvas_.height(), usable_area(), pixels_per_unit());
    SDL_SetWindowSize(window_, fitted_.width, fitted_.height);
    SDL_SetWindowPosition(window_, fitted_.x, fitted_.y);
}

// Shows the window the first time the program waits or draws; its frame is
// known from then on, so a fitted window is fitted again with it taken off.
void SdlWindow::show_window() {
    if (shown_) return;
    shown_ = true;
    SDL_ShowWindow(window_);
    if (sized_by_program()) fit_window_to_canvas();
}

bool SdlWindow::sized_by_program() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return fitted_.width > 0 && w == fitted_.width && h == fitted_.height;
}

// Leaves the window's size and place for the next run. A minimised or full
// screen window leaves the previous ones.
void SdlWindow::remember_place() const {
    if (!window_ || !shown_ || (SDL_GetWindowFlags(window_) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_FULLSCREEN))) return;
    ScreenRect place;
    SDL_GetWindowPosition(window_, &place.x, &place.y);
    SDL_GetWindowSize(window_, &place.width, &place.height);
    write_window_place(window_file_path(), place);
}

// A new mode's canvas: a window the program sized is sized again for it; a
// window the user sized (or left sized last time) keeps its size and shows
// the new canvas in it.
void SdlWindow::set_size(int width, int height) {
    Window::set_size(width, height);
    if (sized_by_program()) fit_window_to_canvas();
    repaint(true);
    if (!texture_)
        throw RunStop{RunStop::Reason::Fatal, std::string("datrax: cannot show the window: ") + SDL_GetError()};
}

bool SdlWindow::upload(const PictureLayout& layout) {
    const int w = layout.multiple ? canvas_.width() : layout.width;
    const int h = layout.multiple ? canvas_.height() : layout.height;
    if (!texture_ || w != texture_w_ || h != texture_h_) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
        texture_w_ = texture_ ? w : 0;
        texture_h_ = texture_ ? h : 0;
        if (!texture_) return false;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) return false;
    if (layout.multiple) {
        uint32_t rgb[16];
        for (int i = 0; i < 16; ++i) {
            const Rgb c = palette_rgb(i);
            rgb[i] = 0xFF000000u | uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
        }
        const uint8_t* src = canvas_.pixels().data();
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * pitch);
            for (int x = 0; x < w; ++x) row[x] = rgb[*src++ & 15];
        }
    } else {
        area_average(canvas_, w, h, static_cast<uint32_t*>(pixels), pitch / 4);
    }
    SDL_UnlockTexture(texture_);
    return true;
}

void SdlWindow::repaint(bool force) {
    int dw = 0, dh = 0;
    SDL_GetRendererOutputSize(renderer_, &dw, &dh);
    const PictureLayout layout = layout_picture(canvas_.width(), canvas_.height(), dw, dh);
    if (layout.width < 1) return;
    if (layout != layout_) shown_generation_ = UINT64_MAX;
    if (canvas_.generation() != shown_generation_ && upload(layout)) {
        layout_ = layout;
        shown_generation_ = canvas_.generation();
        force = true;
    }
    if (!force || !texture_) return;
    const SDL_Rect dst{layout_.x, layout_.y, layout_.width, layout_.height};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
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
    show_window();
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
    show_window();
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
        if (e.key.keysym.sym == SDLK_TAB) return kKeyTab;
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

bool SdlWindow::canvas_pixel(int x, int y, int& cx, int& cy) const {
    // The centre of the real pixel under the mouse decides.
    const double ppu = pixels_per_unit();
    return canvas_pixel_at(layout_, canvas_.width(), canvas_.height(), (x + 0.5) * ppu, (y + 0.5) * ppu, cx, cy);
}

CursorEvent SdlWindow::read_cursor_event() {
    CursorEvent ev;
    SDL_Event e;
    int cx = 0, cy = 0;
    while (typed_.empty()) {
        next_event(e);
        switch (e.type) {
            case SDL_TEXTINPUT: queue_text(e.text.text); break;
            case SDL_MOUSEMOTION:
                if (!canvas_pixel(e.motion.x, e.motion.y, cx, cy)) break;
                return {CursorEvent::Kind::MoveTo, 0, 0, cx, cy};
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button != SDL_BUTTON_LEFT || !canvas_pixel(e.button.x, e.button.y, cx, cy)) break;
                return {CursorEvent::Kind::Pick, 0, 0, cx, cy};
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
