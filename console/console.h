// Text window output: positioned, coloured texts with the "|" and "~"
// mark-up, blanked rectangles, labelled values and the text helpers.
// Positions: column X and row Y from 0. X < 0 continues at the cursor;
// Y < 0 (with X >= 0) blanks row |Y| from X to the right edge first.
// Colour attribute C: below 16 a text colour on the current background,
// else background C / 16 and text colour C mod 16.
#pragma once
#include <string_view>

#include "base/file_name.h"
#include "base/text.h"
#include "base/types.h"

namespace datrax {

void TXTSIZ(INTEGER& MAXC, INTEGER& MAXR);
void cblank(const INTEGER& X1, const INTEGER& Y1, const INTEGER& X2, const INTEGER& Y2, const INTEGER& BG);
void CCLEAR(const INTEGER& X1, const INTEGER& Y1, const INTEGER& X2, const INTEGER& Y2);
void CLRSCR();
void BKCOLR(INTEGER& C);
void TXTPOS(INTEGER& X, INTEGER& Y);
void PUTTXT(std::string_view TEXT, const INTEGER& TCOL, const INTEGER& BG);
void PUTCHR(const INTEGER& CH, const INTEGER& C);
void PUTNUM(const REAL& VALUE, const INTEGER& NDEC, const INTEGER& C);
void MSGTXT(const INTEGER& X, const INTEGER& Y, std::string_view TEXT, const INTEGER& C);
void SHOWTX(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, std::string_view TEXT, const INTEGER& N,
            const INTEGER& C);
void SHOWIN(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, const INTEGER& IVAL, const INTEGER& C);
void SHOWRL(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, const REAL& RVAL, const INTEGER& NDEC,
            const INTEGER& C);
void SHOWLG(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, const LOGICAL& FLAG, const INTEGER& C);
// SHOWTX for a file name (its first N characters): shortened from the left
// so that it ends ROOM columns before the right edge, leaving room for what
// the caller writes after it.
void show_name(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, std::string_view NAME, const INTEGER& N,
               const INTEGER& C, INTEGER room = 0);

INTEGER LENTXT(TextRef TEXT, const INTEGER& N);
void LOWCAS(TextRef TEXT, const INTEGER& N);
void UPCAS(TextRef TEXT, const INTEGER& N);
void SETEXT(TextRef NAME, std::string_view EXT);

// Writes a single-line text like MSGTXT but without the 80-character limit
// of menu lines (characters past the right edge are not shown).
void write_long_line(const INTEGER& X, const INTEGER& Y, std::string_view TEXT, const INTEGER& C);

// A line of the standard text output: written into the text window at
// column 0 of the row below the cursor (the last row when already there)
// and copied to standard error.
void console_line(std::string_view line);
// A diagnostic for the developer: standard error only, never the window (so
// a plot file or a screen stays as it is).
void diagnostic(std::string_view line);

// A message on the bottom row in colour C, then a wait for any key: the one
// way every notice that the user must see before going on is shown. TEXT
// ends with the "|" mark; the second form writes LABEL and the text NAME.
void bottom_row_notice(std::string_view TEXT, const INTEGER& C);
void bottom_row_notice(std::string_view LABEL, std::string_view NAME, const INTEGER& C);

// A fatal stop of the run: the line goes to standard error only, then the
// run unwinds to the main program.
[[noreturn]] void fatal_stop(std::string_view line);

// Splits a colour attribute into text colour and background (the current
// background when C < 16).
void split_attribute(const INTEGER& C, INTEGER& text_colour, INTEGER& background);
// The start shared by every labelled display and prompt: split C, position
// with cblank(X, Y, MAXCOL, 0, background), write LABEL.
void write_label(const INTEGER& X, const INTEGER& Y, std::string_view LABEL, const INTEGER& C);

}  // namespace datrax
