#include "plots/date_axis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "data/calendar.h"
#include "data/date_ticks.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"
#include "plots/grid.h"

namespace datrax {

namespace {

// The look of the numbered axes: text height, ticks turned into the plot,
// labels and title below the axis.
constexpr REAL kTextHeight = 0.14f;
constexpr REAL kHalfChar = 0.0625f;        // estimated half width of a character, for centring
constexpr REAL kGap = 0.5f * kTextHeight;  // least space between two labels
constexpr REAL kTickLength = 0.15f;
constexpr REAL kLabelDrop = 0.256f;  // label baseline below the axis
constexpr REAL kTitleDrop = 0.537f;  // title baseline below the axis
constexpr REAL kTitleHalfChar = 0.07f;

struct Label {
    REAL x0, x1;  // the page span the label covers (one text height per character)
};

Label label_span(REAL tick_x, const std::string& text) {
    const REAL n = static_cast<REAL>(text.size());
    const REAL x0 = tick_x - n * kHalfChar;
    return {x0, x0 + n * kTextHeight};
}

bool apart(const Label& a, const Label& b) { return a.x1 + kGap <= b.x0; }

struct AxisScale {
    double t0, t1;
    REAL x(int64_t t) const { return pp.XMIN + static_cast<REAL>((static_cast<double>(t) - t0) / (t1 - t0)) * pp.XLEN; }
};

// Neighbouring labels of the step stay apart (the first, which may carry
// the date, is left to the drawing).
bool labels_fit(const std::vector<DateTick>& ticks, const AxisScale& a) {
    for (size_t i = 1; i + 1 < ticks.size(); ++i)
        if (!apart(label_span(a.x(ticks[i].time), ticks[i].label),
                   label_span(a.x(ticks[i + 1].time), ticks[i + 1].label)))
            return false;
    return true;
}

// The ticks of the round step for about NGX(1) divisions, made coarser
// until their labels fit.
std::vector<DateTick> fitting_ticks(const AxisScale& a) {
    DateStep step = date_step(a.t1 - a.t0, divisions(pp.NGX(1)));
    for (;;) {
        std::vector<DateTick> ticks = date_ticks(a.t0, a.t1, step);
        const DateStep coarser = next_step(step);
        if (labels_fit(ticks, a) || coarser == step) return ticks;
        step = coarser;
    }
}

void draw_labels(const std::vector<DateTick>& ticks, const AxisScale& a) {
    bool any = false;
    Label last{};
    for (const DateTick& t : ticks) {
        const Label span = label_span(a.x(t.time), t.label);
        if (any && !apart(last, span)) continue;
        PLTSYM(span.x0, pp.YMIN - kLabelDrop, kTextHeight, t.label, 0.0f, static_cast<INTEGER>(t.label.size()));
        last = span;
        any = true;
    }
}

// "date (UTC) 2024", or "date (UTC) 2009-2010" for a window across a new
// year: the title with the years of the window, centred as the numbered
// axes centre theirs.
void draw_title(double t0, double t1) {
    std::string title(pp.AXTITX(1).trimmed().substr(0, static_cast<size_t>(std::clamp(pp.LAXTX(1), 0, 40))));
    if (!title.empty()) title.push_back(' ');
    const int64_t first = civil_time(static_cast<int64_t>(std::floor(t0))).year;
    // The window ends at T1; a window ending at a midnight of 1 January
    // holds nothing of the new year.
    const int64_t last = civil_time(static_cast<int64_t>(std::ceil(t1)) - 1).year;
    title.append(std::to_string(first));
    if (last > first) {
        title.push_back('-');
        title.append(std::to_string(last));
    }
    const REAL n = static_cast<REAL>(title.size());
    PLTSYM(pp.XMIN + pp.XLEN / 2.0f - n * kTitleHalfChar, pp.YMIN - kTitleDrop, kTextHeight, title, 0.0f,
           static_cast<INTEGER>(title.size()));
}

// The axis line from its far end back to the start, a tick up into the
// plot at every round time.
void draw_line(const std::vector<REAL>& xs) {
    PENMOV(pp.XMIN + pp.XLEN, pp.YMIN, 3);
    for (auto it = xs.rbegin(); it != xs.rend(); ++it) {
        PENMOV(*it, pp.YMIN, 2);
        PENMOV(*it, pp.YMIN + kTickLength, 2);
        PENMOV(*it, pp.YMIN, 2);
    }
    PENMOV(pp.XMIN, pp.YMIN, 2);
}

}  // namespace

std::vector<REAL> draw_date_axis(double t0, double t1) {
    const AxisScale a{t0, t1};
    const std::vector<DateTick> ticks = fitting_ticks(a);
    std::vector<REAL> xs;
    xs.reserve(ticks.size());
    for (const DateTick& t : ticks) xs.push_back(a.x(t.time));
    draw_labels(ticks, a);
    draw_title(t0, t1);
    draw_line(xs);
    return xs;
}

}  // namespace datrax
