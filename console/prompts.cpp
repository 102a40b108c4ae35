#include "console/prompts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/file_name.h"
#include "console/console.h"
#include "platform/name_completion.h"
#include "platform/window.h"

namespace datrax {

namespace {

constexpr INTEGER kEnter = platform::kKeyEnter;
constexpr INTEGER kBackspace = platform::kKeyBackspace;

bool is_digit(INTEGER ch) { return ch >= '0' && ch <= '9'; }
bool is_exponent_letter(INTEGER ch) { return ch == 'e' || ch == 'E' || ch == 'd' || ch == 'D'; }

// The number typed so far, as the echoed characters. Backspace takes back
// exactly the last echoed character, so the number stored is always the
// number shown.
struct IntegerEntry {
    std::string typed;
    INTEGER count = 0;
    INTEGER sign = 1;
    int64_t value = 0;

    void recompute() {
        count = 0;
        sign = 1;
        value = 0;
        for (char ch : typed) {
            if (ch == '-') {
                sign = -1;
                ++count;
            } else if (is_digit(ch)) {
                value = 10 * value + (ch - '0');
                ++count;
            }
        }
    }
    bool accepts(INTEGER ch) const {
        if (ch == ' ' || ch == '-') return true;
        if (!is_digit(ch)) return false;
        return 10 * value + (ch - '0') <= std::numeric_limits<INTEGER>::max();  // no overflow
    }
};

enum class Stage { Integer, Fraction, Exponent };

struct RealEntry {
    std::string typed;
    Stage stage = Stage::Integer;
    INTEGER count = 0;
    REAL sign = 1.0f;
    REAL value = 0.0f;
    REAL scale = 1.0f;
    int exponent = 0;
    int exponent_sign = 1;

    void recompute() {
        stage = Stage::Integer;
        count = 0;
        sign = 1.0f;
        value = 0.0f;
        scale = 1.0f;
        exponent = 0;
        exponent_sign = 1;
        for (char ch : typed) apply(ch);
    }
    void apply(char ch) {
        if (ch == ' ') return;
        switch (stage) {
            case Stage::Integer:
                if (ch == '-') {
                    sign = -1.0f;
                    ++count;
                } else if (is_digit(ch)) {
                    value = 10.0f * value + static_cast<REAL>(ch - '0');
                    ++count;
                } else if (ch == '.') {
                    ++count;
                    stage = Stage::Fraction;
                } else if (is_exponent_letter(ch)) {
                    stage = Stage::Exponent;
                }
                break;
            case Stage::Fraction:
                if (is_digit(ch)) {
                    scale *= 0.1f;
                    value += static_cast<REAL>(ch - '0') * scale;
                } else if (is_exponent_letter(ch)) {
                    stage = Stage::Exponent;
                }
                break;
            case Stage::Exponent:
                if (ch == '-')
                    exponent_sign = -1;
                else if (is_digit(ch))
                    exponent = 10 * exponent + (ch - '0');
                break;
        }
    }
    REAL result() const {
        if (stage != Stage::Exponent) return sign * value;
        return sign * value * std::pow(10.0f, static_cast<REAL>(exponent_sign * exponent));
    }
    bool valid_here(INTEGER ch) const {
        if (ch == ' ' || is_digit(ch)) return true;
        switch (stage) {
            case Stage::Integer: return ch == '-' || ch == '.' || is_exponent_letter(ch);
            case Stage::Fraction: return is_exponent_letter(ch);
            case Stage::Exponent: return ch == '-';
        }
        return false;
    }
    // A digit that would make the number or its exponent non-finite is refused.
    bool accepts(INTEGER ch) const {
        if (!valid_here(ch)) return false;
        if (!is_digit(ch)) return true;
        RealEntry trial = *this;
        trial.apply(static_cast<char>(ch));
        if (trial.exponent > 99) return false;
        return std::isfinite(trial.value) && std::isfinite(trial.result());
    }
};

// Reads keys into an entry until Enter, echoing what is accepted.
template <typename Entry>
void read_entry(Entry& entry, const INTEGER& C) {
    for (;;) {
        INTEGER ch = 0;
        GETKEY(ch);
        if (ch == kEnter) break;
        if (ch == kBackspace) {
            if (entry.typed.empty()) continue;
            entry.typed.pop_back();
            entry.recompute();
            PUTCHR(ch, C);
            continue;
        }
        if (!entry.accepts(ch)) continue;
        entry.typed += static_cast<char>(ch);
        entry.recompute();
        PUTCHR(ch, C);
    }
    PUTCHR(kEnter, C);
}

}  // namespace

void GETKEY(INTEGER& CH) { CH = platform::window().read_key(); }

void WAITKY() { platform::window().wait_any_key(); }

namespace {
// One key sets or clears a flag (either case); other keys keep it. The
// resulting value is shown as the letter that stands for it.
void ask_one_key(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, LOGICAL& FLAG, const INTEGER& C, char yes,
                 char no) {
    write_label(X, Y, PROMPT, C);
    INTEGER ch = 0;
    GETKEY(ch);
    const auto lower = [](INTEGER k) { return k >= 'A' && k <= 'Z' ? k - 'A' + 'a' : k; };
    if (lower(ch) == lower(yes)) FLAG = true;
    if (lower(ch) == lower(no)) FLAG = false;
    PUTCHR(FLAG ? yes : no, C);
}
}  // namespace

void ASKYN(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, LOGICAL& FLAG, const INTEGER& C) {
    ask_one_key(X, Y, PROMPT, FLAG, C, 'y', 'n');
}

void ASKLG(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, LOGICAL& FLAG, const INTEGER& C) {
    ask_one_key(X, Y, PROMPT, FLAG, C, 'T', 'F');
}

void ASKINT(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, INTEGER& IVAL, const INTEGER& C) {
    write_label(X, Y, PROMPT, C);
    INTEGER count = 0;
    const INTEGER value = RDINT(count, C);
    if (count > 0)
        IVAL = value;
    else
        PUTNUM(static_cast<REAL>(IVAL), -1, C);
}

void ASKRL(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, REAL& RVAL, const INTEGER& NDEC,
           const INTEGER& C) {
    write_label(X, Y, PROMPT, C);
    INTEGER count = 0;
    const REAL value = RDREAL(count, C);
    if (count > 0)
        RVAL = value;
    else
        PUTNUM(RVAL, NDEC, C);
}

namespace {
constexpr char kFieldFull = '<';  // shown after a full field while keys are ignored

// Writes one character at the cursor and leaves the cursor on it.
void mark_at_cursor(char mark, const INTEGER& C) {
    INTEGER col = -1, row = -1;
    TXTPOS(col, row);  // the cursor, counted from 1
    PUTCHR(mark, C);
    INTEGER x = col - 1, y = row - 1;
    TXTPOS(x, y);
}

// Characters as they are, the text end mark included, on a row of any width.
void put_chars(std::string_view text, const INTEGER& C) {
    for (char ch : text) PUTCHR(static_cast<unsigned char>(ch), C);
}

// The answer's place on the screen: from the cursor after the prompt to the
// last column but one. A text longer than that is shown shortened from the
// left, so the end being typed stays in sight.
class AnswerField {
public:
    explicit AnswerField(const INTEGER& C) : c_(C) {
        INTEGER maxc = 0, maxr = 0;
        TXTSIZ(maxc, maxr);
        TXTPOS(col_, row_);  // counted from 1
        width_ = std::max(maxc - col_, 4);
    }
    int width() const { return width_; }
    // Shows characters FROM..TO (from 1) of TEXT just typed: echoed one by
    // one while the text fits, else the field is drawn anew.
    void typed(const std::string& text, int from, int to) {
        if (!scrolled_ && to <= width_) {
            for (int i = from; i <= to; ++i) PUTCHR(static_cast<unsigned char>(text[static_cast<size_t>(i - 1)]), c_);
            return;
        }
        redraw(text, to);
    }
    // The last character was taken back; LENGTH characters are left.
    void erased(const std::string& text, int length) {
        if (!scrolled_) {
            PUTCHR(kBackspace, c_);
            return;
        }
        redraw(text, length);
    }

private:
    void redraw(const std::string& text, int length) {
        scrolled_ = length > width_;
        std::string shown =
            shown_name(std::string_view(text).substr(0, static_cast<size_t>(length)), static_cast<size_t>(width_));
        const auto end = static_cast<INTEGER>(shown.size());
        shown.resize(static_cast<size_t>(width_), ' ');
        INTEGER x = col_ - 1, y = row_ - 1;
        TXTPOS(x, y);
        put_chars(shown, c_);
        x = col_ - 1 + end;
        TXTPOS(x, y);
    }

    INTEGER c_;
    INTEGER col_ = -1, row_ = -1;
    int width_ = 4;
    bool scrolled_ = false;
};

// A name of the Tab list as one row shows it: characters that would end or
// break the row (the text end mark "|", control characters) become "?".
std::string listed_name(std::string_view name) {
    std::string shown(name);
    for (char& ch : shown) {
        const auto u = static_cast<unsigned char>(ch);
        if (u < 32 || u == 127 || ch == '|') ch = '?';
    }
    return shown;
}

}  // namespace

std::string match_list_row(const std::vector<std::string>& matches, size_t width) {
    std::string line;
    for (size_t i = 0; i < matches.size(); ++i) {
        const std::string entry = listed_name(matches[i]) + "  ";
        const size_t left = matches.size() - i - 1;
        // The rest must still fit behind this entry, or its count must.
        const std::string more = left == 0 ? std::string() : "... (" + std::to_string(left) + " more)";
        if (line.size() + entry.size() + more.size() > width) {
            return line + "... (" + std::to_string(matches.size() - i) + " more)";
        }
        line += entry;
    }
    return line;
}

namespace {

// Tab at a file-name prompt: completes the typed text to the longest start
// the matching files share; a Tab right after a Tab lists the matches, as
// many as one screen row holds, on the row above the prompt.
void complete_file_name(std::string& edited, int& p, int maxch, bool list, AnswerField& field, const INTEGER& C) {
    const std::string typed = edited.substr(0, static_cast<size_t>(p - 1));
    const platform::NameCompletion found = platform::complete_name(typed);
    if (!list) {
        const int from = p;
        for (size_t i = typed.size(); i < found.common.size() && p <= maxch; ++i, ++p)
            edited[static_cast<size_t>(p - 1)] = found.common[i];
        if (p > from) field.typed(edited, from, p - 1);
        return;
    }
    INTEGER maxc = 0, maxr = 0, col = -1, row = -1;
    TXTSIZ(maxc, maxr);
    TXTPOS(col, row);
    if (row < 2) return;
    write_long_line(0, -(row - 2), match_list_row(found.matches, static_cast<size_t>(maxc)), C);
    INTEGER back_col = col - 1, back_row = row - 1;
    TXTPOS(back_col, back_row);
}

void ask_text(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, TextRef ANSWER, const INTEGER& MAXCH,
              const INTEGER& C, bool file_names) {
    write_label(X, Y, PROMPT, C);
    if (MAXCH <= 0) {
        PUTCHR(' ', C);
        return;
    }
    const int maxch = std::min<int>(MAXCH, ANSWER.n);
    AnswerField field(C);
    // The answer is edited in a copy and written back only when at least one
    // character was kept, so typing and erasing keeps the old value whole.
    std::string edited(ANSWER.p, static_cast<size_t>(ANSWER.n));
    int p = 1;
    bool full_mark_shown = false;  // the final blank of the prompt removes it
    bool after_tab = false;
    for (;;) {
        INTEGER ch = 0;
        GETKEY(ch);
        if (ch == kEnter) break;
        if (ch == platform::kKeyTab) {
            if (file_names) complete_file_name(edited, p, maxch, after_tab, field, C);
            after_tab = true;
            continue;
        }
        after_tab = false;
        if (ch == kBackspace) {
            if (p == 1) continue;
            if (full_mark_shown) mark_at_cursor(' ', C);
            full_mark_shown = false;
            edited[static_cast<size_t>(p - 2)] = ' ';
            --p;
            field.erased(edited, p - 1);
            continue;
        }
        if (p > maxch) {
            // The field is full: further keys are ignored until Enter, so
            // they can neither run as commands nor make a longer name pass
            // for a shorter one.
            full_mark_shown = true;
            mark_at_cursor(kFieldFull, C);
            continue;
        }
        edited[static_cast<size_t>(p - 1)] = static_cast<char>(ch);
        field.typed(edited, p, p);
        ++p;
        if (maxch == 1) break;  // a one-letter answer is the command key itself
    }
    const int typed = p - 1;
    if (typed == 0) {
        const std::string_view kept(ANSWER.p, static_cast<size_t>(maxch));
        if (kept.find_first_not_of(' ') != std::string_view::npos) {
            const auto width = static_cast<size_t>(field.width());
            if (kept.find_last_not_of(' ') < width) {
                INTEGER fg = 0, bg = 0;
                split_attribute(C, fg, bg);
                PUTTXT(std::string(kept) + "|", fg, bg);
            } else {
                put_chars(shown_name(kept, width), C);  // a long name, its end in sight
            }
        }
    } else {
        for (int i = typed; i < maxch; ++i) edited[static_cast<size_t>(i)] = ' ';
        std::copy(edited.begin(), edited.end(), ANSWER.p);
    }
    PUTCHR(' ', C);
}

}  // namespace

void ASKTXT(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, TextRef ANSWER, const INTEGER& MAXCH,
            const INTEGER& C) {
    ask_text(X, Y, PROMPT, ANSWER, MAXCH, C, false);
}

void ask_file_name(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, TextRef ANSWER, const INTEGER& MAXCH,
                   const INTEGER& C) {
    ask_text(X, Y, PROMPT, ANSWER, MAXCH, C, true);
}

INTEGER RDINT(INTEGER& COUNT, const INTEGER& C) {
    IntegerEntry entry;
    read_entry(entry, C);
    COUNT = entry.count;
    return static_cast<INTEGER>(entry.sign * entry.value);
}

REAL RDREAL(INTEGER& COUNT, const INTEGER& C) {
    RealEntry entry;
    read_entry(entry, C);
    COUNT = entry.count;
    return entry.result();
}

void NUMKEY(const INTEGER& CH, LOGICAL& VALID) {
    VALID = CH == kEnter || CH == kBackspace || CH == ' ' || CH == '-' || CH == '.' || is_digit(CH) ||
            is_exponent_letter(CH);
}

}  // namespace datrax
