#include "data/write_data.h"

#include <cctype>
#include <cmath>

#include "base/text.h"
#include "data/write_csv.h"
#include "data/write_datra.h"
#include "data/write_ggp.h"
#include "platform/atomic_file.h"
#include "records/missing.h"

namespace datrax {

namespace {

std::string lower_extension(std::string_view name) {
    const size_t slash = name.find_last_of("/\\");
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return "";
    return lower_case(name.substr(dot + 1));
}

bool whole_seconds(double v) { return std::isfinite(v) && v == std::floor(v); }

// Why the series cannot be written as a file of this kind; empty when they can.
std::string refusal(DataFileKind kind, std::span<const SeriesOut> sets) {
    if (sets.empty() || sets.size() > 2) return "Nothing to write";
    if (kind == DataFileKind::Datra && sets.size() != 1) return "A DATRA file holds one data set";
    if (kind != DataFileKind::Ggp) return "";
    if (sets.size() != 2) return "A GGP file holds a gravity and pressure pair";
    const SeriesOut &g = sets[0], &p = sets[1];
    if (!whole_seconds(g.start) || !(g.interval_seconds >= 1.0) || !whole_seconds(g.interval_seconds))
        return "GGP needs a known start and an interval of whole seconds";
    if (g.start != p.start || g.interval_seconds != p.interval_seconds || g.samples.size() != p.samples.size())
        return "GGP needs both data sets on the same times";
    return "";
}

void write_kind(DataFileKind kind, std::span<const SeriesOut> sets, writer::TextOut& out) {
    switch (kind) {
        case DataFileKind::Csv: writer::write_csv(sets, out); break;
        case DataFileKind::Datra: writer::write_datra(sets[0], out); break;
        case DataFileKind::Ggp: writer::write_ggp(sets[0], sets[1], out); break;
    }
}

}  // namespace

DataFileKind data_file_kind(std::string_view name) {
    const std::string ext = lower_extension(name);
    if (ext == "dat") return DataFileKind::Datra;
    if (ext == "ggp") return DataFileKind::Ggp;
    return DataFileKind::Csv;
}

WriteOutcome write_data_file(const std::string& path, std::span<const SeriesOut> sets) {
    WriteOutcome w;
    const DataFileKind kind = data_file_kind(path);
    w.reason = refusal(kind, sets);
    if (!w.reason.empty()) return w;
    platform::AtomicFile file;
    if (!file.open(path, w.reason)) return w;
    {
        writer::TextOut out(file);
        write_kind(kind, sets, out);
    }
    if (!file.commit(w.reason)) return w;
    for (const SeriesOut& s : sets) {
        w.samples += static_cast<int64_t>(s.samples.size());
        w.missing += count_missing(s.samples);
    }
    w.written = true;
    w.reason.clear();
    return w;
}

}  // namespace datrax
