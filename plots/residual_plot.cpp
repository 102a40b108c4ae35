#include "plots/residual_plot.h"

#include <algorithm>
#include <cmath>

#include "plots/time_series.h"

namespace datrax {

namespace {

// The series stands in for data set 1 while it lives: its values change
// places with the first samples of Y's column 1 (no copy of the data), and
// the records the plot reads are saved and given back whole on the way out,
// also when the run stops inside the plot.
class SeriesLoan {
public:
    explicit SeriesLoan(const ResidualSeries& s) : values_(*s.values), dset_(dset), sel_(sel), pp_(pp), plotw_(plotw) {
        saved_name_ = gp.PLTNAM(1);
        saved_name_length_ = gp.NPLT(1);
        saved_new_data_ = mainv.new_data;
        n_ = static_cast<INTEGER>(std::min<size_t>(values_.size(), MAXPTS));
        const INTEGER n = n_;
        dset.NPTS(1) = n;
        dset.DT(1) = dset_.DT(s.slot);
        dset.DUNIT(1) = dset_.DUNIT(s.slot).view();
        dset.start(1) = s.start;
        dset.interval_seconds(1) = dset_.interval_seconds(s.slot);
        dset.form(1) = dset_.form(s.slot);
        dset.FNAME(1) = dset_.FNAME(s.slot).view();
        dset.TITLE(1) = s.title;
        dset.LTITLE(1) = dset.TITLE(1).trimmed_length();
        dset.missing(1) = static_cast<INTEGER>(
            std::count_if(values_.begin(), values_.begin() + n, [](REAL v) { return std::isnan(v); }));
        sel.NDSETS = 1;
        sel.STYLE = 1;
        sel.slot = 1;
        pp.SUBTD = "RESIDUAL";
        pp.LSUBTD = pp.SUBTD.trimmed_length();
        gp.PLTNAM(1) = tidew.PLTNAM.view();
        gp.NPLT(1) = tidew.NPLT;
        mainv.new_data = true;  // a drawing of its own: time and data limits asked afresh
        std::swap_ranges(values_.begin(), values_.begin() + n, Y.column(1));
    }
    ~SeriesLoan() {
        std::swap_ranges(values_.begin(), values_.begin() + n_, Y.column(1));
        dset = dset_;
        sel = sel_;
        pp = pp_;
        plotw = plotw_;
        gp.PLTNAM(1) = saved_name_;
        gp.NPLT(1) = saved_name_length_;
        mainv.new_data = saved_new_data_;
    }
    SeriesLoan(const SeriesLoan&) = delete;
    SeriesLoan& operator=(const SeriesLoan&) = delete;

private:
    std::vector<REAL>& values_;
    INTEGER n_ = 0;  // values lent
    DataSetRecord dset_;
    SelectionRecord sel_;
    PlotParamRecord pp_;
    PlotWorkRecord plotw_;
    FileName saved_name_;
    INTEGER saved_name_length_ = 0;
    LOGICAL saved_new_data_ = false;
};

}  // namespace

void residual_plot(const ResidualSeries& series) {
    const SeriesLoan loan(series);
    time_series_plot(false);
}

}  // namespace datrax
