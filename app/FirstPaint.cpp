#include "app/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace app {
namespace {

// Long enough for any exposed window to have been painted, short enough not to be noticed.
constexpr int kUnpaintedMilliseconds = 500;

class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget* window, std::function<void()> then)
        : QObject(window), m_window(window), m_then(std::move(then)) {
        m_unpainted.setSingleShot(true);
        m_unpainted.setInterval(kUnpaintedMilliseconds);
        connect(&m_unpainted, &QTimer::timeout, this, &FirstPaintWatch::fire);
        window->installEventFilter(this);
        if (window->isVisible()) m_unpainted.start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window) return false;
        if (event->type() == QEvent::Show && !m_unpainted.isActive()) m_unpainted.start();
        if (event->type() == QEvent::Paint) fire();
        return false;
    }

private:
    void fire() {
        if (!m_then) return;
        // Queued, so that the paint under way finishes and reaches the screen first.
        QTimer::singleShot(0, m_window, std::exchange(m_then, {}));
        m_unpainted.stop();
        m_window->removeEventFilter(this);
        deleteLater();
    }

    QWidget* m_window;
    std::function<void()> m_then;
    QTimer m_unpainted;
};

} // namespace

void afterFirstPaint(QWidget* window, std::function<void()> then) {
    new FirstPaintWatch(window, std::move(then));
}

} // namespace app
