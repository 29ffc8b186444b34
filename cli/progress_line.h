#pragma once
// A one-line progress display on standard error for a long tabulation:
//
//   tabulating: 1234 of 65536 points
//
// rewritten in place at most ten times a second once the work has run for a second, and
// erased when it ends. Nothing is written when the stream is not a terminal (a pipe or a
// file), so output that is piped or logged stays as it was.

#include <chrono>
#include <cstdio>

namespace quarnis {

class ProgressLine {
public:
    explicit ProgressLine(std::FILE* stream);
    ~ProgressLine() { erase(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(unsigned done, unsigned total);
    // Removes the line, so that what follows starts a line of its own.
    void erase();

private:
    using Clock = std::chrono::steady_clock;
    std::FILE* stream_;
    bool terminal_;
    bool shown_ = false;
    Clock::time_point start_, last_;
};

} // namespace quarnis
