#pragma once

// Shared by the two start-up probes: report the first paint of a window on stdout ("painted", as
// the paint begins), then the end of that first frame ("framed", once the window and all its
// controls are painted and the event loop is free again), then close it after it has sat idle for
// a while (1.5 s, or VELMORA_PROBE_IDLE_MS), so the parent sees the peak
// memory of an idle window.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>

class FirstPaintReporter final : public QObject {
public:
    explicit FirstPaintReporter(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QTimer::singleShot(0, [] {
                std::fputs("framed\n", stdout);
                std::fflush(stdout);
            });
            auto* window = static_cast<QWidget*>(watched);
            bool set = false;
            const int idle = qEnvironmentVariableIntValue("VELMORA_PROBE_IDLE_MS", &set);
            QTimer::singleShot(set ? idle : kIdleMilliseconds, window, &QWidget::close);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr int kIdleMilliseconds = 1500;
    bool m_reported = false;
};
