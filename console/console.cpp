#include "console/console.h"

#include <algorithm>
#include <cstdio>

#include "base/numbers.h"
#include "console/prompts.h"
#include "platform/run_stop.h"
#include "platform/window.h"

namespace datrax {

namespace {

platform::Canvas& screen() { return platform::window().canvas(); }

// Last column of the text window: message rows are blanked up to it.
INTEGER right_edge() { return screen().cols() - 1; }

constexpr char kEndMark = '|';
constexpr char kLineMark = '~';
constexpr size_t kMaxLine = 80;

// The visible part of a stored text: up to its first "|", at most 80 characters.
std::string_view visible_part(std::string_view text) {
    const size_t end = std::min(text.find(kEndMark), kMaxLine);
    return text.substr(0, std::min(end, text.size()));
}

// Writes raw characters in a text colour and background, then restores both.
void write_coloured(std::string_view s, INTEGER text_colour, INTEGER background) {
    platform::Canvas& c = screen();
    const int old_fg = c.set_text_color(text_colour);
    const int old_bg = c.set_bk_color(background);
    c.write_text(s);
    c.set_text_color(old_fg);
    c.set_bk_color(old_bg);
}

}  // namespace

void split_attribute(const INTEGER& C, INTEGER& text_colour, INTEGER& background) {
    if (C < 16) {
        text_colour = C;
        background = screen().bk_color();
    } else {
        background = C / 16;
        text_colour = C % 16;
    }
}

void TXTSIZ(INTEGER& MAXC, INTEGER& MAXR) {
    MAXC = screen().cols() - 1;
    MAXR = screen().rows() - 1;
}

void cblank(const INTEGER& X1, const INTEGER& Y1, const INTEGER& X2, const INTEGER& Y2, const INTEGER& BG) {
    if (X1 < 0) return;
    INTEGER y1 = Y1, y2 = Y2;
    if (!(Y2 == 0 && Y1 >= 0)) {
        if (Y1 < 0 || (Y1 == 0 && Y2 < 0)) {
            y1 = Y1 < 0 ? -Y1 : Y1;
            y2 = y1;
        }
        if (y2 < y1 || X2 < X1) return;
        INTEGER maxc = 0, maxr = 0;
        TXTSIZ(maxc, maxr);
        if (y2 > maxr || X2 > maxc || X1 > maxc || y1 > maxr) fatal_stop("cblank error");
        platform::Canvas& c = screen();
        const int old_bg = c.set_bk_color(BG);
        c.set_text_window(y1 + 1, X1 + 1, y2 + 1, X2 + 1);
        c.clear_text_window();
        c.restore_text_window();
        c.set_bk_color(old_bg);
    }
    INTEGER x = X1;
    TXTPOS(x, y1);
}

void CCLEAR(const INTEGER& X1, const INTEGER& Y1, const INTEGER& X2, const INTEGER& Y2) {
    cblank(X1, Y1, X2, Y2, screen().bk_color());
}

void CLRSCR() { screen().clear_screen(); }

void BKCOLR(INTEGER& C) {
    if (C >= 0)
        screen().set_bk_color(C);
    else
        C = screen().bk_color();
}

void TXTPOS(INTEGER& X, INTEGER& Y) {
    if (X >= 0 && Y >= 0) {
        screen().set_cursor(Y + 1, X + 1);
    } else {
        int row = 0, col = 0;
        screen().cursor(row, col);
        Y = row;
        X = col;
    }
}

void PUTTXT(std::string_view TEXT, const INTEGER& TCOL, const INTEGER& BG) {
    write_coloured(visible_part(TEXT), TCOL, BG);
}

void PUTCHR(const INTEGER& CH, const INTEGER& C) {
    INTEGER fg = 0, bg = 0;
    split_attribute(C, fg, bg);
    if (CH == platform::kKeyBackspace) {
        int row = 0, col = 0;
        screen().cursor(row, col);
        screen().set_cursor(row, std::max(col - 1, 1));
        write_coloured(" ", fg, bg);
        screen().set_cursor(row, std::max(col - 1, 1));
        return;
    }
    const char ch = CH == platform::kKeyEnter ? ' ' : static_cast<char>(CH & 0xFF);
    write_coloured(std::string_view(&ch, 1), fg, bg);
}

void PUTNUM(const REAL& VALUE, const INTEGER& NDEC, const INTEGER& C) {
    Text<32> buffer;
    INTEGER nchar = 0;
    FMTNUM(VALUE, NDEC, buffer, nchar);
    INTEGER fg = 0, bg = 0;
    split_attribute(C, fg, bg);
    write_coloured(buffer.view().substr(0, static_cast<size_t>(std::clamp(nchar, 0, 32))), fg, bg);
}

void MSGTXT(const INTEGER& X, const INTEGER& Y, std::string_view TEXT, const INTEGER& C) {
    INTEGER fg = 0, bg = 0;
    split_attribute(C, fg, bg);
    INTEGER row = Y;
    size_t i = 0;
    std::string line;
    while (true) {
        const bool at_end = i >= TEXT.size();
        const char ch = at_end ? kEndMark : TEXT[i];
        if (ch == kEndMark) {
            cblank(X, row, right_edge(), 0, bg);
            PUTTXT(line, fg, bg);
            return;
        }
        if (ch == kLineMark) {
            INTEGER x = X, y = row;
            TXTPOS(x, y);
            PUTTXT(line, fg, bg);
            line.clear();
            const size_t filler_end = TEXT.find(kLineMark, i + 1);
            if (filler_end == std::string_view::npos) return;  // unpaired line end: stop at the end of the text
            i = filler_end + 1;
            ++row;
            continue;
        }
        if (line.size() == kMaxLine) return;
        line += ch;
        ++i;
    }
}

void write_long_line(const INTEGER& X, const INTEGER& Y, std::string_view TEXT, const INTEGER& C) {
    INTEGER fg = 0, bg = 0;
    split_attribute(C, fg, bg);
    cblank(X, Y, right_edge(), 0, bg);
    write_coloured(TEXT.substr(0, std::min(TEXT.find(kEndMark), TEXT.size())), fg, bg);
}

void write_label(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, const INTEGER& C) {
    INTEGER fg = 0, bg = 0;
    split_attribute(C, fg, bg);
    cblank(X, Y, right_edge(), 0, bg);
    PUTTXT(LABEL, fg, bg);
}

void SHOWTX(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, std::string_view TEXT, const INTEGER& N,
            const INTEGER& C) {
    const INTEGER previous_text_colour = screen().text_color();
    write_label(X, Y, LABEL, C);
    if (N <= 0) return;
    INTEGER fg = 0, bg = 0;
    split_attribute(C, fg, bg);
    write_coloured(TEXT.substr(0, std::min(static_cast<size_t>(N), TEXT.size())), previous_text_colour, bg);
}

void show_name(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, std::string_view NAME, const INTEGER& N,
               const INTEGER& C, INTEGER room) {
    INTEGER start = X;
    if (X < 0) {
        INTEGER row = -1;
        TXTPOS(start, row);
        start -= 1;  // the cursor counts from 1
    }
    start += static_cast<INTEGER>(visible_part(LABEL).size());
    const INTEGER width = std::max<INTEGER>(screen().cols() - start - room, 4);
    const auto used = static_cast<size_t>(std::clamp<INTEGER>(N, 0, static_cast<INTEGER>(NAME.size())));
    const std::string shown = shown_name(NAME.substr(0, used), static_cast<size_t>(width));
    SHOWTX(X, Y, LABEL, shown, static_cast<INTEGER>(shown.size()), C);
}

void SHOWIN(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, const INTEGER& IVAL, const INTEGER& C) {
    write_label(X, Y, LABEL, C);
    PUTNUM(static_cast<REAL>(IVAL), -1, C);
}

void SHOWRL(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, const REAL& RVAL, const INTEGER& NDEC,
            const INTEGER& C) {
    write_label(X, Y, LABEL, C);
    if (NDEC >= -1) PUTNUM(RVAL, NDEC, C);
}

void SHOWLG(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, const LOGICAL& FLAG, const INTEGER& C) {
    write_label(X, Y, LABEL, C);
    PUTCHR(FLAG ? 'T' : 'F', C);
}

INTEGER LENTXT(TextRef TEXT, const INTEGER& N) {
    if (N < 0) return left_adjust(TEXT, -N);
    const int n = std::min(N, TEXT.n);
    int last = n;
    while (last > 0 && TEXT.p[last - 1] == ' ') --last;
    return last;
}

void LOWCAS(TextRef TEXT, const INTEGER& N) {
    for (int i = 0; i < std::min(N, TEXT.n); ++i)
        if (TEXT.p[i] >= 'A' && TEXT.p[i] <= 'Z') TEXT.p[i] = static_cast<char>(TEXT.p[i] - 'A' + 'a');
}

void UPCAS(TextRef TEXT, const INTEGER& N) {
    for (int i = 0; i < std::min(N, TEXT.n); ++i)
        if (TEXT.p[i] >= 'a' && TEXT.p[i] <= 'z') TEXT.p[i] = static_cast<char>(TEXT.p[i] - 'a' + 'A');
}

void SETEXT(TextRef NAME, std::string_view EXT) {
    const int n = NAME.n;
    std::string work(NAME.view());
    const int len = NAME.trimmed_length();
    // The old extension starts at a "." among the last four characters,
    // but never at one that stands before a directory separator.
    int start = len + 1;
    for (int p = len; p >= std::max(1, len - 3); --p) {
        const char ch = work[static_cast<size_t>(p - 1)];
        if (ch == '/' || ch == '\\') break;
        if (ch == '.') {
            start = p;
            break;
        }
    }
    start = std::max(1, std::min(start, n - 3));  // no room: the base name gives way to the extension
    work.resize(static_cast<size_t>(start - 1));
    work += '.';
    work += EXT.substr(0, 3);
    NAME.assign(work);
}

void console_line(std::string_view line) {
    platform::Canvas& c = screen();
    int row = 0, col = 0;
    c.cursor(row, col);
    c.set_cursor(std::min(row + 1, c.rows()), 1);
    c.write_text(line.substr(0, static_cast<size_t>(c.cols())));
    platform::window().console_line(line);
}

void diagnostic(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

void bottom_row_notice(std::string_view TEXT, const INTEGER& C) {
    MSGTXT(0, -(screen().rows() - 1), TEXT, C);
    WAITKY();
}

void bottom_row_notice(std::string_view LABEL, std::string_view NAME, const INTEGER& C) {
    show_name(0, -(screen().rows() - 1), LABEL, NAME, static_cast<INTEGER>(NAME.size()), C);
    WAITKY();
}

void fatal_stop(std::string_view line) { throw RunStop{RunStop::Reason::Fatal, std::string(line)}; }

}  // namespace datrax
