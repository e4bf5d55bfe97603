#include "exam/Countdown.h"

#include <QElapsedTimer>

#include <algorithm>
#include <memory>

namespace exam {

Countdown::Countdown(Clock clock) : m_clock(std::move(clock)) {}

void Countdown::start(std::int64_t remaining) {
    m_remaining = std::clamp<std::int64_t>((remaining + kTickInterval - 1) / kTickInterval * kTickInterval, 0,
                                           kDuration);
    m_deadline = m_clock() + m_remaining;
    m_running = true;
}

bool Countdown::tick() {
    if (!m_running) return false;
    // A step of one second per tick, but never more time than the clock leaves: a late tick
    // (a busy machine) catches up, an early one still takes its second.
    const std::int64_t left = m_deadline - m_clock();
    const std::int64_t byClock = left > 0 ? (left + kTickInterval - 1) / kTickInterval * kTickInterval : 0;
    m_remaining = std::min(m_remaining - kTickInterval, byClock);
    if (m_remaining > 0) return false;
    m_remaining = 0;
    m_running = false;
    return true;
}

QString Countdown::formatRemaining(std::int64_t milliseconds) {
    const std::int64_t left = milliseconds > 0 ? milliseconds : 0;
    const auto two = [](std::int64_t n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return two(left / 3'600'000) + QLatin1Char(':') + two(left % 3'600'000 / 60'000) + QLatin1Char(':') +
           two(left % 60'000 / 1000);
}

Countdown::Clock Countdown::steadyClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

} // namespace exam
