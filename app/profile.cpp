#include "app/profile.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/state.h"
#include "platform/atomic_file.h"
#include "platform/config_path.h"
#include "platform/files.h"
#include "plotlib/device.h"
#include "records/fixed_read.h"
#include "records/fixed_write.h"
#include "records/format_list.h"
#include "records/line_source.h"

namespace datrax {

namespace {

const FormatList& record1_format() {
    static const FormatList f("(5I5,7L2,5I3)");
    return f;
}
const FormatList& record2_format() {
    static const FormatList f("(6I5)");
    return f;
}
const FormatList& band_format() {
    static const FormatList f("(I5,A3,2F10.3)");
    return f;
}

void set_graphics_defaults() {
    gp.PSIZE = 11;
    gp.TMODE = 3;
    gp.GMODE = 3;
    gp.BCOL = 0;
    gp.GCOL = 0;
    gp.DEVICE = kDeviceScreen;
}

bool read_record1(LineSource& in) {
    const FieldRef fields[] = {gp.PSIZE, gp.TMODE, gp.GMODE, gp.BCOL,  gp.GCOL,  pp.ZCOL,  pp.ZNAME, pp.ZTITL, pp.ZSUBT,
                               pp.ZGRD,  pp.ZOPT6, pp.ZOPT7, gp.KS(1), gp.KS(2), gp.KS(3), gp.KS(4), gp.KS(5)};
    return read_fixed(in, record1_format(), fields) == ReadOutcome::Done;
}

bool read_record2(LineSource& in) {
    const FieldRef fields[] = {pp.LCOL(1), pp.LCOL(2), pp.LCOL(3), pp.ISCOL(1), pp.ISCOL(2), pp.ISCOL(3)};
    return read_fixed(in, record2_format(), fields) == ReadOutcome::Done;
}

// Band rows may come in any order; a row that cannot be read, or whose
// number lies outside the table, is skipped and noted.
void read_band_records(LineSource& in) {
    band.NBAND = 1;
    std::string_view line;
    while (in.next_line(line)) {
        if (line.find_first_not_of(' ') == std::string_view::npos) continue;
        TextLines one(line);
        INTEGER k = 0;
        Text<3> id;
        REAL lo = 0, hi = 0;
        const FieldRef fields[] = {k, id.ref(), lo, hi};
        if (read_fixed(one, band_format(), fields) != ReadOutcome::Done || k < 1 || k > MAXBND) {
            mainv.profile_band_skipped = true;
            continue;
        }
        band.BANDID(k) = id.view();
        band.BANDLO(k) = lo;
        band.BANDHI(k) = hi;
        band.NBAND = std::max(band.NBAND, k);
    }
}

// The REAL nearest to `start` on the side of 0 that the band limit field
// holds after rounding: single precision makes 999999.999 into 1000000.0,
// which F10.3 can only write as asterisks.
REAL band_limit_bound(REAL start) {
    std::string line;
    for (REAL v = start;; v = std::nextafter(v, 0.0f)) {
        const OutValue value[] = {INTEGER{1}, std::string_view{}, v, v};
        write_fixed(band_format(), value, line);
        if (line.find('*') == std::string::npos) return v;
    }
}

// Each value is clamped to what its field holds, so the file never gets
// asterisks that would make the next start-up discard it.
INTEGER i3(INTEGER v) { return std::clamp(v, -99, 999); }
INTEGER i5(INTEGER v) { return std::clamp(v, -9999, 99999); }
REAL f10_3(REAL v) {
    static const REAL lowest = band_limit_bound(-99999.999f);
    static const REAL highest = band_limit_bound(999999.999f);
    if (std::isnan(v)) return 0.0f;  // no field holds it; a limit that is no number reads back as 0
    return std::clamp(v, lowest, highest);
}

std::string profile_text() {
    std::string text, line;
    const OutValue record1[] = {i5(gp.PSIZE), i5(gp.TMODE), i5(gp.GMODE), i5(gp.BCOL),  i5(gp.GCOL), pp.ZCOL,
                                pp.ZNAME,     pp.ZTITL,     pp.ZSUBT,     pp.ZGRD,      pp.ZOPT6,    pp.ZOPT7,
                                i3(gp.KS(1)), i3(gp.KS(2)), i3(gp.KS(3)), i3(gp.KS(4)), i3(gp.KS(5))};
    write_fixed(record1_format(), record1, line);
    text += line + '\n';
    const OutValue record2[] = {i5(pp.LCOL(1)),  i5(pp.LCOL(2)),  i5(pp.LCOL(3)),
                                i5(pp.ISCOL(1)), i5(pp.ISCOL(2)), i5(pp.ISCOL(3))};
    write_fixed(record2_format(), record2, line);
    text += line + '\n';
    for (int k = 1; k <= band.NBAND; ++k) {
        const OutValue row[] = {INTEGER{k}, band.BANDID(k).view(), f10_3(band.BANDLO(k)), f10_3(band.BANDHI(k))};
        write_fixed(band_format(), row, line);
        text += line + '\n';
    }
    return text;
}

}  // namespace

void read_profile() {
    const std::string path = platform::profile_file_path();
    for (;;) {
        set_graphics_defaults();
        if (!platform::file_exists(path)) break;
        FileLines in;
        if (!in.open(path)) break;
        if (read_record1(in) && read_record2(in)) {
            read_band_records(in);
            return;
        }
        in.close();
        // A damaged file is deleted and written afresh; one that cannot be
        // deleted is left alone and the run goes on with the defaults.
        if (!platform::delete_file(path)) {
            set_graphics_defaults();
            return;
        }
    }
    write_profile();
}

bool write_profile() {
    std::string error;
    return platform::replace_file(platform::profile_file_path(), profile_text(), error);
}

}  // namespace datrax
