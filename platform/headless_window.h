// A window without a display: keys come from a script, the screen is read
// back as text or written as a PNG. Used by the tests and by tools/.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace datrax::platform {

// One scripted input: a character or a special key.
struct ScriptKey {
    enum class Kind { Char, Escape, Up, Down, Left, Right } kind = Kind::Char;
    int ch = 0;
};

// Parses literal characters and the escapes {enter} {bs} {esc} {up} {down}
// {left} {right} ("{{" is a literal brace). Returns false and an error text
// for an unknown escape.
bool parse_key_script(std::string_view script, std::vector<ScriptKey>& keys, std::string& error);

class HeadlessWindow : public Window {
public:
    HeadlessWindow() = default;
    explicit HeadlessWindow(std::vector<ScriptKey> keys) : keys_(std::move(keys)) {}

    void add_keys(const std::vector<ScriptKey>& keys) { keys_.insert(keys_.end(), keys.begin(), keys.end()); }
    // Convenience for tests: parses the script (asserting it is valid).
    void add_script(std::string_view script);
    size_t keys_left() const { return keys_.size() - next_; }

    int read_key() override;
    void wait_any_key() override;
    CursorEvent read_cursor_event() override;
    void console_line(std::string_view line) override;
    const std::vector<std::string>& console_lines() const { return console_; }

    // The text grid, one line per row, trailing blanks trimmed.
    std::string screen_text() const;

private:
    const ScriptKey& next_key();  // throws RunStop{ScriptEnd} when used up

    std::vector<ScriptKey> keys_;
    size_t next_ = 0;
    std::vector<std::string> console_;
};

}  // namespace datrax::platform
