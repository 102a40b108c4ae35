// Where the record readers take their lines from: a file, or a text held in
// memory (tests, fuzzing). Lines come without their line end and without one
// trailing carriage return.
#pragma once
#include <string_view>

#include "platform/line_reader.h"

namespace datrax {

class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line, or false at the end of the input.
    virtual bool next_line(std::string_view& line) = 0;
    // True when the input ended because it could not be read on (a line too
    // long, a read error), not at its end: what was read is incomplete.
    virtual bool failed() const { return false; }
};

// The lines of a text in memory; the text must outlive the source.
class TextLines : public LineSource {
public:
    explicit TextLines(std::string_view text) : rest_(text) {}
    bool next_line(std::string_view& line) override;

private:
    std::string_view rest_;
    bool done_ = false;
};

// The lines of a file, read through the platform's buffered reader.
class FileLines : public LineSource {
public:
    bool open(std::string_view name) { return reader_.open(name); }
    void close() { reader_.close(); }
    bool next_line(std::string_view& line) override { return reader_.next_line(line); }
    bool failed() const override { return failure() != platform::LineReader::Failure::None; }
    platform::LineReader::Failure failure() const { return reader_.failure(); }

private:
    platform::LineReader reader_;
};

}  // namespace datrax
