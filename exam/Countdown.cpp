#include "Countdown.h"

#include <QElapsedTimer>

#include <memory>

namespace exam {

Countdown::Countdown(Clock clock) : m_clock(std::move(clock)) {}

void Countdown::start() {
    m_deadline = m_clock() + kDuration;
    m_remaining = kDuration;
    m_running = true;
}

bool Countdown::tick() {
    if (!m_running) return false;
    const std::int64_t left = m_deadline - m_clock();
    // Rounded up, so a tick that comes a few milliseconds late still shows the second it stands for.
    const std::int64_t seconds = (left + kTickInterval - 1) / kTickInterval;
    m_remaining = left > 0 ? seconds * kTickInterval : 0;
    if (m_remaining > 0) return false;
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
