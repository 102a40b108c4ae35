// The SDL window's input rules and painting, driven by synthetic events on
// SDL's offscreen video driver (no display needed).
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "platform/run_stop.h"
#include "platform/sdl_window.h"

namespace datrax::platform {
namespace {

class SdlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
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

    std::unique_ptr<SdlWindow> window_;
    SDL_Window* sdl_window_ = nullptr;
};

TEST_F(SdlWindowTest, PromptsGetOnlyEnterBackspaceAndPrintableAscii) {
    key(SDLK_F1);
    key(SDLK_a);  // its character comes with the text event
    text("a\xC3\xA9" "b");  // a, e acute (dropped), b
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
    motion(5000, 50);  // off the canvas: ignored
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

TEST_F(SdlWindowTest, MousePositionsAreMappedThroughTheScaling) {
    window_->set_size(320, 240);
    SDL_SetWindowSize(sdl_window_, 640, 600);  // twice as wide, bars above and below
    SDL_PumpEvents();
    window_->present();
    motion(201, 301);  // the canvas is 640 x 480 on screen, starting at y = 60
    const CursorEvent e = window_->read_cursor_event();
    EXPECT_EQ(e.kind, CursorEvent::Kind::MoveTo);
    EXPECT_EQ(e.x, 100);
    EXPECT_EQ(e.y, 120);
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
        EXPECT_EQ(px[16 * 64 + x] & 0xFFFFFF, uint32_t{rgb.r} << 16 | uint32_t{rgb.g} << 8 | rgb.b) << "colour " << x / 4;
    }
}

}  // namespace
}  // namespace datrax::platform
