#include "records/free_read.h"

#include "records/field_conversion.h"
#include "records/missing.h"

namespace datrax {

namespace {

using FKind = FieldRef::Kind;

// Characters that end a value (blank, tab, comma, slash) or mark a repeat.
enum : unsigned char { kPlain = 0, kEnd = 1, kStar = 2 };
struct CharClasses {
    unsigned char of[256] = {};
    constexpr CharClasses() {
        of[static_cast<unsigned char>(' ')] = of[static_cast<unsigned char>('\t')] = kEnd;
        of[static_cast<unsigned char>(',')] = of[static_cast<unsigned char>('/')] = kEnd;
        of[static_cast<unsigned char>('*')] = kStar;
    }
};
constexpr CharClasses kClass;
unsigned char class_of(char c) { return kClass.of[static_cast<unsigned char>(c)]; }

bool store(const FieldRef& f, std::string_view v) {
    switch (f.kind) {
        case FKind::Integer: return convert_integer(v, f.integer());
        case FKind::Real:
            if (convert_real(v, 0, f.real())) return true;
            if (!is_nan_text(v)) return false;
            f.real() = kMissing;  // a sample the file marks as missing
            return true;
        default: return false;
    }
}

// The repeat count of "r*": digits only, at least 1; counts beyond the
// fields of any read are cut to the limit.
bool repeat_count(std::string_view r, size_t& n) {
    if (r.empty()) return false;
    n = 0;
    for (const char c : r) {
        if (c < '0' || c > '9') return false;
        if (n < (size_t{1} << 40)) n = n * 10 + static_cast<size_t>(c - '0');
    }
    return n > 0;
}

}  // namespace

ReadOutcome read_free(LineSource& in, std::span<const FieldRef> fields) {
    const size_t n = fields.size();
    if (n == 0) return ReadOutcome::Done;
    std::string_view line;
    if (!in.next_line(line)) return end_of_input(in);
    size_t next = 0;             // next field to fill
    size_t pos = 0;              // position in the line
    bool comma_is_empty = true;  // a comma now would stand for an empty value
    for (;;) {
        while (pos < line.size() && is_blank(line[pos])) ++pos;
        if (pos >= line.size()) {
            if (!in.next_line(line)) return end_of_input(in);
            pos = 0;
            continue;
        }
        const char c = line[pos];
        if (c == '/') return ReadOutcome::Done;
        if (c == ',') {
            ++pos;
            if (comma_is_empty && ++next == n) return ReadOutcome::Done;
            comma_is_empty = true;
            continue;
        }
        const size_t start = pos;
        size_t star = std::string_view::npos;
        for (; pos < line.size(); ++pos) {
            const unsigned char k = class_of(line[pos]);
            if (k == kEnd) break;
            if (k == kStar && star == std::string_view::npos) star = pos - start;
        }
        std::string_view token = line.substr(start, pos - start);
        size_t copies = 1;
        if (star != std::string_view::npos) {
            if (!repeat_count(token.substr(0, star), copies)) return ReadOutcome::Error;
            token.remove_prefix(star + 1);
        }
        const size_t last = copies < n - next ? next + copies : n;
        if (star == std::string_view::npos || !token.empty()) {
            for (size_t i = next; i < last; ++i) {
                if (!store(fields[i], token)) return ReadOutcome::Error;
            }
        }
        next = last;
        if (next == n) return ReadOutcome::Done;
        comma_is_empty = false;
    }
}

}  // namespace datrax
