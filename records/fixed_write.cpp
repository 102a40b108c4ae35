#include "records/fixed_write.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace datrax {

namespace {

using Kind = FormatItem::Kind;
using FKind = FieldRef::Kind;

// Right-justifies text in w columns, or w asterisks when it does not fit.
void put_right(std::string& out, std::string_view text, int w) {
    if (static_cast<int>(text.size()) > w) {
        out.append(static_cast<size_t>(w), '*');
        return;
    }
    out.append(static_cast<size_t>(w) - text.size(), ' ');
    out.append(text);
}

void put_integer(std::string& out, INTEGER v, int w) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    put_right(out, std::string_view(buf, static_cast<size_t>(r.ptr - buf)), w);
}

// Fixed point with d decimals. A result that rounds to zero carries no
// minus sign; the zero before the point is left out when only that makes
// the number fit.
void put_fixed(std::string& out, REAL v, int w, int d) {
    char buf[FormatList::kMaxWidth + 64];
    const auto r = std::isfinite(v)
                       ? std::to_chars(buf, buf + sizeof buf - 1, static_cast<double>(v), std::chars_format::fixed, d)
                       : std::to_chars_result{buf, std::errc::value_too_large};
    if (r.ec != std::errc()) {
        out.append(static_cast<size_t>(w), '*');
        return;
    }
    char* begin = buf;
    char* end = r.ptr;
    if (d == 0) *end++ = '.';
    const bool neg = *begin == '-';
    if (neg && std::string_view(begin + 1, static_cast<size_t>(end - begin - 1)).find_first_not_of("0.") ==
                   std::string_view::npos) {
        ++begin;  // no "-0.000"
    }
    const bool signed_now = *begin == '-';
    char* zero = begin + (signed_now ? 1 : 0);
    if (end - begin > w && zero[0] == '0' && zero + 1 < end && zero[1] == '.') {
        if (signed_now) zero[0] = '-';
        ++begin;
    }
    put_right(out, std::string_view(begin, static_cast<size_t>(end - begin)), w);
}

bool put_value(std::string& out, const FormatItem& it, const OutValue& v) {
    switch (it.kind) {
        case Kind::I:
            if (v.kind != FKind::Integer) return false;
            put_integer(out, v.i, it.w);
            return true;
        case Kind::F:
            if (v.kind != FKind::Real) return false;
            put_fixed(out, v.r, it.w, it.d);
            return true;
        case Kind::L:
            if (v.kind != FKind::Logical) return false;
            out.append(static_cast<size_t>(it.w) - 1, ' ');
            out.push_back(v.l ? 'T' : 'F');
            return true;
        case Kind::A:
            if (v.kind != FKind::Text) return false;
            if (it.w == 0) {
                out.append(v.t);
            } else if (v.t.size() >= static_cast<size_t>(it.w)) {
                out.append(v.t.substr(0, static_cast<size_t>(it.w)));
            } else {
                put_right(out, v.t, it.w);
            }
            return true;
        default: return false;  // E, D and G are not written
    }
}

}  // namespace

bool write_fixed(const FormatList& fmt, std::span<const OutValue> values, std::string& line) {
    line.clear();
    if (!fmt.ok()) return false;
    if (values.empty()) return true;
    const FormatItem* items = fmt.items().data();
    int64_t left[FormatList::kMaxDepth + 2];
    int top = 0;
    size_t next = 0;
    int32_t pc = 0;
    for (;;) {
        const FormatItem& it = items[pc];
        switch (it.kind) {
            case Kind::Skip:
                // Writing stops after the last value, so a skip is always
                // followed by a value; absurd skips are held to a long line.
                line.append(static_cast<size_t>(std::min<int64_t>(it.count, int64_t{1} << 20)), ' ');
                ++pc;
                break;
            case Kind::GroupBegin:
                left[top++] = it.count;
                ++pc;
                break;
            case Kind::GroupEnd:
                if (--left[top - 1] > 0) {
                    pc = it.link + 1;
                } else {
                    --top;
                    ++pc;
                }
                break;
            case Kind::End:
                if (!fmt.reversion_has_data()) return false;
                line.push_back('\n');
                pc = fmt.reversion();
                top = 0;
                break;
            default:
                for (int64_t r = it.count; r > 0; --r) {
                    if (!put_value(line, it, values[next])) return false;
                    if (++next == values.size()) return true;
                }
                ++pc;
                break;
        }
    }
}

}  // namespace datrax
