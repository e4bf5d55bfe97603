// The browser engine behind HtmlViewer, loaded on first use.

#include "ui/BrowserBackend.h"
#include "ui/browser/BrowserProfile.h"

#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace {

// The browser follows no link inside a document opened from an archive, not even one to a part of
// the same document (#plan): a contents list would do nothing when clicked. This script, in the
// program's own script world (the document's scripts never run), turns a click on such a link
// (or Enter on it) into the scroll it stands for.
const QString kInPageLinks = QStringLiteral(R"(
document.addEventListener('click', function (event) {
    var link = event.target.closest && event.target.closest('a[href]');
    if (!link) return;
    var href = link.getAttribute('href');
    if (!href || href.charAt(0) !== '#') return;
    event.preventDefault();
    var id = decodeURIComponent(href.slice(1));
    var target = id ? document.getElementById(id) || document.getElementsByName(id)[0]
                    : document.documentElement;
    if (target) target.scrollIntoView();
}, true);
)");

QWebEngineScript inPageLinks() {
    QWebEngineScript script;
    script.setName(QStringLiteral("velmora-in-page-links"));
    script.setSourceCode(kInPageLinks);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    return script;
}

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
        view->page()->scripts().insert(inPageLinks());
        view->setContextMenuPolicy(Qt::NoContextMenu);
        connect(view, &QWebEngineView::loadFinished, view, [loaded](bool ok) { loaded(ok); });
        return view;
    }
    void load(QWidget* view, const QUrl& url) override { asView(view)->setUrl(url); }
    void setZoom(QWidget* view, double factor) override { asView(view)->setZoomFactor(factor); }
    double zoom(QWidget* view) const override { return asView(view)->zoomFactor(); }
    void find(QWidget* view, const QString& text, bool backward,
              std::function<void(int active, int total)> found) override {
        const QWebEnginePage::FindFlags flags =
            backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
        asView(view)->findText(text, flags, [found](const QWebEngineFindTextResult& result) {
            if (found) found(result.activeMatch(), result.numberOfMatches());
        });
    }
    QUrl url(QWidget* view) const override { return asView(view)->url(); }
    void release(QWidget* view) override {
        delete asView(view)->page();
        delete view;
    }
    QList<QUrl> refusedRequests() const override { return ui::refusedRequests(); }
};

#include "BrowserPlugin.moc"
