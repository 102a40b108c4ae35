// The window: one canvas plus the keyboard, the title and the presenter.
// The SDL2 window and the headless scripted window implement it.
#pragma once
#include <string>
#include <string_view>

#include "platform/canvas.h"

namespace datrax::platform {

constexpr int kKeyEnter = 13;
constexpr int kKeyBackspace = 8;
constexpr int kKeyTab = 9;  // read only by the file-name prompts; every other prompt ignores it

// Input for the marking cursor of the plots: arrow keys, mouse, pick.
struct CursorEvent {
    enum class Kind { Move, MoveTo, Pick, Key } kind = Kind::Key;
    int dx = 0, dy = 0;  // Move: pixel step (arrows; 10 with Shift)
    int x = 0, y = 0;    // MoveTo / Pick by mouse: canvas pixel (x < 0: at the cursor)
    int key = 0;         // Key: a prompt key (13, 8, 32..126)
};

class Window {
public:
    virtual ~Window() = default;

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }

    // Sizes the canvas (and the real window) for a graphics mode's pixels.
    virtual void set_size(int width, int height) { canvas_.resize(width, height); }
    // The title bar names the data file read last, a dash and the program
    // ("bf240301.ggp - DATRAX 1.1"), or the program alone before a file is
    // read. set_title gives the program's part, set_data_file the file's
    // (its folders are left out).
    void set_title(std::string_view program);
    void set_data_file(std::string_view file_name);
    std::string title() const;
    // Blocks for one prompt key: 13 (Enter), 8 (Backspace) or 32..126.
    // Special keys never arrive here.
    virtual int read_key() = 0;
    // Blocks for any key press (pauses such as "press a key").
    virtual void wait_any_key() = 0;
    // Blocks for the next input of the marking cursor.
    virtual CursorEvent read_cursor_event() = 0;
    // Shows the canvas now; long drawings call it now and then.
    virtual void present() {}
    // A line for the standard text output (also shown in the text window by
    // the console layer).
    virtual void console_line(std::string_view line);

protected:
    // Shows the title in the window's title bar, if it has one.
    virtual void show_title() {}

    Canvas canvas_;

private:
    std::string program_, data_file_;
};

// The window of the run. Set once by the program's entry point (or a test).
Window& window();
void set_window(Window* w);

}  // namespace datrax::platform
