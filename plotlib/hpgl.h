// The records of a plot file: HP-GL formatted in fixed columns, or, for a
// PDF, SVG or PNG plot file, the same records drawn on its page. Every
// writer does nothing while no plot file is open or once its drawing is
// complete, so no routine can write into a closed, finished or never opened
// file.
#pragma once
#include <cstddef>
#include <string_view>

#include "base/types.h"

namespace datrax::hpgl {

// Right-justifies V in WIDTH columns; a value that does not fit gives WIDTH
// asterisks, as formatted output does. Returns WIDTH.
int put_int(char* out, int width, long long v);
// V with DECIMALS decimals right-justified in WIDTH columns (asterisks when
// it does not fit). Returns WIDTH.
int put_fixed(char* out, int width, int decimals, double v);

bool file_open();
void move(const char* command, INTEGER px, INTEGER py);  // " PU"/" PD", 17 columns
// move(command, PX[i], PY[i]) for i = 0..N-1.
void moves(const char* command, const INTEGER* px, const INTEGER* py, size_t n);
void record(std::string_view text);  // a fixed record, e.g. " IN;"
void line_type(INTEGER pen_code);    // " LT;", " LT1,0.5;" (5), " LT2,1.0;" (6)
void pen_away();                     // " SP;"
void page_size(INTEGER paper_code);  // " PS4;IN;"
void input_window(INTEGER x1, INTEGER y1, INTEGER x2, INTEGER y2);
void pen_select(INTEGER pen);                   // " SP 5;"
void char_size(REAL width_cm, REAL height_cm);  // " SI"
void label_direction(REAL run, REAL rise);      // " DI"
void label(std::string_view text);              // " LB" field with end of text
void symbol_mode(char symbol);                  // " SMx;"
void symbol_mode_end();                         // " SM;"
// The marker command field of a marker code 0..32, written without ending
// the line: the next move record follows on the same line.
void marker_field(int code);

}  // namespace datrax::hpgl
