#include "records/format_list.h"

#include <algorithm>

namespace datrax {

namespace {

using Kind = FormatItem::Kind;

// Recursive-descent compiler over the list text with its blanks removed.
class Compiler {
public:
    Compiler(std::string_view text, std::vector<FormatItem>& out) : out_(out) {
        for (const char c : text) {
            if (c != ' ') s_.push_back(static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
        }
    }

    // Compiles "(list)"; sets the reversion point. Empty string on success.
    std::string run(int32_t& reversion) {
        if (!eat('(')) return "the list must begin with (";
        if (!list(0, &reversion)) return error_;
        out_.push_back({Kind::End});
        return {};
    }

private:
    bool fail(const char* why) {
        if (error_.empty()) error_ = why;
        return false;
    }
    bool at_end() const { return pos_ >= s_.size(); }
    char peek() const { return at_end() ? '\0' : s_[pos_]; }
    bool eat(char c) {
        if (peek() != c) return false;
        ++pos_;
        return true;
    }
    static bool is_digit(char c) { return c >= '0' && c <= '9'; }

    // An unsigned number of at most nine digits; false if there is none.
    bool number(int64_t& v) {
        if (!is_digit(peek())) return false;
        v = 0;
        int digits = 0;
        while (is_digit(peek())) {
            if (++digits > 9) return fail("a number in the list is too large");
            v = v * 10 + (s_[pos_++] - '0');
        }
        return true;
    }

    // The items up to the closing parenthesis (consumed).
    bool list(int depth, int32_t* top_reversion) {
        bool first = true;
        for (;;) {
            if (eat(')')) {
                if (first) return fail("empty parentheses");
                return true;
            }
            if (at_end()) return fail("missing )");
            if (!first && peek() == ',') return fail("empty item between commas");
            const int32_t start = static_cast<int32_t>(out_.size());
            bool was_group = false;
            if (!item(depth, was_group)) return false;
            if (top_reversion && was_group) *top_reversion = start;
            first = false;
            if (eat(',') && peek() == ')') return fail("a comma before )");
        }
    }

    bool item(int depth, bool& was_group) {
        int64_t n = 1;
        const bool counted = number(n);
        if (!error_.empty()) return false;
        if (peek() == '(') {
            if (counted && n == 0) return fail("a repeat count of 0");
            if (depth + 1 > FormatList::kMaxDepth) return fail("parentheses nested too deeply");
            ++pos_;
            was_group = true;
            return group(n, depth + 1);
        }
        if (eat('X')) {
            if (n == 0) return fail("0X skips nothing");
            out_.push_back({Kind::Skip, 0, 0, n});
            return true;
        }
        if (counted && n == 0) return fail("a repeat count of 0");
        if (!descriptor()) return false;
        out_.back().count = n;  // rD is one item applied r times
        return true;
    }

    bool group(int64_t repeat, int depth) {
        const int32_t begin = static_cast<int32_t>(out_.size());
        out_.push_back({Kind::GroupBegin, 0, 0, repeat});
        if (!list(depth, nullptr)) return false;
        close_group(begin);
        return true;
    }

    // Ends the group opened at begin. A group without data descriptors only
    // moves the column, so it becomes one skip of the total width.
    void close_group(int32_t begin) {
        const int32_t end = static_cast<int32_t>(out_.size());
        bool has_data = false;
        int64_t skip = 0;
        for (int32_t i = begin + 1; i < end; ++i) {
            if (out_[i].is_data()) has_data = true;
            if (out_[i].kind == Kind::Skip) skip = std::min(skip + out_[i].count, FormatList::kMaxSkip);
        }
        if (!has_data) {
            const int64_t repeat = out_[begin].count;
            const int64_t total = skip > FormatList::kMaxSkip / repeat ? FormatList::kMaxSkip : skip * repeat;
            out_.resize(begin);
            out_.push_back({Kind::Skip, 0, 0, total});
            return;
        }
        out_[begin].link = end;
        out_.push_back({Kind::GroupEnd, 0, 0, 0, begin});
    }

    bool width(int64_t& w, bool required) {
        if (!number(w)) return required ? fail("a descriptor without its width") : error_.empty();
        if (w == 0) return fail("a width of 0");
        if (w > FormatList::kMaxWidth) return fail("a width beyond the limit");
        return true;
    }

    bool descriptor() {
        const char c = peek();
        ++pos_;
        int64_t w = 0, d = 0;
        switch (c) {
            case 'I':
            case 'L':
                if (!width(w, true)) return false;
                out_.push_back({c == 'I' ? Kind::I : Kind::L, static_cast<int32_t>(w)});
                return true;
            case 'A':
                if (is_digit(peek()) && !width(w, true)) return false;
                out_.push_back({Kind::A, static_cast<int32_t>(w)});
                return true;
            case 'F':
            case 'E':
            case 'D':
            case 'G': {
                if (!width(w, true)) return false;
                if (!eat('.')) return fail("a real descriptor without its decimals");
                if (!number(d)) return fail("a real descriptor without its decimals");
                if (d > FormatList::kMaxWidth) return fail("decimals beyond the limit");
                const Kind k = c == 'F' ? Kind::F : c == 'E' ? Kind::E : c == 'D' ? Kind::D : Kind::G;
                out_.push_back({k, static_cast<int32_t>(w), static_cast<int32_t>(d)});
                return true;
            }
            default: return fail("an unsupported descriptor");
        }
    }

    std::string s_;
    size_t pos_ = 0;
    std::vector<FormatItem>& out_;
    std::string error_;
};

}  // namespace

bool FormatList::compile(std::string_view text) {
    items_.clear();
    reversion_ = 0;
    Compiler c(text, items_);
    error_ = c.run(reversion_);
    ok_ = error_.empty();
    if (ok_ && std::none_of(items_.begin(), items_.end(), [](const FormatItem& i) { return i.is_data(); })) {
        ok_ = false;
        error_ = "no data descriptor";
    }
    reversion_has_data_ =
        ok_ && std::any_of(items_.begin() + reversion_, items_.end(), [](const FormatItem& i) { return i.is_data(); });
    if (!ok_) items_.clear();
    return ok_;
}

}  // namespace datrax
