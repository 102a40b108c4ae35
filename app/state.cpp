#include "app/state.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "base/large_pages.h"

namespace datrax {

namespace {

// Left unfilled: an allocation of this size is a fresh mapping whose pages
// the system zeroes on first touch. Asked for in large pages, so that a
// reader filling a column meets a dozen first-touch faults instead of
// thousands.
REAL* allocate_samples() {
    const size_t bytes =
        (static_cast<size_t>(MAXPTS) * MAXSET * sizeof(REAL) + kLargePage - 1) / kLargePage * kLargePage;
    void* p = std::aligned_alloc(kLargePage, bytes);
    if (!p) throw std::bad_alloc();
    ask_large_pages(p, bytes);
    return static_cast<REAL*>(p);
}

}  // namespace

SampleArray::SampleArray() : v_(allocate_samples()) {}

void SampleArray::Release::operator()(REAL* p) const { std::free(p); }

void SampleArray::clear(int k, INTEGER n) { std::fill_n(column(k), std::clamp(n, 0, MAXPTS), 0.0f); }

namespace {
struct BandLoad {
    const char* id;
    REAL lo, hi;
};
constexpr BandLoad kBandLoad[22] = {
    {"", 0.0f, 0.014f},      {"", 0.014f, 0.033f},   {"(D)", 0.033f, 0.047f}, {"", 0.047f, 0.075f},
    {"(S)", 0.075f, 0.089f}, {"", 0.089f, 0.117f},   {"(T)", 0.117f, 0.131f}, {"", 0.131f, 0.158f},
    {"(Q)", 0.158f, 0.172f}, {"", 0.172f, 0.333f},   {"", 0.333f, 0.5f},      {"", 0.5f, 1.0f},
    {"", 1.0f, 2.0f},        {"", 2.0f, 5.0f},       {"", 5.0f, 10.0f},       {"", 10.0f, 20.0f},
    {"", 20.0f, 50.0f},      {"", 50.0f, 100.0f},    {"", 100.0f, 200.0f},    {"", 200.0f, 500.0f},
    {"", 500.0f, 1000.0f},   {"", 1000.0f, 1800.0f},
};
}  // namespace

BandRecord::BandRecord() {
    BANDLO.fill(0.0f);
    BANDHI.fill(0.0f);
    for (int k = 1; k <= 22; ++k) {
        BANDID(k) = kBandLoad[k - 1].id;
        BANDLO(k) = kBandLoad[k - 1].lo;
        BANDHI(k) = kBandLoad[k - 1].hi;
    }
}

SampleArray Y;
DataSetRecord dset;
SelectionRecord sel;
PlotParamRecord pp;
GraphicsProfileRecord gp;
BandRecord band;
ScreenRecord scr;
MainProgramRecord mainv;
MenuRecord menus;
DataInputRecord datain;
PlotWorkRecord plotw;
HistogramWorkRecord histw;
SpectrumWorkRecord specw;
WriteWorkRecord writew;
TideWorkRecord tidew;

void reset_records() {
    for (INTEGER k = 1; k <= MAXSET; ++k) Y.clear(k, dset.NPTS(k));
    dset = DataSetRecord{};
    sel = SelectionRecord{};
    pp = PlotParamRecord{};
    gp = GraphicsProfileRecord{};
    band = BandRecord{};
    scr = ScreenRecord{};
    mainv = MainProgramRecord{};
    menus = MenuRecord{};
    datain = DataInputRecord{};
    plotw = PlotWorkRecord{};
    histw = HistogramWorkRecord{};
    specw = SpectrumWorkRecord{};
    writew = WriteWorkRecord{};
    tidew = TideWorkRecord{};
}

void keep_selection_in_step() {
    if (sel.NDSETS == 1) {
        sel.STYLE = 1;
        sel.slot = 1;
    }
}

void keep_page_edges_in_step() {
    pp.XMAX = pp.XMIN + pp.XLEN;
    pp.YMAX = pp.YMIN + pp.YLEN;
}

}  // namespace datrax
