#include "data/fixed_read.h"

#include <algorithm>

#include "data/field_conversion.h"
#include "data/missing.h"

namespace datrax {

namespace {

using Kind = FormatItem::Kind;
using FKind = FieldRef::Kind;

// Fields of a list of receiving fields of any kind.
class FieldSink {
public:
    explicit FieldSink(std::span<const FieldRef> f) : f_(f) {}
    size_t remaining() const { return f_.size() - next_; }
    size_t stored() const { return next_; }
    // The columns of the next field; false when they cannot go into it.
    bool take(const FormatItem& item, std::string_view cols) {
        const FieldRef& f = f_[next_];
        bool ok = false;
        switch (item.kind) {
            case Kind::I:
                ok = f.kind == FKind::Integer && convert_integer(cols, f.integer());
                break;
            case Kind::L:
                ok = f.kind == FKind::Logical && convert_logical(cols, f.logical());
                break;
            case Kind::A:
                ok = f.kind == FKind::Text;
                if (ok) f.text().assign(cols.substr(0, static_cast<size_t>(f.len)));
                break;
            default:
                ok = f.kind == FKind::Real && convert_real(cols, item.d, f.real());
                break;
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

// REAL values into one array.
class RealSink {
public:
    RealSink(REAL* out, size_t n) : out_(out), n_(n) {}
    size_t remaining() const { return n_ - next_; }
    size_t stored() const { return next_; }
    bool take(const FormatItem& item, std::string_view cols) {
        if (item.kind < Kind::F || item.kind > Kind::G) return false;
        if (!convert_real(cols, item.d, out_[next_])) {
            if (!is_nan_text(cols)) return false;
            out_[next_] = kMissing;  // a sample the file marks as missing
        }
        ++next_;
        return true;
    }
    int text_width() const { return 0; }

private:
    REAL* out_;
    size_t n_;
    size_t next_ = 0;
};

// The columns [col, col + w) of the line; those past its end are blanks,
// which every conversion ignores or pads.
inline std::string_view columns(std::string_view line, int64_t col, int64_t w) {
    if (col >= static_cast<int64_t>(line.size())) return {};
    return line.substr(static_cast<size_t>(col), static_cast<size_t>(std::min<int64_t>(w, line.size() - col)));
}

// Counters of the open groups; depth is bounded by the list's nesting.
struct GroupStack {
    int64_t left[FormatList::kMaxDepth + 2];
    int top = 0;
};

template <class Sink>
ReadOutcome run(LineSource& in, const FormatList& fmt, Sink& sink) {
    if (sink.remaining() == 0) return ReadOutcome::Done;
    if (!fmt.ok()) return ReadOutcome::Error;
    std::string_view line;
    if (!in.next_line(line)) return end_of_input(in);
    const FormatItem* items = fmt.items().data();
    GroupStack groups;
    int64_t col = 0;
    int32_t pc = 0;
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
            case Kind::End:
                if (!fmt.reversion_has_data()) return ReadOutcome::Error;
                if (!in.next_line(line)) return end_of_input(in);
                col = 0;
                pc = fmt.reversion();
                groups.top = 0;
                break;
            default: {
                const int64_t w = it.w > 0 ? it.w : sink.text_width();
                for (int64_t r = it.count; r > 0; --r) {
                    if (!sink.take(it, columns(line, col, w))) return ReadOutcome::Error;
                    if (sink.remaining() == 0) return ReadOutcome::Done;
                    col += w;
                }
                ++pc;
                break;
            }
        }
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

}  // namespace datrax
