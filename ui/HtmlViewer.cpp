#include "HtmlViewer.h"

#include "BrowserBackend.h"
#include "ProgramFiles.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QPluginLoader>

#include <array>

namespace ui {
namespace {

Q_LOGGING_CATEGORY(lcViewer, "velmora.viewer")

// Zoom of the five text sizes, smallest to largest.
constexpr std::array<double, 5> kZoom = {0.7, 0.85, 1.0, 1.2, 1.45};

// The plugin, loaded once; nullptr if it is missing or broken.
BrowserBackend* backend(bool load) {
    static BrowserBackend* loaded = nullptr;
    static bool tried = false;
    if (tried || !load) return loaded;
    tried = true;
    QPluginLoader loader(fileIn(programDirectory(), QStringLiteral("velmora_browser")));
    loaded = qobject_cast<BrowserBackend*>(loader.instance());
    if (!loaded) qCWarning(lcViewer) << "browser unavailable:" << loader.errorString();
    return loaded;
}

} // namespace

HtmlViewer::HtmlViewer(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFocusPolicy(Qt::StrongFocus);
}

HtmlViewer::~HtmlViewer() {
    if (m_browser) backend(false)->release(m_browser);
}

bool HtmlViewer::createBrowser() {
    BrowserBackend* browser = backend(true);
    if (!browser) return false;
    m_browser = browser->createView(this, [this](bool ok) { Q_EMIT loadFinished(ok); });
    m_browser->setGeometry(rect());
    browser->setZoom(m_browser, kZoom[static_cast<size_t>(m_textSize)]);
    setFocusProxy(m_browser);
    m_browser->show();
    return true;
}

bool HtmlViewer::navigate(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    if (!m_browser && !createBrowser()) return false;
    backend(false)->load(m_browser, QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    return true;
}

QUrl HtmlViewer::url() const {
    return m_browser ? backend(false)->url(m_browser) : QUrl();
}

void HtmlViewer::setTextSize(int size) {
    m_textSize = qBound(0, size, static_cast<int>(kZoom.size()) - 1);
    if (m_browser) backend(false)->setZoom(m_browser, kZoom[static_cast<size_t>(m_textSize)]);
}

QList<QUrl> HtmlViewer::refusedRequests() {
    BrowserBackend* browser = backend(false);
    return browser ? browser->refusedRequests() : QList<QUrl>();
}

void HtmlViewer::resizeEvent(QResizeEvent*) {
    if (m_browser) m_browser->setGeometry(rect());
}

} // namespace ui
