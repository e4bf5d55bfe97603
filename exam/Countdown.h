#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace exam {

// The exam's 60 minutes against a monotonic clock. The window ticks it once a second; the deadline
// is fixed at start, so late ticks (a busy machine) never stretch the exam beyond its hour.
class Countdown {
public:
    // Milliseconds of a monotonic clock.
    using Clock = std::function<std::int64_t()>;

    static constexpr std::int64_t kDuration = 3'600'000;
    static constexpr int kTickInterval = 1000;

    explicit Countdown(Clock clock);

    // Starts the hour now, or what is left of it (rounded up to whole seconds) for a resumed attempt.
    void start(std::int64_t remaining = kDuration);
    bool isRunning() const { return m_running; }
    // One step: a second less, or the time the clock leaves (rounded up to whole seconds) when
    // that is less. True when the time is up, which also stops the countdown; a stopped countdown
    // reports false.
    bool tick();
    void stop() { m_running = false; }

    std::int64_t remaining() const { return m_remaining; }
    // Whole seconds of the hour used so far, 0 … 3600.
    int usedSeconds() const { return static_cast<int>((kDuration - m_remaining) / 1000); }
    // "00:59:59": hours, minutes and seconds of the time left, two digits each.
    QString text() const { return formatRemaining(m_remaining); }
    static QString formatRemaining(std::int64_t milliseconds);

    // The clock of the running program (QElapsedTimer's monotonic clock).
    static Clock steadyClock();

private:
    Clock m_clock;
    std::int64_t m_deadline = 0;
    std::int64_t m_remaining = 0;
    bool m_running = false;
};

} // namespace exam
