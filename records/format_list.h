// Format lists: "(5f12.6)", "(I10,G12.5)", "(2x,3(f10.4))". A list is
// compiled once into a flat program of items and then applied to any number
// of values without being parsed again.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datrax {

struct FormatItem {
    enum class Kind : unsigned char {
        I,
        F,
        E,
        D,
        G,
        L,
        A,           // data descriptors
        Skip,        // nX (and groups made only of nX)
        GroupBegin,  // repeat count in count, matching GroupEnd in link
        GroupEnd,    // matching GroupBegin in link
        End,         // the closing parenthesis of the list
    };
    Kind kind;
    int32_t w = 0;      // field width; 0 for a bare A (the receiving text's length)
    int32_t d = 0;      // decimals
    int64_t count = 1;  // repeats of a group or data descriptor, columns of a skip
    int32_t link = 0;   // partner of a group item

    bool is_data() const { return kind <= Kind::A; }
};

class FormatList {
public:
    // Limits beyond which a list is refused rather than obeyed.
    static constexpr int kMaxWidth = 1024;  // widths and decimals
    static constexpr int kMaxDepth = 16;    // nested parentheses inside the list
    static constexpr int64_t kMaxSkip = int64_t{1} << 40;

    FormatList() = default;
    explicit FormatList(std::string_view text) { compile(text); }

    // Compiles the list. False (and an explanation in error()) for a text
    // that is not a usable list: unbalanced or too deeply nested
    // parentheses, zero or enormous widths or counts, unknown descriptors,
    // or no data descriptor at all. Text after the closing parenthesis is
    // not part of the list.
    bool compile(std::string_view text);

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }
    const std::vector<FormatItem>& items() const { return items_; }
    // Where the list starts again when it is used up with values left: the
    // last top-level group, or the beginning.
    int32_t reversion() const { return reversion_; }
    // Whether the part from the reversion point holds a data descriptor
    // (without one, a read that needs reversion could never end).
    bool reversion_has_data() const { return reversion_has_data_; }

private:
    std::vector<FormatItem> items_;
    int32_t reversion_ = 0;
    bool reversion_has_data_ = false;
    bool ok_ = false;
    std::string error_;
};

}  // namespace datrax
