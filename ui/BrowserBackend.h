#pragma once

// The browser engine lives in a plugin (velmora_browser, beside the program) that HtmlViewer
// loads on its first navigate(): linking the engine into the program would load and initialise
// it at start-up, which costs more than the whole rest of the start.

#include <QList>
#include <QUrl>
#include <QtPlugin>

#include <functional>

class QWidget;

namespace ui {

class BrowserBackend {
public:
    virtual ~BrowserBackend() = default;
    // A browser widget under `parent`, offline and silent; `loaded` gets each load's result.
    virtual QWidget* createView(QWidget* parent, std::function<void(bool)> loaded) = 0;
    virtual void load(QWidget* view, const QUrl& url) = 0;
    virtual void setZoom(QWidget* view, double factor) = 0;
    virtual double zoom(QWidget* view) const = 0;
    // Highlights the matches of `text` and selects the next (or previous) one; `found` gets the
    // number of the selected match (1-based, 0 for none) and how many there are. An empty text
    // ends the search and takes the highlights away.
    virtual void find(QWidget* view, const QString& text, bool backward,
                      std::function<void(int active, int total)> found) = 0;
    virtual QUrl url(QWidget* view) const = 0;
    // Deletes the view, its page first (a page must go before its profile).
    virtual void release(QWidget* view) = 0;
    // Every outside request refused so far.
    virtual QList<QUrl> refusedRequests() const = 0;
};

} // namespace ui

#define VelmoraBrowserBackend_iid "org.velmora.BrowserBackend/2"
Q_DECLARE_INTERFACE(ui::BrowserBackend, VelmoraBrowserBackend_iid)
