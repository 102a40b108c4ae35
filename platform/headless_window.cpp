#include "platform/headless_window.h"

#include <cassert>

#include "platform/run_stop.h"

namespace datrax::platform {

bool parse_key_script(std::string_view script, std::vector<ScriptKey>& keys, std::string& error) {
    static constexpr struct {
        std::string_view name;
        ScriptKey key;
    } kEscapes[] = {
        {"enter", {ScriptKey::Kind::Char, kKeyEnter}},
        {"bs", {ScriptKey::Kind::Char, kKeyBackspace}},
        {"tab", {ScriptKey::Kind::Char, kKeyTab}},
        {"esc", {ScriptKey::Kind::Escape, 27}},
        {"up", {ScriptKey::Kind::Up, 0}},
        {"down", {ScriptKey::Kind::Down, 0}},
        {"left", {ScriptKey::Kind::Left, 0}},
        {"right", {ScriptKey::Kind::Right, 0}},
    };
    for (size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (c == '\n' || c == '\r') continue;  // line breaks of a keys file are layout only
        if (c != '{') {
            keys.push_back({ScriptKey::Kind::Char, static_cast<unsigned char>(c)});
            continue;
        }
        if (i + 1 < script.size() && script[i + 1] == '{') {
            keys.push_back({ScriptKey::Kind::Char, '{'});
            ++i;
            continue;
        }
        const size_t close = script.find('}', i);
        const std::string_view name =
            close == std::string_view::npos ? script.substr(i) : script.substr(i + 1, close - i - 1);
        bool known = false;
        for (const auto& e : kEscapes) {
            if (close != std::string_view::npos && e.name == name) {
                keys.push_back(e.key);
                known = true;
                break;
            }
        }
        if (!known) {
            error = "unknown key escape {" + std::string(name) + (close == std::string_view::npos ? "" : "}");
            return false;
        }
        i = close;
    }
    return true;
}

void HeadlessWindow::add_script(std::string_view script) {
    std::vector<ScriptKey> keys;
    std::string error;
    const bool ok = parse_key_script(script, keys, error);
    assert(ok && "test key script must be valid");
    (void)ok;
    add_keys(keys);
}

const ScriptKey& HeadlessWindow::next_key() {
    if (next_ >= keys_.size()) throw RunStop{RunStop::Reason::ScriptEnd, {}};
    return keys_[next_++];
}

int HeadlessWindow::read_key() {
    for (;;) {
        const ScriptKey& k = next_key();
        // Only Enter, Backspace, Tab and printable ASCII reach the prompts.
        if (k.kind == ScriptKey::Kind::Char &&
            (k.ch == kKeyEnter || k.ch == kKeyBackspace || k.ch == kKeyTab || (k.ch >= 32 && k.ch <= 126)))
            return k.ch;
    }
}

void HeadlessWindow::wait_any_key() { next_key(); }

CursorEvent HeadlessWindow::read_cursor_event() {
    const ScriptKey& k = next_key();
    CursorEvent e;
    switch (k.kind) {
        case ScriptKey::Kind::Up: return {CursorEvent::Kind::Move, 0, -1};
        case ScriptKey::Kind::Down: return {CursorEvent::Kind::Move, 0, 1};
        case ScriptKey::Kind::Left: return {CursorEvent::Kind::Move, -1, 0};
        case ScriptKey::Kind::Right: return {CursorEvent::Kind::Move, 1, 0};
        case ScriptKey::Kind::Escape: e.key = 27; return e;
        case ScriptKey::Kind::Char: break;
    }
    if (k.ch == kKeyEnter) {
        e.kind = CursorEvent::Kind::Pick;
        e.x = -1;
        return e;
    }
    e.key = k.ch;
    return e;
}

void HeadlessWindow::console_line(std::string_view line) {
    console_.emplace_back(line);
    Window::console_line(line);
}

std::string HeadlessWindow::screen_text() const {
    std::string out;
    for (int r = 0; r < canvas_.rows(); ++r) {
        out += canvas_.row_text(r);
        out += '\n';
    }
    return out;
}

}  // namespace datrax::platform
