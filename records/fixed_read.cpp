#include "records/fixed_read.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "records/field_conversion.h"
#include "records/field_pairs.h"
#include "records/helper_thread.h"
#include "records/missing.h"

namespace datrax {

namespace {

using Kind = FormatItem::Kind;
using FKind = FieldRef::Kind;

// The columns [col, col + w) of the line; those past its end are blanks,
// which every conversion ignores or pads.
inline std::string_view columns(std::string_view line, int64_t col, int64_t w) {
    if (col >= static_cast<int64_t>(line.size())) return {};
    return line.substr(static_cast<size_t>(col), static_cast<size_t>(std::min<int64_t>(w, line.size() - col)));
}

// Fields of a list of receiving fields of any kind.
class FieldSink {
public:
    explicit FieldSink(std::span<const FieldRef> f) : f_(f) {}
    size_t remaining() const { return f_.size() - next_; }
    size_t stored() const { return next_; }
    // The columns of the next field; false when they cannot go into it.
    bool take(const FormatItem& item, std::string_view line, int64_t col, int64_t w) {
        const std::string_view cols = columns(line, col, w);
        const FieldRef& f = f_[next_];
        bool ok = false;
        switch (item.kind) {
            case Kind::I: ok = f.kind == FKind::Integer && convert_integer(cols, f.integer()); break;
            case Kind::L: ok = f.kind == FKind::Logical && convert_logical(cols, f.logical()); break;
            case Kind::A:
                ok = f.kind == FKind::Text;
                if (ok) f.text().assign(cols.substr(0, static_cast<size_t>(f.len)));
                break;
            default: ok = f.kind == FKind::Real && convert_real(cols, item.d, f.real()); break;
        }
        if (ok) ++next_;
        return ok;
    }
    // Width of a bare A: the receiving text's length.
    int text_width() const { return f_[next_].kind == FKind::Text ? f_[next_].len : 0; }

private:
    std::span<const FieldRef> f_;
    size_t next_ = 0;
};

// A sample field: a REAL, or the text NaN for a sample the file marks as
// missing.
inline bool take_sample(std::string_view cols, int d, REAL& out) {
    if (convert_real(cols, d, out)) return true;
    if (!is_nan_text(cols)) return false;
    out = kMissing;
    return true;
}

// REAL values into one array.
class RealSink {
public:
    RealSink(REAL* out, size_t n) : out_(out), n_(n) {}
    size_t remaining() const { return n_ - next_; }
    size_t stored() const { return next_; }
    bool take(const FormatItem& item, std::string_view line, int64_t col, int64_t w) {
        if (item.kind < Kind::F || item.kind > Kind::G) return false;
        if (!take_sample(columns(line, col, w), item.d, out_[next_])) return false;
        ++next_;
        return true;
    }
    int text_width() const { return 0; }

private:
    REAL* out_;
    size_t n_;
    size_t next_ = 0;
};

// Counters of the open groups; depth is bounded by the list's nesting.
struct GroupStack {
    int64_t left[FormatList::kMaxDepth + 2];
    int top = 0;
};

// How applying the list to one line ended.
enum class LineEnd {
    Next,   // the list ended with fields left: go on with the next line
    Done,   // every field filled
    Error,  // a field that cannot be converted, or a list that cannot go on
};

// Applies the list from item pc to one line, starting at its column 1.
template <class Sink>
LineEnd apply_to_line(const FormatList& fmt, int32_t pc, std::string_view line, Sink& sink) {
    const FormatItem* items = fmt.items().data();
    GroupStack groups;
    int64_t col = 0;
    for (;;) {
        const FormatItem& it = items[pc];
        switch (it.kind) {
            case Kind::Skip:
                col = std::min(col + it.count, FormatList::kMaxSkip);
                ++pc;
                break;
            case Kind::GroupBegin:
                groups.left[groups.top++] = it.count;
                ++pc;
                break;
            case Kind::GroupEnd:
                if (--groups.left[groups.top - 1] > 0) {
                    pc = it.link + 1;
                } else {
                    --groups.top;
                    ++pc;
                }
                break;
            case Kind::End: return fmt.reversion_has_data() ? LineEnd::Next : LineEnd::Error;
            default: {
                const int64_t w = it.w > 0 ? it.w : sink.text_width();
                for (int64_t r = it.count; r > 0; --r) {
                    if (!sink.take(it, line, col, w)) return LineEnd::Error;
                    if (sink.remaining() == 0) return LineEnd::Done;
                    col += w;
                }
                ++pc;
                break;
            }
        }
    }
}

template <class Sink>
ReadOutcome run(LineSource& in, const FormatList& fmt, Sink& sink) {
    if (sink.remaining() == 0) return ReadOutcome::Done;
    if (!fmt.ok()) return ReadOutcome::Error;
    std::string_view line;
    if (!in.next_line(line)) return end_of_input(in);
    for (int32_t pc = 0;; pc = fmt.reversion()) {
        const LineEnd e = apply_to_line(fmt, pc, line, sink);
        if (e != LineEnd::Next) return e == LineEnd::Done ? ReadOutcome::Done : ReadOutcome::Error;
        if (!in.next_line(line)) return end_of_input(in);
    }
}

// ---- REAL values line by line on two threads ----
//
// Every line takes the same number of values (the first line its own number:
// it starts at the beginning of the list, later ones at the reversion
// point), so the place of a line's values follows from its number alone, and
// the two halves of a block of lines can be converted at once.

// Where the REAL fields of one line lie: the list applied once to an empty
// line. Fails (take false) on a field of another kind.
class PlanSink {
public:
    struct Field {
        int64_t col;
        int64_t w;
        int d;
        // 8 to 16 columns: convert_plain_real_in_line may take it, from the
        // field's start where it begins before column 16.
        bool quick;
        bool from_start;
    };
    PlanSink(size_t limit, std::vector<Field>& fields) : limit_(limit), fields_(fields) { fields_.clear(); }
    size_t remaining() const { return std::min(limit_, kMaxFields + 1) - fields_.size(); }
    size_t stored() const { return fields_.size(); }
    bool take(const FormatItem& item, std::string_view, int64_t col, int64_t w) {
        if (item.kind < Kind::F || item.kind > Kind::G) return false;
        fields_.push_back({col, w, item.d, w >= 8 && w <= 16, col + w < 16});
        return true;
    }
    int text_width() const { return 0; }

    // Lines of more values than this are left to the record read.
    static constexpr size_t kMaxFields = 4096;

private:
    size_t limit_;
    std::vector<Field>& fields_;
};

// The REAL fields of a line and the columns they span.
struct LinePlan {
    std::vector<PlanSink::Field> fields;
    int64_t columns = 0;  // a line this long holds every field whole
    // The fields follow one another from column 1 to `columns`, each of the
    // quick kind: a line whose fields all convert the quick way holds no
    // line end before `columns`.
    bool seamless = false;
    // The fields two at a time (the last pair of an odd count takes the
    // field before the last once more); none where some field cannot go in
    // a pair.
    std::vector<FieldPair> pairs;

    // The first field of pair k.
    size_t pair_start(size_t k) const { return std::min(2 * k, fields.size() - 2); }

    // Two lines of this plan as one, where the first ends right after its
    // fields with a line end of `end_bytes` ("\n" or "\r\n"): pairs then
    // take fields across the line end, so that a line of an odd number of
    // fields converts none twice, and the work of a line is done once for
    // two. None where this plan has no pairs.
    LinePlan twice(int64_t end_bytes) const {
        LinePlan two;
        if (!seamless || pairs.empty()) return two;
        two.fields = fields;
        for (PlanSink::Field f : fields) {
            f.col += columns + end_bytes;
            f.from_start = f.col + f.w < 16;
            two.fields.push_back(f);
        }
        two.finish();
        return two;
    }

    void finish() {
        int64_t next = 0;
        seamless = true;
        for (const PlanSink::Field& f : fields) {
            columns = std::max(columns, f.col + f.w);
            seamless &= f.col == next && f.quick;
            next = f.col + f.w;
        }
        plan_pairs();
    }

private:
    void plan_pairs() {
        pairs.clear();
        if (fields.size() < 2) return;
        pairs.resize((fields.size() + 1) / 2);
        for (size_t k = 0; k < pairs.size(); ++k) {
            const size_t a = pair_start(k);
            const PlanSink::Field &f0 = fields[a], &f1 = fields[a + 1];
            if (!f0.quick || !f1.quick || !pairs[k].plan(f0.col, f0.w, f0.d, f1.col, f1.w, f1.d, columns)) {
                pairs.clear();
                return;
            }
            pairs[k].first = a;
        }
    }
};

// Where the points of a line's fields stand, as one thread last met them,
// and what the pairs of fields expect of them.
struct PlanPoints {
    std::vector<PointPlace> fields;
    std::vector<PairPoints> pairs;

    explicit PlanPoints(const LinePlan& plan) : pairs(plan.pairs.size()) {
        for (const PlanSink::Field& f : plan.fields) fields.emplace_back(f.d);
        for (size_t k = 0; k < pairs.size(); ++k) expect(plan, k);
    }
    void expect(const LinePlan& plan, size_t k) {
        if (k >= pairs.size()) return;
        const size_t a = plan.pairs[k].first;
        pairs[k].expect(plan.pairs[k], fields[a], fields[a + 1]);
    }
};

// The same for the first line, for later lines, and for two later lines
// taken as one (parted by "\n", and by "\r\n").
struct LinePoints {
    PlanPoints first, later, twice[2];
};

struct LineValues {
    REAL* out;
    size_t n;           // values wanted
    LinePlan first;     // the fields of the first line
    LinePlan later;     // the fields of every later line
    LinePlan twice[2];  // two later lines as one, parted by "\n" and by "\r\n"

    size_t start(size_t line) const { return line == 0 ? 0 : first.fields.size() + (line - 1) * later.fields.size(); }

    LinePoints points() const {
        return {PlanPoints(first), PlanPoints(later), {PlanPoints(twice[0]), PlanPoints(twice[1])}};
    }

    // The values of line number `line` (from 0); false, with the index of
    // the value that failed, on a field that cannot be converted.
    bool convert(size_t line, std::string_view text, size_t& failed_at, LinePoints& points) const {
        const size_t s = start(line);
        const LinePlan& plan = line == 0 ? first : later;
        PlanPoints& point = line == 0 ? points.first : points.later;
        const size_t count = std::min(plan.fields.size(), n - s);
        const bool whole = static_cast<int64_t>(text.size()) >= plan.columns;
        for (size_t i = 0; i < count; ++i) {
            if (whole) i = convert_quickly(plan, i, count, text.data(), point, out + s);
            if (i == count) break;
            const PlanSink::Field& f = plan.fields[i];
            if (!take_sample(columns(text, f.col, f.w), f.d, out[s + i])) {
                failed_at = s + i;
                return false;
            }
        }
        return true;
    }

    // The values of a later line at `p` of a block ending at `end`, when its
    // fields are seamless and all convert the quick way (so that no line
    // end lies among them): where the next line starts. Null leaves the line
    // to convert, which first finds its end.
    const char* convert_seamless(size_t line, const char* p, const char* end, LinePoints& points) const {
        const size_t count = later.fields.size();
        if (line == 0 || !later.seamless || end - p <= later.columns || n - start(line) < count ||
            convert_quickly(later, 0, count, p, points.later, out + start(line)) != count)
            return nullptr;
        return after_fields(p + later.columns, end);
    }

    // The same for two later lines at once, the first ending right after
    // its fields: where the line after the two starts. (The second line's
    // fields hold no line end when they all convert the quick way.)
    const char* convert_two_seamless(size_t line, const char* p, const char* end, LinePoints& points) const {
        if (line == 0 || end - p <= later.columns + 1) return nullptr;
        const char* rest = p + later.columns;  // the first line's end
        const int parted = rest[0] == '\n' ? 0 : rest[0] == '\r' && rest[1] == '\n' ? 1 : -1;
        if (parted < 0) return nullptr;
        const LinePlan& plan = twice[parted];
        const size_t count = plan.fields.size();
        if (plan.pairs.empty() || end - p <= plan.columns || n - start(line) < count ||
            convert_quickly(plan, 0, count, p, points.twice[parted], out + start(line)) != count)
            return nullptr;
        return after_fields(p + plan.columns, end);
    }

    // Where the next line starts, from just after a line's fields.
    static const char* after_fields(const char* rest, const char* end) {
        return *rest == '\n' ? rest + 1 : next_line_start(rest, end);
    }

    // Fields `from` up to `count` of a line that holds them whole, the
    // quick way, up to the first that needs the general way: where that
    // stopped. `out` takes the line's values. Kept apart from the general
    // way, so that its values stay in registers.
    [[gnu::noinline]] static size_t convert_quickly(const LinePlan& plan, size_t from, size_t count, const char* text,
                                                    PlanPoints& points, REAL* out) {
#if defined(DATRAX_FIELD_PAIRS)
        if (from == 0 && count == plan.fields.size() && !plan.pairs.empty() && field_pairs())
            return convert_pairs_quickly(plan, text, points, out);
#endif
        size_t i = from;
        while (i < count && convert_one_quickly(plan.fields[i], text, points.fields[i], out[i])) ++i;
        return i;
    }

    static bool convert_one_quickly(const PlanSink::Field& f, const char* text, PointPlace& point, REAL& out) {
        return f.quick &&
               convert_plain_real_in_line(text + f.col, static_cast<size_t>(f.w), f.from_start, f.d, point, out);
    }

#if defined(DATRAX_FIELD_PAIRS)
    // Every field of the line, two at a time. A pair that cannot go at once
    // goes a field at a time, which finds where a moved point now stands.
    static size_t convert_pairs_quickly(const LinePlan& plan, const char* text, PlanPoints& points, REAL* out) {
        size_t done = 0;  // fields converted
        for (size_t k = 0; (k = convert_pairs_from(plan, k, text, points, out)) < plan.pairs.size(); ++k) {
            const size_t a = plan.pairs[k].first;
            for (size_t i = std::max(a, done); i < a + 2; ++i) {
                if (!convert_one_quickly(plan.fields[i], text, points.fields[i], out[i])) return i;
            }
            // Only a moved point changes what the pairs expect (a plus sign
            // or a halfway value does not).
            if (!points.pairs[k].expects(points.fields[a], points.fields[a + 1])) {
                points.expect(plan, k);
                points.expect(plan, k + 1);
            }
            done = a + 2;
        }
        return plan.fields.size();
    }

    // Pairs from k on up to the first that cannot go at once: its number.
    // Nothing is called in the loop, so its constants stay in registers.
    DATRAX_WIDE static size_t convert_pairs_from(const LinePlan& plan, size_t k, const char* text,
                                                 const PlanPoints& points, REAL* out) {
        const FieldPair* pairs = plan.pairs.data();
        const PairPoints* expected = points.pairs.data();
        const size_t count = plan.pairs.size();
        for (; k < count; ++k) {
            if (!convert_field_pair(text, pairs[k], expected[k], out + pairs[k].first)) break;
        }
        return k;
    }
#endif
};

// The fields of the first and of later lines; false when the list cannot be
// read this way (no usable list, a field that takes no REAL, no values after
// the first line, lines of very many values).
bool line_values(const FormatList& fmt, LineValues& v) {
    if (!fmt.ok() || !fmt.reversion_has_data() || v.n == 0) return false;
    PlanSink a(v.n, v.first.fields), b(v.n, v.later.fields);
    if (apply_to_line(fmt, 0, {}, a) == LineEnd::Error) return false;
    if (apply_to_line(fmt, fmt.reversion(), {}, b) == LineEnd::Error) return false;
    v.first.finish();
    v.later.finish();
    v.twice[0] = v.later.twice(1);
    v.twice[1] = v.later.twice(2);
    const auto usable = [](size_t k) { return k > 0 && k <= PlanSink::kMaxFields; };
    return usable(v.first.fields.size()) && usable(v.later.fields.size());
}

// One thread's share of a block: the lines converted and where one failed.
struct Share {
    size_t lines = 0;
    size_t failed_at = SIZE_MAX;  // index of the value that failed
};

// Converts the lines of [begin, end), numbered from `line` on, up to the one
// that completes the values or the first that fails. The share is written
// once at the end: the two threads' shares lie side by side in memory.
void convert_share(const LineValues& v, const char* begin, const char* end, size_t line, Share& r) {
    Share own;
    LinePoints points = v.points();
    for (const char* p = begin; p < end && v.start(line) < v.n; ++line, ++own.lines) {
        if (const char* two = v.convert_two_seamless(line, p, end, points)) {
            p = two;
            ++line;
            ++own.lines;
            continue;
        }
        const char* next = v.convert_seamless(line, p, end, points);
        if (!next) {
            next = next_line_start(p, end);
            if (!v.convert(line, block_line({p, static_cast<size_t>(next - p)}), own.failed_at, points)) break;
        }
        p = next;
    }
    r = own;
}

// The line ends in [p, end), sixteen bytes at a time where the vector
// instructions are there: a block's lines are counted while the other
// thread converts, and must not keep it waiting.
size_t count_lines(const char* p, const char* end) {
    size_t n = 0;
#if defined(__SSE2__)
    // Each byte of `ends` counts the line ends of its column, up to 255 of
    // sixteen-byte steps; then the columns are summed.
    const __m128i line_end = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
    while (end - p >= 16) {
        const char* const stop = p + std::min<ptrdiff_t>(255 * 16, (end - p) & ~ptrdiff_t{15});
        __m128i ends = zero;
        for (; p < stop; p += 16)
            ends = _mm_sub_epi8(ends, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), line_end));
        const __m128i sums = _mm_sad_epu8(ends, zero);
        n += static_cast<size_t>(_mm_cvtsi128_si32(sums)) + static_cast<size_t>(_mm_extract_epi16(sums, 4));
    }
#endif
    for (; p < end; ++p) n += *p == '\n';
    return n;
}

// The lines of one block, cut into pieces that the two threads convert.
struct BlockPieces : LinePieces {
    std::vector<size_t> first_line;  // the number of each piece's first line
    std::vector<Share> shares;
    size_t lines = 0;  // lines of the block

    // Cuts the block whose first line has number `line` and numbers the
    // pieces' first lines.
    void cut(std::string_view block, size_t line) {
        LinePieces::cut(block);
        const size_t count = this->count();
        first_line.resize(count);
        lines = 0;
        for (size_t k = 0; k < count; ++k) {
            first_line[k] = line + lines;
            lines += count_lines(from(k), to(k));
        }
        shares.assign(count, Share{});
    }
};

// Blocks are read one ahead: while both threads convert the pieces of one
// block, the thread that comes free first reads and cuts the next.
ReadOutcome read_reals_by_lines(LineSource& in, const LineValues& v, size_t& stored) {
    HelperThread helper;
    BlockPieces now, ahead;
    size_t line = 0;  // lines converted so far
    std::string_view block = in.next_block();
    if (!block.empty()) now.cut(block, line);
    for (;;) {
        if (v.start(line) >= v.n) {
            stored = v.n;
            return ReadOutcome::Done;
        }
        std::string_view next;
        if (block.empty()) {
            std::string_view text;
            if (!in.next_line(text)) {
                stored = v.start(line);
                return end_of_input(in);
            }
            now.shares.assign(1, Share{});
            LinePoints points = v.points();
            if (v.convert(line, text, now.shares[0].failed_at, points)) now.shares[0].lines = 1;
            next = in.next_block();
            if (!next.empty()) ahead.cut(next, line + now.shares[0].lines);
        } else {
            const size_t next_line = line + now.lines;
            helper.run_pieces(now.count() + 1, [&](size_t k) {
                if (k == 0) {
                    next = in.next_block();
                    if (!next.empty()) ahead.cut(next, next_line);
                    return;
                }
                convert_share(v, now.from(k - 1), now.to(k - 1), now.first_line[k - 1], now.shares[k - 1]);
            });
        }
        // The first failure in the file's order is the one the read reports.
        for (const Share& s : now.shares) {
            if (s.failed_at != SIZE_MAX) {
                stored = s.failed_at;
                return ReadOutcome::Error;
            }
            line += s.lines;
        }
        block = next;
        std::swap(now, ahead);
    }
}

}  // namespace

ReadOutcome read_fixed(LineSource& in, const FormatList& fmt, std::span<const FieldRef> fields, size_t* stored) {
    FieldSink sink(fields);
    const ReadOutcome r = run(in, fmt, sink);
    if (stored) *stored = sink.stored();
    return r;
}

ReadOutcome read_fixed_reals(LineSource& in, const FormatList& fmt, REAL* out, size_t n, size_t& stored) {
    RealSink sink(out, n);
    const ReadOutcome r = run(in, fmt, sink);
    stored = sink.stored();
    return r;
}

ReadOutcome read_fixed_samples(LineSource& in, const FormatList& fmt, REAL* out, size_t n, size_t& stored) {
    LineValues v{out, n, {}, {}, {}};
    if (!two_reading_threads() || !line_values(fmt, v)) return read_fixed_reals(in, fmt, out, n, stored);
    return read_reals_by_lines(in, v, stored);
}

}  // namespace datrax
