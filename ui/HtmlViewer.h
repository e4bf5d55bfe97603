#pragma once

#include <QUrl>
#include <QWidget>

namespace ui {

// Shows local documents (MHTML archives) in an embedded browser. The browser engine is loaded
// (from the velmora_browser plugin beside the program) on the first navigate(), so a window with
// viewers starts without it. Always offline (every request that is not for a local file or an
// archive part is refused, nothing is kept on disk) and silent (no script dialogs, no error
// pages, no new windows). Without the plugin a viewer stays empty.
class HtmlViewer final : public QWidget {
    Q_OBJECT
public:
    explicit HtmlViewer(QWidget* parent = nullptr);
    ~HtmlViewer() override;

    // Shows the document at a file path. A missing file (or browser) leaves the viewer empty;
    // returns false then.
    bool navigate(const QString& path);
    QUrl url() const;
    // Text size on a five-step scale, 0 (smallest) to 4 (largest); 2 is medium. Clamped.
    void setTextSize(int size);
    int textSize() const { return m_textSize; }
    // The browser widget (a QWebEngineView), or nullptr before the first navigate().
    QWidget* browser() const { return m_browser; }

    // Every outside request refused so far, by any viewer of the program.
    static QList<QUrl> refusedRequests();

Q_SIGNALS:
    void loadFinished(bool ok);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool createBrowser();

    QWidget* m_browser = nullptr;
    int m_textSize = 2;
};

} // namespace ui
