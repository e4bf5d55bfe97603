// The browser engine behind HtmlViewer, loaded on first use.

#include "BrowserBackend.h"
#include "BrowserProfile.h"

#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// A page that never opens a dialog, never reports a script error and stays on local documents.
class SilentPage final : public QWebEnginePage {
public:
    explicit SilentPage(QObject* parent) : QWebEnginePage(ui::offlineProfile(), parent) {
        connect(this, &QWebEnginePage::featurePermissionRequested, this,
                [this](const QUrl& origin, Feature feature) {
                    setFeaturePermission(origin, feature, PermissionDeniedByUser);
                });
    }

protected:
    void javaScriptAlert(const QUrl&, const QString&) override {}
    bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override {}
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        return ui::isLocalUrl(url);
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
};

QWebEngineView* asView(QWidget* widget) {
    return qobject_cast<QWebEngineView*>(widget);
}

} // namespace

class BrowserPlugin final : public QObject, public ui::BrowserBackend {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VelmoraBrowserBackend_iid)
    Q_INTERFACES(ui::BrowserBackend)
public:
    QWidget* createView(QWidget* parent, std::function<void(bool)> loaded) override {
        auto* view = new QWebEngineView(parent);
        view->setPage(new SilentPage(view));
        view->setContextMenuPolicy(Qt::NoContextMenu);
        connect(view, &QWebEngineView::loadFinished, view, [loaded](bool ok) { loaded(ok); });
        return view;
    }
    void load(QWidget* view, const QUrl& url) override { asView(view)->setUrl(url); }
    void setZoom(QWidget* view, double factor) override { asView(view)->setZoomFactor(factor); }
    QUrl url(QWidget* view) const override { return asView(view)->url(); }
    void release(QWidget* view) override {
        delete asView(view)->page();
        delete view;
    }
    QList<QUrl> refusedRequests() const override { return ui::refusedRequests(); }
};

#include "BrowserPlugin.moc"
