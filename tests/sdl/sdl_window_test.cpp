// The SDL window's input rules and painting, driven by synthetic events on
// SDL's offscreen video driver (no display needed).
#include "platform/sdl_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/config_path.h"
#include "platform/run_stop.h"
#include "support/scratch_dir.h"

namespace datrax::platform {
namespace {

class SdlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        // The offscreen driver's OpenGL surface keeps the size the window was
        // created with; the software renderer follows the window.
        setenv("SDL_RENDER_DRIVER", "software", 1);
        // The window remembers its size beside the profile: here, not in the user's folder.
        set_profile_file_path(scratch_.file("datra.pro"));
        open();
    }
    void TearDown() override {
        window_.reset();
        set_profile_file_path("");
    }
    void open() {
        window_.reset();
        std::string error;
        window_ = SdlWindow::open(error);
        ASSERT_TRUE(window_) << error;
        sdl_window_ = SDL_GetWindowFromID(1);
        ASSERT_TRUE(sdl_window_);
    }

    void push(SDL_Event e) {
        e.common.timestamp = SDL_GetTicks();
        ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    }
    void text(const char* utf8) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = SDL_GetWindowID(sdl_window_);
        std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
        push(e);
    }
    void key(SDL_Keycode k, uint16_t mod = 0, bool repeat = false) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.windowID = SDL_GetWindowID(sdl_window_);
        e.key.state = SDL_PRESSED;
        e.key.repeat = repeat;
        e.key.keysym.sym = k;
        e.key.keysym.mod = mod;
        push(e);
    }
    void motion(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = SDL_GetWindowID(sdl_window_);
        e.motion.x = x;
        e.motion.y = y;
        push(e);
    }
    void click(int x, int y, uint8_t button = SDL_BUTTON_LEFT) {
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.windowID = SDL_GetWindowID(sdl_window_);
        e.button.button = button;
        e.button.state = SDL_PRESSED;
        e.button.x = x;
        e.button.y = y;
        push(e);
    }
    void quit() {
        SDL_Event e{};
        e.type = SDL_QUIT;
        push(e);
    }

    // Resizes the window as its user would and lets it repaint.
    void resize(int width, int height) {
        SDL_SetWindowSize(sdl_window_, width, height);
        SDL_PumpEvents();
        SDL_Delay(50);  // present() shows the canvas at most every few tens of milliseconds
        window_->present();
    }
    std::vector<uint32_t> read_pixels(int width, int height) {
        std::vector<uint32_t> px(static_cast<size_t>(width) * height);
        EXPECT_EQ(
            SDL_RenderReadPixels(SDL_GetRenderer(sdl_window_), nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(), width * 4),
            0)
            << SDL_GetError();
        return px;
    }

    testing::ScratchDir scratch_;
    std::unique_ptr<SdlWindow> window_;
    SDL_Window* sdl_window_ = nullptr;
};

TEST_F(SdlWindowTest, PromptsGetOnlyEnterBackspaceAndPrintableAscii) {
    key(SDLK_F1);
    key(SDLK_a);  // its character comes with the text event
    text(
        "a\xC3\xA9"
        "b");  // a, e acute (dropped), b
    key(SDLK_UP);
    key(SDLK_ESCAPE);
    key(SDLK_RETURN);
    key(SDLK_KP_ENTER);
    key(SDLK_BACKSPACE);
    text("~ ");
    for (int expected : {int{'a'}, int{'b'}, 13, 13, 8, int{'~'}, int{' '}}) EXPECT_EQ(window_->read_key(), expected);
}

TEST_F(SdlWindowTest, AnyKeyPauseSwallowsItsOwnCharacter) {
    key(SDLK_LSHIFT);  // a modifier alone does not end the pause
    key(SDLK_q);
    text("q");
    key(SDLK_RETURN);
    window_->wait_any_key();
    EXPECT_EQ(window_->read_key(), 13);

    click(5, 5, SDL_BUTTON_RIGHT);  // any mouse button ends a pause too
    key(SDLK_BACKSPACE);
    window_->wait_any_key();
    EXPECT_EQ(window_->read_key(), 8);
}

TEST_F(SdlWindowTest, CursorEventsFromArrowsMouseAndKeys) {
    key(SDLK_LEFT);
    key(SDLK_DOWN, KMOD_LSHIFT);
    motion(100, 50);
    motion(5000, 50);                 // off the canvas: ignored
    click(30, 40, SDL_BUTTON_RIGHT);  // ignored
    click(30, 40);
    key(SDLK_RETURN);
    text("m");
    key(SDLK_ESCAPE);

    using K = CursorEvent::Kind;
    struct Row {
        K kind;
        int dx, dy, x, y, key;
    };
    for (const Row& r : {Row{K::Move, -1, 0, 0, 0, 0}, Row{K::Move, 0, 10, 0, 0, 0}, Row{K::MoveTo, 0, 0, 100, 50, 0},
                         Row{K::Pick, 0, 0, 30, 40, 0}, Row{K::Pick, 0, 0, -1, -1, 0}, Row{K::Key, 0, 0, 0, 0, 'm'},
                         Row{K::Key, 0, 0, 0, 0, 27}}) {
        const CursorEvent e = window_->read_cursor_event();
        EXPECT_EQ(e.kind, r.kind);
        EXPECT_EQ(e.dx, r.dx);
        EXPECT_EQ(e.dy, r.dy);
        EXPECT_EQ(e.x, r.x);
        EXPECT_EQ(e.y, r.y);
        EXPECT_EQ(e.key, r.key);
    }
}

// A window 0.78 and 1.5 times the canvas: the window shows the area-average
// picture where the layout puts it, bars black, and a click on a window pixel
// picks the canvas pixel under that pixel's centre.
TEST_F(SdlWindowTest, FilteredPicturesAndTheMouseAgreeAtFractionalScales) {
    window_->set_size(1024, 768);
    Canvas& c = window_->canvas();
    for (int i = 0; i < 60; ++i) {  // lines of every colour, one pixel wide, across and down
        c.set_color(i % 15 + 1);
        c.move_to(i * 17, 0);
        c.line_to(i * 17, 767);
        c.move_to(0, i * 13);
        c.line_to(1023, i * 13);
    }
    struct Click {
        int x, y;  // window pixel
        bool picks;
        int cx, cy;
    };
    const struct Row {
        int width, height;
        std::vector<Click> clicks;
    } rows[] = {
        {800, 600, {{0, 0, true, 0, 0}, {2, 2, true, 3, 3}, {399, 299, true, 511, 383}, {799, 599, true, 1023, 767}}},
        {1536, 1200, {{2, 26, true, 1, 1}, {3, 27, true, 2, 2}, {1535, 1175, true, 1023, 767}, {9, 23, false, 0, 0}}},
    };
    for (const Row& r : rows) {
        resize(r.width, r.height);
        const PictureLayout l = layout_picture(1024, 768, r.width, r.height);
        ASSERT_EQ(l.multiple, 0);
        std::vector<uint32_t> expected(static_cast<size_t>(l.width) * l.height);
        area_average(c, l.width, l.height, expected.data(), l.width);
        const std::vector<uint32_t> shown = read_pixels(r.width, r.height);
        int differing = 0;
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x) {
                const bool on_picture = x >= l.x && x < l.x + l.width && y >= l.y && y < l.y + l.height;
                const uint32_t want = on_picture ? expected[(y - l.y) * l.width + (x - l.x)] : 0xFF000000u;
                differing += (shown[y * r.width + x] | 0xFF000000u) != want;
            }
        EXPECT_EQ(differing, 0) << "pixels unlike the area-average picture in " << r.width << "x" << r.height;

        for (const Click& k : r.clicks) {
            click(k.x, k.y);
            key(SDLK_ESCAPE);
            const CursorEvent e = window_->read_cursor_event();
            if (k.picks) {
                EXPECT_EQ(e.kind, CursorEvent::Kind::Pick) << k.x << "," << k.y;
                EXPECT_EQ(e.x, k.cx) << k.x << "," << k.y;
                EXPECT_EQ(e.y, k.cy) << k.x << "," << k.y;
                EXPECT_EQ(window_->read_cursor_event().key, 27);
            } else {
                EXPECT_EQ(e.key, 27) << "a click on the bars is ignored";
            }
        }
    }
    resize(2048, 1600);  // a whole multiple again: sharp, bars of 32 above and below
    const std::vector<uint32_t> sharp = read_pixels(2048, 1600);
    const Rgb line = palette_rgb(1);
    EXPECT_EQ(sharp[32 * 2048 + 1] & 0xFFFFFF, uint32_t{line.r} << 16 | uint32_t{line.g} << 8 | line.b);
    EXPECT_EQ(sharp[(32 + 3) * 2048 + 2] & 0xFFFFFF, 0u) << "no blur next to a line";
}

TEST_F(SdlWindowTest, SizeAndPlaceAreRememberedAndShrunkToFitTheScreen) {
    resize(900, 500);
    SDL_SetWindowPosition(sdl_window_, 30, 40);
    open();  // the old window leaves its size and place beside the profile
    std::ifstream in(scratch_.file("window"));
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "30 40 900 500");
    int w = 0, h = 0, x = 0, y = 0;
    SDL_GetWindowSize(sdl_window_, &w, &h);
    SDL_GetWindowPosition(sdl_window_, &x, &y);
    EXPECT_EQ(w, 900);
    EXPECT_EQ(h, 500);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    window_->set_size(1024, 768);  // a new mode keeps the size its user gave the window
    SDL_GetWindowSize(sdl_window_, &w, &h);
    EXPECT_EQ(w, 900);

    window_.reset();
    scratch_.write("window", "10 20 3000 1500\n");
    open();
    SDL_Rect screen;
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &screen), 0);
    SDL_GetWindowSize(sdl_window_, &w, &h);
    EXPECT_EQ(w, screen.w) << "too large for the screen: shrunk with its shape kept";
    EXPECT_EQ(h, screen.w / 2);
}

TEST_F(SdlWindowTest, ClosingTheWindowStopsTheRunFromAnyWait) {
    quit();
    try {
        window_->read_key();
        FAIL() << "no stop";
    } catch (const RunStop& stop) {
        EXPECT_EQ(stop.reason, RunStop::Reason::WindowClosed);
    }
    EXPECT_THROW(window_->wait_any_key(), RunStop) << "the close is final";
    EXPECT_THROW(window_->read_cursor_event(), RunStop);
}

TEST_F(SdlWindowTest, PresentKeepsTypedKeysAndRemembersAClose) {
    SDL_Delay(50);  // present() shows the canvas at most every few tens of milliseconds
    text("k");
    window_->present();
    EXPECT_EQ(window_->read_key(), 'k');

    SDL_Delay(50);
    text("j");
    quit();
    window_->present();  // a close while drawing ends the run at the next read
    EXPECT_THROW(window_->read_key(), RunStop);
}

TEST_F(SdlWindowTest, SetSizeResizesCanvasAndWindowAndShowsThePalette) {
    window_->set_size(800, 608);
    EXPECT_EQ(window_->canvas().width(), 800);
    EXPECT_EQ(window_->canvas().height(), 608);
    int w = 0, h = 0;
    SDL_GetWindowSize(sdl_window_, &w, &h);
    EXPECT_EQ(w * 608, h * 800) << "the window keeps the canvas' aspect: " << w << "x" << h;

    window_->set_size(64, 32);
    SDL_SetWindowSize(sdl_window_, 64, 32);
    SDL_PumpEvents();
    Canvas& c = window_->canvas();
    for (int x = 0; x < 64; ++x) {
        c.set_color(x / 4);
        c.move_to(x, 0);
        c.line_to(x, 31);
    }
    SDL_Delay(50);
    window_->present();
    SDL_Renderer* r = SDL_GetRenderer(sdl_window_);
    uint32_t px[64 * 32];
    ASSERT_EQ(SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, px, 64 * 4), 0) << SDL_GetError();
    for (int x = 0; x < 64; x += 4) {
        const Rgb rgb = palette_rgb(x / 4);
        EXPECT_EQ(px[16 * 64 + x] & 0xFFFFFF, uint32_t{rgb.r} << 16 | uint32_t{rgb.g} << 8 | rgb.b)
            << "colour " << x / 4;
    }
}

}  // namespace
}  // namespace datrax::platform
