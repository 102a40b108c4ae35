// PDF, SVG and PNG plot files, drawn with cairo from the same plot-file
// records as the HP-GL writer (pages, pens, line types, moves, labels,
// markers), so that every kind of plot file shows the same drawing. The
// positions arrive in plotter units, exactly as they go into an HP-GL file.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "base/types.h"
#include "platform/plot_file.h"

namespace datrax::paper {

enum class Kind { hpgl, pdf, svg, png };

// The kind of plot file a name asks for, by its extension (any case):
// ".pdf", ".svg", ".png"; every other name is HP-GL.
Kind kind_of(std::string_view name);

// The cairo library file that the next PDF, SVG or PNG file loads, one
// loaded before forgotten (tests: a missing library, then the system's).
void load_cairo_from(std::string file);

class Page {
public:
    Page();
    ~Page();
    Page(Page&&) noexcept;
    Page& operator=(Page&&) noexcept;

    // Starts a drawing of KIND whose bytes go to OUT (which must stay open
    // until finish()). HP-GL starts nothing. False (with the reason) when
    // the library that draws PDF, SVG and PNG cannot be loaded.
    bool start(Kind kind, platform::PlotFile& out, std::string& error);
    bool is_open() const;
    // Writes out the drawing (PNG: the picture; PDF, SVG: the rest of the
    // file) and ends it. False when cairo reports a failure.
    bool finish();

    void page_size(INTEGER paper_code);  // 4 = A4, 3 = A3, landscape
    void input_window(INTEGER x1, INTEGER y1, INTEGER x2, INTEGER y2);
    void move(bool pen_down, INTEGER px, INTEGER py);
    void line_type(INTEGER pen_code);  // 5 dotted, 6 dashed, else solid
    void pen_select(INTEGER pen);      // 0 puts the pen away
    void char_size(REAL width_cm, REAL height_cm);
    void label_direction(REAL run, REAL rise);
    void label(std::string_view text);
    void symbol_mode(char symbol);  // '\0' ends symbol mode
    void marker(int code);          // a marker 0..32 centred on the pen

private:
    struct State;
    std::unique_ptr<State> s_;
};

}  // namespace datrax::paper
