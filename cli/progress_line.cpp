#include "progress_line.h"

#include <unistd.h>

namespace quarnis {

namespace {
    constexpr auto kDelay = std::chrono::seconds(1);
    constexpr auto kInterval = std::chrono::milliseconds(100);
} // namespace

ProgressLine::ProgressLine(std::FILE* stream)
    : stream_(stream)
    , terminal_(isatty(fileno(stream)) == 1)
    , start_(Clock::now())
    , last_(start_)
{
}

void ProgressLine::update(unsigned done, unsigned total)
{
    if (!terminal_)
        return;
    const Clock::time_point now = Clock::now();
    if (now - start_ < kDelay || (shown_ && now - last_ < kInterval))
        return;
    last_ = now;
    shown_ = true;
    std::fprintf(stream_, "\rtabulating: %u of %u points", done, total);
    std::fflush(stream_);
}

void ProgressLine::erase()
{
    if (!shown_)
        return;
    shown_ = false;
    std::fputs("\r\033[K", stream_); // back to the start of the line and clear it
    std::fflush(stream_);
}

} // namespace quarnis
