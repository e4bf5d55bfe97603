#pragma once

#include <QUrl>
#include <QWidget>

class QWebEngineView;

namespace ui {

// Shows local documents (MHTML archives) in an embedded browser. The browser is created on the
// first navigate(), so a window with viewers starts without loading the browser engine.
// Always offline (every request that is not for a local file or archive part is refused, and
// nothing is kept on disk) and silent (no script dialogs, no error pages, no new windows).
class HtmlViewer final : public QWidget {
    Q_OBJECT
public:
    explicit HtmlViewer(QWidget* parent = nullptr);
    ~HtmlViewer() override;

    // Shows the document at a file path. A missing file leaves the viewer empty; returns false.
    bool navigate(const QString& path);
    QUrl url() const;
    // Text size on a five-step scale, 0 (smallest) to 4 (largest); 2 is medium. Clamped.
    void setTextSize(int size);
    int textSize() const { return m_textSize; }
    // The browser, or nullptr before the first navigate().
    QWebEngineView* view() const { return m_view; }

    // Every outside request refused so far, by any viewer of the program.
    static QList<QUrl> refusedRequests();

Q_SIGNALS:
    void loadFinished(bool ok);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createView();

    QWebEngineView* m_view = nullptr;
    int m_textSize = 2;
};

} // namespace ui
