#include "HtmlViewer.h"

#include "BrowserProfile.h"

#include <QFileInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <array>

namespace ui {
namespace {

// Zoom of the five text sizes, smallest to largest.
constexpr std::array<double, 5> kZoom = {0.7, 0.85, 1.0, 1.2, 1.45};

// A page that never opens a dialog, never reports a script error and stays on local documents.
class SilentPage final : public QWebEnginePage {
public:
    explicit SilentPage(QObject* parent) : QWebEnginePage(offlineProfile(), parent) {
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
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override { return isLocalUrl(url); }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
};

} // namespace

HtmlViewer::HtmlViewer(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFocusPolicy(Qt::StrongFocus);
}

HtmlViewer::~HtmlViewer() {
    // The page must go before the profile it was made from; the view would delete it later.
    if (m_view) delete m_view->page();
}

void HtmlViewer::createView() {
    m_view = new QWebEngineView(this);
    m_view->setPage(new SilentPage(m_view));
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_view->setGeometry(rect());
    m_view->setZoomFactor(kZoom[static_cast<size_t>(m_textSize)]);
    setFocusProxy(m_view);
    connect(m_view, &QWebEngineView::loadFinished, this, &HtmlViewer::loadFinished);
    m_view->show();
}

bool HtmlViewer::navigate(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    if (!m_view) createView();
    m_view->setUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    return true;
}

QUrl HtmlViewer::url() const {
    return m_view ? m_view->url() : QUrl();
}

void HtmlViewer::setTextSize(int size) {
    m_textSize = qBound(0, size, static_cast<int>(kZoom.size()) - 1);
    if (m_view) m_view->setZoomFactor(kZoom[static_cast<size_t>(m_textSize)]);
}

QList<QUrl> HtmlViewer::refusedRequests() {
    return ui::refusedRequests();
}

void HtmlViewer::resizeEvent(QResizeEvent*) {
    if (m_view) m_view->setGeometry(rect());
}

} // namespace ui
