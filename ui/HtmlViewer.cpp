#include "ui/HtmlViewer.h"

#include "ui/BrowserBackend.h"
#include "ui/Keys.h"
#include "ui/ProgramFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <QPointer>
#include <QShortcut>
#include <QSurfaceFormat>

#include <array>

using namespace Qt::StringLiterals;

// Qt Gui's own, exported for its modules (the browser engine calls them too).
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace ui {
namespace {

Q_LOGGING_CATEGORY(lcViewer, "velmora.viewer")

// Zoom of the five text sizes, smallest to largest.
constexpr std::array<double, 5> kZoom = {0.7, 0.85, 1.0, 1.2, 1.45};
// One notch of Ctrl+wheel in the browser, and the browser's limits.
constexpr double kZoomStep = 0.1;
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 5.0;
constexpr int kFindBarWidth = 260;
constexpr int kPageScrollBarWidth = 17; // the bar stays left of the document's scroll bar

// The browser engine draws through OpenGL contexts shared with the program's. Qt makes the shared
// one as the application starts when asked to, which on a display costs more than the whole rest
// of the start; it is made here instead, just before the engine loads and looks for it.
void shareOpenGLContexts() {
    if (qt_gl_global_share_context()) return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (!context->create()) qCInfo(lcViewer) << "no OpenGL context to share: the browser draws without one";
    qt_gl_set_global_share_context(context);
}

// The plugin, loaded once; nullptr if it is missing or broken.
BrowserBackend* backend(bool load) {
    static BrowserBackend* loaded = nullptr;
    static bool tried = false;
    if (tried || !load) return loaded;
    tried = true;
    shareOpenGLContexts();
    QPluginLoader loader(fileIn(libraryDirectory(), QStringLiteral("velmora_browser")));
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
    createKeys();
    createFindBar();
}

// Shortcuts of the viewer and whatever it holds (the browser, the find bar), not of its window.
void HtmlViewer::createKeys() {
    const auto key = [this](const QKeySequence& sequence, void (HtmlViewer::*action)()) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    key(keys::findKey(), &HtmlViewer::openFindBar);
    key(keys::kZoomIn, &HtmlViewer::zoomIn);
    key(keys::kZoomInPlus, &HtmlViewer::zoomIn);
    key(keys::kZoomOut, &HtmlViewer::zoomOut);
    key(keys::kZoomReset, &HtmlViewer::resetZoom);
}

void HtmlViewer::createFindBar() {
    auto* bar = new QFrame(this);
    bar->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    bar->setAutoFillBackground(true);
    m_findBar = bar;
    auto* layout = new QHBoxLayout(m_findBar);
    layout->setContentsMargins(4, 4, 4, 4);
    m_findBox = new QLineEdit(m_findBar);
    m_findBox->setObjectName(QStringLiteral("findBox"));
    m_findBox->setPlaceholderText(QStringLiteral("查找"));
    m_findBox->installEventFilter(this);
    m_findCount = new QLabel(m_findBar);
    m_findCount->setObjectName(QStringLiteral("findCount"));
    layout->addWidget(m_findBox, 1);
    layout->addWidget(m_findCount);
    connect(m_findBox, &QLineEdit::textEdited, this, [this] { findNext(); });
    m_findBar->hide();
}

void HtmlViewer::placeFindBar() {
    const int right = qMax(0, this->width() - kPageScrollBarWidth);
    const int width = qMin(kFindBarWidth, right);
    m_findBar->setGeometry(right - width, 0, width, m_findBar->sizeHint().height());
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

common::Outcome<> HtmlViewer::navigate(const QString& path) {
    if (!QFileInfo(path).isFile()) return common::Failure{u"no document at %1"_s.arg(path)};
    if (!m_browser && !createBrowser()) return common::Failure{u"the browser is unavailable"_s};
    backend(false)->load(m_browser, QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    return {};
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
    placeFindBar();
}

void HtmlViewer::zoomIn() {
    stepZoom(kZoomStep);
}

void HtmlViewer::zoomOut() {
    stepZoom(-kZoomStep);
}

void HtmlViewer::resetZoom() {
    setTextSize(m_textSize);
}

void HtmlViewer::stepZoom(double step) {
    if (!m_browser) return;
    const double zoom = backend(false)->zoom(m_browser) + step;
    backend(false)->setZoom(m_browser, qBound(kMinZoom, zoom, kMaxZoom));
}

void HtmlViewer::openFindBar() {
    if (!m_browser) return;
    placeFindBar();
    m_findBar->show();
    m_findBar->raise();
    m_findBox->setFocus(Qt::ShortcutFocusReason);
    m_findBox->selectAll();
}

void HtmlViewer::findNext(bool backward) {
    if (!m_browser) return;
    const QString text = m_findBox->text();
    if (text.isEmpty()) m_findCount->clear();
    // Answers come later; one for a text typed over since is not shown.
    QPointer<HtmlViewer> self(this);
    backend(false)->find(m_browser, text, backward, [self, text](int active, int total) {
        if (self && !text.isEmpty() && self->m_findBox->text() == text)
            self->m_findCount->setText(QStringLiteral("%1/%2").arg(active).arg(total));
    });
}

void HtmlViewer::closeFindBar() {
    if (m_browser) backend(false)->find(m_browser, QString(), false, {});
    m_findBar->hide();
    m_findCount->clear();
    if (m_browser) m_browser->setFocus(Qt::OtherFocusReason);
}

bool HtmlViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_findBox) return QWidget::eventFilter(watched, event);
    const bool shortcut = event->type() == QEvent::ShortcutOverride;
    if (!shortcut && event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool escape = key->key() == Qt::Key_Escape;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!escape && !enter) return false;
    // Claimed before shortcuts are looked up: Esc here closes the bar, not the window.
    if (shortcut) {
        event->accept();
        return true;
    }
    if (escape)
        closeFindBar();
    else
        findNext(key->modifiers() & Qt::ShiftModifier);
    return true;
}

} // namespace ui
