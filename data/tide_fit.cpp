#include "data/tide_fit.h"

#include <Eigen/Cholesky>
#include <Eigen/Core>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "data/tide_waves.h"

namespace datrax {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kJ2000 = 946728000.0;  // 2000-01-01 12:00 UTC, where the table's frequencies are taken
constexpr int kBlockRows = 256;         // rows of the design matrix formed at a time
constexpr int64_t kReseedEvery = 4096;  // samples between exact sines and cosines of the phasors

double reduced(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0.0 ? r + 360.0 : r;
}

// One wave of one group as a rotating phasor: weight x f x exp(i (V + u)).
struct Phasor {
    int column = 0;       // cosine column of its group; the sine follows
    double weight = 1.0;  // ratio to the group leader's potential, times f
    double phase0 = 0.0;  // V + u at sample 0, radians
    double step = 0.0;    // radians per sample
    double re = 0.0, im = 0.0, step_re = 1.0, step_im = 0.0;
};

// The rows of the design matrix, one sample after the other: the group
// columns, the drift powers of the time scaled to -1..1 over the window,
// and the pressure with its mean removed, scaled to unit spread.
class DesignRows {
public:
    DesignRows(const TideInput& in, std::vector<TideGroup>& groups, double pressure_mean, double pressure_scale)
        : in_(in), drift_degree_(in.drift_degree), pressure_mean_(pressure_mean), pressure_scale_(pressure_scale) {
        const auto n = static_cast<int64_t>(in.samples.size());
        centre_index_ = 0.5 * static_cast<double>(n - 1);
        half_ = std::max(centre_index_, 1.0);
        const double centre = in.start + centre_index_ * in.interval;
        for (size_t g = 0; g < groups.size(); ++g) {
            TideGroup& group = groups[g];
            const double lead_h = kTideWaves[static_cast<size_t>(group.waves.front())].H;
            for (const int w : group.waves) {
                const TideWave& wave = kTideWaves[static_cast<size_t>(w)];
                const NodalCorrection nc = nodal_correction(wave, centre);
                if (w == group.waves.front()) {
                    group.f = nc.f;
                    group.u = nc.u;
                    group.frequency = wave_frequency(wave, centre);
                }
                Phasor p;
                p.column = static_cast<int>(2 * g);
                p.weight = (w == group.waves.front() ? 1.0 : wave.H / lead_h) * nc.f;
                p.step = wave_frequency(wave, centre) * 2.0 * std::numbers::pi * in.interval / 3600.0;
                p.phase0 = (astronomical_argument(wave, centre) + nc.u) * kDegree - p.step * centre_index_;
                p.step_re = std::cos(p.step);
                p.step_im = std::sin(p.step);
                phasors_.push_back(p);
            }
        }
        drift_column_ = static_cast<int>(2 * groups.size());
        columns_ = drift_column_ + drift_degree_ + 1 + (in.pressure.empty() ? 0 : 1);
    }

    int columns() const { return columns_; }
    int drift_column() const { return drift_column_; }
    double half_window() const { return half_; }

    // Row of sample i into x; called for i = 0, 1, 2 ... in turn.
    void row(int64_t i, double* x) {
        std::fill_n(x, drift_column_, 0.0);
        for (Phasor& p : phasors_) {
            if (i % kReseedEvery == 0) {
                const double a = p.phase0 + p.step * static_cast<double>(i);
                p.re = std::cos(a);
                p.im = std::sin(a);
            } else {
                const double re = p.re * p.step_re - p.im * p.step_im;
                p.im = p.re * p.step_im + p.im * p.step_re;
                p.re = re;
            }
            x[p.column] += p.weight * p.re;
            x[p.column + 1] += p.weight * p.im;
        }
        const double t = (static_cast<double>(i) - centre_index_) / half_;
        double power = 1.0;
        for (int k = 0; k <= drift_degree_; ++k, power *= t) x[drift_column_ + k] = power;
        if (!in_.pressure.empty())
            x[columns_ - 1] =
                (static_cast<double>(in_.pressure[static_cast<size_t>(i)]) - pressure_mean_) / pressure_scale_;
    }

    // The sample takes part in the fit.
    bool used(int64_t i) const {
        const auto k = static_cast<size_t>(i);
        return std::isfinite(in_.samples[k]) && (in_.pressure.empty() || std::isfinite(in_.pressure[k]));
    }

private:
    const TideInput& in_;
    int drift_degree_;
    double pressure_mean_, pressure_scale_;
    double centre_index_ = 0.0, half_ = 1.0;
    std::vector<Phasor> phasors_;
    int drift_column_ = 0, columns_ = 0;
};

// Mean and spread of the samples used, of the data and of the pressure;
// the sums run about the first value so that a large offset costs nothing.
struct Moments {
    int64_t used = 0;
    double data_mean = 0.0, data_rms = 0.0, pressure_mean = 0.0, pressure_scale = 1.0;
};

Moments moments(const TideInput& in, const DesignRows& rows) {
    Moments m;
    double y0 = 0.0, p0 = 0.0, sy = 0.0, syy = 0.0, sp = 0.0, spp = 0.0;
    const bool pressure = !in.pressure.empty();
    for (size_t i = 0; i < in.samples.size(); ++i) {
        if (!rows.used(static_cast<int64_t>(i))) continue;
        if (m.used++ == 0) {
            y0 = in.samples[i];
            if (pressure) p0 = in.pressure[i];
        }
        const double y = in.samples[i] - y0;
        sy += y;
        syy += y * y;
        if (pressure) {
            const double p = in.pressure[i] - p0;
            sp += p;
            spp += p * p;
        }
    }
    if (m.used == 0) return m;
    const auto n = static_cast<double>(m.used);
    m.data_mean = y0 + sy / n;
    m.data_rms = std::sqrt(std::max(syy / n - (sy / n) * (sy / n), 0.0));
    m.pressure_mean = p0 + sp / n;
    const double spread = std::sqrt(std::max(spp / n - (sp / n) * (sp / n), 0.0));
    if (spread > 0.0) m.pressure_scale = spread;
    return m;
}

using RowBlock = Eigen::Matrix<double, kBlockRows, Eigen::Dynamic, Eigen::RowMajor>;

// Normal equations X'X b = X'y of the samples used, formed block by block.
void normal_equations(const TideInput& in, DesignRows& rows, Eigen::MatrixXd& N, Eigen::VectorXd& rhs) {
    const int p = rows.columns();
    N.setZero(p, p);
    rhs.setZero(p);
    RowBlock X(kBlockRows, p);
    Eigen::Matrix<double, kBlockRows, 1> y;
    int filled = 0;
    auto flush = [&](int count) {
        N.selfadjointView<Eigen::Lower>().rankUpdate(X.topRows(count).transpose());
        rhs.noalias() += X.topRows(count).transpose() * y.head(count);
    };
    std::vector<double> x(static_cast<size_t>(p));
    for (int64_t i = 0; i < static_cast<int64_t>(in.samples.size()); ++i) {
        rows.row(i, x.data());
        if (!rows.used(i)) continue;
        X.row(filled) = Eigen::Map<const Eigen::RowVectorXd>(x.data(), p);
        y(filled) = in.samples[static_cast<size_t>(i)];
        if (++filled == kBlockRows) {
            flush(filled);
            filled = 0;
        }
    }
    if (filled > 0) flush(filled);
    N.triangularView<Eigen::StrictlyUpper>() = N.transpose();
}

// Residual and fitted waves at every sample; returns the residual sum of
// squares of the samples used.
double residuals(const TideInput& in, DesignRows& rows, const Eigen::VectorXd& b, TideFit& out) {
    const int p = rows.columns(), waves = rows.drift_column();
    const size_t n = in.samples.size();
    out.residual.assign(n, std::numeric_limits<REAL>::quiet_NaN());
    out.tide.resize(n);
    std::vector<double> x(static_cast<size_t>(p));
    double rss = 0.0;
    for (size_t i = 0; i < n; ++i) {
        rows.row(static_cast<int64_t>(i), x.data());
        double tide = 0.0, rest = 0.0;
        for (int c = 0; c < waves; ++c) tide += x[static_cast<size_t>(c)] * b(c);
        for (int c = waves; c < p; ++c) rest += x[static_cast<size_t>(c)] * b(c);
        out.tide[i] = static_cast<REAL>(tide);
        if (!rows.used(static_cast<int64_t>(i))) continue;
        const double r = in.samples[i] - tide - rest;
        out.residual[i] = static_cast<REAL>(r);
        rss += r * r;
    }
    return rss;
}

// Amplitude and phase lag of a group from its cosine and sine coefficients
// (A cos g, A sin g) and their covariance, errors to first order.
void polar(TideGroup& g, double a, double b, double vaa, double vbb, double vab) {
    g.amplitude = std::hypot(a, b);
    g.phase = reduced(std::atan2(b, a) / kDegree);
    const double a2 = g.amplitude * g.amplitude;
    if (a2 <= 0.0) {
        g.amplitude_error = std::sqrt(std::max(0.5 * (vaa + vbb), 0.0));
        g.phase_error = 180.0;
        return;
    }
    g.amplitude_error = std::sqrt(std::max((a * a * vaa + b * b * vbb + 2 * a * b * vab) / a2, 0.0));
    g.phase_error =
        std::min(std::sqrt(std::max((b * b * vaa + a * a * vbb - 2 * a * b * vab) / (a2 * a2), 0.0)) / kDegree, 180.0);
}

void amplitude_factor(const TideInput& in, TideGroup& g) {
    if (!std::isfinite(in.latitude) || !(in.unit_in_si > 0.0)) return;
    const double rigid = rigid_gravity_tide(kTideWaves[static_cast<size_t>(g.waves.front())], in.latitude);
    if (rigid > 1e-12) g.factor = g.amplitude * in.unit_in_si / rigid;
}

}  // namespace

std::string TideGroup::label() const {
    std::string s;
    for (const int w : waves) {
        if (!s.empty()) s += '+';
        s += kTideWaves[static_cast<size_t>(w)].name;
    }
    return s;
}

void plan_groups(double hours, std::vector<TideGroup>& groups, std::vector<int>& left_out) {
    groups.clear();
    left_out.clear();
    std::vector<int> order;
    for (int w = 0; w < kTideWaveCount; ++w) {
        if (wave_frequency(kTideWaves[static_cast<size_t>(w)], kJ2000) * hours < 1.0)
            left_out.push_back(w);
        else
            order.push_back(w);
    }
    // Strongest first, so that a weaker wave finds the group it joins.
    std::stable_sort(order.begin(), order.end(), [](int a, int b) {
        return kTideWaves[static_cast<size_t>(a)].H > kTideWaves[static_cast<size_t>(b)].H;
    });
    for (const int w : order) {
        const TideWave& wave = kTideWaves[static_cast<size_t>(w)];
        const double f = wave_frequency(wave, kJ2000);
        // Within its species, a wave closer than 1/hours to any member.
        auto joins = std::find_if(groups.begin(), groups.end(), [&](const TideGroup& g) {
            return std::any_of(g.waves.begin(), g.waves.end(), [&](int member) {
                const TideWave& other = kTideWaves[static_cast<size_t>(member)];
                return other.species() == wave.species() && std::fabs(wave_frequency(other, kJ2000) - f) * hours < 1.0;
            });
        });
        if (joins != groups.end())
            joins->waves.push_back(w);
        else
            groups.push_back(TideGroup{{w}});
    }
    std::sort(groups.begin(), groups.end(),
              [](const TideGroup& a, const TideGroup& b) { return a.waves[0] < b.waves[0]; });
}

TideStatus fit_tides(const TideInput& given, TideFit& out) {
    TideInput in = given;
    in.drift_degree = std::clamp(in.drift_degree, 0, kMaxDriftDegree);
    out = TideFit{};
    out.samples = static_cast<int64_t>(in.samples.size());
    out.hours = static_cast<double>(out.samples) * in.interval / 3600.0;
    out.centre = in.start + 0.5 * static_cast<double>(out.samples - 1) * in.interval;
    if (!(out.hours >= kMinTideWindowHours)) return TideStatus::TooShort;
    plan_groups(out.hours, out.groups, out.left_out);
    out.admittance_fitted = !in.pressure.empty();

    DesignRows probe(in, out.groups, 0.0, 1.0);
    const Moments m = moments(in, probe);
    out.used = m.used;
    out.missing = out.samples - m.used;
    out.parameters = probe.columns();
    out.freedom = out.used - out.parameters;
    out.rms_data = m.data_rms;
    if (out.freedom < 1) return TideStatus::TooFewSamples;

    DesignRows rows(in, out.groups, m.pressure_mean, m.pressure_scale);
    Eigen::MatrixXd N;
    Eigen::VectorXd rhs;
    normal_equations(in, rows, N, rhs);
    // Columns scaled to unit size: the system is well conditioned unless
    // two columns describe the same thing (a constant pressure, say).
    const Eigen::LLT<Eigen::MatrixXd> llt(N);
    if (llt.info() != Eigen::Success || !(llt.rcond() > 1e-12)) return TideStatus::Singular;
    const Eigen::VectorXd b = llt.solve(rhs);
    const Eigen::MatrixXd inverse = llt.solve(Eigen::MatrixXd::Identity(N.rows(), N.cols()));

    DesignRows again(in, out.groups, m.pressure_mean, m.pressure_scale);
    const double rss = residuals(in, again, b, out);
    const double variance = rss / static_cast<double>(out.freedom);
    out.rms_residual = std::sqrt(rss / static_cast<double>(out.used));

    for (size_t g = 0; g < out.groups.size(); ++g) {
        const auto c = static_cast<Eigen::Index>(2 * g);
        polar(out.groups[g], b(c), b(c + 1), variance * inverse(c, c), variance * inverse(c + 1, c + 1),
              variance * inverse(c, c + 1));
        amplitude_factor(in, out.groups[g]);
    }
    const double half_days = rows.half_window() * in.interval / 86400.0;
    for (int k = 0; k <= in.drift_degree; ++k) {
        const Eigen::Index c = rows.drift_column() + k;
        const double scale = std::pow(half_days, k);
        out.drift.push_back(b(c) / scale);
        out.drift_error.push_back(std::sqrt(variance * inverse(c, c)) / scale);
    }
    if (out.admittance_fitted) {
        const Eigen::Index c = rows.columns() - 1;
        out.admittance = b(c) / m.pressure_scale;
        out.admittance_error = std::sqrt(variance * inverse(c, c)) / m.pressure_scale;
    }
    return TideStatus::Ok;
}

}  // namespace datrax
